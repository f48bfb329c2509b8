#pragma once

#include <fcntl.h>
#include <linux/fs.h>
#include <linux/fuse.h>
#include <poll.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace verdal::test {

// A small FUSE file system held in memory and served on a thread of its own: folders and
// regular files with modes, owners, times and contents; no links. With `caseBlind` names are
// looked up without regard to ASCII case, as FAT, exFAT and NTFS mounted through FUSE do, and
// a rename onto another case of the same name renames the file. Mount it only inside a
// private mount namespace.
class MemoryFuse
{
public:
    explicit MemoryFuse(bool caseBlind) : caseBlind_(caseBlind)
    {
        Node& root = nodes_[FUSE_ROOT_ID];
        root.Mode = S_IFDIR | 0755;
        Touch(root, true);
    }
    ~MemoryFuse() { Unmount(); }
    MemoryFuse(const MemoryFuse&) = delete;
    MemoryFuse& operator=(const MemoryFuse&) = delete;

    // Mounts on `where`; why not when that fails (no /dev/fuse, the kernel refuses).
    std::string Mount(const std::string& where)
    {
        fd_ = ::open("/dev/fuse", O_RDWR | O_CLOEXEC);
        if (fd_ < 0)
            return std::string("no /dev/fuse: ") + std::strerror(errno);
        const std::string options =
            "fd=" + std::to_string(fd_) + ",rootmode=40000,user_id=0,group_id=0";
        if (::mount("memoryfuse", where.c_str(), "fuse", MS_NOSUID | MS_NODEV, options.c_str()) !=
            0) {
            const std::string why = std::string("FUSE mount refused: ") + std::strerror(errno);
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

    // Files and folders below the root.
    size_t EntryCount()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        size_t count = 0;
        for (const auto& [id, node] : nodes_)
            count += id != FUSE_ROOT_ID && node.Linked;
        return count;
    }

private:
    struct Node
    {
        uint64_t Parent = FUSE_ROOT_ID;
        std::string Name;
        uint32_t Mode = 0;
        std::string Data;
        bool Linked = true;
        uint32_t Uid = 0, Gid = 0;
        uint64_t Atime = 0, Mtime = 0, Ctime = 0;  // nanoseconds
    };

    static uint64_t NowNs()
    {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(
                   std::chrono::system_clock::now().time_since_epoch())
            .count();
    }
    static void Touch(Node& node, bool modified)
    {
        node.Ctime = NowNs();
        if (modified)
            node.Mtime = node.Ctime;
    }

    void Serve()
    {
        std::vector<char> buffer(1 << 18);
        while (!stop_) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0)
                continue;
            const ssize_t got = ::read(fd_, buffer.data(), buffer.size());
            if (got < 0 && (errno == EINTR || errno == EAGAIN || errno == ENOENT))
                continue;
            if (got < static_cast<ssize_t>(sizeof(fuse_in_header)))
                return;  // unmounted
            const auto& in = *reinterpret_cast<const fuse_in_header*>(buffer.data());
            std::lock_guard<std::mutex> lock(mutex_);
            Handle(in, buffer.data() + sizeof(fuse_in_header));
        }
    }

    void Reply(const fuse_in_header& in, int error, const void* body = nullptr, size_t size = 0)
    {
        std::vector<char> out(sizeof(fuse_out_header) + size);
        const fuse_out_header header{static_cast<uint32_t>(out.size()), -error, in.unique};
        std::memcpy(out.data(), &header, sizeof header);
        if (size)
            std::memcpy(out.data() + sizeof header, body, size);
        (void)!::write(fd_, out.data(), out.size());
    }

    fuse_attr AttrOf(uint64_t id)
    {
        const Node& node = nodes_[id];
        fuse_attr attr{};
        attr.ino = id;
        attr.mode = node.Mode;
        attr.nlink = S_ISDIR(node.Mode) ? 2 : 1;
        attr.size = node.Data.size();
        attr.blocks = (attr.size + 511) / 512;
        attr.uid = node.Uid;
        attr.gid = node.Gid;
        attr.blksize = 4096;
        attr.atime = node.Atime / 1000000000;
        attr.atimensec = node.Atime % 1000000000;
        attr.mtime = node.Mtime / 1000000000;
        attr.mtimensec = node.Mtime % 1000000000;
        attr.ctime = node.Ctime / 1000000000;
        attr.ctimensec = node.Ctime % 1000000000;
        return attr;
    }

    bool SameName(const std::string& a, const char* b) const
    {
        return caseBlind_ ? ::strcasecmp(a.c_str(), b) == 0 : a == b;
    }

    uint64_t Find(uint64_t parent, const char* name)
    {
        for (const auto& [id, node] : nodes_)
            if (id != FUSE_ROOT_ID && node.Linked && node.Parent == parent &&
                SameName(node.Name, name))
                return id;
        return 0;
    }

    bool HasChildren(uint64_t parent)
    {
        for (const auto& [id, node] : nodes_)
            if (id != FUSE_ROOT_ID && node.Linked && node.Parent == parent)
                return true;
        return false;
    }

    void ReplyEntry(const fuse_in_header& in, uint64_t id, bool withOpen = false)
    {
        struct
        {
            fuse_entry_out Entry;
            fuse_open_out Open;
        } out{};
        out.Entry.nodeid = id;
        out.Entry.attr = AttrOf(id);
        Reply(in, 0, &out, withOpen ? sizeof out : sizeof out.Entry);
    }

    void ReplyAttr(const fuse_in_header& in, uint64_t id)
    {
        fuse_attr_out out{};
        out.attr = AttrOf(id);
        Reply(in, 0, &out, sizeof out);
    }

    void Make(const fuse_in_header& in, const char* name, uint32_t mode, bool withOpen)
    {
        if (Find(in.nodeid, name) != 0) {
            Reply(in, EEXIST);
            return;
        }
        const uint64_t id = ++lastId_;
        Node& node = nodes_[id];
        node.Parent = in.nodeid;
        node.Name = name;
        node.Mode = mode;
        node.Uid = in.uid;
        node.Gid = in.gid;
        Touch(node, true);
        node.Atime = node.Mtime;
        Touch(nodes_[in.nodeid], true);
        ReplyEntry(in, id, withOpen);
    }

    void Remove(const fuse_in_header& in, const char* name, bool folder)
    {
        const uint64_t id = Find(in.nodeid, name);
        if (id == 0) {
            Reply(in, ENOENT);
        } else if (S_ISDIR(nodes_[id].Mode) != folder) {
            Reply(in, folder ? ENOTDIR : EISDIR);
        } else if (folder && HasChildren(id)) {
            Reply(in, ENOTEMPTY);
        } else {
            nodes_[id].Linked = false;
            Touch(nodes_[in.nodeid], true);
            Reply(in, 0);
        }
    }

    void Rename(const fuse_in_header& in, uint64_t newParent, uint32_t flags, const char* names)
    {
        const char* oldName = names;
        const char* newName = names + std::strlen(names) + 1;
        const uint64_t id = Find(in.nodeid, oldName);
        if (id == 0) {
            Reply(in, ENOENT);
            return;
        }
        const uint64_t target = Find(newParent, newName);
        if (target != 0 && target != id) {
            if (flags & RENAME_NOREPLACE) {
                Reply(in, EEXIST);
                return;
            }
            if (S_ISDIR(nodes_[target].Mode) && HasChildren(target)) {
                Reply(in, ENOTEMPTY);
                return;
            }
            nodes_[target].Linked = false;
        }
        Node& node = nodes_[id];
        node.Parent = newParent;
        node.Name = newName;
        Touch(node, false);
        Touch(nodes_[in.nodeid], true);
        Touch(nodes_[newParent], true);
        Reply(in, 0);
    }

    void SetAttr(const fuse_in_header& in, const fuse_setattr_in& set)
    {
        Node& node = nodes_[in.nodeid];
        if (set.valid & FATTR_MODE)
            node.Mode = (node.Mode & S_IFMT) | (set.mode & 07777);
        if (set.valid & FATTR_UID)
            node.Uid = set.uid;
        if (set.valid & FATTR_GID)
            node.Gid = set.gid;
        if (set.valid & FATTR_SIZE)
            node.Data.resize(set.size);
        Touch(node, (set.valid & FATTR_SIZE) != 0);
        if (set.valid & FATTR_ATIME)
            node.Atime = set.atime * 1000000000ull + set.atimensec;
        if (set.valid & FATTR_ATIME_NOW)
            node.Atime = NowNs();
        if (set.valid & FATTR_MTIME)
            node.Mtime = set.mtime * 1000000000ull + set.mtimensec;
        if (set.valid & FATTR_MTIME_NOW)
            node.Mtime = NowNs();
        ReplyAttr(in, in.nodeid);
    }

    void ReadDir(const fuse_in_header& in, const fuse_read_in& read)
    {
        std::vector<char> out;
        uint64_t index = 0;
        for (const auto& [id, node] : nodes_) {
            if (id == FUSE_ROOT_ID || !node.Linked || node.Parent != in.nodeid)
                continue;
            if (index++ < read.offset)
                continue;
            const size_t size = FUSE_DIRENT_ALIGN(FUSE_NAME_OFFSET + node.Name.size());
            if (out.size() + size > read.size)
                break;
            std::vector<char> entry(size);
            auto* dirent = reinterpret_cast<fuse_dirent*>(entry.data());
            dirent->ino = id;
            dirent->off = index;
            dirent->namelen = static_cast<uint32_t>(node.Name.size());
            dirent->type = (node.Mode & S_IFMT) >> 12;
            std::memcpy(entry.data() + FUSE_NAME_OFFSET, node.Name.data(), node.Name.size());
            out.insert(out.end(), entry.begin(), entry.end());
        }
        Reply(in, 0, out.data(), out.size());
    }

    void Handle(const fuse_in_header& in, const char* args)
    {
        if (in.opcode != FUSE_INIT && in.opcode != FUSE_LOOKUP && in.opcode != FUSE_STATFS &&
            in.opcode != FUSE_FORGET && in.opcode != FUSE_BATCH_FORGET &&
            in.opcode != FUSE_INTERRUPT && !nodes_.count(in.nodeid)) {
            Reply(in, ENOENT);
            return;
        }
        switch (in.opcode) {
            case FUSE_INIT: {
                fuse_init_out out{};
                out.major = FUSE_KERNEL_VERSION;
                // Never claim more of the protocol than the kernel speaks.
                out.minor = std::min<uint32_t>(reinterpret_cast<const fuse_init_in*>(args)->minor,
                                               FUSE_KERNEL_MINOR_VERSION);
                out.max_write = 65536;
                out.time_gran = 1;
                Reply(in, 0, &out, sizeof out);
                return;
            }
            case FUSE_LOOKUP: {
                const uint64_t id = Find(in.nodeid, args);
                if (id == 0)
                    Reply(in, ENOENT);
                else
                    ReplyEntry(in, id);
                return;
            }
            case FUSE_GETATTR:
                ReplyAttr(in, in.nodeid);
                return;
            case FUSE_SETATTR:
                SetAttr(in, *reinterpret_cast<const fuse_setattr_in*>(args));
                return;
            case FUSE_MKDIR: {
                const auto* make = reinterpret_cast<const fuse_mkdir_in*>(args);
                Make(in, args + sizeof(fuse_mkdir_in), S_IFDIR | (make->mode & 07777), false);
                return;
            }
            case FUSE_CREATE: {
                const auto* create = reinterpret_cast<const fuse_create_in*>(args);
                Make(in, args + sizeof(fuse_create_in), S_IFREG | (create->mode & 07777), true);
                return;
            }
            case FUSE_UNLINK:
                Remove(in, args, false);
                return;
            case FUSE_RMDIR:
                Remove(in, args, true);
                return;
            case FUSE_RENAME:
                Rename(in, reinterpret_cast<const fuse_rename_in*>(args)->newdir, 0,
                       args + sizeof(fuse_rename_in));
                return;
            case FUSE_RENAME2: {
                const auto* rename = reinterpret_cast<const fuse_rename2_in*>(args);
                Rename(in, rename->newdir, rename->flags, args + sizeof(fuse_rename2_in));
                return;
            }
            case FUSE_OPEN:
            case FUSE_OPENDIR: {
                const fuse_open_out out{};
                Reply(in, 0, &out, sizeof out);
                return;
            }
            case FUSE_READ: {
                const auto* read = reinterpret_cast<const fuse_read_in*>(args);
                const std::string& data = nodes_[in.nodeid].Data;
                const size_t from = std::min<size_t>(read->offset, data.size());
                const size_t size = std::min<size_t>(read->size, data.size() - from);
                Reply(in, 0, data.data() + from, size);
                return;
            }
            case FUSE_WRITE: {
                const auto* write = reinterpret_cast<const fuse_write_in*>(args);
                Node& node = nodes_[in.nodeid];
                if (node.Data.size() < write->offset + write->size)
                    node.Data.resize(write->offset + write->size);
                std::memcpy(node.Data.data() + write->offset, args + sizeof(fuse_write_in),
                            write->size);
                Touch(node, true);
                fuse_write_out out{};
                out.size = write->size;
                Reply(in, 0, &out, sizeof out);
                return;
            }
            case FUSE_READDIR:
                ReadDir(in, *reinterpret_cast<const fuse_read_in*>(args));
                return;
            case FUSE_STATFS: {
                fuse_statfs_out out{};
                out.st.bsize = out.st.frsize = 4096;
                out.st.blocks = out.st.bfree = out.st.bavail = 1 << 20;
                out.st.files = out.st.ffree = 1 << 20;
                out.st.namelen = 255;
                Reply(in, 0, &out, sizeof out);
                return;
            }
            case FUSE_FLUSH:
            case FUSE_RELEASE:
            case FUSE_RELEASEDIR:
            case FUSE_FSYNC:
            case FUSE_FSYNCDIR:
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
    std::map<uint64_t, Node> nodes_;
    uint64_t lastId_ = FUSE_ROOT_ID;
};

}  // namespace verdal::test
