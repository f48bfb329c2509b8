#pragma once

#include <fcntl.h>
#include <linux/fuse.h>
#include <poll.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace verdal::test {

// A tiny FUSE file system of one flat folder that keeps empty files only, served on a thread
// of its own: enough to create, look up, stat and remove a file. With `caseBlind` a lookup
// finds a file whatever the case of the name, as FAT and NTFS mounted through FUSE do. Mount
// it only inside a private mount namespace.
class FlatFuse
{
public:
    explicit FlatFuse(bool caseBlind) : caseBlind_(caseBlind) {}
    ~FlatFuse() { Unmount(); }
    FlatFuse(const FlatFuse&) = delete;
    FlatFuse& operator=(const FlatFuse&) = delete;

    // Mounts on `where`; why not when it fails (no /dev/fuse, the kernel refuses).
    std::string Mount(const std::string& where)
    {
        fd_ = ::open("/dev/fuse", O_RDWR | O_CLOEXEC);
        if (fd_ < 0)
            return std::string("no /dev/fuse: ") + std::strerror(errno);
        const std::string options =
            "fd=" + std::to_string(fd_) + ",rootmode=40000,user_id=0,group_id=0";
        if (::mount("flatfuse", where.c_str(), "fuse", MS_NOSUID | MS_NODEV, options.c_str()) !=
            0) {
            const std::string why = std::string("fuse mount refused: ") + std::strerror(errno);
            ::close(fd_);
            fd_ = -1;
            return why;
        }
        where_ = where;
        server_ = std::thread([this] { Serve(); });
        return {};
    }

    void Unmount()
    {
        if (!where_.empty())
            ::umount2(where_.c_str(), MNT_DETACH);
        where_.clear();
        stop_ = true;
        if (server_.joinable())
            server_.join();
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

    size_t FileCount()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return files_.size();
    }

private:
    struct File
    {
        std::string Name;
        uint32_t Mode;
    };

    void Serve()
    {
        std::vector<char> buffer(1 << 17);
        while (!stop_) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0)
                continue;
            const ssize_t got = ::read(fd_, buffer.data(), buffer.size());
            if (got < 0 && (errno == EINTR || errno == EAGAIN || errno == ENOENT))
                continue;
            if (got < static_cast<ssize_t>(sizeof(fuse_in_header)))
                return;  // unmounted
            Handle(*reinterpret_cast<const fuse_in_header*>(buffer.data()),
                   buffer.data() + sizeof(fuse_in_header));
        }
    }

    void Reply(const fuse_in_header& in, int error, const void* body = nullptr, size_t size = 0)
    {
        std::vector<char> out(sizeof(fuse_out_header) + size);
        fuse_out_header header{static_cast<uint32_t>(out.size()), -error, in.unique};
        std::memcpy(out.data(), &header, sizeof header);
        if (size)
            std::memcpy(out.data() + sizeof header, body, size);
        (void)!::write(fd_, out.data(), out.size());
    }

    fuse_attr AttrOf(uint64_t node)
    {
        fuse_attr attr{};
        attr.ino = node;
        attr.mode = node == FUSE_ROOT_ID ? (S_IFDIR | 0755) : files_[node].Mode;
        attr.nlink = node == FUSE_ROOT_ID ? 2 : 1;
        attr.blksize = 4096;
        return attr;
    }

    uint64_t Find(const char* name)
    {
        for (const auto& [node, file] : files_)
            if (caseBlind_ ? ::strcasecmp(file.Name.c_str(), name) == 0 : file.Name == name)
                return node;
        return 0;
    }

    void ReplyEntry(const fuse_in_header& in, uint64_t node, bool withOpen)
    {
        struct
        {
            fuse_entry_out Entry;
            fuse_open_out Open;
        } out{};
        out.Entry.nodeid = node;
        out.Entry.attr = AttrOf(node);
        Reply(in, 0, &out, withOpen ? sizeof out : sizeof out.Entry);
    }

    void Handle(const fuse_in_header& in, const char* args)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        switch (in.opcode) {
            case FUSE_INIT: {
                fuse_init_out out{};
                out.major = FUSE_KERNEL_VERSION;
                out.minor = FUSE_KERNEL_MINOR_VERSION;
                out.max_write = 4096;
                out.time_gran = 1;
                Reply(in, 0, &out, sizeof out);
                return;
            }
            case FUSE_LOOKUP: {
                const uint64_t node = in.nodeid == FUSE_ROOT_ID ? Find(args) : 0;
                if (node == 0)
                    Reply(in, ENOENT);
                else
                    ReplyEntry(in, node, false);
                return;
            }
            case FUSE_GETATTR: {
                if (in.nodeid != FUSE_ROOT_ID && !files_.count(in.nodeid)) {
                    Reply(in, ENOENT);
                    return;
                }
                fuse_attr_out out{};
                out.attr = AttrOf(in.nodeid);
                Reply(in, 0, &out, sizeof out);
                return;
            }
            case FUSE_CREATE: {
                const auto* create = reinterpret_cast<const fuse_create_in*>(args);
                const char* name = args + sizeof(fuse_create_in);
                if (Find(name) != 0) {
                    Reply(in, EEXIST);
                    return;
                }
                const uint64_t node = ++lastNode_;
                files_[node] = File{name, S_IFREG | (create->mode & 07777)};
                ReplyEntry(in, node, true);
                return;
            }
            case FUSE_UNLINK: {
                const uint64_t node = Find(args);
                if (node == 0) {
                    Reply(in, ENOENT);
                    return;
                }
                files_.erase(node);
                Reply(in, 0);
                return;
            }
            case FUSE_STATFS: {
                fuse_statfs_out out{};
                out.st.bsize = 4096;
                out.st.namelen = 255;
                Reply(in, 0, &out, sizeof out);
                return;
            }
            case FUSE_FLUSH:
            case FUSE_RELEASE:
                Reply(in, 0);
                return;
            case FUSE_FORGET:
            case FUSE_BATCH_FORGET:
            case FUSE_INTERRUPT:
                return;  // never answered
            default:
                Reply(in, ENOSYS);
                return;
        }
    }

    const bool caseBlind_;
    int fd_ = -1;
    std::string where_;
    std::thread server_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::map<uint64_t, File> files_;
    uint64_t lastNode_ = FUSE_ROOT_ID;
};

}  // namespace verdal::test
