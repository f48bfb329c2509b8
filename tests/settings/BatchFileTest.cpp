#include "settings/BatchFile.h"

#include <gtest/gtest.h>

#include "DocumentFileFixture.h"

using namespace verdal;
using Lines = std::vector<std::string>;

namespace {

using BatchFileTest = test::DocumentFileTest;

std::vector<int> Conditions(const cStringList& profiles)
{
    std::vector<int> values;
    for (const auto& item : profiles.Items()) {
        values.push_back(item.Value);
    }
    return values;
}

TEST_F(BatchFileTest, Load_CurrentLayoutKeepsDuplicatesAndProfileFields)
{
    P.SourceDrive = "Q:";
    P.SearchDirectories.Add("\\Daten\\");
    ASSERT_TRUE(P.LoadFromFile(Fixture("batch/current.vbf")));
    const cBatchParameters& b = P.Batch;
    ASSERT_EQ(b.Profiles.Count(), 3);
    EXPECT_EQ(b.Profiles[0], "C:\\Profile\\Täglich.vrd");
    EXPECT_EQ(b.Profiles[2], b.Profiles[0]);
    EXPECT_EQ(Conditions(b.Profiles), (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(b.WarningFlags, 44);
    EXPECT_TRUE(b.RunAfterOpen && b.ExitAfterRun && b.HookShutdown && b.MinimizeToTray &&
                b.OverrideWarnings);
    EXPECT_FALSE(b.BeepAfterRun);
    EXPECT_EQ(b.ShutdownMode, 3);
    ASSERT_EQ(b.Schedule.Count(), 1);
    EXPECT_EQ(b.Schedule.Value(0), 0x40000000 + 480);
    EXPECT_EQ(P.FileKind, 1);
    EXPECT_FALSE(P.OldFormat || P.Untitled);
    EXPECT_EQ(P.SourceDrive, "Q:");
    EXPECT_EQ(P.SearchDirectories.Count(), 1);
}

TEST_F(BatchFileTest, RoundTrip_WritesTheCurrentLayoutWithAllBlocks)
{
    ASSERT_TRUE(P.LoadFromFile(Fixture("batch/current.vbf")));
    const std::string path = Dir.filePath("Kopie.vbf");
    ASSERT_TRUE(P.SaveToFile(path));
    Lines expected = FixtureLines("batch/current.vbf");
    expected[5] = "44";
    std::vector<std::string> written;
    ASSERT_EQ(ReadLineFile(path, written), 0);
    EXPECT_EQ(written, expected);
}

TEST_F(BatchFileTest, Load_OlderLayoutWithoutExtraData)
{
    P.Batch.MinimizeToTray = P.Batch.OverrideWarnings = true;
    ASSERT_TRUE(P.LoadFromFile(Fixture("batch/v400-no-extra-data.vbf")));
    EXPECT_FALSE(P.Batch.MinimizeToTray || P.Batch.OverrideWarnings);
    EXPECT_EQ(Conditions(P.Batch.Profiles), (std::vector<int>{0}));
    EXPECT_EQ(P.Batch.WarningFlags, 0x55);
    EXPECT_FALSE(P.OldFormat);
}

TEST_F(BatchFileTest, Load_Version3ReadsProfilesUpToTheEnd)
{
    ASSERT_TRUE(P.LoadFromFile(Fixture("batch/version3.vbf")));
    const cBatchParameters& b = P.Batch;
    EXPECT_EQ(b.WarningFlags, 17);
    EXPECT_TRUE(b.RunAfterOpen && b.BeepAfterRun);
    EXPECT_FALSE(b.ExitAfterRun || b.HookShutdown || b.OverrideWarnings);
    EXPECT_EQ(b.ShutdownMode, 2);
    // The file ends with an empty line: that line is an entry with an empty path.
    ASSERT_EQ(b.Profiles.Count(), 3);
    EXPECT_EQ(b.Profiles[2], "");
    EXPECT_TRUE(P.OldFormat);
    EXPECT_EQ(P.FileKind, 1);

    Lines lines = FixtureLines("batch/version3.vbf");
    lines.pop_back();
    ASSERT_TRUE(P.LoadFromFile(WriteLines("ohne.vbf", lines)));
    EXPECT_EQ(P.Batch.Profiles.Count(), 2);
}

}  // namespace
