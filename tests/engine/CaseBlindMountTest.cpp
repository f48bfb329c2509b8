#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "RunFixture.h"
#include "support/MemoryFuse.h"
#include "support/PrivateMounts.h"

using namespace verdal;
using namespace verdal::test;

namespace {

std::string FindTool(const std::string& name)
{
    for (const char* dir : {"/usr/sbin/", "/sbin/", "/usr/bin/", "/bin/"}) {
        const std::string path = dir + name;
        if (::access(path.c_str(), X_OK) == 0)
            return path;
    }
    return {};
}

bool Quietly(const std::string& command)
{
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// Sets the case folding flag on an empty folder of an ext4 file system made with it.
bool FoldCaseIn(const std::string& dir)
{
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags |= 0x40000000;  // FS_CASEFOLD_FL
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return done;
}

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat sa
    {};
    struct stat sb
    {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// A destination that ignores case, on a real file system: a FAT or exFAT image, an ext4 image
// with a case-folded folder, or else a case-blind FUSE file system in memory, mounted over the
// test's destination in a private mount namespace.
class CaseBlindMountTest : public RunTest
{
protected:
    // Runs `body` with the destination mounted; the reason when that was not possible.
    std::string WithCaseBlindDestination(const std::function<void()>& body)
    {
        std::string skip;
        const std::string noNamespace = InPrivateMountNamespace([&] {
            skip = Mount();
            if (skip.empty())
                body();
            fuse_.reset();
            ::umount2(dir.filePath("z").c_str(), MNT_DETACH);
            ::umount2(dir.filePath("m").c_str(), MNT_DETACH);
        });
        return noNamespace.empty() ? skip : noNamespace;
    }

private:
    std::string Mount()
    {
        std::string tried;
        for (const auto& attempt :
             {&CaseBlindMountTest::MountFat, &CaseBlindMountTest::MountExfat,
              &CaseBlindMountTest::MountCasefoldExt4, &CaseBlindMountTest::MountFuse}) {
            const std::string failure = (this->*attempt)();
            if (failure.empty())
                return {};
            tried += (tried.empty() ? "" : "; ") + failure;
        }
        return "no case-blind file system can be mounted here (" + tried + ")";
    }

    // Makes a `type` image with the tool `mkfs` (from `package`) and mounts it on `where`; why
    // not when that fails.
    std::string MakeAndMount(const std::string& type, const std::string& mkfs,
                             const std::string& arguments, const std::string& package,
                             const std::string& where, const std::string& options = {})
    {
        const std::string tool = FindTool(mkfs);
        if (tool.empty())
            return type + ": " + mkfs + " missing (" + package + ")";
        const std::string image = dir.filePath("bild.img");
        std::filesystem::remove(image);
        std::ofstream(image).close();
        std::filesystem::resize_file(image, 64 << 20);
        if (!Quietly(tool + " " + arguments + " '" + image + "'"))
            return type + ": " + mkfs + " failed";
        if (!Quietly("mount -t " + type + " -o loop" + options + " '" + image + "' '" + where +
                     "'"))
            return type + ": the kernel refuses the mount";
        return {};
    }

    // Checks that the destination really takes two cases of a name for one file.
    std::string Verified(const std::string& type)
    {
        const std::string probe = dir.createFile("z/probe.txt", "x");
        const bool blind = SameFile(probe, dir.filePath("z/PROBE.TXT"));
        ::unlink(probe.c_str());
        return blind ? std::string() : type + ": mounted, but keeps case";
    }

    std::string MountFat()
    {
        const std::string failure =
            MakeAndMount("vfat", "mkfs.vfat", "", "dosfstools", dir.filePath("z"), ",tz=UTC");
        return failure.empty() ? Verified("vfat") : failure;
    }

    std::string MountExfat()
    {
        const std::string failure =
            MakeAndMount("exfat", "mkfs.exfat", "", "exfatprogs", dir.filePath("z"));
        return failure.empty() ? Verified("exfat") : failure;
    }

    // ext4 folds case per folder: a folded folder of the image is laid over the destination.
    std::string MountCasefoldExt4()
    {
        const std::string mounted = dir.createDir("m");
        const std::string failure =
            MakeAndMount("ext4", "mkfs.ext4", "-q -F -O casefold", "e2fsprogs", mounted);
        if (!failure.empty())
            return failure + " (case folding needs a kernel with Unicode support)";
        const std::string folded = mounted + "/z";
        ::mkdir(folded.c_str(), 0755);
        if (!FoldCaseIn(folded))
            return "ext4: case folding cannot be switched on";
        if (::mount(folded.c_str(), dir.filePath("z").c_str(), nullptr, MS_BIND, nullptr) != 0)
            return std::string("ext4: bind mount failed: ") + std::strerror(errno);
        return Verified("ext4");
    }

    // Where no kernel file system ignores case, a FUSE one in memory does, as ntfs-3g and
    // exfat-fuse do; its type tells nothing, so the run's probe has to find that out.
    std::string MountFuse()
    {
        fuse_ = std::make_unique<MemoryFuse>(true);
        const std::string failure = fuse_->Mount(dir.filePath("z"));
        return failure.empty() ? Verified("fuse") : "fuse: " + failure;
    }

    std::unique_ptr<MemoryFuse> fuse_;
};

std::vector<std::string> Names(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

// "a.txt" and "A.txt" would land on one file, "Neu" and "neu" on one folder: the first by byte
// order goes, the other is a conflict, logged in every run and never copied over it.
TEST_F(CaseBlindMountTest, TwoNamesForOneFile_SecondIsAConflictEveryRun)
{
    dir.createFile(Src("a.txt"), "klein", Stamp(1));
    dir.createFile(Src("A.txt"), "groß", Stamp(1));
    dir.createFile(Src("Neu/b.txt"), "b", Stamp(1));
    dir.createFile(Src("neu/c.txt"), "c", Stamp(1));
    const std::string skip = WithCaseBlindDestination([&] {
        for (int run = 0; run < 2; ++run) {
            SCOPED_TRACE(run);
            ::unlink(params.Log.Filename.c_str());
            EXPECT_EQ(Run(), kRunOk);
            EXPECT_EQ(Names(dir.filePath("z")), (std::vector<std::string>{"A.txt", "Neu"}));
            EXPECT_EQ(dir.readFile(Dst("A.txt")), "groß");
            // Twin folders never merge: the second is left alone with what it holds.
            EXPECT_EQ(Names(dir.filePath("z/Neu")), std::vector<std::string>{"b.txt"});
            const std::string log = Log();
            EXPECT_NE(log.find("q/a.txt"), std::string::npos) << log;
            EXPECT_NE(log.find("q/neu"), std::string::npos) << log;
            EXPECT_NE(log.find("Groß- und Kleinschreibung"), std::string::npos) << log;
            if (run == 1) {
                EXPECT_EQ(log.find("vorwärts kopiert:"), std::string::npos) << log;
            }
        }
    });
    if (!skip.empty())
        GTEST_SKIP() << skip;
}

// A file and its folder renamed in case only in the source take their new names on the
// destination with the next copy; the run after that has nothing left to do.
TEST_F(CaseBlindMountTest, CaseOnlyRenames_ReachTheDestination)
{
    dir.createFile(Src("Foto/Bericht.TXT"), "neu", Stamp(1));
    dir.createFile(Src("Foto/Bild.jpg"), "bild", Stamp(3));
    const std::string skip = WithCaseBlindDestination([&] {
        dir.createFile(Dst("foto/bericht.txt"), "alt", Stamp(3));
        dir.createFile(Dst("foto/Bild.jpg"), "bild", Stamp(3));
        params.Verify = true;
        EXPECT_EQ(Run(), kRunOk);
        EXPECT_EQ(Names(dir.filePath("z")), std::vector<std::string>{"Foto"});
        EXPECT_EQ(Names(dir.filePath("z/Foto")),
                  (std::vector<std::string>{"Bericht.TXT", "Bild.jpg"}));
        EXPECT_EQ(dir.readFile(Dst("Foto/Bericht.TXT")), "neu");
        EXPECT_NE(Log().find("1 Dateipaar erfolgreich verglichen"), std::string::npos) << Log();
        ::unlink(params.Log.Filename.c_str());
        EXPECT_EQ(Run(), kRunOk);
        EXPECT_EQ(Log().find("vorwärts kopiert:"), std::string::npos) << Log();
    });
    if (!skip.empty())
        GTEST_SKIP() << skip;
}

// The case-blind file system may lie below the destination drive (a drive of "/", a letter):
// the folder it is mounted on is judged, not the drive.
TEST_F(CaseBlindMountTest, BelowTheDestinationDrive_SecondNameIsAConflict)
{
    params.DestinationDrive = dir.path();
    params.DestinationDirectory = "\\z\\";
    dir.createFile(Src("a.txt"), "klein", Stamp(1));
    dir.createFile(Src("A.txt"), "groß", Stamp(1));
    const std::string skip = WithCaseBlindDestination([&] {
        EXPECT_EQ(Run(), kRunOk);
        EXPECT_EQ(Names(dir.filePath("z")), std::vector<std::string>{"A.txt"});
        EXPECT_EQ(dir.readFile(Dst("A.txt")), "groß");
        EXPECT_NE(Log().find("q/a.txt"), std::string::npos) << Log();
    });
    if (!skip.empty())
        GTEST_SKIP() << skip;
}
