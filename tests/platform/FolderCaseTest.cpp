#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#include <atomic>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "../engine/Unprivileged.h"
#include "platform/DirList.h"
#include "platform/FolderCase.h"
#include "support/MemoryFuse.h"
#include "support/PrivateMounts.h"
#include "support/TestDir.h"

using namespace verdal;
using namespace verdal::test;

namespace {

constexpr long kFuseType = 0x65735546;
constexpr long kVfatType = 0x4d44;
constexpr long kTmpfsType = 0x01021994;

// Counts the files made in one folder while it lives, so a test sees whether a probe ran.
class CreationWatch
{
public:
    explicit CreationWatch(const std::string& dir) : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        ::inotify_add_watch(fd_, dir.c_str(), IN_CREATE);
    }
    ~CreationWatch() { ::close(fd_); }
    int Created()
    {
        alignas(inotify_event) char buffer[4096];
        ssize_t got;
        while ((got = ::read(fd_, buffer, sizeof buffer)) > 0) {
            for (char* at = buffer; at < buffer + got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                created_ += (event->mask & IN_CREATE) != 0;
                at += sizeof(inotify_event) + event->len;
            }
        }
        return created_;
    }

private:
    int fd_;
    int created_ = 0;
};

std::vector<std::string> Entries(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    return names;
}

class FolderCaseTest : public ::testing::Test
{
protected:
    void TearDown() override { SetFileSystemTypeForTest({}); }
    void PretendType(long type)
    {
        SetFileSystemTypeForTest([type](const std::string&) { return type; });
    }
    TestDir dir;
};

}  // namespace

// On a folder that keeps case the probe says so and takes its file away again; what stood
// there before is untouched.
TEST_F(FolderCaseTest, Probe_FolderThatKeepsCase_SaysSensitiveAndLeavesNothing)
{
    dir.createFile("Vorhanden.txt", "bleibt");
    const timespec old[2] = {{1500000000, 0}, {1500000000, 0}};
    ::utimensat(AT_FDCWD, dir.path().c_str(), old, 0);
    CreationWatch watch(dir.path());
    EXPECT_EQ(ProbeNameCase(dir.path()), NameCase::Sensitive);
    EXPECT_EQ(ProbeNameCase(dir.path() + "/"), NameCase::Sensitive);
    EXPECT_EQ(watch.Created(), 2);
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"Vorhanden.txt"});
    EXPECT_EQ(dir.readFile("Vorhanden.txt"), "bleibt");
    struct stat after
    {};
    ASSERT_EQ(::stat(dir.path().c_str(), &after), 0);
    EXPECT_EQ(after.st_mtime, 1500000000);
}

// A probe that cannot be made tells nothing and leaves nothing.
TEST_F(FolderCaseTest, Probe_CannotBeMade_IsUnknown)
{
    EXPECT_EQ(ProbeNameCase(dir.filePath("fehlt")), NameCase::Unknown);
    dir.createFile("datei", "x");
    EXPECT_EQ(ProbeNameCase(dir.filePath("datei")), NameCase::Unknown);
    const std::string locked = dir.createDir("gesperrt");
    ::chmod(locked.c_str(), 0555);
    {
        PermissionsBite bite;
        EXPECT_EQ(ProbeNameCase(locked), NameCase::Unknown);
    }
    EXPECT_TRUE(Entries(locked).empty());
    ::chmod(locked.c_str(), 0755);
}

// Types that tell nothing (FUSE) are probed in the side's root, once however many folders are
// asked about, also for folders not made yet.
TEST_F(FolderCaseTest, Judge_UnknownTypeProbesTheRootOnce)
{
    dir.createDir("Ordner/Unter");
    PretendType(kFuseType);
    CreationWatch watch(dir.path());
    cFolderCaseJudge judge(dir.path());
    EXPECT_FALSE(judge.IgnoresCase(dir.path()));
    EXPECT_FALSE(judge.IgnoresCase(dir.filePath("Ordner/Unter")));
    EXPECT_FALSE(judge.IgnoresCase(dir.filePath("Neu/Tiefer")));
    EXPECT_EQ(watch.Created(), 1);
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"Ordner"});

    EXPECT_TRUE(judge.Unchecked().empty());

    // A folder on another file system is probed there; where that cannot be made it is noted.
    cFolderCaseJudge other(dir.path());
    EXPECT_FALSE(other.IgnoresCase("/proc/self"));
    EXPECT_EQ(watch.Created(), 1);
    EXPECT_EQ(other.Unchecked(), std::vector<std::string>{"/proc/self"});
}

// Types that tell the rule are never probed.
TEST_F(FolderCaseTest, Judge_KnownTypesNeedNoProbe)
{
    CreationWatch watch(dir.path());
    PretendType(kVfatType);
    EXPECT_TRUE(cFolderCaseJudge(dir.path()).IgnoresCase(dir.filePath("Neu")));
    PretendType(kTmpfsType);
    EXPECT_FALSE(cFolderCaseJudge(dir.path()).IgnoresCase(dir.path()));
    SetFileSystemTypeForTest({});
    EXPECT_FALSE(cFolderCaseJudge(dir.path()).IgnoresCase(dir.path()));
    EXPECT_EQ(watch.Created(), 0);
}

// Through FUSE (ntfs-3g, exfat-fuse), where the type tells nothing, the probe finds out: a
// file system that takes "abc" and "ABC" for one name ignores case, one that keeps them apart
// does not; either way the probe's file is gone afterwards.
TEST_F(FolderCaseTest, FuseMounts_DecidedByTheProbe)
{
    const std::string mountPoint = dir.createDir("fuse");
    std::string skip;
    const std::string noNamespace = InPrivateMountNamespace([&] {
        for (const bool blind : {true, false}) {
            SCOPED_TRACE(blind);
            MemoryFuse fuse(blind);
            skip = fuse.Mount(mountPoint);
            if (!skip.empty())
                return;
            EXPECT_EQ(ProbeNameCase(mountPoint), blind ? NameCase::Blind : NameCase::Sensitive);
            EXPECT_EQ(cFolderCaseJudge(mountPoint).IgnoresCase(mountPoint + "/Neu"), blind);
            // Below a root on another file system (a drive of "/"), the mount gets its own probe.
            EXPECT_EQ(cFolderCaseJudge(dir.path()).IgnoresCase(mountPoint + "/Neu"), blind);
            EXPECT_EQ(fuse.EntryCount(), 0u);
            fuse.Unmount();
        }
    });
    if (!noNamespace.empty())
        GTEST_SKIP() << noNamespace;
    if (!skip.empty())
        GTEST_SKIP() << skip;
}

// A listing made while a probe runs in the same folder never shows the probe's file (without
// the guard, a few thousand probes are enough to catch one).
TEST_F(FolderCaseTest, ListingsNeverShowAProbe)
{
    dir.createFile("Datei.txt", "x");
    std::atomic<bool> done{false};
    std::thread prober([&] {
        for (int i = 0; i < 3000; ++i)
            ProbeNameCase(dir.path());
        done = true;
    });
    std::string seen;
    for (int listings = 0; seen.empty() && (!done || listings == 0); ++listings) {
        cDirListing listing;
        listing.Read(dir.path(), true);
        for (const DirEntry& file : listing.Files())
            if (file.Name != "Datei.txt")
                seen = file.Name;
    }
    prober.join();
    EXPECT_EQ(seen, "");
}
