#include "platform/ChangeWait.h"

#include <gtest/gtest.h>

#include "platform/WinError.h"
#include "support/TestDir.h"

using namespace verdal;
using verdal::test::TestDir;

class ChangeWaitTest : public ::testing::Test
{
protected:
    TestDir dir;
};

TEST_F(ChangeWaitTest, RenameNoReplace_MovesFilesAndDirectories)
{
    dir.createFile("a.txt", "A");
    dir.createFile("Sohn/x.txt", "X");
    EXPECT_EQ(RenameNoReplace(dir.filePath("a.txt"), dir.filePath("b.txt")), kErrSuccess);
    EXPECT_EQ(RenameNoReplace(dir.filePath("Sohn"), dir.filePath("Vater")), kErrSuccess);
    EXPECT_FALSE(dir.exists("a.txt"));
    EXPECT_EQ(dir.readFile("b.txt"), "A");
    EXPECT_EQ(dir.readFile("Vater/x.txt"), "X");
}

TEST_F(ChangeWaitTest, RenameNoReplace_NeverReplacesAnExistingTarget)
{
    dir.createFile("a.txt", "A");
    dir.createFile("b.txt", "B");
    dir.createDir("Leer");
    dir.createFile("Sohn/x.txt", "X");
    EXPECT_EQ(RenameNoReplace(dir.filePath("a.txt"), dir.filePath("b.txt")), kErrAlreadyExists);
    // Even an empty directory is not replaced, unlike a plain rename.
    EXPECT_EQ(RenameNoReplace(dir.filePath("Sohn"), dir.filePath("Leer")), kErrAlreadyExists);
    EXPECT_EQ(dir.readFile("a.txt"), "A");
    EXPECT_EQ(dir.readFile("b.txt"), "B");
    EXPECT_EQ(dir.readFile("Sohn/x.txt"), "X");
    EXPECT_EQ(RenameNoReplace(dir.filePath("fehlt"), dir.filePath("c")), kErrFileNotFound);
}

TEST_F(ChangeWaitTest, Wait_SeesARenamedSubdirectoryButNotAFile)
{
    dir.createDir("Enkel");
    cChangeWatch fileWatch(dir.path());
    ASSERT_TRUE(fileWatch.Armed());
    dir.createFile("datei.txt", "x");
    EXPECT_FALSE(fileWatch.Wait(0));

    cChangeWatch dirWatch(dir.path());
    ASSERT_EQ(RenameNoReplace(dir.filePath("Enkel"), dir.filePath("Sohn")), kErrSuccess);
    EXPECT_TRUE(dirWatch.Wait(5000));
}

TEST_F(ChangeWaitTest, Wait_ReturnsAtOnceWhenTheDirectoryIsMissing)
{
    cChangeWatch watch(dir.filePath("fehlt"));
    EXPECT_FALSE(watch.Armed());
    EXPECT_FALSE(watch.Wait(60000));
}
