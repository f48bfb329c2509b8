#include "platform/CopyJournal.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <string_view>

#include "platform/FileCopy.h"
#include "platform/FileIO.h"
#include "platform/WinError.h"

namespace verdal {
namespace {

int g_journal = -1;
std::string g_journalDir;
std::string g_journalPath;

struct Record
{
    unsigned long long Device = 0;
    unsigned long long Inode = 0;
    std::string Path;
};

std::vector<Record> g_kept;

// Records end in NUL: a path may hold any other byte, line breaks included.
std::string Encode(const Record& record)
{
    return std::to_string(record.Device) + " " + std::to_string(record.Inode) + " " + record.Path +
           '\0';
}

std::vector<Record> Decode(const std::string& text)
{
    std::vector<Record> records;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t end = text.find('\0', pos);
        if (end == std::string::npos) {
            break;  // cut short by the kill: the temporary was not created yet
        }
        const std::string_view item(text.data() + pos, end - pos);
        pos = end + 1;
        const size_t a = item.find(' ');
        const size_t b = a == std::string_view::npos ? a : item.find(' ', a + 1);
        if (b == std::string_view::npos) {
            continue;
        }
        Record record;
        record.Device = std::strtoull(std::string(item.substr(0, a)).c_str(), nullptr, 10);
        record.Inode =
            std::strtoull(std::string(item.substr(a + 1, b - a - 1)).c_str(), nullptr, 10);
        record.Path = std::string(item.substr(b + 1));
        records.push_back(std::move(record));
    }
    return records;
}

std::string BaseName(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Removes the temporary when it is still the file the run made; keeps the record when the
// place cannot be looked at now.
void Settle(const Record& record, std::vector<CopyLeftover>& removed, std::vector<Record>& kept)
{
    struct stat st
    {};
    if (::lstat(record.Path.c_str(), &st) != 0) {
        if (errno != ENOENT && errno != ENOTDIR) {
            kept.push_back(record);
        }
        return;
    }
    if (st.st_dev != record.Device || st.st_ino != record.Inode ||
        !IsCopyTemporaryName(BaseName(record.Path))) {
        return;
    }
    const int code = ::unlink(record.Path.c_str()) == 0 ? 0 : WinErrorFromErrno(errno);
    removed.push_back({record.Path, code});
    if (code != 0) {
        kept.push_back(record);
    }
}

// The options folder may not exist yet on a first run.
void MakeDirectories(const std::string& dir)
{
    for (size_t slash = dir.find('/', 1);; slash = dir.find('/', slash + 1)) {
        ::mkdir(dir.substr(0, slash).c_str(), 0700);
        if (slash == std::string::npos) {
            break;
        }
    }
}

std::vector<std::string> JournalNames(const std::string& dir)
{
    std::vector<std::string> names;
    DIR* listing = ::opendir(dir.c_str());
    if (!listing) {
        return names;
    }
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") {
            names.emplace_back(name);
        }
    }
    ::closedir(listing);
    return names;
}

// Takes over the journals of ended runs in `dir`.
void AdoptEnded(const std::string& dir, std::vector<CopyLeftover>& removed,
                std::vector<Record>& kept)
{
    for (const std::string& name : JournalNames(dir)) {
        const std::string path = dir + "/" + name;
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0) {
            continue;
        }
        // A lock still held is a run still going.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            std::string text;
            if (ReadWholeFile(path, text) == 0) {
                for (const Record& record : Decode(text)) {
                    Settle(record, removed, kept);
                }
                ::unlink(path.c_str());
            }
        }
        ::close(fd);
    }
}

void Append(const std::string& bytes)
{
    if (g_journal >= 0) {
        const ssize_t written = ::write(g_journal, bytes.data(), bytes.size());
        (void)written;
    }
}

}  // namespace

std::vector<CopyLeftover> BeginCopyJournal(const std::string& dir)
{
    EndCopyJournal();
    std::vector<CopyLeftover> removed;
    std::vector<Record> kept;
    MakeDirectories(dir);
    AdoptEnded(dir, removed, kept);
    g_journalDir = dir;
    g_journalPath = dir + "/" + std::to_string(::getpid());
    g_journal =
        ::open(g_journalPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0600);
    if (g_journal >= 0 && ::flock(g_journal, LOCK_EX | LOCK_NB) != 0) {
        ::close(g_journal);
        g_journal = -1;
    }
    for (const Record& record : kept) {
        Append(Encode(record));
    }
    g_kept = std::move(kept);
    return removed;
}

void EndCopyJournal()
{
    if (g_journal < 0) {
        return;
    }
    // The run's own temporaries are all renamed or removed by now; records taken over from a
    // killed run that could not be settled stay for the next run.
    std::vector<CopyLeftover> removed;
    std::vector<Record> kept;
    for (const Record& record : g_kept) {
        Settle(record, removed, kept);
    }
    g_kept.clear();
    if (kept.empty()) {
        ::unlink(g_journalPath.c_str());
    } else if (::ftruncate(g_journal, 0) == 0) {
        for (const Record& record : kept) {
            Append(Encode(record));
        }
    }
    ::close(g_journal);
    g_journal = -1;
}

bool IsRunningCopyTemporary(unsigned long long device, unsigned long long inode)
{
    if (g_journal < 0) {
        return false;
    }
    for (const std::string& name : JournalNames(g_journalDir)) {
        const std::string path = g_journalDir + "/" + name;
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0) {
            continue;
        }
        const bool running = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        ::close(fd);
        std::string text;
        if (running && ReadWholeFile(path, text) == 0) {
            for (const Record& record : Decode(text)) {
                if (record.Device == device && record.Inode == inode) {
                    return true;
                }
            }
        }
    }
    return false;
}

void RecordCopyTemporary(const std::string& path, unsigned long long device,
                         unsigned long long inode)
{
    Append(Encode({device, inode, path}));
}

}  // namespace verdal
