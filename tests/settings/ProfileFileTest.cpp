#include "settings/ProfileFile.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <csignal>

#include <algorithm>

#include "DocumentFileFixture.h"
#include "platform/FileIO.h"
#include "platform/WinError.h"

using namespace verdal;
using Lines = std::vector<std::string>;

namespace {

std::vector<int> Ints(std::initializer_list<int> values)
{
    return values;
}

Lines Texts(std::initializer_list<std::string> values)
{
    return values;
}

class ProfileFileTest : public test::DocumentFileTest
{
protected:
    static std::string FileBytes(const std::string& path)
    {
        std::string bytes;
        EXPECT_EQ(ReadWholeFile(path, bytes), 0);
        return bytes;
    }
    // The lines of current.vrd without the Extra Data block that starts with `marker`.
    Lines WithoutBlock(const std::string& marker)
    {
        Lines lines = FixtureLines("profiles/current.vrd");
        const auto first = std::find(lines.begin(), lines.end(), marker);
        const auto next = std::find_if(first + 1, lines.end(), [](const std::string& line) {
            return line.ends_with(" Extra Data");
        });
        lines.erase(first, next);
        return lines;
    }
};

// Numeric and boolean fields are compared block by block, in file order.
TEST_F(ProfileFileTest, Load_CurrentLayoutFillsEveryField)
{
    ASSERT_TRUE(P.LoadFromFile(Fixture("profiles/current.vrd")));
    EXPECT_EQ(
        Texts({P.SourceDrive, P.SearchDirectories[0], P.SearchDirectories[1],
               P.ExcludeDirectories[0], P.CompareFiles[1], P.EnforceFiles[0], P.DeleteFiles[0],
               P.ExcludeFiles[0], P.DestinationDrive, P.DestinationDirectory}),
        Texts({"D:", "\\Büro\\", "\\Daten\\*", "\\Daten\\Temp\\", "*.txt", "*.ini", "*.bak", "~*.*",
               "E:", "\\Sicherung\\"}));
    EXPECT_EQ(Ints({P.Variation, P.TouchSrc, P.TouchDest, P.Attributes, P.ShortenPaths,
                    P.CreateSrcDirs, P.CreateDestDirs, P.DeleteEmptySrcDirs, P.DeleteEmptyDestDirs,
                    P.TransferDirProperties, P.AgeMode, P.RelativeAge, P.AbsoluteAge,
                    P.OrphanModeD1, P.OrphanModeD2, P.OrphanModeB, P.OrphanModeS1, P.OrphanModeS2}),
              Ints({2, 1, 0, 3, 0, 0, 1, 1, 0, 1, 5, 30, 46000, 1, 2, 5, 3, 6}));
    EXPECT_EQ(
        Ints({P.ListSkip, P.EnforceBackward, P.SortingMode, P.ReverseOrder, P.ShowOverview,
              P.CheckSizes, P.BrowseNetwork, P.DiskInfo, P.TimeDifference, P.UseUTC, P.Warnings,
              P.AutoOpen, P.AutoBeep, P.AutoExit, P.AutoShutdown, P.AutoHook, P.NotebookPage}),
        Ints({1, 1, 4, 1, 0, 7, 1, 1, 3600, 1, 170, 1, 1, 0, 2, 1, 4}));
    const cOverviewParameters& o = P.Overview;
    EXPECT_EQ(Ints({o.OpenFolders, o.OneLineRows, o.FilterSizes, o.FilterDoubleChange,
                    o.SystemColor[0], o.SystemColor[1], o.SystemColor[5], int(o.Colors[0]),
                    int(o.Colors[4]), int(o.Colors[5]), o.AlwaysShowPaths}),
              Ints({0, 1, 1, 0, 1, 0, 0, 0xFFFFFF, 255, 0x800000, 0}));
    const cLogParameters& l = P.Log;
    EXPECT_EQ(Ints({l.Active, l.DateTimeMode, l.FileInfoMode, l.Daily, l.Append, l.SkipNormal,
                    l.ViewerKind, P.Schedule.Value(0), P.Schedule.Value(1)}),
              Ints({0, 2, 0, 1, 0, 1, 4, 0x40000000 + 480, int(0xC00001E0u)}));
    EXPECT_EQ(Texts({l.Filename, l.OtherViewer, l.ViewerSwitches}),
              Texts({"C:\\Logs\\Lauf-Größe.txt", "C:\\Programme\\Editor.exe", "/r"}));
    EXPECT_EQ(Ints({P.EightThree, P.CreateAllSrcDirs, P.CreateAllDestDirs, P.TrayIcon,
                    P.OfferFormat, P.EjectDisk, P.TransferPermissions, P.MidnightHours,
                    P.CompareProperties, o.FilterPropertiesOnly, o.ListFontSize, P.Recycle,
                    P.Verify, P.IgnoreDST, P.AutoSense}),
              Ints({1, 1, 0, 1, 1, 1, 0, 4, 1, 1, 10, 0, 1, 0, 1}));
    EXPECT_EQ(Ints({P.AutoApp, P.MyCopy, P.TransferOwner, l.Viewer1, l.Email1, l.Printer1,
                    l.Viewer2, l.Email2, l.Printer2, l.AsAttachment, l.PrintFontSize}),
              Ints({1, 0, 1, 1, 0, 1, 0, 1, 0, 1, 11}));
    EXPECT_EQ(
        Texts({P.DiskLabel, o.ListFontName, P.AppName, l.SenderName, l.SenderAddress,
               l.Recipient1Name, l.Recipient2Address, l.Recipient3Name, l.Recipient3Address,
               l.SubjectPrefix, l.SmtpServer, l.PrinterName, l.PrintFontName}),
        Texts({"BACKUP", "Arial", "Küche.exe", "Jörg Mayer", "joerg@example.org", "Anna", "",
               "Büro", "buero@example.org", "[Verdal]", "mail.example.org", "Laser", "Courier"}));
    EXPECT_EQ(Ints({P.FileKind, P.OldFormat, P.Untitled, P.Modified}), Ints({0, 0, 0, 0}));
    EXPECT_EQ(P.Programm.LastFile, Fixture("profiles/current.vrd"));
    EXPECT_TRUE(Shown.Messages.empty());
}

TEST_F(ProfileFileTest, Save_ReproducesTheFileByteForByte)
{
    ASSERT_TRUE(P.LoadFromFile(Fixture("profiles/current.vrd")));
    P.Modified = true;
    const std::string copy = Dir.filePath("Kopie.vrd");
    ASSERT_TRUE(P.SaveToFile(copy));
    EXPECT_EQ(Dir.readFile("Kopie.vrd"), FileBytes(Fixture("profiles/current.vrd")));
    EXPECT_FALSE(P.Modified || P.Untitled);
    EXPECT_EQ(P.Programm.LastFile, copy);
}

TEST_F(ProfileFileTest, RoundTrip_NameOutsideWindows1252IsWrittenAsUtf8)
{
    const std::string polish = "\\Łódź\\";
    P.SearchDirectories.Add(polish);
    P.SearchDirectories.Add("\\daten\\");
    P.SearchDirectories.Add("\\Daten\\");
    P.AppName = "zwei\nZeilen";
    const std::string path = Dir.filePath("Polen.vrd");
    ASSERT_TRUE(P.SaveToFile(path));

    cParameters loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path));
    EXPECT_EQ(loaded.SearchDirectories, P.SearchDirectories);
    EXPECT_EQ(loaded.SearchDirectories.Count(), 2);
    EXPECT_EQ(loaded.AppName, "zwei Zeilen");
    EXPECT_NE(Dir.readFile("Polen.vrd").find("Łó"), std::string::npos);
}

TEST_F(ProfileFileTest, Load_OlderLayoutWithoutExtraDataTakesBlockDefaults)
{
    P.TransferPermissions = P.MyCopy = P.Recycle = P.IgnoreDST = false;
    P.DiskLabel = "ALT";
    ASSERT_TRUE(P.LoadFromFile(Fixture("profiles/v400-no-extra-data.vrd")));
    EXPECT_TRUE(P.TransferPermissions && P.MyCopy && P.Recycle && P.IgnoreDST);
    EXPECT_FALSE(P.EightThree || P.TrayIcon || P.AutoApp || P.Verify || P.Log.Viewer1);
    EXPECT_EQ(P.DiskLabel, "");
    EXPECT_EQ(P.MidnightHours, 2);
    EXPECT_EQ(P.Overview.ListFontName, "MS Sans Serif");
    EXPECT_EQ(P.Log.PrintFontName, "Courier New");
    EXPECT_EQ(P.SourceDrive, "D:");
    EXPECT_FALSE(P.OldFormat);
}

// A missing block consumes the line read for it, so every later block is missing too.
TEST_F(ProfileFileTest, Load_MissingBlockHidesEveryLaterBlock)
{
    const char* markers[] = {"Verdal 4.03 Extra Data", "Verdal 4.20 Extra Data",
                             "Verdal 5.01 Extra Data", "Verdal 5.02 Extra Data",
                             "Verdal 5.03 Extra Data"};
    for (int dropped = 0; dropped < 5; ++dropped) {
        SCOPED_TRACE(markers[dropped]);
        cParameters p;
        ASSERT_TRUE(p.LoadFromFile(WriteLines("x.vrd", WithoutBlock(markers[dropped]))));
        const bool present[] = {p.TrayIcon, p.DiskLabel == "BACKUP", p.MidnightHours == 4,
                                p.Overview.ListFontName == "Arial", p.AppName != ""};
        for (int block = 0; block < 5; ++block) {
            EXPECT_EQ(present[block], block < dropped) << markers[block];
        }
    }
}

TEST_F(ProfileFileTest, Load_NumbersFollowTheirFieldRules)
{
    const struct
    {
        int Line;  // 1-based line of current.vrd
        const char* Text;
        int (*Field)(const cParameters&);
        int Expected;
    } cases[] = {
        {25, "300", [](const cParameters& p) { return int{p.Variation}; }, 44},
        {25, "-1", [](const cParameters& p) { return int{p.Variation}; }, 255},
        {27, "2", [](const cParameters& p) { return int{p.TouchSrc}; }, 1},
        {27, " 0 ", [](const cParameters& p) { return int{p.TouchSrc}; }, 0},
        {26, "beliebig", [](const cParameters& p) { return int{p.TouchSrc}; }, 1},
        {53, "4294967295", [](const cParameters& p) { return p.TimeDifference; }, -1},
    };
    for (const auto& c : cases) {
        Lines lines = FixtureLines("profiles/current.vrd");
        lines[c.Line - 1] = c.Text;
        cParameters p;
        ASSERT_TRUE(p.LoadFromFile(WriteLines("n.vrd", lines))) << c.Text;
        EXPECT_EQ(c.Field(p), c.Expected) << c.Text;
    }
}

TEST_F(ProfileFileTest, Load_BadFileFailsAndLeavesDocumentUntouched)
{
    ASSERT_TRUE(P.LoadFromFile(Fixture("profiles/current.vrd")));
    P.Modified = true;
    Lines notANumber = FixtureLines("profiles/current.vrd");
    notANumber[26] = "ja";
    Lines hugeCount = FixtureLines("profiles/current.vrd");
    hugeCount[3] = "999999999";
    const Lines truncated(notANumber.begin(), notANumber.begin() + 20);
    const Lines cases[] = {
        {"verdal 5.0 profile", "D:"}, {"Verdal 6.0 Profile"}, {}, notANumber, hugeCount, truncated,
    };
    for (const Lines& lines : cases) {
        Shown.Messages.clear();
        const std::string path = WriteLines("kaputt.vrd", lines);
        EXPECT_FALSE(P.LoadFromFile(path));
        ASSERT_EQ(Shown.Messages.size(), 1u);
        EXPECT_EQ(Shown.Messages[0].Text,
                  "Fehler beim Lesen von...\r" + path + "\rUngültiges Dateiformat");
    }
    EXPECT_EQ(P.SourceDrive, "D:");
    EXPECT_TRUE(P.TouchSrc && P.Modified);
    EXPECT_EQ(P.Programm.LastFile, Fixture("profiles/current.vrd"));

    Shown.Messages.clear();
    EXPECT_FALSE(P.LoadFromFile(Dir.filePath("fehlt.vrd")));
    ASSERT_EQ(Shown.Messages.size(), 1u);
    EXPECT_TRUE(Shown.Messages[0].Text.ends_with("\rFehler 2 - Datei nicht gefunden"));
}

// The quiet reader (used off the window's thread) reads the same and fails the same, with the
// error code instead of a message.
TEST_F(ProfileFileTest, ReadDocumentFile_ShowsNothing)
{
    cParameters quiet = P;
    int error = -1;
    ASSERT_TRUE(ReadDocumentFile(Fixture("profiles/current.vrd"), quiet, error));
    ASSERT_TRUE(P.LoadFromFile(Fixture("profiles/current.vrd")));
    EXPECT_EQ(ProfileLines(quiet), ProfileLines(P));
    EXPECT_FALSE(quiet.Modified);

    const std::string bad = WriteLines("kaputt.vrd", {"Verdal 6.0 Profile"});
    EXPECT_FALSE(ReadDocumentFile(bad, quiet, error));
    EXPECT_EQ(error, kErrInvalidFormat);
    EXPECT_FALSE(ReadDocumentFile(Dir.filePath("fehlt.vrd"), quiet, error));
    EXPECT_EQ(error, 2);
    EXPECT_EQ(quiet.Programm.LastFile, Fixture("profiles/current.vrd"));
    EXPECT_TRUE(Shown.Messages.empty());
}

TEST_F(ProfileFileTest, Load_Version3LayoutConvertsOldValues)
{
    ASSERT_TRUE(P.LoadFromFile(Fixture("profiles/version3.vrd")));
    EXPECT_EQ(Texts({P.SourceDrive, P.SearchDirectories[0], P.SearchDirectories[1],
                     P.ExcludeDirectories[0], P.ExcludeFiles[0], P.DestinationDrive,
                     P.DestinationDirectory, P.Log.Filename}),
              Texts({"D:", "\\Büro\\*", "\\Daten\\", "\\Daten\\Alt\\", "*.tmp",
                     "E:", "\\Sicherung\\", "C:\\Log alt.txt"}));
    EXPECT_TRUE(P.EnforceFiles.Empty() && P.DeleteFiles.Empty());
    EXPECT_EQ(
        Ints({P.Variation,
              P.ShowOverview,
              P.SortingMode,
              P.ReverseOrder,
              P.ShortenPaths,
              P.Attributes,
              P.TouchSrc,
              P.TouchDest,
              P.AgeMode,
              P.RelativeAge,
              P.AbsoluteAge,
              P.OrphanModeD1,
              P.OrphanModeD2,
              P.OrphanModeB,
              P.OrphanModeS1,
              P.OrphanModeS2,
              P.Warnings,
              P.AutoOpen,
              P.AutoExit,
              P.AutoShutdown,
              P.AutoBeep,
              P.CreateSrcDirs,
              P.CreateDestDirs,
              P.DeleteEmptySrcDirs,
              P.DeleteEmptyDestDirs,
              P.CheckSizes}),
        Ints({1, 1, 3, 1, 0, 3, 1, 1, 1, 14, 36000, 1, 2, 1, 1, 2, 85, 1, 1, 3, 0, 0, 1, 1, 0, 4}));
    const cOverviewParameters& o = P.Overview;
    EXPECT_EQ(Ints({P.Log.Active, P.Log.DateTimeMode, P.Log.FileInfoMode, P.Log.Append,
                    P.Log.Viewer1, P.Log.Viewer2, o.OneLineRows, o.FilterSizes,
                    o.FilterDoubleChange, int(o.Colors[0]), int(o.Colors[1]), int(o.Colors[2]),
                    o.AlwaysShowPaths, P.TransferPermissions, P.OldFormat, P.FileKind}),
              Ints({1, 2, 1, 0, 1, 1, 1, 1, 0, 12632256, 8421504, 0x008000, 0, 0, 1, 0}));
}

TEST_F(ProfileFileTest, Load_UnversionedLayoutConvertsOldValues)
{
    P.Schedule.Add({}, 5);
    ASSERT_TRUE(P.LoadFromFile(Fixture("profiles/unversioned.vrd")));
    EXPECT_EQ(Texts({P.DestinationDrive, P.DestinationDirectory, P.SourceDrive,
                     P.SearchDirectories[0], P.CompareFiles[0], P.Log.Filename}),
              Texts({"C:", "\\Ziel\\", "C:", "\\Eigene Dateien\\*", "*.doc", "C:\\Log.txt"}));
    EXPECT_EQ(
        Ints({P.Variation,
              P.ShowOverview,
              P.SortingMode,
              P.ShortenPaths,
              P.AgeMode,
              P.AbsoluteAge,
              P.CreateSrcDirs,
              P.CreateDestDirs,
              P.DeleteEmptySrcDirs,
              P.DeleteEmptyDestDirs,
              P.CheckSizes,
              P.TouchSrc,
              P.TouchDest,
              P.OrphanModeD1,
              P.OrphanModeD2,
              P.OrphanModeB,
              P.OrphanModeS1,
              P.OrphanModeS2,
              P.Attributes,
              P.Warnings,
              P.Schedule.Count(),
              P.OldFormat}),
        Ints({3, 0, 5,    1, 0, int(EncodeDateTime(2026, 12, 6)), 1, 1, 1, 0, 5, 1, 0, 0, 2, 2, 3,
              2, 3, 0x55, 0, 1}));
}

TEST_F(ProfileFileTest, Save_FailedSaveKeepsThePreviousFile)
{
    const std::string path = Dir.filePath("Profil.vrd");
    ASSERT_TRUE(P.SaveToFile(path));
    const std::string saved = Dir.readFile("Profil.vrd");
    for (int i = 0; i < 2000; ++i) {
        P.SearchDirectories.Add("\\Ordner " + std::to_string(i) + "\\");
    }
    P.Modified = true;

    // A file size limit makes the write fail part-way, for root as for anyone else.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool ok = P.SaveToFile(path);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(ok);
    EXPECT_TRUE(P.Modified);
    EXPECT_EQ(Dir.readFile("Profil.vrd"), saved);
    ASSERT_EQ(Shown.Messages.size(), 1u);
    EXPECT_TRUE(Shown.Messages[0].Text.starts_with("Fehler beim Schreiben von...\r" + path));
}

}  // namespace
