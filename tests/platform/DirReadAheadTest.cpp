#include <gtest/gtest.h>

#include <unistd.h>
#include <cerrno>
#include <string>
#include <thread>
#include <vector>

#include "platform/DirReadAhead.h"
#include "platform/FaultInjection.h"
#include "platform/WinError.h"
#include "support/TestDir.h"

using namespace verdal;

namespace {

std::string Describe(const cDirListing& listing)
{
    std::string text;
    for (const auto* entries : {&listing.Files(), &listing.Dirs()}) {
        for (const DirEntry& e : *entries) {
            text += e.Name + ' ' + std::to_string(e.Stamp.Size) + ' ' +
                    std::to_string(e.Stamp.LastWrite) + ' ' + std::to_string(e.Stamp.Attributes) +
                    (e.IsLink ? " link" : "") + '\n';
        }
        text += "--\n";
    }
    return text;
}

// A tree wide and deep enough for the threads to race the caller, with a link to a directory
// (never followed) and files of several sizes and times.
void MakeTree(test::TestDir& dir)
{
    for (int a = 0; a < 6; ++a) {
        for (int b = 0; b < 8; ++b) {
            const std::string sub = "a" + std::to_string(a) + "/b" + std::to_string(b) + "/";
            for (int f = 0; f < 5; ++f) {
                dir.createFile(sub + "f" + std::to_string(f) + ".txt", std::string(f * 7, 'x'),
                               1700000000 + a * 100 + b * 10 + f);
            }
        }
    }
    dir.createDir("leer");
    ASSERT_EQ(::symlink((dir.path() + "/a0").c_str(), (dir.path() + "/a1/zeiger").c_str()), 0);
}

// Takes the tree breadth first as a scan does; every listing must equal a direct read.
TEST(DirReadAhead, HandsOverWhatADirectReadSees)
{
    test::TestDir dir;
    MakeTree(dir);
    for (int round = 0; round < 20; ++round) {
        cDirReadAhead ahead(false);
        ahead.WalkTree(dir.path() + "/");
        std::vector<std::string> queue{dir.path()};
        size_t taken = 0;
        for (size_t i = 0; i < queue.size(); ++i) {
            cDirListing fromAhead, direct;
            int code = -1;
            const bool ok = ahead.Take(queue[i] + "/", fromAhead, code);
            ASSERT_EQ(ok, std::thread::hardware_concurrency() > 1) << queue[i];
            if (!ok) {
                return;  // one core: nothing is read ahead
            }
            ++taken;
            EXPECT_EQ(code, kErrSuccess);
            ASSERT_EQ(direct.Read(queue[i], false), kErrSuccess);
            EXPECT_EQ(Describe(fromAhead), Describe(direct)) << queue[i];
            for (const DirEntry& sub : fromAhead.Dirs()) {
                queue.push_back(queue[i] + "/" + sub.Name);
            }
        }
        EXPECT_EQ(taken, 1u + 6u + 6u * 8u + 1u);
        // Each listing is handed over once; the link was not walked.
        cDirListing again;
        int code = 0;
        EXPECT_FALSE(ahead.Take(dir.path(), again, code));
        EXPECT_FALSE(ahead.Take(dir.path() + "/a1/zeiger", again, code));
    }
}

TEST(DirReadAhead, ReportsMissingDirectoriesAndLeavesOthersToTheCaller)
{
    test::TestDir dir;
    MakeTree(dir);
    if (std::thread::hardware_concurrency() < 2) {
        GTEST_SKIP() << "one core: nothing is read ahead";
    }
    cDirReadAhead ahead(false);
    ahead.WalkTree(dir.path() + "/fehlt");
    cDirListing listing, direct;
    int code = 0;
    ASSERT_TRUE(ahead.Take(dir.path() + "/fehlt", listing, code));
    EXPECT_EQ(code, direct.Read(dir.path() + "/fehlt", false));
    EXPECT_NE(code, kErrSuccess);
    EXPECT_TRUE(listing.Files().empty());
    // Outside every walk: the caller reads it itself.
    EXPECT_FALSE(ahead.Take(dir.path() + "/leer", listing, code));
}

TEST(DirReadAhead, StandsAsideWhileFaultsArePendingAndStopsMidWalk)
{
    test::TestDir dir;
    MakeTree(dir);
    cDirListing listing;
    int code = 0;
    {
        // Pending faults count the caller's operations; a thread must not take them.
        InjectFault(FileOp::Open, 3, EIO);
        cDirReadAhead ahead(false);
        ahead.WalkTree(dir.path());
        EXPECT_FALSE(ahead.Take(dir.path(), listing, code));
        ClearFaults();
    }
    for (int round = 0; round < 20; ++round) {
        cDirReadAhead ahead(false);  // destroyed with most of the walk still queued
        ahead.WalkTree(dir.path());
    }
}

}  // namespace
