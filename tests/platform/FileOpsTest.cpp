#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <filesystem>
#include <fstream>

#include "ScopedEnv.h"
#include "platform/FaultInjection.h"
#include "platform/FileCompare.h"
#include "platform/FileCopy.h"
#include "platform/FileOps.h"
#include "platform/FileStamp.h"
#include "platform/WinError.h"
#include "support/TestDir.h"

using namespace verdal;

namespace {

std::string Pattern(size_t size)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 7 + i / 1000) & 0xFF);
    }
    return bytes;
}

std::vector<std::string> Names(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class FileCopyTest : public ::testing::TestWithParam<CopyMethod>
{
protected:
    void TearDown() override { ClearFaults(); }
    test::TestDir tree;
};

TEST_P(FileCopyTest, CopiesExactBlockMultipleWithPreCopyTimes)
{
    // Big enough for the early write-back of large copies.
    const std::string data = Pattern(40 * 131072);
    const std::string from = tree.createFile("src/a.bin", data, 1500000000);
    tree.createFile("dst/a.bin", "old");
    int64_t reported = 0;
    const int code = CopyFileSafe(from, tree.filePath("dst/a.bin"), GetParam(), [&](int64_t n) {
        reported += n;
        return true;
    });
    ASSERT_EQ(code, kErrSuccess);
    EXPECT_EQ(tree.readFile("dst/a.bin"), data);
    EXPECT_EQ(reported, static_cast<int64_t>(data.size()));
    struct stat st
    {};
    stat(tree.filePath("dst/a.bin").c_str(), &st);
    EXPECT_EQ(st.st_mtim.tv_sec, 1500000000);
    EXPECT_EQ(Names(tree.filePath("dst")), std::vector<std::string>{"a.bin"});
}

TEST_P(FileCopyTest, FullDiskLeavesOldTargetAndNoTemporary)
{
    const std::string from = tree.createFile("src/a.bin", Pattern(5 * 131072));
    tree.createFile("dst/a.bin", "old");
    InjectFault(FileOp::Write, 2, ENOSPC);
    EXPECT_EQ(CopyFileSafe(from, tree.filePath("dst/a.bin"), GetParam()), kErrDiskFull);
    EXPECT_EQ(tree.readFile("dst/a.bin"), "old");
    EXPECT_EQ(Names(tree.filePath("dst")), std::vector<std::string>{"a.bin"});
}

INSTANTIATE_TEST_SUITE_P(AllMethods, FileCopyTest,
                         ::testing::Values(CopyMethod::Blocks, CopyMethod::RangeChunks,
                                           CopyMethod::Plain));

class FileOpsTest : public ::testing::Test
{
protected:
    void TearDown() override { ClearFaults(); }
    test::TestDir tree;
};

TEST_F(FileOpsTest, Copy_InterruptedKeepsOldTarget)
{
    const std::string from = tree.createFile("a.bin", Pattern(4 * 131072));
    const std::string to = tree.createFile("dst/a.bin", "old");
    for (CopyMethod method : {CopyMethod::Blocks, CopyMethod::RangeChunks}) {
        const std::string big = tree.createFile("big.bin", Pattern(3 << 20));
        EXPECT_EQ(CopyFileSafe(method == CopyMethod::Blocks ? from : big, to, method,
                               [](int64_t) { return false; }),
                  kErrCancelled);
        EXPECT_EQ(tree.readFile("dst/a.bin"), "old");
        EXPECT_EQ(Names(tree.filePath("dst")), std::vector<std::string>{"a.bin"});
    }
}

TEST_F(FileOpsTest, Copy_SourceChangedDuringCopyIsAnError)
{
    const std::string from = tree.createFile("a.bin", Pattern(4 * 131072));
    const std::string to = tree.createFile("dst/a.bin", "old");
    bool changed = false;
    const int code = CopyFileSafe(from, to, CopyMethod::Blocks, [&](int64_t) {
        if (!changed) {
            std::ofstream(from, std::ios::app) << "more";
            changed = true;
        }
        return true;
    });
    EXPECT_EQ(code, kErrSharingViolation);
    EXPECT_EQ(tree.readFile("dst/a.bin"), "old");
    EXPECT_EQ(Names(tree.filePath("dst")), std::vector<std::string>{"a.bin"});
}

// A writer that keeps the size and puts the modification time back is still caught: a torn
// copy never takes the target's name.
TEST_F(FileOpsTest, Copy_SourceRewrittenWithTimePutBackIsAnError)
{
    const std::string from = tree.createFile("a.bin", Pattern(4 * 131072), 1500000000);
    const std::string to = tree.createFile("dst/a.bin", "old");
    bool changed = false;
    const int code = CopyFileSafe(from, to, CopyMethod::Blocks, [&](int64_t) {
        if (!changed) {
            {
                std::fstream file(from, std::ios::in | std::ios::out | std::ios::binary);
                file.seekp(3 * 131072);
                file << "XXXX";
            }
            const timespec times[2] = {{1500000000, 0}, {1500000000, 0}};
            utimensat(AT_FDCWD, from.c_str(), times, 0);
            changed = true;
        }
        return true;
    });
    EXPECT_EQ(code, kErrSharingViolation);
    EXPECT_EQ(tree.readFile("dst/a.bin"), "old");
    EXPECT_EQ(Names(tree.filePath("dst")), std::vector<std::string>{"a.bin"});
}

TEST_F(FileOpsTest, Copy_ReadOnlyTargetRefusedUntilAttributeCleared)
{
    const std::string from = tree.createFile("a.txt", "new");
    const std::string to = tree.createFile("b.txt", "old");
    ASSERT_EQ(SetFileAttributesOf(to, kAttrReadOnly), kErrSuccess);
    uint32_t attributes = 0;
    ASSERT_EQ(GetFileAttributesOf(to, attributes), kErrSuccess);
    EXPECT_EQ(attributes, kAttrReadOnly);
    EXPECT_EQ(CopyFileSafe(from, to, CopyMethod::Blocks), kErrAccessDenied);
    EXPECT_EQ(tree.readFile("b.txt"), "old");
    ASSERT_EQ(SetFileAttributesOf(to, 0), kErrSuccess);
    EXPECT_EQ(CopyFileSafe(from, to, CopyMethod::Blocks), kErrSuccess);
    EXPECT_EQ(tree.readFile("b.txt"), "new");
}

mode_t ModeOf(const std::string& path)
{
    struct stat st
    {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

// A target the caller saw absent is not looked at again, yet one that appeared meanwhile is
// judged like any target: replaced when writable (keeping its mode), refused when read-only.
TEST_F(FileOpsTest, Copy_TargetSeenAbsent)
{
    const mode_t mask = ::umask(022);
    ::umask(mask);
    const std::string from = tree.createFile("a.txt", "neu", 1500000000);
    ::chmod(from.c_str(), 0640);
    ASSERT_EQ(CopyFileSafe(from, tree.filePath("d/a.txt"), CopyMethod::Blocks, {}, true),
              kErrPathNotFound);
    tree.createDir("d");
    ASSERT_EQ(CopyFileSafe(from, tree.filePath("d/a.txt"), CopyMethod::Blocks, {}, true),
              kErrSuccess);
    EXPECT_EQ(tree.readFile("d/a.txt"), "neu");
    EXPECT_EQ(ModeOf(tree.filePath("d/a.txt")), 0640u & ~mask);

    const std::string appeared = tree.createFile("d/b.txt", "alt");
    ::chmod(appeared.c_str(), 0666);
    ASSERT_EQ(CopyFileSafe(from, appeared, CopyMethod::Plain, {}, true), kErrSuccess);
    EXPECT_EQ(tree.readFile("d/b.txt"), "neu");
    EXPECT_EQ(ModeOf(appeared), 0640u) << "no more open than the source";

    const std::string locked = tree.createFile("d/c.txt", "alt");
    ::chmod(locked.c_str(), 0444);
    EXPECT_EQ(CopyFileSafe(from, locked, CopyMethod::Blocks, {}, true), kErrAccessDenied);
    EXPECT_EQ(tree.readFile("d/c.txt"), "alt");

    // A read-only source still arrives whole: the new file is created with its final mode.
    ::chmod(from.c_str(), 0444);
    ASSERT_EQ(CopyFileSafe(from, tree.filePath("d/e.txt"), CopyMethod::Blocks, {}, true),
              kErrSuccess);
    EXPECT_EQ(tree.readFile("d/e.txt"), "neu");
    EXPECT_EQ(ModeOf(tree.filePath("d/e.txt")), 0444u & ~mask);
    // An existing target keeps its mode even where the umask would take bits away.
    ::chmod(from.c_str(), 0666);
    ::chmod(appeared.c_str(), 0666);
    ASSERT_EQ(CopyFileSafe(from, appeared, CopyMethod::Blocks), kErrSuccess);
    EXPECT_EQ(ModeOf(appeared), 0666u);
    EXPECT_EQ(Names(tree.filePath("d")),
              (std::vector<std::string>{"a.txt", "b.txt", "c.txt", "e.txt"}));
}

TEST_F(FileOpsTest, Copy_SymbolicLinkStaysALink)
{
    std::filesystem::create_symlink("../elsewhere/target", tree.filePath("link"));
    ASSERT_EQ(CopyFileSafe(tree.filePath("link"), tree.filePath("copy"), CopyMethod::Blocks),
              kErrSuccess);
    EXPECT_EQ(std::filesystem::read_symlink(tree.filePath("copy")), "../elsewhere/target");
    EXPECT_EQ(CompareFilesBytewise(tree.filePath("link"), tree.filePath("copy")), kErrSuccess);
    EXPECT_EQ(CopyFileSafe(tree.filePath("missing"), tree.filePath("x"), CopyMethod::Plain),
              kErrFileNotFound);
    EXPECT_EQ(
        CopyFileSafe(tree.createFile("a", "1"), tree.filePath("no/dir/a"), CopyMethod::Blocks),
        kErrPathNotFound);
    mkfifo(tree.filePath("fifo").c_str(), 0600);
    EXPECT_EQ(CopyFileSafe(tree.filePath("fifo"), tree.filePath("b"), CopyMethod::Blocks),
              kErrAccessDenied);
}

TEST_F(FileOpsTest, CompareFilesBytewise_Results)
{
    const std::string data = Pattern(2 * 131072);
    std::string changed = data;
    changed[131072 + 5] ^= 1;
    const std::string a = tree.createFile("a", data);
    struct Case
    {
        std::string Other;
        int Code;
    };
    const Case cases[] = {
        {data, kErrSuccess},
        {data + "x", kErrSizesDiffer},
        {data.substr(0, 1000), kErrSizesDiffer},
        {changed, kErrContentsDiffer},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CompareFilesBytewise(a, tree.createFile("b", c.Other)), c.Code);
    }
    EXPECT_EQ(CompareFilesBytewise(a, a, [] { return true; }), kErrCancelled);
    EXPECT_EQ(CompareFilesBytewise(a, tree.filePath("none")), kErrFileNotFound);
    InjectFault(FileOp::Read, 2, EIO);
    EXPECT_EQ(CompareFilesBytewise(a, a), kErrReadFault);
}

TEST_F(FileOpsTest, Directories_CreateWithParentsAndRemoveOnlyEmpty)
{
    bool created = false;
    const std::string deep = tree.filePath("a/b/c");
    ASSERT_EQ(CreateDirectoryWithParents(deep, &created), kErrSuccess);
    EXPECT_TRUE(created);
    ASSERT_EQ(CreateDirectoryWithParents(deep, &created), kErrSuccess);
    EXPECT_FALSE(created);
    EXPECT_EQ(RemoveEmptyDirectory(tree.filePath("a/b")), kErrDirNotEmpty);
    EXPECT_EQ(RemoveEmptyDirectory(deep), kErrSuccess);
    tree.createFile("file");
    EXPECT_NE(CreateDirectoryWithParents(tree.filePath("file/sub")), kErrSuccess);
    InjectFault(FileOp::Mkdir, 1, EROFS);
    EXPECT_EQ(CreateDirectoryWithParents(tree.filePath("x/y")), kErrWriteProtect);
}

TEST_F(FileOpsTest, DeleteAndRename)
{
    const std::string a = tree.createFile("a", "1");
    const std::string b = tree.createFile("b", "2");
    EXPECT_EQ(MoveNoReplace(a, b), kErrAlreadyExists);
    EXPECT_EQ(tree.readFile("b"), "2");
    InjectFault(FileOp::Unlink, 1, EBUSY);
    EXPECT_EQ(DeleteFilePlain(a), kErrSharingViolation);
    EXPECT_EQ(DeleteFilePlain(a), kErrSuccess);
    EXPECT_FALSE(tree.exists("a"));
    EXPECT_EQ(DeleteFilePlain(a), kErrFileNotFound);
    EXPECT_EQ(DeleteFilePlain(tree.createDir("d")), kErrAccessDenied);
    EXPECT_EQ(SyncFileSystem(tree.path()), kErrSuccess);
}

TEST(WinErrorMapping, ErrnoToWindowsCodes)
{
    const std::pair<int, int> cases[] = {
        {ENOENT, 2},         {EACCES, 5},   {EPERM, 5},    {EROFS, 19},          {EIO, 30},
        {EBUSY, 32},         {EISDIR, 5},   {ESTALE, 64},  {EHOSTUNREACH, 1231}, {ENOSPC, 112},
        {ENAMETOOLONG, 206}, {EINVAL, 123}, {EEXIST, 183},
    };
    for (const auto& [err, code] : cases) {
        EXPECT_EQ(WinErrorFromErrno(err), code) << err;
    }
}

// Trash tests point the desktop trash at a temporary XDG_DATA_HOME before GIO reads it.
class TrashTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        dataHome = new test::TestDir();
        dataEnv = new test::ScopedEnv("XDG_DATA_HOME", dataHome->path());
        vfsEnv = new test::ScopedEnv("GIO_USE_VFS", "local");
    }
    static void TearDownTestSuite()
    {
        delete vfsEnv;
        delete dataEnv;
        delete dataHome;
    }
    void TearDown() override { ClearFaults(); }

    static test::TestDir* dataHome;
    static test::ScopedEnv* dataEnv;
    static test::ScopedEnv* vfsEnv;
    test::TestDir tree;
};
test::TestDir* TrashTest::dataHome = nullptr;
test::ScopedEnv* TrashTest::dataEnv = nullptr;
test::ScopedEnv* TrashTest::vfsEnv = nullptr;

TEST_F(TrashTest, MovesFileIntoDesktopTrash)
{
    const std::string path = tree.createFile("Brief.txt", "inhalt");
    ASSERT_EQ(DeleteFileOrRecycle(path, true), kErrSuccess);
    EXPECT_FALSE(tree.exists("Brief.txt"));
    EXPECT_EQ(dataHome->readFile("Trash/files/Brief.txt"), "inhalt");
    EXPECT_TRUE(dataHome->exists("Trash/info/Brief.txt.trashinfo"));
}

TEST_F(TrashTest, FailedTrashKeepsTheFile)
{
    const std::string path = tree.createFile("a.txt", "x");
    InjectFault(FileOp::Trash, 1, EACCES);
    EXPECT_EQ(MoveToTrash(path), kErrAccessDenied);
    EXPECT_TRUE(tree.exists("a.txt"));
    EXPECT_EQ(MoveToTrash(tree.filePath("missing")), kErrFileNotFound);
    EXPECT_EQ(MoveToTrash(tree.createDir("dir")), kErrAccessDenied);
}

}  // namespace
