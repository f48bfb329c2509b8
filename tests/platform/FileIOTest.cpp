#include "platform/FileIO.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/WinError.h"
#include "support/TestDir.h"

using namespace verdal;

TEST(FileIO, WriteAtomic_ReplacesAndKeepsMode)
{
    test::TestDir dir;
    const std::string path = dir.createFile("a.txt", "old");
    chmod(path.c_str(), 0640);
    ASSERT_EQ(WriteFileAtomic(path, "new contents"), kErrSuccess);
    std::string bytes;
    ASSERT_EQ(ReadWholeFile(path, bytes), kErrSuccess);
    EXPECT_EQ(bytes, "new contents");
    struct stat st {};
    stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(FileIO, WriteAtomic_FailureLeavesOldFileAndNoTemporary)
{
    test::TestDir dir;
    const std::string path = dir.createFile("sub/a.txt", "old");
    chmod(dir.filePath("sub").c_str(), 0500);
    if (geteuid() != 0) {
        EXPECT_NE(WriteFileAtomic(path, "new"), kErrSuccess);
    } else {
        // root ignores directory permissions; a missing folder fails the same way.
        EXPECT_EQ(WriteFileAtomic(dir.filePath("missing/a.txt"), "new"), kErrFileNotFound);
    }
    EXPECT_EQ(dir.readFile("sub/a.txt"), "old");
}

TEST(FileIO, ReadWholeFile_MissingFileIsCode2)
{
    test::TestDir dir;
    std::string bytes;
    EXPECT_EQ(ReadWholeFile(dir.filePath("none"), bytes), kErrFileNotFound);
}
