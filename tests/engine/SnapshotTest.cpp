#include <gtest/gtest.h>

#include "ScanFixture.h"
#include "engine/Snapshot.h"
#include "platform/WinError.h"

using namespace verdal;

namespace {

class SnapshotTest : public verdal::test::ScanFixture
{
protected:
    std::string Path() const { return tree_.filePath("job.vrd.lst"); }
};

TEST_F(SnapshotTest, WriteThenRead_KeepsEveryNameOfBothSides)
{
    Src("Grüße.txt");
    Src("Sub/日本語.txt");
    Dst("Übersicht.doc");
    Dst("Sub/x.txt");
    cSnapshot written;
    ASSERT_EQ(written.WriteSnapshot(Path(), Run()), 0);

    cSnapshot read;
    ASSERT_EQ(read.ReadSnapshot(Path(), Run()), 0);
    EXPECT_EQ(read.SourceRecords.Count(), 2);
    EXPECT_EQ(read.DestinationRecords.Count(), 2);
    EXPECT_TRUE(read.WasInSource("\\", "grüße.TXT"));
    EXPECT_TRUE(read.WasInSource("\\sub\\", "日本語.txt"));
    EXPECT_TRUE(read.WasInDestination("\\", "Übersicht.doc"));
    EXPECT_TRUE(read.WasInDestination("\\Sub\\", "x.txt"));
    EXPECT_FALSE(read.WasInDestination("\\Sub\\", "日本語.txt"));
    EXPECT_FALSE(read.WasInSource("\\Other\\", "x.txt"));
    // Names outside Windows-1252 keep the file in UTF-8.
    EXPECT_NE(tree_.readFile("job.vrd.lst").find("日本語.txt"), std::string::npos);
}

TEST_F(SnapshotTest, Read_CountsEmptyLinesAndToleratesBadCounts)
{
    tree_.createFile("job.vrd.lst",
                     "2\r\n\\A\\\r\n3\r\na.txt\r\n\r\nb.txt\r\n\\A\\\r\nzwei\r\n"
                     "\\B\\\r\n1\r\nc.txt\r\n\\B\\\r\n0\r\n");
    cSnapshot snapshot;
    ASSERT_EQ(snapshot.ReadSnapshot(Path(), Run()), 0);
    ASSERT_EQ(snapshot.SourceRecords.Count(), 2);
    EXPECT_EQ(snapshot.SourceRecords[0].Files, (std::vector<std::string>{"a.txt", "b.txt"}));
    EXPECT_TRUE(snapshot.DestinationRecords[0].Files.empty());
    EXPECT_EQ(snapshot.SourceRecords[1].Directory, "\\B\\");
    EXPECT_TRUE(snapshot.WasInSource("\\b\\", "C.TXT"));
}

// One name written in another code page does not garble the umlaut names of the other lines,
// which would make deleted files look new and bring them back.
TEST_F(SnapshotTest, Read_DecodesEachLineOnItsOwn)
{
    tree_.createFile("job.vrd.lst",
                     "1\r\n\\\r\n3\r\nGrüße.txt\r\nCaf\xE9.txt\r\n"
                     "Übersicht.doc\r\n\\\r\n0\r\n");
    cSnapshot snapshot;
    ASSERT_EQ(snapshot.ReadSnapshot(Path(), Run()), 0);
    EXPECT_TRUE(snapshot.WasInSource("\\", "Grüße.txt"));
    EXPECT_TRUE(snapshot.WasInSource("\\", "Übersicht.doc"));
    EXPECT_TRUE(snapshot.WasInSource("\\", "Café.txt"));
}

TEST_F(SnapshotTest, Unavailable_LeavesRecordsEmptyWithCode)
{
    cSnapshot snapshot;
    EXPECT_EQ(snapshot.ReadSnapshot("", Run()), kErrSnapshotUnavailable);
    EXPECT_EQ(snapshot.WriteSnapshot("", Run()), kErrSnapshotUnavailable);
    EXPECT_EQ(snapshot.ReadSnapshot(Path(), Run()), kErrFileNotFound);
    EXPECT_TRUE(snapshot.SourceRecords.Empty());

    AbortFlag = true;  // an aborted listing never leaves a partial snapshot
    EXPECT_EQ(snapshot.WriteSnapshot(Path(), Run()), kErrCancelled);
    AbortFlag = false;
    EXPECT_FALSE(tree_.exists("job.vrd.lst"));
}

}  // namespace
