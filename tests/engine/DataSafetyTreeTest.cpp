// What the scan cannot see is never taken for missing: unreadable folders, folders reached
// through symbolic links, and names of one type on one side against the other type.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>
#include <string>
#include <vector>

#include "RunFixture.h"
#include "Unprivileged.h"
#include "engine/Decisions.h"
#include "platform/FileStamp.h"
#include "platform/RunLock.h"

using namespace verdal;
using namespace verdal::test;

namespace {

class DataSafetyTreeTest : public RunTest
{
protected:
    void Files(const std::string& folder, int count)
    {
        for (int i = 0; i < count; ++i) {
            dir.createFile(folder + "/Akte" + std::to_string(i) + ".txt", "x", Stamp(3));
        }
    }
    int CountIn(const std::string& folder, int count) const
    {
        int found = 0;
        for (int i = 0; i < count; ++i) {
            found += dir.exists(folder + "/Akte" + std::to_string(i) + ".txt") ? 1 : 0;
        }
        return found;
    }
    void Mode(const std::string& relative, mode_t mode)
    {
        ASSERT_EQ(chmod(dir.filePath(relative).c_str(), mode), 0);
    }
    void Link(const std::string& target, const std::string& relative)
    {
        ASSERT_EQ(symlink(dir.filePath(target).c_str(), dir.filePath(relative).c_str()), 0);
    }
    bool Logged(const std::string& text) const { return Log().find(text) != std::string::npos; }
};

// A backed-up source folder that can no longer be read: its copies are no orphans.
TEST_F(DataSafetyTreeTest, UnreadableSourceFolder_KeepsItsBackupAndFails)
{
    Files("q/Akten", 12);
    ASSERT_EQ(Run(), kRunOk);
    ASSERT_EQ(CountIn("z/Akten", 12), 12);
    {
        const PermissionsBite bite;
        Mode("q/Akten", 0);
        EXPECT_EQ(Run(), kRunErrors);
        Mode("q/Akten", 0755);
    }
    EXPECT_EQ(CountIn("z/Akten", 12), 12);
    EXPECT_TRUE(Logged("Fehler: Verzeichnis " + dir.filePath("q/Akten") + " nicht lesbar ("));
}

// A folder whose entries cannot be examined (read but no search permission) is only partly
// known: nothing below it is judged on either side, in a two-way run too.
TEST_F(DataSafetyTreeTest, EntriesThatCannotBeExamined_NothingDeletedOnEitherSide)
{
    params.TouchSrc = true;
    params.OrphanModeB = 2;  // two-way, orphans deleted
    Files("q/Akten", 3);
    Files("z/Akten", 3);
    dir.createFile(Dst("Akten/nur-hier.txt"), "x", Stamp(3));
    {
        const PermissionsBite bite;
        Mode("q/Akten", 0444);
        EXPECT_EQ(Run(), kRunErrors);
        Mode("q/Akten", 0755);
    }
    EXPECT_TRUE(dir.exists(Dst("Akten/nur-hier.txt")));
    EXPECT_EQ(CountIn("q/Akten", 3), 3);
    EXPECT_TRUE(Logged("nicht lesbar"));
}

// A destination folder that is a link to a folder outside both trees: nothing is listed,
// written or deleted through it, and the conflict is logged.
TEST_F(DataSafetyTreeTest, LinkInDestination_NeverWrittenOrDeletedThrough)
{
    Files("q/Akten", 2);
    dir.createFile("außen/fremd.txt", "fremd", Stamp(3));
    Link("außen", "z/Akten");
    EXPECT_EQ(Run(), kRunOk);
    EXPECT_TRUE(dir.exists("außen/fremd.txt"));
    EXPECT_FALSE(dir.exists("außen/Akte0.txt"));
    EXPECT_TRUE(Logged(dir.filePath("z/Akten") + " führt über eine Verknüpfung"));
    EXPECT_TRUE(Logged(dir.filePath("z/Akten")));
    EXPECT_TRUE(Logged("gegenüber steht ein Verzeichnis gleichen Namens"));
    EXPECT_TRUE(Logged("     2 Warnungen"));

    // Deeper down, and with the folder missing below the link: no mkdir through it either.
    dir.createFile(Src("Akten2/tief/neu.txt"), "x", Stamp(3));
    dir.createDir("z/Akten2");
    Link("außen", "z/Akten2/tief");
    EXPECT_EQ(Run(), kRunOk);
    EXPECT_FALSE(dir.exists("außen/neu.txt"));
    EXPECT_TRUE(dir.exists("außen/fremd.txt"));
}

// A searched source folder that is a link: its target is not backed up, and the backup of the
// folder that used to stand there stays.
TEST_F(DataSafetyTreeTest, LinkedSearchEntry_IsNotFollowedAndKeepsTheBackup)
{
    params.SearchDirectories.Clear();
    params.SearchDirectories.Add("\\Akten\\");
    Files("z/Akten", 6);
    Files("außen", 2);
    Link("außen", "q/Akten");
    EXPECT_EQ(Run(), kRunOk);
    EXPECT_EQ(CountIn("z/Akten", 6), 6);
    EXPECT_TRUE(Logged(dir.filePath("q/Akten") + " führt über eine Verknüpfung"));
}

// A file against a folder of the same name cannot be synced either way: both stay.
TEST_F(DataSafetyTreeTest, FileAgainstFolder_IsATypeConflict)
{
    dir.createFile(Src("Bericht"), "Datei", Stamp(3));
    dir.createFile(Dst("Bericht/innen.txt"), "x", Stamp(3));
    EXPECT_EQ(Run(), kRunOk);
    EXPECT_EQ(dir.readFile(Src("Bericht")), "Datei");
    EXPECT_TRUE(dir.exists(Dst("Bericht/innen.txt")));
    EXPECT_TRUE(Logged(" " + dir.filePath("q/Bericht") +
                       "  ! gegenüber steht ein Verzeichnis gleichen Namens"));
}

}  // namespace

namespace {

// "." and ".." and empty components never lead a run out of its roots: refused before
// anything changes. A destination reached through a link inside the source overlaps.
TEST_F(DataSafetyTreeTest, RootsNeverLeft_DotsAndRealPathOverlap)
{
    dir.createFile("daneben/bleibt.txt", "x", Stamp(3));
    dir.createFile(Src("a.txt"), "a", Stamp(3));
    for (const char* destination : {"\\..\\daneben\\", "\\.\\", "\\a\\\\b\\"}) {
        params.DestinationDirectory = destination;
        presenter.Messages.clear();
        EXPECT_EQ(Run(), kRunAborted) << destination;
        EXPECT_EQ(presenter.Codes(), std::vector<int>{30004}) << destination;
    }
    params.DestinationDirectory = "\\";
    params.ExcludeDirectories.Add("\\..\\");
    EXPECT_EQ(Run(), kRunAborted);
    EXPECT_TRUE(dir.exists("daneben/bleibt.txt"));
    EXPECT_FALSE(dir.exists("a.txt"));
    EXPECT_TRUE(Logged("Fehler: \"\\..\\\" ist kein gültiges Verzeichnis."));

    params.ExcludeDirectories.Clear();
    Link("q/Sicherung", "z/ziel");
    dir.createDir("q/Sicherung");
    params.DestinationDirectory = "\\ziel\\";
    presenter.Messages.clear();
    EXPECT_EQ(Run(), kRunAborted);
    EXPECT_EQ(presenter.Codes(), std::vector<int>{30009});
}

}  // namespace

// Names a profile cannot carry (only dots) and paths too long to open by name are neither
// copied nor taken for missing: each is logged and counted as a warning.
TEST_F(DataSafetyTreeTest, UnexpressibleNames_LoggedAndCountedAsWarnings)
{
    dir.createFile(Src("..."), "x", Stamp(3));
    dir.createFile(Src("Akte.txt"), "x", Stamp(3));
    // Deeper than a path may be: built relative to each parent, as only that works.
    int fd = open(dir.createDir("q/tief").c_str(), O_DIRECTORY | O_RDONLY);
    const std::string part(200, 'd');
    std::vector<int> levels{fd};
    for (int i = 0; i < 21; ++i) {
        ASSERT_EQ(mkdirat(levels.back(), part.c_str(), 0755), 0);
        levels.push_back(openat(levels.back(), part.c_str(), O_DIRECTORY | O_RDONLY));
    }
    close(openat(levels.back(), "unten.txt", O_CREAT | O_WRONLY, 0644));

    EXPECT_EQ(Run(), kRunOk);
    EXPECT_TRUE(dir.exists(Dst("Akte.txt")));
    EXPECT_FALSE(dir.exists(Dst("...")));
    EXPECT_TRUE(Logged("Name nicht darstellbar, übergangen:"));
    EXPECT_TRUE(Logged(dir.filePath("q/...")));
    EXPECT_NE(Log().find("Warnungen"), std::string::npos);
    // The halves of the deep tree are short enough for the test folder to remove them.
    ASSERT_EQ(renameat(levels[10], part.c_str(), levels[0], "rest"), 0);
    for (const int level : levels) {
        close(level);
    }
}

// A temporary left by a killed run is known by the run's journal, not by its name: the next
// run removes it and says so, while a user's file of the same look is synced like any other,
// and a temporary of a run still going is left alone.
TEST_F(DataSafetyTreeTest, CopyLeftovers_OnlyJournaledOnesAreRemoved)
{
    const std::string leftover = dir.createFile(Dst(".~verdal-Ab12Cd"), "halb");
    const std::string live = dir.createFile(Dst(".~verdal-Lebt01"), "läuft");
    const std::string replaced = dir.createFile(Dst(".~verdal-Neu123"), "neu");
    dir.createFile(Src(".~verdal-Nutzer"), "meins", Stamp(3));
    dir.createFile(Src("Akte.txt"), "x", Stamp(3));
    params.TouchSrc = true;
    params.OrphanModeD2 = kOrphanBackward;
    params.Attributes = kAttrHidden;
    const auto record = [](const std::string& path, unsigned long long inodeShift = 0) {
        struct stat st
        {};
        stat(path.c_str(), &st);
        return std::to_string(st.st_dev) + " " + std::to_string(st.st_ino + inodeShift) + " " +
               path + std::string(1, '\0');
    };
    // The killed run's journal; the second names a file that has since been replaced.
    dir.createFile("kopierjournal/4711", record(leftover) + record(replaced, 1) + "12 34 /halb");
    dir.createFile("kopierjournal/4712", record(live));
    cRunLock stillRunning;
    ASSERT_EQ(stillRunning.TryLock(dir.filePath("kopierjournal/4712")), cRunLock::Outcome::Taken);

    EXPECT_EQ(Run(), kRunOk);
    EXPECT_FALSE(dir.exists(Dst(".~verdal-Ab12Cd")));
    EXPECT_TRUE(Logged("Zwischendatei eines abgebrochenen Laufs entfernt: " + leftover));
    EXPECT_TRUE(dir.exists(Dst(".~verdal-Lebt01")));
    EXPECT_FALSE(dir.exists(Src(".~verdal-Lebt01")));
    EXPECT_EQ(dir.readFile(Src(".~verdal-Neu123")), "neu");
    EXPECT_EQ(dir.readFile(Dst(".~verdal-Nutzer")), "meins");
    EXPECT_FALSE(dir.exists("kopierjournal/4711"));
    EXPECT_TRUE(dir.exists("kopierjournal/4712"));
}
