#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "RunFixture.h"
#include "Unprivileged.h"
#include "engine/Listing.h"
#include "engine/Snapshot.h"
#include "platform/Clock.h"
#include "platform/FileTimes.h"
#include "platform/FolderCase.h"

using namespace verdal;
using namespace verdal::test;

namespace {

class PairingTest : public RunTest
{
protected:
    std::vector<std::string> Names(const std::string& relative) const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.filePath(relative)))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    void TwoWay()
    {
        params.TouchSrc = true;
        params.TouchDest = true;
    }
};

}  // namespace

// Names that only full case folding would join are different files: each is copied as its own.
TEST_F(PairingTest, FullFoldingNeverJoinsDifferentNames)
{
    params.OrphanModeD2 = 1;
    dir.createFile(Src("Maße.txt"), "neu", Stamp(1));
    dir.createFile(Dst("Masse.txt"), "andere Datei", Stamp(3));
    dir.createFile(Src("\xEF\xAC\x81le.txt"), "Ligatur", Stamp(1));  // "ﬁle.txt"
    dir.createFile(Dst("file.txt"), "ohne Ligatur", Stamp(3));
    dir.createFile(Src("\xE2\x84\xAA.txt"), "Kelvin", Stamp(1));
    dir.createFile(Dst("k.txt"), "kleines k", Stamp(3));
    EXPECT_EQ(Run(), kRunOk);
    EXPECT_EQ(dir.readFile(Dst("Maße.txt")), "neu");
    EXPECT_EQ(dir.readFile(Dst("Masse.txt")), "andere Datei");
    EXPECT_EQ(dir.readFile(Dst("\xEF\xAC\x81le.txt")), "Ligatur");
    EXPECT_EQ(dir.readFile(Dst("file.txt")), "ohne Ligatur");
    EXPECT_EQ(dir.readFile(Dst("\xE2\x84\xAA.txt")), "Kelvin");
    EXPECT_EQ(dir.readFile(Dst("k.txt")), "kleines k");
}

// A one-to-one case difference still pairs: the newer source replaces its partner, and the
// copy takes the source's name, so a rename that changed only the case reaches the other side.
TEST_F(PairingTest, CaseOnlyDifferencePairsOneToOne)
{
    dir.createFile(Src("Bericht.TXT"), "neu", Stamp(1));
    dir.createFile(Dst("bericht.txt"), "alt", Stamp(3));
    dir.createFile(Src("ÄRGER.doc"), "neu", Stamp(1));
    dir.createFile(Dst("ärger.doc"), "alt", Stamp(3));
    dir.createFile(Src("Gleich.txt"), "x", Stamp(3));
    dir.createFile(Dst("gleich.txt"), "x", Stamp(3));
    params.Verify = true;
    EXPECT_EQ(Run(), kRunOk);
    EXPECT_EQ(Names("z"), (std::vector<std::string>{"Bericht.TXT", "gleich.txt", "ÄRGER.doc"}));
    EXPECT_EQ(dir.readFile(Dst("Bericht.TXT")), "neu");
    EXPECT_EQ(dir.readFile(Dst("ÄRGER.doc")), "neu");
    EXPECT_NE(Log().find("2 Dateipaare erfolgreich verglichen"), std::string::npos) << Log();

    // Both ways, a backward copy brings the destination's name back to the source.
    TwoWay();
    dir.createFile(Dst("GLEICH.TXT"), "neuer", Stamp(0.5));
    ::unlink(dir.filePath(Dst("gleich.txt")).c_str());
    EXPECT_EQ(Run(), kRunOk);
    EXPECT_EQ(Names("q"), (std::vector<std::string>{"Bericht.TXT", "GLEICH.TXT", "ÄRGER.doc"}));
    EXPECT_EQ(dir.readFile(Src("GLEICH.TXT")), "neuer");
}

// A folder renamed in case only on one side follows on the other side with the next copy into
// it, parents included, also when the copy goes into a folder below; files already there move
// along and are found by the verify.
TEST_F(PairingTest, CaseOnlyFolderRenameFollowsWithTheNextCopy)
{
    dir.createFile(Src("Foto/a.txt"), "a", Stamp(3));
    dir.createFile(Src("Foto/Reise/b.txt"), "b", Stamp(3));
    dir.createFile(Src("Foto/Reise/c.txt"), "neu", Stamp(1));
    dir.createFile(Src("Foto/Zu/d.txt"), "d", Stamp(3));
    dir.createFile(Dst("foto/a.txt"), "a", Stamp(3));
    dir.createFile(Dst("foto/reise/b.txt"), "b", Stamp(3));
    dir.createFile(Dst("foto/zu/d.txt"), "d", Stamp(3));
    params.Verify = true;
    EXPECT_EQ(Run(), kRunOk);
    EXPECT_EQ(Names("z"), (std::vector<std::string>{"Foto"}));
    EXPECT_EQ(Names("z/Foto"), (std::vector<std::string>{"Reise", "a.txt", "zu"}));
    EXPECT_EQ(Names("z/Foto/Reise"), (std::vector<std::string>{"b.txt", "c.txt"}));
    EXPECT_EQ(dir.readFile(Dst("Foto/Reise/c.txt")), "neu");
    EXPECT_NE(Log().find("1 Dateipaar erfolgreich verglichen"), std::string::npos) << Log();

    // Both ways, a backward copy brings the destination's folder name back to the source.
    TwoWay();
    ::rename(dir.filePath("z/Foto").c_str(), dir.filePath("z/FOTO").c_str());
    dir.createFile(Dst("FOTO/a.txt"), "geändert", Stamp(0.5));
    EXPECT_EQ(Run(), kRunOk);
    EXPECT_EQ(Names("q"), (std::vector<std::string>{"FOTO"}));
    EXPECT_EQ(Names("q/FOTO"), (std::vector<std::string>{"Reise", "Zu", "a.txt"}));
    EXPECT_EQ(dir.readFile(Src("FOTO/a.txt")), "geändert");
    EXPECT_EQ(Names("z"), (std::vector<std::string>{"FOTO"}));
}

// Both ways, the snapshot tells which side renamed a folder: a copy from the other side never
// takes the new name back, and the next copy the other way carries it across.
TEST_F(PairingTest, CaseOnlyFolderRename_SnapshotKeepsTheRenamingSide)
{
    TwoWay();
    params.OrphanModeB = 5;
    dir.createFile(Src("foto/a.txt"), "a", Stamp(3));
    dir.createFile(Src("foto/b.txt"), "b", Stamp(3));
    EXPECT_EQ(Run(), kRunOk);  // copies and writes the snapshot
    ASSERT_EQ(Names("z"), std::vector<std::string>{"foto"});

    ::rename(dir.filePath("q/foto").c_str(), dir.filePath("q/Foto").c_str());
    dir.createFile(Dst("foto/b.txt"), "b neu", Stamp(0.5));
    EXPECT_EQ(Run(), kRunOk);
    EXPECT_EQ(dir.readFile(Src("Foto/b.txt")), "b neu");
    EXPECT_EQ(Names("q"), std::vector<std::string>{"Foto"});

    dir.createFile(Src("Foto/a.txt"), "a neu", Stamp(0.2));
    EXPECT_EQ(Run(), kRunOk);
    EXPECT_EQ(Names("z"), std::vector<std::string>{"Foto"});
    EXPECT_EQ(dir.readFile(Dst("Foto/a.txt")), "a neu");
}

// Files likewise: a file renamed in case only on one side keeps its new name when the other
// side's newer content comes across; the next copy the other way carries the name over.
TEST_F(PairingTest, CaseOnlyFileRename_SnapshotKeepsTheRenamingSide)
{
    TwoWay();
    params.OrphanModeB = 5;
    dir.createFile(Src("b.txt"), "b", Stamp(3));
    EXPECT_EQ(Run(), kRunOk);  // copies and writes the snapshot

    ::rename(dir.filePath("q/b.txt").c_str(), dir.filePath("q/B.txt").c_str());
    dir.createFile(Dst("b.txt"), "b neu", Stamp(0.5));
    EXPECT_EQ(Run(), kRunOk);
    EXPECT_EQ(Names("q"), std::vector<std::string>{"B.txt"});
    EXPECT_EQ(dir.readFile(Src("B.txt")), "b neu");

    dir.createFile(Src("B.txt"), "b neuer", Stamp(0.2));
    EXPECT_EQ(Run(), kRunOk);
    EXPECT_EQ(Names("z"), std::vector<std::string>{"B.txt"});
    EXPECT_EQ(dir.readFile(Dst("B.txt")), "b neuer");
}

// A run that could not read one side's folder leaves no names of it to go by: a case-only
// rename on the other side is then not taken for the unread side's, and its name travels.
TEST_F(PairingTest, CaseOnlyRenameAfterAnUnreadableFolder_TheRenamedNameTravels)
{
    TwoWay();
    params.OrphanModeB = 5;
    dir.createFile(Src("sub/e.txt"), "e", Stamp(3));
    EXPECT_EQ(Run(), kRunOk);

    ::rename(dir.filePath("z/sub/e.txt").c_str(), dir.filePath("z/sub/E.txt").c_str());
    dir.createFile(Dst("sub/E.txt"), "e neu", Stamp(0.5));
    dir.createFile(Src("a.txt"), "a", Stamp(0.5));  // work elsewhere: that run writes a snapshot
    {
        const PermissionsBite bite;
        ASSERT_EQ(::chmod(dir.filePath("q/sub").c_str(), 0), 0);
        EXPECT_EQ(Run(), kRunErrors);
        ASSERT_EQ(::chmod(dir.filePath("q/sub").c_str(), 0755), 0);
    }
    EXPECT_EQ(Run(), kRunOk);
    EXPECT_EQ(Names("q/sub"), std::vector<std::string>{"E.txt"});
    EXPECT_EQ(dir.readFile(Src("sub/E.txt")), "e neu");
}

// Folders likewise: a folder renamed in case only before a run that could not read the other
// side's parent folder still carries its name across with the next copy out of it.
TEST_F(PairingTest, FolderCaseRenameBeforeAnUnreadableRun_TheRenamedNameTravels)
{
    TwoWay();
    params.OrphanModeB = 5;
    dir.createFile(Src("sub/Foto/a.txt"), "a", Stamp(3));
    EXPECT_EQ(Run(), kRunOk);

    ::rename(dir.filePath("z/sub/Foto").c_str(), dir.filePath("z/sub/foto").c_str());
    dir.createFile(Src("b.txt"), "b", Stamp(0.5));  // work elsewhere: that run writes a snapshot
    {
        const PermissionsBite bite;
        ASSERT_EQ(::chmod(dir.filePath("q/sub").c_str(), 0), 0);
        EXPECT_EQ(Run(), kRunErrors);
        ASSERT_EQ(::chmod(dir.filePath("q/sub").c_str(), 0755), 0);
    }
    dir.createFile(Dst("sub/foto/a.txt"), "a neu", Stamp(0.2));
    EXPECT_EQ(Run(), kRunOk);
    EXPECT_EQ(Names("q/sub"), std::vector<std::string>{"foto"});
    EXPECT_EQ(dir.readFile(Src("sub/foto/a.txt")), "a neu");
}

// A new folder below a folder renamed in case only goes into the renamed folder, never into a
// second folder beside it.
TEST_F(PairingTest, NewFolderBelowACaseOnlyRename_NeverSplitsTheFolder)
{
    dir.createFile(Src("Foto/a.txt"), "a", Stamp(3));
    dir.createFile(Src("Foto/Neu/Tief/x.txt"), "x", Stamp(1));
    dir.createFile(Dst("foto/a.txt"), "a", Stamp(3));
    EXPECT_EQ(Run(), kRunOk);
    EXPECT_EQ(Names("z"), (std::vector<std::string>{"Foto"}));
    EXPECT_EQ(Names("z/Foto"), (std::vector<std::string>{"Neu", "a.txt"}));
    EXPECT_EQ(dir.readFile(Dst("Foto/Neu/Tief/x.txt")), "x");
}

// Where the file system gives no answer and its root cannot take the probe's file, case is
// taken as kept and the log says so; a writable root is probed without a trace.
TEST_F(PairingTest, CaseProbeImpossible_NotedInTheLog)
{
    SetFileSystemTypeForTest([](const std::string&) { return 0x65735546L; });  // FUSE
    dir.createFile(Src("a.txt"), "a", Stamp(3));
    dir.createFile(Dst("a.txt"), "a", Stamp(3));
    const std::string destination = dir.filePath("z");
    ::chmod(destination.c_str(), 0555);
    {
        PermissionsBite bite;
        EXPECT_EQ(Run(), kRunOk);
    }
    ::chmod(destination.c_str(), 0755);
    EXPECT_NE(Log().find("Hinweis: Ob " + destination + " Groß- und Kleinschreibung"),
              std::string::npos)
        << Log();

    ::unlink(params.Log.Filename.c_str());
    EXPECT_EQ(Run(), kRunOk);
    SetFileSystemTypeForTest({});
    EXPECT_EQ(Log().find("Hinweis: Ob"), std::string::npos) << Log();
    EXPECT_EQ(Names("z"), std::vector<std::string>{"a.txt"});
}

// On a destination that ignores case (FAT, SMB), "a.txt" and "A.txt" would land on one file.
// The name the destination holds keeps its pair; the other is a conflict, logged in every run
// and never copied over it.
TEST_F(PairingTest, CaseBlindDestination_SecondNameIsAConflictEveryRun)
{
    const std::string destination = dir.filePath("z");
    SetFolderIgnoresCaseForTest([&](const std::string& path) {
        return path.compare(0, destination.size(), destination) == 0;
    });
    dir.createFile(Src("a.txt"), "klein", Stamp(1));
    dir.createFile(Src("A.txt"), "groß", Stamp(1));
    dir.createFile(Src("Neu/x.txt"), "x", Stamp(1));
    dir.createFile(Src("Neu/X.TXT"), "X", Stamp(1));
    dir.createFile(Dst("a.txt"), "alt", Stamp(3));
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        ::unlink(params.Log.Filename.c_str());
        EXPECT_EQ(Run(), kRunOk);
        EXPECT_EQ(Names("z"), (std::vector<std::string>{"Neu", "a.txt"}));
        EXPECT_EQ(dir.readFile(Dst("a.txt")), "klein");
        // Nothing there yet: the first name by byte order goes, the other waits.
        EXPECT_EQ(Names("z/Neu"), (std::vector<std::string>{"X.TXT"}));
        const std::string log = Log();
        EXPECT_NE(log.find("q/A.txt"), std::string::npos) << log;
        EXPECT_NE(log.find("q/Neu/x.txt"), std::string::npos) << log;
        EXPECT_NE(log.find("Groß- und Kleinschreibung"), std::string::npos) << log;
    }
    SetFolderIgnoresCaseForTest({});
}

// Two names of one side folding to one name of the other: no guess, nothing overwritten or
// deleted, each file logged as a conflict.
TEST_F(PairingTest, SeveralNamesFoldingToOne_AreConflictsLeftAlone)
{
    TwoWay();
    params.OrphanModeB = 4;
    dir.createFile(Src("a.txt"), "klein", Stamp(1));
    dir.createFile(Src("A.txt"), "groß", Stamp(1));
    dir.createFile(Dst("A.TXT"), "ziel", Stamp(3));
    EXPECT_EQ(Run(), kRunOk);
    EXPECT_EQ(dir.readFile(Dst("A.TXT")), "ziel");
    EXPECT_EQ(dir.readFile(Src("a.txt")), "klein");
    EXPECT_EQ(dir.readFile(Src("A.txt")), "groß");
    EXPECT_FALSE(dir.exists(Dst("a.txt")));
    EXPECT_FALSE(dir.exists(Src("A.TXT")));
    const std::string log = Log();
    EXPECT_NE(log.find("Warnung: Konflikt, übergangen:"), std::string::npos) << log;
    EXPECT_NE(log.find("q/a.txt"), std::string::npos) << log;
    EXPECT_NE(log.find("q/A.txt"), std::string::npos) << log;
    EXPECT_NE(log.find("z/A.TXT"), std::string::npos) << log;
}

// Folders that differ only in case would merge on such a destination: the first goes ahead,
// the other and everything below it are logged and left alone, both ways.
TEST_F(PairingTest, CaseBlindDestination_TwinFoldersNeverMerge)
{
    const std::string destination = dir.filePath("z");
    SetFolderIgnoresCaseForTest([&](const std::string& path) {
        return path.compare(0, destination.size(), destination) == 0;
    });
    TwoWay();
    dir.createFile(Src("Foto/a.txt"), "a", Stamp(1));
    dir.createFile(Src("Foto/2020/x.txt"), "x", Stamp(1));
    dir.createFile(Src("foto/b.txt"), "b", Stamp(1));
    dir.createFile(Src("foto/2020/y.txt"), "y", Stamp(1));
    dir.createFile(Src("foto/2021/z.txt"), "z", Stamp(1));
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        EXPECT_EQ(Run(), kRunOk);
        EXPECT_EQ(Names("z"), (std::vector<std::string>{"Foto"}));
        EXPECT_EQ(Names("z/Foto"), (std::vector<std::string>{"2020", "a.txt"}));
        EXPECT_EQ(Names("z/Foto/2020"), (std::vector<std::string>{"x.txt"}));
        EXPECT_EQ(Names("q/Foto"), (std::vector<std::string>{"2020", "a.txt"}));
        EXPECT_EQ(Names("q/foto/2020"), (std::vector<std::string>{"y.txt"}));
    }
    const std::string log = Log();
    EXPECT_NE(log.find("q/foto/2021"), std::string::npos) << log;
    SetFolderIgnoresCaseForTest({});
}

// A case-blind file system further down the destination (a FAT stick below a drive of "/", a
// case-folded ext4 folder) keeps twin folders apart there as well; above it they stay apart.
TEST_F(PairingTest, CaseBlindFolderBelowTheRoot_TwinFoldersNeverMerge)
{
    const std::string stick = dir.filePath("z/Stick");
    SetFolderIgnoresCaseForTest(
        [&](const std::string& path) { return path.compare(0, stick.size(), stick) == 0; });
    dir.createFile(Src("Stick/Foto/a.txt"), "a", Stamp(1));
    dir.createFile(Src("Stick/foto/b.txt"), "b", Stamp(1));
    dir.createFile(Src("Alt/a.txt"), "a", Stamp(1));
    dir.createFile(Src("alt/b.txt"), "b", Stamp(1));
    dir.createDir(Dst("Stick"));
    EXPECT_EQ(Run(), kRunOk);
    SetFolderIgnoresCaseForTest({});
    EXPECT_EQ(Names("z/Stick"), std::vector<std::string>{"Foto"});
    EXPECT_EQ(Names("z"), (std::vector<std::string>{"Alt", "Stick", "alt"}));
    EXPECT_NE(Log().find("q/Stick/foto"), std::string::npos) << Log();
}

// A new "data.txt" beside "Data.txt" is new, not a file the destination deleted: the snapshot
// lookup pairs names exactly as the scan does.
TEST_F(PairingTest, SnapshotLookupUsesThePairingRule)
{
    TwoWay();
    params.OrphanModeB = 5;
    dir.createFile(Src("Data.txt"), "alt", Stamp(3));
    EXPECT_EQ(Run(), kRunOk);  // first run: copies and writes the snapshot
    ASSERT_TRUE(dir.exists(Dst("Data.txt")));
    params.LastUpdate = DateTimeToFileTime(Now()) + 1;  // later than every file below

    dir.createFile(Src("data.txt"), "neu daneben", Stamp(0.5));
    dir.createFile(Src("Notiz.txt"), "n", Stamp(3));
    dir.createFile(Dst("NOTIZ.TXT"), "n", Stamp(3));
    EXPECT_EQ(Run(), kRunOk);
    EXPECT_EQ(dir.readFile(Src("data.txt")), "neu daneben");
    EXPECT_EQ(dir.readFile(Dst("data.txt")), "neu daneben");
    EXPECT_EQ(dir.readFile(Dst("Data.txt")), "alt");

    // A real deletion is still found through a case difference held one to one.
    ::unlink(dir.filePath(Dst("NOTIZ.TXT")).c_str());
    EXPECT_EQ(Run(), kRunOk);
    EXPECT_FALSE(dir.exists(Src("Notiz.txt")));
}

// The lookup itself: exact names, a single case variant, and an ambiguous group.
TEST_F(PairingTest, SnapshotLookup_ExactSingleVariantAndAmbiguous)
{
    dir.createFile("job.lst", "1\r\n\\\r\n3\r\nData.txt\r\nx.TXT\r\nX.txt\r\n\\\r\n0\r\n");
    dir.createFile(Src("Data.txt"));
    dir.createFile(Src("data.txt"));
    cRunContext run(params, nullptr);
    cSnapshot snapshot;
    ASSERT_EQ(snapshot.ReadSnapshot(dir.filePath("job.lst"), run), 0);
    cListing own;
    own.Read(dir.filePath("q"), true);
    EXPECT_TRUE(snapshot.WasInSource("\\", "Data.txt", &own));
    EXPECT_FALSE(snapshot.WasInSource("\\", "data.txt", &own));  // its own file, no match
    EXPECT_TRUE(snapshot.WasInSource("\\", "DATA.TXT"));         // single variant
    EXPECT_FALSE(snapshot.WasInSource("\\", "x.txt"));           // two variants: no guess
    EXPECT_TRUE(snapshot.WasInSource("\\", "X.txt"));
}
