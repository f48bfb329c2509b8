#include <gtest/gtest.h>

#include <sys/stat.h>

#include "ScanFixture.h"
#include "engine/Decisions.h"
#include "platform/Clock.h"

using namespace verdal;
using verdal::test::kT0;

namespace {

class DecisionTest : public verdal::test::ScanFixture
{};

TEST_F(DecisionTest, CompareTimes_ToleranceDstAndRounding)
{
    struct Row
    {
        double seconds;
        int tolerance;
        bool ignoreDst;
        int expected;
    };
    const Row rows[] = {
        {0, 2, true, 0},     {2, 2, false, 0},    {3, 2, false, 1},     {-3, 2, false, -1},
        {3600, 2, true, 0},  {-3600, 2, true, 0}, {3602, 2, true, 0},   {3603, 2, true, 1},
        {3600, 2, false, 1}, {2.5, 2, false, 0},  // an exact half rounds to the even 2
        {3.5, 2, false, 1},  {0.4, 0, false, 0},  {-0.6, 0, false, -1},
    };
    const FileTime base = At(kT0);
    for (const Row& row : rows) {
        P().TimeDifference = row.tolerance;
        P().IgnoreDST = row.ignoreDst;
        const FileTime a = base + static_cast<int64_t>(row.seconds * 1e7);
        EXPECT_EQ(CompareTimes(Run(), a, base), row.expected) << row.seconds;
    }
    EXPECT_EQ(CompareTimes(Run(), base, 0), 1) << "a missing other file is older";
}

TEST_F(DecisionTest, SizeWarning_ByFactor)
{
    struct Row
    {
        int factor;
        int64_t mine, other;
        bool expected;
    };
    const Row rows[] = {{0, 900, 1, false},  {3, 300, 100, true}, {3, 299, 100, false},
                        {3, 100, 300, true}, {3, 100, 0, false},  {1, 5, 7, true}};
    for (const Row& row : rows) {
        P().CheckSizes = row.factor;
        EXPECT_EQ(SizeWarning(Run(), row.mine, row.other), row.expected)
            << row.factor << " " << row.mine << " " << row.other;
    }
}

// Every touch mode with every orphan code its dialog offers, over five files: only in the
// source (s), only in the destination (d), newer in the source (n), newer in the destination
// (o) and equal (e).
TEST_F(DecisionTest, OrphanModes_EveryTouchModeAndCode)
{
    struct Row
    {
        bool touchSrc, touchDest;
        uint8_t d1, d2, b, s1, s2;
        bool listSkip;
        const char* expected;
    };
    const Row rows[] = {
        {false, true, 0, 1, 4, 3, 1, false, "\\n.txt F, \\s.txt F"},
        {false, true, 1, 2, 4, 3, 1, false, "\\d.txt D, \\n.txt F"},
        {false, true, 1, 1, 4, 3, 1, true, "\\d.txt S, \\n.txt F, \\s.txt S"},
        {false, true, 6, 1, 4, 3, 1, false, "\\s.txt F"},
        {false, true, 6, 1, 4, 3, 1, true, "\\d.txt S, \\n.txt S, \\s.txt F"},
        {true, true, 0, 1, 1, 3, 1, true, "\\d.txt S, \\n.txt F, \\o.txt B, \\s.txt S"},
        {true, true, 0, 1, 2, 3, 1, false, "\\d.txt D, \\n.txt F, \\o.txt B, \\s.txt D"},
        {true, true, 0, 1, 4, 3, 1, false, "\\d.txt B, \\n.txt F, \\o.txt B, \\s.txt F"},
        {true, true, 0, 1, 5, 3, 1, false, "\\d.txt B, \\n.txt F, \\o.txt B, \\s.txt F"},
        {true, true, 0, 1, 6, 3, 1, false, "\\d.txt B, \\s.txt F"},
        {true, false, 0, 1, 4, 3, 1, false, "\\d.txt B, \\o.txt B"},
        {true, false, 0, 1, 4, 6, 2, false, "\\d.txt B, \\s.txt D"},
        {true, false, 0, 1, 4, 1, 1, true, "\\d.txt S, \\o.txt B, \\s.txt S"},
        // Codes a touch mode does not offer never change the side it leaves alone.
        {false, true, 2, 6, 4, 3, 1, false, "\\n.txt F"},
        {true, true, 0, 1, 0, 3, 1, false, "\\n.txt F, \\o.txt B"},
        {true, false, 0, 2, 4, 2, 6, false, "\\o.txt B"},
    };
    Src("s.txt");
    Dst("d.txt");
    Src("n.txt", "x", kT0 + 100);
    Dst("n.txt");
    Src("o.txt");
    Dst("o.txt", "x", kT0 + 100);
    Src("e.txt");
    Dst("e.txt");
    for (const Row& row : rows) {
        P().TouchSrc = row.touchSrc;
        P().TouchDest = row.touchDest;
        P().OrphanModeD1 = row.d1;
        P().OrphanModeD2 = row.d2;
        P().OrphanModeB = row.b;
        P().OrphanModeS1 = row.s1;
        P().OrphanModeS2 = row.s2;
        P().ListSkip = row.listSkip;
        Run().Candidates.Clear();
        EXPECT_EQ(ScanAndDescribe(), row.expected)
            << row.touchSrc << row.touchDest << " D1=" << int(row.d1) << " D2=" << int(row.d2)
            << " B=" << int(row.b) << " S1=" << int(row.s1) << " S2=" << int(row.s2);
    }
}

TEST_F(DecisionTest, EqualTimes_FlagSizesAndPropertiesButNeverBackward)
{
    Src("size.txt", "longer");
    Dst("size.txt", "short");
    Src("same.txt");
    Dst("same.txt");
    Src("ro.txt");
    Dst("ro.txt");
    chmod(tree_.filePath("dst/ro.txt").c_str(), 0444);
    Src("mode.txt");
    Dst("mode.txt");
    chmod(tree_.filePath("src/mode.txt").c_str(), 0644);
    chmod(tree_.filePath("dst/mode.txt").c_str(), 0600);
    // One way: the source wins, flagged for its size.
    P().TouchSrc = false;
    EXPECT_EQ(ScanAndDescribe(), "\\size.txt F32");

    Run().Candidates.Clear();
    P().CompareProperties = true;
    EXPECT_EQ(ScanAndDescribe(), "\\mode.txt F128, \\ro.txt F128, \\size.txt F32");

    // Both ways: either side may hold the newer content, so the pair is left alone.
    Run().Candidates.Clear();
    P().TouchSrc = true;
    EXPECT_EQ(ScanAndDescribe(), "\\mode.txt F128, \\ro.txt F128");
    ASSERT_EQ(Run().Conflicts.size(), 1u);
    EXPECT_NE(Run().Conflicts[0].Path.find("size.txt"), std::string::npos);
}

TEST_F(DecisionTest, DoubleChangeAndSizeWarning_AddFlags)
{
    P().LastUpdate = At(kT0 + 50);
    P().CheckSizes = 3;
    Src("both.txt", "x", kT0 + 200);
    Dst("both.txt", "x", kT0 + 100);  // also written since the last run
    Src("big.txt", "xxxxxxxxx", kT0 + 200);
    Dst("big.txt", "xxx", kT0);
    EXPECT_EQ(ScanAndDescribe(), "\\big.txt F32, \\both.txt F64");
}

TEST_F(DecisionTest, HiddenFiles_TakePartOnlyWhenAllowed)
{
    Src(".hidden");
    Src("shown.txt");
    EXPECT_EQ(ScanAndDescribe(), "\\shown.txt F");

    Run().Candidates.Clear();
    P().Attributes = kAttrHidden;
    EXPECT_EQ(ScanAndDescribe(), "\\.hidden F, \\shown.txt F");
}

TEST_F(DecisionTest, AgeWindow_RelativeAbsoluteSinceLastRunAndReversed)
{
    // Today is 2023-11-20; "old" is from 2023-11-14, "new" from 2023-11-19.
    SetTestNow(EncodeDateTime(2023, 11, 20, 12));
    Src("old.txt", "x", kT0);
    Src("new.txt", "x", kT0 + 5 * 86400);
    struct Row
    {
        uint8_t ageMode;
        int relative, absolute;
        const char* expected;
    };
    const int nov17 = static_cast<int>(EncodeDateTime(2023, 11, 17));
    const Row rows[] = {
        {0, 0, 0, "\\new.txt F, \\old.txt F"}, {1, 3, 0, "\\new.txt F"},
        {1 | 4, 3, 0, "\\old.txt F"},          {2, 0, nov17, "\\new.txt F"},
        {2 | 4, 0, nov17, "\\old.txt F"},      {3, 0, 0, "\\new.txt F"},
        {3 | 4, 0, 0, "\\old.txt F"},          {0 | 4, 0, 0, "\\new.txt F, \\old.txt F"},
    };
    P().LastUpdate = DateTimeToFileTime(EncodeDateTime(2023, 11, 16));
    for (const Row& row : rows) {
        P().AgeMode = row.ageMode;
        P().RelativeAge = row.relative;
        P().AbsoluteAge = row.absolute;
        SetAgeWindow(Run());
        Run().Candidates.Clear();
        EXPECT_EQ(ScanAndDescribe(), row.expected) << int(row.ageMode);
    }
    SetTestNow(std::nullopt);
}

TEST_F(DecisionTest, EnforceAndDeleteMasks_OverrideTheComparison)
{
    P().EnforceFiles.Add("*.cfg");
    P().DeleteFiles.Add("*.tmp");
    P().EnforceBackward = true;
    Src("app.cfg", "x", kT0);
    Dst("app.cfg", "y", kT0 + 100);  // newer destination is overwritten all the same
    Dst("gone.cfg");                 // no source: deleted with EnforceBackward
    Src("a.tmp");
    Dst("b.tmp", "x", kT0 + 10);
    EXPECT_EQ(ScanAndDescribe(), "\\a.tmp D, \\app.cfg F, \\b.tmp D, \\gone.cfg D");

    Run().Candidates.Clear();
    P().TouchSrc = false;  // delete masks need both sides touched
    EXPECT_EQ(ScanAndDescribe(), "\\app.cfg F, \\gone.cfg D");
}

// Two-way run with the snapshot: a file the other side held at the last snapshot is deleted
// only when unchanged since the last run; a changed one is copied back and flagged.
TEST_F(DecisionTest, SnapshotOrphan_KeepsFilesChangedSinceLastRun)
{
    P().OrphanModeB = kOrphanSnapshot;
    P().LastUpdate = At(kT0 + 1000);
    Src("gone.txt", "x", kT0);
    Src("edited.txt", "x", kT0 + 2000);
    Src("new.txt", "x", kT0);
    Dst("back.txt", "x", kT0);
    // The lookups go through the snapshot file, as in a run.
    const std::string path = tree_.filePath("job.vrd.lst");
    tree_.createFile("job.vrd.lst",
                     "1\r\n\\\r\n1\r\nback.txt\r\n\\\r\n2\r\nGONE.txt\r\nedited.txt\r\n");
    ASSERT_EQ(Run().Snapshot.ReadSnapshot(path, Run()), 0);
    EXPECT_EQ(ScanAndDescribe(), "\\back.txt D, \\edited.txt F64, \\gone.txt D, \\new.txt F");
}

}  // namespace
