#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <filesystem>

#include "platform/DirList.h"
#include "platform/FaultInjection.h"
#include "platform/FileTimes.h"
#include "platform/TextCase.h"
#include "platform/Wildcard.h"
#include "platform/WinError.h"
#include "support/TestDir.h"

using namespace verdal;

namespace {

TEST(Wildcard, MatchesLikeWindows)
{
    struct Case
    {
        const char* Mask;
        const char* Name;
        bool Match;
    };
    const Case cases[] = {
        {"*.*", "README", true},
        {"*.*", ".bashrc", true},
        {"*", "a.b.c", true},
        {"*.", "README", true},
        {"*.", "brief.txt", false},
        {"*.txt", "brief.TXT", true},
        {"*.txt", "a.b.txt", true},
        {"*.txt", "a.txt.bak", false},
        {"*.b", "a.b.txt", false},
        {"?", "a", true},
        {"?", "ab", false},
        {"???", "ab", true},
        {"???", "ab.c", false},
        {"a?.txt", "a.txt", true},
        {"a?.txt", "ab.txt", true},
        {"a?.txt", "abc.txt", false},
        {"a.?", "a", true},
        {"a.?", "a.b", true},
        {"a.?", "a.bc", false},
        {"VERD*", "verdal50", true},
        {"Ä*.DOC", "ärger.doc", true},
        {"*.htm", "seite.html", false},
        {"*ab*", "xxaxxab", true},
        {"brief.txt", "Brief.Txt", true},
        {"b*f", "brief.txt", false},
        {"*.*.*", "a.b", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatchesWildcard(c.Name, c.Mask), c.Match) << c.Mask << " vs " << c.Name;
    }
}

TEST(Wildcard, ManyStarsStayFast)
{
    EXPECT_FALSE(MatchesWildcard(std::string(200, 'a'), "*a*a*a*a*a*a*a*a*a*b"));
}

TEST(FileTimes, ConversionsRoundTrip)
{
    EXPECT_EQ(FileTimeFromUnix(0, 0), static_cast<FileTime>(kFileTimeOfUnixEpoch));
    int64_t sec = 0, nsec = 0;
    FileTimeToUnix(FileTimeFromUnix(1700000000, 123456789), sec, nsec);
    EXPECT_EQ(sec, 1700000000);
    EXPECT_EQ(nsec, 123456700);
    FileTimeToUnix(FileTimeFromUnix(-1, 500), sec, nsec);
    EXPECT_EQ(sec, -1);
    EXPECT_EQ(nsec, 500);
    const TDateTime leapDay = EncodeDateTime(2024, 2, 29, 13, 45, 10, 250);
    EXPECT_NEAR(FileTimeToDateTime(DateTimeToFileTime(leapDay)), leapDay, 1e-9);
    EXPECT_EQ(FileTimeToDateTime(FileTimeFromUnix(0, 0)), 25569.0);
}

class DirListTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        SetTestUtcOffset(std::nullopt);
        ClearFaults();
    }
    test::TestDir tree;
};

TEST_F(DirListTest, StampsLocalAndUtc)
{
    const std::string path = tree.createFile(".Hidden", "12345", 1700000000);
    chmod(path.c_str(), 0444);
    SetTestUtcOffset(3600);
    FileStamp utc, local;
    ASSERT_EQ(ReadFileStamp(path, true, utc), kErrSuccess);
    ASSERT_EQ(ReadFileStamp(path, false, local), kErrSuccess);
    EXPECT_EQ(utc.LastWrite, FileTimeFromUnix(1700000000, 0));
    EXPECT_EQ(local.LastWrite - utc.LastWrite, 3600ull * 10000000ull);
    EXPECT_EQ(utc.Size, 5);
    EXPECT_EQ(utc.Attributes, kAttrReadOnly | kAttrHidden);
    EXPECT_EQ(ReadFileStamp(tree.filePath("missing"), true, utc), kErrFileNotFound);
}

TEST_F(DirListTest, SetFileTimes_KeepsNanoseconds)
{
    const std::string path = tree.createFile("a");
    const FileTime when = FileTimeFromUnix(1600000000, 987654300);
    ASSERT_EQ(SetFileTimes(path, when, when), kErrSuccess);
    struct stat st
    {};
    stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mtim.tv_sec, 1600000000);
    EXPECT_EQ(st.st_mtim.tv_nsec, 987654300);
}

TEST_F(DirListTest, Read_ListsLinksAsFilesAndLeavesOutSpecialFiles)
{
    tree.createFile("file.txt", "x");
    tree.createDir("sub");
    tree.createFile("back\\slash");
    tree.createFile(".~verdal-AbC123", "named like a copy temporary");
    tree.createFile("...");
    std::filesystem::create_symlink(tree.filePath("sub"), tree.filePath("dirlink"));
    std::filesystem::create_symlink("nowhere", tree.filePath("dangling"));
    mkfifo(tree.filePath("fifo").c_str(), 0600);
    const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const std::string sockPath = tree.filePath("sock");
    if (sockPath.size() < sizeof addr.sun_path) {
        std::copy(sockPath.begin(), sockPath.end(), addr.sun_path);
        bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    }
    close(sock);

    cDirListing listing;
    ASSERT_EQ(listing.Read(tree.path(), true), kErrSuccess);
    std::vector<std::string> files;
    for (const DirEntry& e : listing.Files()) {
        files.push_back(e.Name + (e.IsLink ? "@" : ""));
    }
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files,
              (std::vector<std::string>{".~verdal-AbC123", "dangling@", "dirlink@", "file.txt"}));
    ASSERT_EQ(listing.Dirs().size(), 1u);
    EXPECT_EQ(listing.Dirs()[0].Name, "sub");
    EXPECT_TRUE(listing.Dirs()[0].Stamp.Attributes & kAttrDirectory);
    std::vector<std::string> unnamable = listing.Unnamable();
    std::sort(unnamable.begin(), unnamable.end());
    EXPECT_EQ(unnamable, (std::vector<std::string>{"...", "back\\slash"}));
    EXPECT_EQ(listing.Read(tree.filePath("missing"), true), kErrFileNotFound);
    EXPECT_TRUE(listing.Files().empty());
}

TEST_F(DirListTest, CaseRule_ExactFoldedAndNamesDifferingInCaseKeptApart)
{
    test::TestDir other;
    for (const char* name : {"Brief.txt", "brief.txt", "Notiz.TXT", "Größe.doc"}) {
        tree.createFile(name);
    }
    for (const char* name : {"BRIEF.TXT", "brief.txt", "notiz.txt", "GRÖSSE.doc"}) {
        other.createFile(name);
    }
    cDirListing mine, theirs;
    ASSERT_EQ(mine.Read(tree.path(), true), kErrSuccess);
    ASSERT_EQ(theirs.Read(other.path(), true), kErrSuccess);

    EXPECT_EQ(theirs.FindPartner("brief.txt", mine)->Name, "brief.txt");  // exact pair
    EXPECT_EQ(theirs.FindPartner("Brief.txt", mine)->Name, "BRIEF.TXT");  // folded pair
    EXPECT_EQ(mine.FindPartner("BRIEF.TXT", theirs)->Name, "Brief.txt");  // and back
    EXPECT_EQ(theirs.FindPartner("Notiz.TXT", mine)->Name, "notiz.txt");
    // One code point folds to one: "ß" is not "SS".
    EXPECT_EQ(theirs.FindPartner("Größe.doc", mine), nullptr);
    EXPECT_EQ(mine.FindFolded("BRIEF.txt").size(), 2u);
    EXPECT_EQ(mine.FindExact("BRIEF.TXT"), nullptr);
    EXPECT_EQ(mine.FindExact("Brief.txt", true), nullptr);
}

// Large directories are stamped by two threads; each entry must still get its own stamp, and
// the lookups must find every name among many.
TEST_F(DirListTest, Read_LargeDirectoryStampsAndFindsEveryEntry)
{
    constexpr int kCount = 300;
    for (int i = 0; i < kCount; ++i) {
        tree.createFile((i % 3 == 0 ? "Datei" : "datei") + std::to_string(i) + ".bin",
                        std::string(static_cast<size_t>(i), 'x'));
    }
    tree.createFile("DATEI3.bin");  // differs from "Datei3.bin" in case only
    tree.createDir("Unter");
    cDirListing listing;
    ASSERT_EQ(listing.Read(tree.path(), false), kErrSuccess);
    ASSERT_EQ(listing.Files().size(), static_cast<size_t>(kCount + 1));
    ASSERT_EQ(listing.Dirs().size(), 1u);
    for (int i = 0; i < kCount; ++i) {
        const std::string name = (i % 3 == 0 ? "Datei" : "datei") + std::to_string(i) + ".bin";
        const DirEntry* entry = listing.FindExact(name);
        ASSERT_NE(entry, nullptr) << name;
        FileStamp direct;
        ASSERT_EQ(ReadFileStamp(tree.filePath(name), false, direct), kErrSuccess);
        EXPECT_EQ(entry->Stamp.Size, i) << name;
        EXPECT_EQ(entry->Stamp.LastWrite, direct.LastWrite) << name;
        EXPECT_EQ(listing.FindFolded(FoldCase(name)).size(), i == 3 ? 2u : 1u) << name;
    }
    EXPECT_EQ(listing.FindExact("datei3.bin"), nullptr);
    EXPECT_EQ(listing.FindExact("Unter"), nullptr);
    EXPECT_NE(listing.FindExact("Unter", true), nullptr);
    // Names equal but for case come back in listing order.
    const std::vector<const DirEntry*> pair = listing.FindFolded("datei3.BIN");
    ASSERT_EQ(pair.size(), 2u);
    EXPECT_LT(pair[0], pair[1]);
}

TEST_F(DirListTest, Read_ReportsInjectedOpenFault)
{
    InjectFault(FileOp::Open, 2, EACCES);
    cDirListing listing;
    EXPECT_EQ(listing.Read(tree.path(), true), kErrSuccess);
    EXPECT_EQ(listing.Read(tree.path(), true), kErrAccessDenied);
    EXPECT_EQ(listing.Read(tree.path(), true), kErrSuccess);
}

// Below the root no component may be a link or a file; a missing folder is merely missing.
TEST_F(DirListTest, Read_BelowRootNeverFollowsLinks)
{
    tree.createFile("außen/fremd.txt", "x");
    tree.createFile("root/a/datei", "x");
    tree.createDir("root/a/b");
    ASSERT_EQ(symlink(tree.filePath("außen").c_str(), tree.filePath("root/a/link").c_str()), 0);
    const std::string root = tree.filePath("root");
    cDirListing listing;
    EXPECT_NE(listing.Read(root + "/a/link/", true, true, root), kErrSuccess);
    EXPECT_TRUE(listing.ThroughLink());
    EXPECT_TRUE(listing.Files().empty());
    listing.Read(root + "/a/link/tiefer/", true, true, root);
    EXPECT_TRUE(listing.ThroughLink());
    listing.Read(root + "/a/datei/", true, true, root);
    EXPECT_TRUE(listing.ThroughLink());
    listing.Read(root + "/a/fehlt/tiefer/", true, true, root);
    EXPECT_TRUE(listing.Missing());
    EXPECT_EQ(listing.Error(), 0);
    EXPECT_EQ(listing.Read(root + "/a/b/", true, true, root), kErrSuccess);
    EXPECT_FALSE(listing.ThroughLink() || listing.Missing());
    // Without a root (or outside it) a link is followed as before.
    EXPECT_EQ(listing.Read(root + "/a/link", true), kErrSuccess);
    EXPECT_EQ(listing.Files().size(), 1u);
}

}  // namespace
