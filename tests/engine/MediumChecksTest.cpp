#include <cstdint>
#include <filesystem>
#include <string>

#include "RunFixture.h"
#include "platform/Drives.h"

using namespace verdal;
using namespace verdal::test;

namespace {

// The destination "z" mounted from a device of its own, labelled through a by-label folder the
// way udev publishes labels.
class MediumChecksTest : public RunTest
{
protected:
    void MountDestination(const std::string& label)
    {
        dir.createFile("dev/stick");
        dir.createDir("by-label");
        if (!label.empty()) {
            std::filesystem::create_symlink(dir.filePath("dev/stick"),
                                            dir.filePath("by-label/" + label));
        }
        dir.createFile("mountinfo", "22 1 8:2 / / rw - ext4 /dev/sda2 rw\n30 22 8:17 / " +
                                        dir.filePath("z") + " rw - vfat " +
                                        dir.filePath("dev/stick") + " rw\n");
        DriveSources sources;
        sources.MountInfo = dir.filePath("mountinfo");
        sources.ByLabelDir = dir.filePath("by-label");
        sources.SysBlockDir = dir.filePath("block");
        SetDriveSources(sources);
    }

    void TearDown() override
    {
        SetDriveSources(DriveSources{});
        SetFreeSpaceSource({});
        RunTest::TearDown();
    }
};

struct LabelCase
{
    const char* Mounted;
    const char* Expected;
    bool Wrong;
};

class LabelTest : public MediumChecksTest, public ::testing::WithParamInterface<LabelCase>
{};

}  // namespace

TEST_P(LabelTest, WrongOrMissingLabelEndsTheRun)
{
    const LabelCase& c = GetParam();
    MountDestination(c.Mounted);
    dir.createFile(Src("a.txt"), "x", Stamp(2));
    params.DiskLabel = c.Expected;
    EXPECT_EQ(Run(), c.Wrong ? kRunAborted : kRunOk);
    EXPECT_EQ(presenter.Codes(), c.Wrong ? std::vector<int>{30011} : std::vector<int>{});
    EXPECT_EQ(dir.exists(Dst("a.txt")), !c.Wrong);
    EXPECT_EQ(Log().find("Fehler: Bezeichnung des Zieldatenträgers falsch.") != std::string::npos,
              c.Wrong);
}

INSTANTIATE_TEST_SUITE_P(Labels, LabelTest,
                         ::testing::Values(
                             // compared without case
                             LabelCase{"SICHERUNG", "sicherung", false},
                             LabelCase{"SICHERUNG", "ANDERS", true},
                             // a medium without a label is not the expected one
                             LabelCase{"", "SICHERUNG", true}));

TEST_F(MediumChecksTest, FreeSpace_TooLittleAsksAndNoEndsTheRun)
{
    const std::string destination = dir.filePath("z");
    dir.createFile(Src("gross.bin"), std::string(3 * 1024 * 1024, 'x'), Stamp(2));
    SetFreeSpaceSource([destination](const std::string& root) -> int64_t {
        return root == destination ? 1024 * 1024 : int64_t{1} << 40;
    });

    presenter.Answers = {BoxResult::No};
    EXPECT_EQ(Run(), kRunAborted);
    ASSERT_EQ(presenter.Codes(), std::vector<int>{30015});
    EXPECT_NE(presenter.Messages[0].Text.find(destination + " hat 2,000 MB zuwenig"),
              std::string::npos)
        << presenter.Messages[0].Text;
    EXPECT_FALSE(dir.exists(Dst("gross.bin")));
    EXPECT_NE(Log().find("Warnung: Laufwerk " + destination + " hat 2,000 MB zuwenig"),
              std::string::npos)
        << Log();

    // Yes computes again and goes on.
    presenter.Messages.clear();
    presenter.Answers = {BoxResult::Yes};
    EXPECT_EQ(Run(), kRunOk);
    EXPECT_EQ(presenter.Codes(), std::vector<int>{30015});
    EXPECT_TRUE(dir.exists(Dst("gross.bin")));
}
