#include "settings/ProfileFile.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <csignal>

#include <algorithm>

#include "DocumentFileFixture.h"
#include "platform/FileIO.h"

using namespace verdal;
using Lines = std::vector<std::string>;

namespace {

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

TEST_F(ProfileFileTest, Load_CurrentLayoutFillsEveryField)
{
    ASSERT_TRUE(P.LoadFromFile(Fixture("profiles/current.vrd")));
    EXPECT_EQ(P.SourceDrive, "D:");
    ASSERT_EQ(P.SearchDirectories.Count(), 2);
    EXPECT_EQ(P.SearchDirectories[0], "\\B\xC3\xBCro\\");
    EXPECT_EQ(P.SearchDirectories[1], "\\Daten\\*");
    EXPECT_EQ(P.ExcludeDirectories[0], "\\Daten\\Temp\\");
    EXPECT_EQ(P.CompareFiles.Count(), 2);
    EXPECT_EQ(P.EnforceFiles[0], "*.ini");
    EXPECT_EQ(P.DeleteFiles[0], "*.bak");
    EXPECT_EQ(P.ExcludeFiles[0], "~*.*");
    EXPECT_EQ(P.DestinationDrive, "E:");
    EXPECT_EQ(P.DestinationDirectory, "\\Sicherung\\");
    EXPECT_EQ(P.Variation, 2);
    EXPECT_EQ((Lines{std::to_string(P.TouchSrc), std::to_string(P.TouchDest),
                     std::to_string(P.Attributes), std::to_string(P.ShortenPaths),
                     std::to_string(P.CreateSrcDirs), std::to_string(P.CreateDestDirs),
                     std::to_string(P.DeleteEmptySrcDirs), std::to_string(P.DeleteEmptyDestDirs),
                     std::to_string(P.TransferDirProperties)}),
              (Lines{"1", "0", "3", "0", "0", "1", "1", "0", "1"}));
    EXPECT_EQ(P.AgeMode, 5);
    EXPECT_EQ(P.RelativeAge, 30);
    EXPECT_EQ(P.AbsoluteAge, 46000);
    EXPECT_EQ((std::vector<int>{P.OrphanModeD1, P.OrphanModeD2, P.OrphanModeB, P.OrphanModeS1,
                                P.OrphanModeS2}),
              (std::vector<int>{1, 2, 5, 3, 6}));
    EXPECT_TRUE(P.ListSkip && P.EnforceBackward && P.ReverseOrder && P.BrowseNetwork && P.DiskInfo);
    EXPECT_EQ(P.SortingMode, 4);
    EXPECT_FALSE(P.ShowOverview);
    EXPECT_EQ(P.CheckSizes, 7);
    EXPECT_EQ(P.TimeDifference, 3600);
    EXPECT_TRUE(P.UseUTC);
    EXPECT_EQ(P.Warnings, 170);
    EXPECT_TRUE(P.AutoOpen && P.AutoBeep && P.AutoHook);
    EXPECT_FALSE(P.AutoExit);
    EXPECT_EQ(P.AutoShutdown, 2);
    EXPECT_EQ(P.NotebookPage, 4);

    const cOverviewParameters& o = P.Overview;
    EXPECT_FALSE(o.OpenFolders);
    EXPECT_TRUE(o.OneLineRows && o.FilterSizes && o.FilterPropertiesOnly);
    EXPECT_FALSE(o.FilterDoubleChange || o.AlwaysShowPaths);
    EXPECT_EQ(o.SystemColor, (std::array<bool, 6>{true, false, true, false, true, false}));
    EXPECT_EQ(o.Colors[4], 255u);
    EXPECT_EQ(o.Colors[5], 0x800000u);
    EXPECT_EQ(o.ListFontName, "Arial");
    EXPECT_EQ(o.ListFontSize, 10);

    const cLogParameters& l = P.Log;
    EXPECT_FALSE(l.Active || l.Append || l.Email1 || l.Viewer2 || l.Printer2);
    EXPECT_EQ(l.Filename,
              "C:\\Logs\\Lauf-Gr\xC3\xB6\xC3\x9F"
              "e.txt");
    EXPECT_EQ(l.DateTimeMode, 2);
    EXPECT_EQ(l.FileInfoMode, 0);
    EXPECT_TRUE(l.Daily && l.SkipNormal && l.Viewer1 && l.Printer1 && l.Email2 && l.AsAttachment);
    EXPECT_EQ(l.ViewerKind, 4);
    EXPECT_EQ(l.OtherViewer, "C:\\Programme\\Editor.exe");
    EXPECT_EQ(l.ViewerSwitches, "/r");
    EXPECT_EQ(l.SenderName, "J\xC3\xB6rg Mayer");
    EXPECT_EQ(l.Recipient2Name, "");
    EXPECT_EQ(l.Recipient3Address, "buero@example.org");
    EXPECT_EQ(l.SubjectPrefix, "[Verdal]");
    EXPECT_EQ(l.SmtpServer, "mail.example.org");
    EXPECT_EQ(l.PrinterName, "Laser");
    EXPECT_EQ(l.PrintFontName, "Courier");
    EXPECT_EQ(l.PrintFontSize, 11);

    ASSERT_EQ(P.Schedule.Count(), 2);
    EXPECT_EQ(P.Schedule.Value(0), 0x40000000 + 480);
    EXPECT_EQ(static_cast<uint32_t>(P.Schedule.Value(1)), 0xC00001E0u);
    EXPECT_TRUE(P.EightThree && P.CreateAllSrcDirs && P.TrayIcon);
    EXPECT_FALSE(P.CreateAllDestDirs);
    EXPECT_EQ(P.DiskLabel, "BACKUP");
    EXPECT_TRUE(P.OfferFormat && P.EjectDisk && P.CompareProperties && P.Verify && P.AutoSense);
    EXPECT_FALSE(P.TransferPermissions || P.Recycle || P.IgnoreDST || P.MyCopy);
    EXPECT_EQ(P.MidnightHours, 4);
    EXPECT_TRUE(P.AutoApp && P.TransferOwner);
    EXPECT_EQ(P.AppName,
              "K\xC3\xBC"
              "che.exe");

    EXPECT_EQ(P.FileKind, 0);
    EXPECT_FALSE(P.OldFormat || P.Untitled || P.Modified);
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
    const std::string polish =
        "\\\xC5\x81\xC3\xB3"
        "d\xC5\xBA\\";  // \Łódź\ .
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
    EXPECT_NE(Dir.readFile("Polen.vrd").find("\xC5\x81\xC3\xB3"), std::string::npos);
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
                  "Fehler beim Lesen von...\r" + path + "\rUng\xC3\xBCltiges Dateiformat");
    }
    EXPECT_EQ(P.SourceDrive, "D:");
    EXPECT_TRUE(P.TouchSrc && P.Modified);
    EXPECT_EQ(P.Programm.LastFile, Fixture("profiles/current.vrd"));
}

TEST_F(ProfileFileTest, Load_MissingFileReportsTheSystemError)
{
    const std::string path = Dir.filePath("fehlt.vrd");
    EXPECT_FALSE(P.LoadFromFile(path));
    ASSERT_EQ(Shown.Messages.size(), 1u);
    EXPECT_EQ(Shown.Messages[0].Text,
              "Fehler beim Lesen von...\r" + path + "\rFehler 2 - Datei nicht gefunden");
}

TEST_F(ProfileFileTest, Load_Version3LayoutConvertsOldValues)
{
    ASSERT_TRUE(P.LoadFromFile(Fixture("profiles/version3.vrd")));
    EXPECT_TRUE(P.OldFormat);
    EXPECT_EQ(P.FileKind, 0);
    EXPECT_EQ(P.SourceDrive, "D:");
    EXPECT_EQ(P.SearchDirectories[0], "\\B\xC3\xBCro\\*");
    EXPECT_EQ(P.SearchDirectories[1], "\\Daten\\");
    EXPECT_EQ(P.ExcludeDirectories[0], "\\Daten\\Alt\\");
    EXPECT_EQ(P.ExcludeFiles[0], "*.tmp");
    EXPECT_TRUE(P.EnforceFiles.Empty() && P.DeleteFiles.Empty());
    EXPECT_EQ(P.DestinationDrive, "E:");
    EXPECT_EQ(P.DestinationDirectory, "\\Sicherung\\");
    EXPECT_EQ(P.Variation, 1);
    EXPECT_TRUE(P.ShowOverview && P.ReverseOrder && P.TouchSrc && P.TouchDest);
    EXPECT_FALSE(P.ShortenPaths);
    EXPECT_EQ(P.SortingMode, 3);
    EXPECT_EQ(P.Attributes, 3);
    EXPECT_EQ(P.RelativeAge, 14);
    EXPECT_EQ(P.AbsoluteAge, 36000);
    EXPECT_EQ((std::vector<int>{P.OrphanModeD1, P.OrphanModeD2, P.OrphanModeB, P.OrphanModeS1,
                                P.OrphanModeS2}),
              (std::vector<int>{1, 2, 1, 1, 2}));
    EXPECT_EQ(P.Warnings, 85);
    EXPECT_TRUE(P.AutoOpen && P.AutoExit && P.CreateDestDirs && P.DeleteEmptySrcDirs);
    EXPECT_EQ(P.AutoShutdown, 3);
    EXPECT_FALSE(P.AutoBeep || P.CreateSrcDirs || P.DeleteEmptyDestDirs || P.TransferPermissions);
    EXPECT_EQ(P.CheckSizes, 4);
    EXPECT_EQ(P.Log.DateTimeMode, 2);
    EXPECT_EQ(P.Log.FileInfoMode, 1);
    EXPECT_EQ(P.Log.Filename, "C:\\Log alt.txt");
    EXPECT_TRUE(P.Log.Viewer1 && P.Log.Viewer2 && P.Overview.OneLineRows);
    EXPECT_FALSE(P.Log.Append || P.Overview.AlwaysShowPaths);
    EXPECT_EQ(P.Overview.Colors[0], 12632256u);
    EXPECT_EQ(P.Overview.Colors[1], 8421504u);
    EXPECT_EQ(P.Overview.Colors[2], 0x008000u);
}

TEST_F(ProfileFileTest, Load_UnversionedLayoutConvertsOldValues)
{
    P.Schedule.Add({}, 5);
    ASSERT_TRUE(P.LoadFromFile(Fixture("profiles/unversioned.vrd")));
    EXPECT_TRUE(P.OldFormat);
    EXPECT_EQ(P.DestinationDrive, "C:");
    EXPECT_EQ(P.DestinationDirectory, "\\Ziel\\");
    EXPECT_EQ(P.Variation, 3);
    EXPECT_FALSE(P.ShowOverview);
    EXPECT_EQ(P.SortingMode, 5);
    EXPECT_TRUE(P.ShortenPaths);
    EXPECT_EQ(P.AgeMode, 0);
    EXPECT_EQ(P.AbsoluteAge, static_cast<int>(EncodeDateTime(2026, 12, 6)));
    EXPECT_TRUE(P.CreateSrcDirs && P.CreateDestDirs && P.DeleteEmptySrcDirs);
    EXPECT_EQ(P.CheckSizes, 5);
    EXPECT_TRUE(P.TouchSrc);
    EXPECT_FALSE(P.TouchDest || P.DeleteEmptyDestDirs);
    EXPECT_EQ((std::vector<int>{P.OrphanModeD1, P.OrphanModeD2, P.OrphanModeB, P.OrphanModeS1,
                                P.OrphanModeS2}),
              (std::vector<int>{0, 2, 2, 3, 2}));
    EXPECT_EQ(P.Attributes, 3);
    EXPECT_EQ(P.Warnings, 0x55);
    EXPECT_EQ(P.SourceDrive, "C:");
    ASSERT_EQ(P.SearchDirectories.Count(), 1);
    EXPECT_EQ(P.SearchDirectories[0], "\\Eigene Dateien\\*");
    EXPECT_EQ(P.CompareFiles[0], "*.doc");
    EXPECT_EQ(P.Log.Filename, "C:\\Log.txt");
    EXPECT_TRUE(P.Schedule.Empty());
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
