#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ScopedEnv.h"
#include "platform/Drives.h"
#include "platform/Paths.h"
#include "platform/WinError.h"
#include "support/TestDir.h"

using namespace verdal;

namespace {

// Mount table of a desktop with a stick, a CD, a tmpfs, a cifs and an nfs share.
std::string FixtureMountInfo(const std::string& base)
{
    return "22 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
           "23 22 0:21 / /proc rw,nosuid - proc proc rw\n"
           "24 22 0:5 / /dev rw - devtmpfs udev rw\n"
           "30 22 8:17 / " +
           base + "/media/anna/MEIN\\040STICK rw shared:5 - vfat " + base +
           "/dev/sdb1 rw\n"
           "31 22 11:0 / " +
           base +
           "/cd ro - iso9660 /dev/sr0 ro\n"
           "32 22 0:40 / " +
           base +
           "/ram rw - tmpfs tmpfs rw\n"
           "33 22 0:41 / " +
           base +
           "/nas rw - cifs //NAS/Fotos rw\n"
           "34 22 0:42 / " +
           base +
           "/export rw - nfs4 server:/export/daten rw\n"
           "garbage line\n";
}

class DrivesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* dir :
             {"media/anna/MEIN STICK", "cd", "ram", "nas", "export", "by-label", "block/sdb1"}) {
            tree.createDir(dir);
        }
        tree.createFile("mountinfo", FixtureMountInfo(tree.path()));
        tree.createFile("dev/sdb1");
        std::filesystem::create_symlink(tree.filePath("dev/sdb1"),
                                        tree.filePath("by-label/MEIN\\x20STICK"));
        tree.createFile("block/sdb1/removable", "1\n");
        DriveSources sources;
        sources.MountInfo = tree.filePath("mountinfo");
        sources.ByLabelDir = tree.filePath("by-label");
        sources.SysBlockDir = tree.filePath("block");
        SetDriveSources(sources);
    }
    void TearDown() override
    {
        SetDriveSources(DriveSources{});
        SetDriveLetters({{'C', "/"}});
    }

    test::TestDir tree;
    test::ScopedEnv runtime{"XDG_RUNTIME_DIR", tree.filePath("runtime")};
};

TEST(MountInfo, ParsesFieldsAndEscapes)
{
    const auto mounts = ParseMountInfo(
        "36 35 98:0 /mnt1 /mnt/my\\040disk rw,noatime master:1 shared:2 - ext3 /dev/root rw\n"
        "short line\n");
    ASSERT_EQ(mounts.size(), 1u);
    EXPECT_EQ(mounts[0].MountPoint, "/mnt/my disk");
    EXPECT_EQ(mounts[0].FileSystem, "ext3");
    EXPECT_EQ(mounts[0].Source, "/dev/root");
}

TEST(MountInfo, DriveTypeAndShareNamePerFileSystem)
{
    struct Case
    {
        MountEntry Mount;
        bool Removable;
        int Type;
        std::string Share;
    };
    const Case cases[] = {
        {{"/", "ext4", "/dev/sda1"}, false, kDriveFixed, ""},
        {{"/data", "ext4", "/dev/sdb1"}, true, kDriveRemovable, ""},
        {{"/media/anna/X", "vfat", "/dev/sdc1"}, false, kDriveRemovable, ""},
        {{"/run/media/anna/X", "exfat", "/dev/sdc1"}, false, kDriveRemovable, ""},
        {{"/cd", "iso9660", "/dev/sr0"}, false, kDriveCdRom, ""},
        {{"/tmp", "tmpfs", "tmpfs"}, false, kDriveRamDisk, ""},
        {{"/n", "cifs", "//nas/fotos/"}, false, kDriveRemote, "\\\\nas\\fotos"},
        {{"/n", "nfs", "srv:/export"}, false, kDriveRemote, "\\\\srv\\export"},
        {{"/n", "fuse.sshfs", "anna@host:"}, false, kDriveRemote, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DriveTypeOf(c.Mount, c.Removable), c.Type) << c.Mount.MountPoint;
        EXPECT_EQ(ShareNameOf(c.Mount), c.Share) << c.Mount.Source;
    }
}

TEST_F(DrivesTest, ListDrives_LeavesOutPseudoAndSystemMounts)
{
    const auto drives = ListDrives();
    std::vector<std::string> names;
    for (const DriveInfo& d : drives) {
        names.push_back(d.Name);
    }
    const std::string b = tree.path();
    EXPECT_EQ(names,
              (std::vector<std::string>{"/", b + "/media/anna/MEIN STICK", b + "/cd", b + "/ram",
                                        "\\\\NAS\\Fotos", "\\\\server\\export\\daten"}));
    EXPECT_EQ(drives[1].Type, kDriveRemovable);
    EXPECT_EQ(drives[1].Label, "MEIN STICK");
    EXPECT_EQ(drives[1].FileSystem, "vfat");
    EXPECT_EQ(drives[2].Type, kDriveCdRom);
    EXPECT_EQ(drives[3].Type, kDriveRamDisk);
    EXPECT_EQ(drives[4].Type, kDriveRemote);
    EXPECT_EQ(drives[4].Root, b + "/nas");
}

TEST_F(DrivesTest, MountHolding_PicksLongestMountPoint)
{
    tree.createDir("media/anna/MEIN STICK/Daten");
    const auto mount = MountHolding(tree.filePath("media/anna/MEIN STICK/Daten"));
    ASSERT_TRUE(mount);
    EXPECT_EQ(mount->Source, tree.filePath("dev/sdb1"));
    EXPECT_EQ(DriveOfPath(tree.filePath("nas")), "\\\\NAS\\Fotos");
    EXPECT_EQ(DriveOfPath(tree.filePath("elsewhere")), "/");
    std::string label;
    EXPECT_TRUE(ReadVolumeLabel(tree.filePath("media/anna/MEIN STICK"), label));
    EXPECT_EQ(label, "MEIN STICK");
    EXPECT_FALSE(ReadVolumeLabel(tree.filePath("cd"), label));
}

TEST_F(DrivesTest, FreeSpace_NotReadyForMissingRoot)
{
    EXPECT_EQ(FreeSpace(tree.filePath("missing")), -2);
    EXPECT_GE(FreeSpace(tree.path()), 0);
}

TEST_F(DrivesTest, ResolveDriveRoot_EachDriveForm)
{
    std::string root;
    SetDriveLetters({{'c', "/"}, {'D', tree.filePath("ram") + "/"}, {'E', tree.filePath("no")}});
    EXPECT_EQ(ResolveDriveRoot("c:", root), kErrSuccess);
    EXPECT_EQ(root, "/");
    EXPECT_EQ(ResolveDriveRoot("D:", root), kErrSuccess);
    EXPECT_EQ(root, tree.filePath("ram"));
    EXPECT_EQ(ResolveDriveRoot("E:", root), kErrNotReady);
    EXPECT_EQ(ResolveDriveRoot("F:", root), kErrNotReady);
    EXPECT_EQ(ResolveDriveRoot(tree.filePath("cd"), root), kErrSuccess);
    EXPECT_EQ(root, tree.filePath("cd"));
    EXPECT_EQ(ResolveDriveRoot(tree.filePath("gone"), root), kErrNotReady);
    EXPECT_EQ(ResolveDriveRoot("\\\\nas\\fotos", root), kErrSuccess);
    EXPECT_EQ(root, tree.filePath("nas"));
    EXPECT_EQ(ResolveDriveRoot("\\\\server\\export\\daten", root), kErrInvalidName);
    EXPECT_EQ(ResolveDriveRoot("\\\\other\\share", root), kErrNotReady);
    EXPECT_EQ(ResolveDriveRoot("CD", root), kErrInvalidName);
}

TEST_F(DrivesTest, ResolveDriveRoot_ShareThroughGvfs)
{
    tree.createDir("runtime/gvfs/smb-share:server=fileserver,share=archiv,user=anna");
    std::string root;
    EXPECT_EQ(ResolveDriveRoot("\\\\FileServer\\Archiv", root), kErrSuccess);
    EXPECT_EQ(root,
              tree.filePath("runtime/gvfs/smb-share:server=fileserver,share=archiv,user=anna"));
    const DriveInfo last = ListDrives().back();
    EXPECT_EQ(last.Name, "\\\\fileserver\\archiv");
    EXPECT_EQ(last.Type, kDriveRemote);
}

TEST(Paths, DriveForms)
{
    const std::pair<const char*, DriveForm> cases[] = {
        {"/", DriveForm::MountPath},
        {"/media/anna/X", DriveForm::MountPath},
        {"/media/", DriveForm::Invalid},
        {"/a*b", DriveForm::Invalid},
        {"c:", DriveForm::Letter},
        {"CD", DriveForm::Invalid},
        {"\\\\server\\share", DriveForm::Share},
        {"\\\\server\\share\\", DriveForm::Invalid},
        {"\\\\server", DriveForm::Invalid},
        {"relative", DriveForm::Invalid},
    };
    for (const auto& [text, form] : cases) {
        EXPECT_EQ(DriveFormOf(text), form) << text;
    }
}

TEST(Paths, JoinNativePath_TurnsBackslashesIntoSlashes)
{
    EXPECT_EQ(JoinNativePath("/", "\\Daten\\Briefe\\", "Brief.txt"), "/Daten/Briefe/Brief.txt");
    EXPECT_EQ(JoinNativePath("/media/x", "\\", "a"), "/media/x/a");
    EXPECT_EQ(JoinNativePath("/media/x/", "\\Daten\\"), "/media/x/Daten/");
    EXPECT_EQ(JoinNativePath("/", ""), "/");
    EXPECT_TRUE(HasDotComponent("\\Daten\\..\\etc\\"));
    EXPECT_TRUE(HasDotComponent(".."));
    EXPECT_FALSE(HasDotComponent("\\Daten\\..x\\.profile"));
}

}  // namespace
