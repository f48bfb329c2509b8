// A run works only on the roots it was meant for: an unmounted disk's empty mount point is no
// drive, and a two-way snapshot made for other roots says nothing about these.
#include <filesystem>
#include <string>

#include "RunFixture.h"
#include "engine/Decisions.h"
#include "engine/Orchestration.h"
#include "platform/Drives.h"
#include "platform/MountPoints.h"

using namespace verdal;
using namespace verdal::test;

namespace {

class DataSafetyRootsTest : public RunTest
{
protected:
    void TearDown() override
    {
        SetDriveSources(DriveSources{});
        RunTest::TearDown();
    }
    // The system is told to mount `configured` (fstab) and `unit` (a systemd mount unit);
    // the mount table holds "/" and `mounted`.
    void Mounts(const std::string& configured, const std::string& unit,
                const std::string& mounted = {})
    {
        std::string table = "22 1 8:2 / / rw - ext4 /dev/sda2 rw\n";
        if (!mounted.empty()) {
            table += "31 22 8:17 / " + dir.filePath(mounted) + " rw - ext4 /dev/sdb1 rw\n";
        }
        dir.createFile("mountinfo", table);
        dir.createFile("fstab",
                       "# <file system> <mount point> <type>\nUUID=1 / ext4 defaults 0 1\n"
                       "UUID=2 none swap sw 0 0\nLABEL=Platte " +
                           dir.filePath(configured) + " ext4 noauto 0 2\n");
        dir.createFile("units/media-archiv.mount",
                       "[Unit]\nDescription=Archiv\n\n[Mount]\nWhat=/dev/sdc1\nWhere=" +
                           dir.filePath(unit) + "\nType=ext4\n");
        DriveSources sources;
        sources.MountInfo = dir.filePath("mountinfo");
        sources.Fstab = dir.filePath("fstab");
        sources.MountUnitDirs = {dir.filePath("units")};
        SetDriveSources(sources);
    }
    bool Logged(const std::string& text) const { return Log().find(text) != std::string::npos; }
    // A run as the program makes it: LastUpdate follows each successful run.
    int RunOne()
    {
        cLogDelivery none;
        return RunOneProfile(params, frontEnd, none, profilePath, {}, kNoBatchCondition, 0);
    }
};

}  // namespace

// The backup disk is named in fstab but not mounted: its empty mount point on the system disk
// is a missing drive, and nothing is written into it until the disk is there.
TEST_F(DataSafetyRootsTest, UnmountedDestination_EndsTheRunAndWritesNothing)
{
    dir.createFile(Src("Brief.txt"), "x", Stamp(2));
    dir.createDir("z/Platte");
    params.DestinationDirectory = "\\Platte\\Sicherung\\";
    Mounts("z/Platte", "q/Archiv");
    presenter.Answers = {BoxResult::No};
    EXPECT_EQ(Run(), kRunAborted);
    EXPECT_EQ(presenter.Codes(), std::vector<int>{30010});
    EXPECT_TRUE(Logged("Fehler: Laufwerk " + dir.filePath("z/Platte")));
    EXPECT_FALSE(dir.exists("z/Platte/Sicherung"));
    EXPECT_FALSE(RootReady(dir.filePath("z/Platte")));
    EXPECT_TRUE(RootReady(dir.filePath("z")));

    Mounts("z/Platte", "q/Archiv", "z/Platte");
    EXPECT_EQ(Run(), kRunOk);
    EXPECT_TRUE(dir.exists("z/Platte/Sicherung/Brief.txt"));
}

// A source below a mount unit that is not mounted would look emptied to a two-way run: the
// run ends before the scan, and the other side keeps every file. The drive itself being the
// mount point counts as well.
TEST_F(DataSafetyRootsTest, UnmountedSource_TwoWayKeepsTheOtherSide)
{
    params.TouchSrc = true;
    params.OrphanModeB = kOrphanSnapshot;
    params.ShortenPaths = false;
    params.SearchDirectories.Clear();
    params.SearchDirectories.Add("\\Archiv\\*");
    for (int i = 0; i < 6; ++i) {
        dir.createFile(Src("Archiv/Foto" + std::to_string(i) + ".jpg"), "x", Stamp(3));
    }
    Mounts("z/Platte", "q/Archiv", "q/Archiv");
    ASSERT_EQ(Run(), kRunOk);
    ASSERT_TRUE(dir.exists(Dst("Archiv/Foto5.jpg")));
    std::filesystem::remove_all(dir.filePath("q/Archiv"));
    dir.createDir("q/Archiv");
    Mounts("z/Platte", "q/Archiv");
    presenter.Answers = {BoxResult::No};
    EXPECT_EQ(Run(), kRunAborted);
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(dir.exists(Dst("Archiv/Foto" + std::to_string(i) + ".jpg")));
    }
    EXPECT_TRUE(Logged("Fehler: Laufwerk " + dir.filePath("q/Archiv")));

    params.SourceDrive = dir.filePath("q/Archiv");
    params.SearchDirectories.Clear();
    params.SearchDirectories.Add("\\*");
    presenter.Answers = {BoxResult::No};
    EXPECT_EQ(Run(), kRunAborted);
    EXPECT_EQ(presenter.Codes().back(), 30010);
}

TEST(MountPointsTest, FstabAndUnitTexts)
{
    EXPECT_EQ(ParseFstab("# c\n\n/dev/sda1 /  ext4 x 0 1\n  LABEL=a\t/media/Meine\\040Platte/ vfat "
                         "noauto\nswap none swap sw\nproc /proc proc defaults\nbroken\n"),
              (std::vector<std::string>{"/", "/media/Meine Platte", "/proc"}));
    EXPECT_EQ(MountUnitWhere("[Mount]\r\nWhat=x\r\n Where=/mnt/b/ \r\n"), "/mnt/b");
    EXPECT_EQ(MountUnitWhere("[Mount]\nWhat=x\n"), "");
}

// A two-way snapshot speaks only for the folders it was made for: pointed at another
// destination (or handed another profile's snapshot), the run copies what stands on one side
// only and deletes nothing on either side; for its own folders it still carries deletions over.
TEST_F(DataSafetyRootsTest, RetargetedTwoWay_DeletesNothingOnEitherSide)
{
    params.TouchSrc = true;
    params.OrphanModeB = kOrphanSnapshot;
    for (int i = 0; i < 8; ++i) {
        dir.createFile(Src("Brief" + std::to_string(i) + ".txt"), "x", Stamp(3));
    }
    ASSERT_EQ(RunOne(), kRunOk);
    ASSERT_TRUE(dir.exists(Dst("Brief7.txt")));

    // Another medium in another place: it holds other files.
    dir.createFile("z2/Fremd.txt", "y", Stamp(3));
    params.DestinationDrive = dir.filePath("z2");
    EXPECT_EQ(RunOne(), kRunOk);
    for (int i = 0; i < 8; ++i) {
        EXPECT_TRUE(dir.exists(Src("Brief" + std::to_string(i) + ".txt"))) << i;
        EXPECT_TRUE(dir.exists("z2/Brief" + std::to_string(i) + ".txt")) << i;
    }
    EXPECT_TRUE(dir.exists(Src("Fremd.txt")));
    EXPECT_TRUE(Logged("Hinweis: Schnappschuß " + profilePath + ".lst gehört zu anderen"));

    // Another folder on the same drive.
    params.DestinationDirectory = "\\Neu\\";
    EXPECT_EQ(RunOne(), kRunOk);
    EXPECT_TRUE(dir.exists("z2/Fremd.txt"));
    EXPECT_TRUE(dir.exists("z2/Neu/Brief0.txt"));
    EXPECT_TRUE(dir.exists(Src("Brief0.txt")));

    // The same folders again: a file deleted on one side goes on the other too.
    std::filesystem::remove(dir.filePath("z2/Neu/Brief0.txt"));
    EXPECT_EQ(RunOne(), kRunOk);
    EXPECT_FALSE(dir.exists(Src("Brief0.txt")));
}
