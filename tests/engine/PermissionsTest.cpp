#include <dirent.h>
#include <sys/stat.h>
#include <string>

#include "RunFixture.h"
#include "platform/FileCopy.h"

using namespace verdal;
using namespace verdal::test;

namespace {

class PermissionsTest : public RunTest
{
protected:
    void SetUp() override
    {
        RunTest::SetUp();
        oldMask_ = umask(022);
    }
    void TearDown() override
    {
        umask(oldMask_);
        RunTest::TearDown();
    }

    unsigned ModeOf(const std::string& relative) const
    {
        struct stat st
        {};
        return stat(dir.filePath(relative).c_str(), &st) == 0 ? st.st_mode & 07777 : 01;
    }
    void SetMode(const std::string& relative, unsigned mode)
    {
        ASSERT_EQ(chmod(dir.filePath(relative).c_str(), mode), 0);
    }

private:
    mode_t oldMask_ = 0;
};

}  // namespace

// A file made private in the source becomes private in the backup on its next copy, with or
// without the transfer of permissions; a copy never opens a target wider than it was.
TEST_F(PermissionsTest, ExistingTargetsNeverMoreOpenThanTheSource)
{
    for (const bool transfer : {false, true}) {
        SCOPED_TRACE(transfer ? "transfer on" : "transfer off");
        params.TransferPermissions = transfer;
        dir.createFile(Src("privat.txt"), "neu", Stamp(1));
        dir.createFile(Dst("privat.txt"), "alt", Stamp(3));
        SetMode(Src("privat.txt"), 0600);
        SetMode(Dst("privat.txt"), 0644);
        dir.createFile(Src("offen.txt"), "neu", Stamp(1));
        dir.createFile(Dst("offen.txt"), "alt", Stamp(3));
        SetMode(Src("offen.txt"), 0644);
        SetMode(Dst("offen.txt"), 0640);
        dir.createFile(Src("setuid"), "neu", Stamp(1));
        dir.createFile(Dst("setuid"), "alt", Stamp(3));
        SetMode(Src("setuid"), 0755);
        SetMode(Dst("setuid"), 04755);
        EXPECT_EQ(Run(), kRunOk);
        EXPECT_EQ(dir.readFile(Dst("privat.txt")), "neu");
        EXPECT_EQ(ModeOf(Dst("privat.txt")), 0600u);
        EXPECT_EQ(ModeOf(Dst("offen.txt")), transfer ? 0644u : 0640u);
        EXPECT_EQ(ModeOf(Dst("setuid")), 0755u);
    }
}

// New folders are no more open than their counterparts in the source, level by level.
TEST_F(PermissionsTest, NewFoldersFollowTheirSourceFolders)
{
    dir.createFile(Src("offen/geheim/brief.txt"), "x", Stamp(1));
    dir.createFile(Src("gruppe/liste.txt"), "x", Stamp(1));
    SetMode(Src("offen"), 0755);
    SetMode(Src("offen/geheim"), 0700);
    SetMode(Src("gruppe"), 0750);
    EXPECT_EQ(Run(), kRunOk);
    EXPECT_EQ(dir.readFile(Dst("offen/geheim/brief.txt")), "x");
    EXPECT_EQ(ModeOf(Dst("offen")), 0755u);
    EXPECT_EQ(ModeOf(Dst("offen/geheim")), 0700u);
    EXPECT_EQ(ModeOf(Dst("gruppe")), 0750u);
}

// While the data is written, the temporary file beside the target is readable by its owner
// only, whatever mode the finished copy gets.
TEST_F(PermissionsTest, TemporaryIsPrivateWhileItFills)
{
    const std::string from = dir.createFile(Src("gross.bin"), std::string(3 << 20, 'x'));
    const std::string to = dir.filePath(Dst("gross.bin"));
    SetMode(Src("gross.bin"), 0644);
    unsigned seen = 0;
    const CopyProgress progress = [&](int64_t) {
        if (DIR* d = opendir(dir.filePath("z").c_str())) {
            while (const dirent* e = readdir(d)) {
                struct stat st
                {};
                if (IsCopyTemporaryName(e->d_name) &&
                    stat((dir.filePath("z/") + e->d_name).c_str(), &st) == 0) {
                    seen |= st.st_mode & 0777;
                }
            }
            closedir(d);
        }
        return true;
    };
    for (const CopyMethod method : {CopyMethod::Blocks, CopyMethod::RangeChunks}) {
        ASSERT_EQ(CopyFileSafe(from, to, method, progress), 0);
        EXPECT_EQ(ModeOf(Dst("gross.bin")), 0644u);
    }
    EXPECT_EQ(seen, 0600u);
}
