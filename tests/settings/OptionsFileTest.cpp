#include "settings/OptionsFile.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/Clock.h"
#include "platform/FileTimes.h"
#include "platform/Paths.h"
#include "settings/Parameters.h"
#include "support/TestDir.h"

using namespace verdal;

namespace {

// Points the options file and XDG_CONFIG_HOME into a temporary folder.
class OptionsFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (const char* xdg = std::getenv("XDG_CONFIG_HOME")) {
            oldXdg_ = xdg;
        }
        setenv("XDG_CONFIG_HOME", dir_.path().c_str(), 1);
        SetOptionsFilePath(dir_.filePath("Verdal50.ini"));
        SetTestNow(EncodeDateTime(2026, 12, 5, 14, 30));
    }
    void TearDown() override
    {
        SetTestNow(std::nullopt);
        SetPrimaryScreenSize(1024, 768);
        if (oldXdg_) {
            setenv("XDG_CONFIG_HOME", oldXdg_->c_str(), 1);
        } else {
            unsetenv("XDG_CONFIG_HOME");
        }
        SetOptionsFilePath(dir_.filePath("Verdal50.ini"));
    }
    void WriteIni(const std::string& text) { dir_.createFile("Verdal50.ini", text); }
    std::string IniText() const { return dir_.readFile("Verdal50.ini"); }
    static void ReadAllGroups(cParameters& p)
    {
        for (int group : {0, 1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12}) {
            p.ReadOptions(group);
        }
    }

    test::TestDir dir_;
    std::optional<std::string> oldXdg_;
};

}  // namespace

TEST_F(OptionsFileTest, Defaults_WhenFileIsMissing)
{
    cParameters p;
    p.CheckSizes = 9;
    p.Warnings = 0;
    p.Programm.Splash = false;
    p.TopProfiles[12] = "x";
    SetPrimaryScreenSize(1920, 1080);
    ReadAllGroups(p);

    EXPECT_TRUE(p.Programm.Splash);
    EXPECT_EQ(p.Programm.CompareB, "%1 %2");
    EXPECT_EQ(p.CheckSizes, 3);
    EXPECT_EQ(p.Warnings, 0x55);
    EXPECT_EQ(p.OrphanModeB, 4);
    EXPECT_EQ(p.AbsoluteAge, static_cast<int>(EncodeDateTime(2026, 12, 5)));
    EXPECT_EQ(p.TopProfiles[12], "");
    EXPECT_EQ(p.WindowPositions[kWinMain], (cWindowPos{100, 10, 540, 470, false}));
    EXPECT_EQ(p.WindowPositions[kWinOverview], (cWindowPos{0, 0, 480, 640, false}));
    EXPECT_EQ(p.WindowPositions[kWinInfo].Left, (1920 - 408) / 2);
    EXPECT_EQ(p.WindowPositions[kWinCopy].Top, (1080 - 258) / 2);
    EXPECT_EQ(p.ViewerFontName, "System");
    EXPECT_EQ(p.ViewerFontSize, 10);
    EXPECT_FALSE(dir_.exists("Verdal50.ini"));  // reading never creates the file
}

TEST_F(OptionsFileTest, StoredValues_ReadWithTheirRules)
{
    struct Case
    {
        const char* Line;
        int CheckSizes;
        int Warnings;
        int16_t Left;
    } cases[] = {
        {"CheckSizes=1", 5, 0x55, 100},  // the old "on" value
        {"CheckSizes=0", 0, 0x55, 100}, {"CheckSizes=2", 2, 0x55, 100},
        {"Warnings=255", 3, 255, 100},  {"Warnings=300", 3, 0x55, 100},  // out of range
        {"Warnings=abc", 3, 0x55, 100},
    };
    for (const Case& c : cases) {
        WriteIni(std::string("[Options]\r\n") + c.Line + "\r\n[Main Window]\r\nLeft=40000\r\n");
        cParameters p;
        p.ReadOptions(1);
        p.ReadOptions(5);
        EXPECT_EQ(p.CheckSizes, c.CheckSizes) << c.Line;
        EXPECT_EQ(p.Warnings, c.Warnings) << c.Line;
        EXPECT_EQ(p.WindowPositions[kWinMain].Left, c.Left) << c.Line;
    }
}

TEST_F(OptionsFileTest, WrittenGroups_ReadBackAndKeepOtherSections)
{
    WriteIni("[Drive Letters]\r\nD:=/media/stick\r\n");
    cParameters out;
    out.Programm.Reopen = true;
    out.Programm.LastFile = "/home/anna/Bücher.vrd";
    out.TouchSrc = false;
    out.Warnings = 0xFF;
    out.AppName = "gimp";
    out.NotebookPage = 4;
    out.TopDescriptions[1] = "Täglich";
    out.TopProfiles[12] = "/p/zwölf.vrd";
    out.OldFiles[9] = "/p/neun.vrd";
    out.WindowPositions[kWinLogViewer] = {-5, 7, 300, 200, true};
    out.ViewerFontStyle = FontStyleFromInt(5);
    out.WindowPositions[kWinCopy].Left = 33;
    for (int group : {0, 1, 2, 3, 7, 12, 4, 13}) {
        out.WriteOptions(group);
    }

    cParameters in;
    ReadAllGroups(in);
    EXPECT_EQ(in.Programm, out.Programm);
    EXPECT_FALSE(in.TouchSrc);
    EXPECT_EQ(in.Warnings, 0xFF);
    EXPECT_EQ(in.AppName, "gimp");
    EXPECT_EQ(in.NotebookPage, 4);
    EXPECT_EQ(in.TopDescriptions, out.TopDescriptions);
    EXPECT_EQ(in.TopProfiles, out.TopProfiles);
    EXPECT_EQ(in.OldFiles, out.OldFiles);
    EXPECT_EQ(in.WindowPositions[kWinLogViewer], out.WindowPositions[kWinLogViewer]);
    EXPECT_EQ(in.ViewerFontStyle, out.ViewerFontStyle);
    EXPECT_EQ(in.WindowPositions[kWinCopy].Left, 33);
    EXPECT_EQ(ReadDriveLetters().at('D'), "/media/stick");

    const std::string text = IniText();
    EXPECT_NE(text.find("Warnings=255\n"), std::string::npos);
    EXPECT_LT(text.find("TouchSrc="), text.find("AbsoluteAge="));
    EXPECT_LT(text.find("AbsoluteAge="), text.find("NotebookPage="));
    EXPECT_LT(text.find("Description1="), text.find("Profile1="));
    EXPECT_LT(text.find("Profile1="), text.find("Description2="));
    EXPECT_EQ(text.find("[Copy Window]\nLeft=33\nTop="), text.find("[Copy Window]"));
    EXPECT_EQ(text.find("Right", text.find("[Copy Window]")), std::string::npos);
}

// Each profile keeps its own UTC stamps under its full path; the local name-only pair is still
// written for older versions and read only when no profile of that name has stamps of its own.
TEST_F(OptionsFileTest, LastUpdate_KeptPerFullPathInUtc)
{
    SetTestUtcOffset(3600);
    cParameters a;
    a.LastUpdateUtc = 0x01D9'1234'8765'4321ULL;
    a.LastUpdate = UtcToLocalFileTime(a.LastUpdateUtc);
    a.LastRunEndUtc = a.LastUpdateUtc + 600'000'000;
    a.WriteLastUpdate("/home/a/Sync.vrd");
    cParameters b;
    b.LastUpdateUtc = a.LastUpdateUtc + 36'000'000'000;
    b.LastUpdate = UtcToLocalFileTime(b.LastUpdateUtc);
    b.WriteLastUpdate("/home/b/Sync.vrd");
    const std::string text = IniText();
    EXPECT_NE(text.find("/home/a/Sync.vrd UTC="), std::string::npos) << text;
    EXPECT_NE(text.find("Sync.vrd Lo="), std::string::npos) << text;
    EXPECT_NE(text.find("Sync.vrd Hi="), std::string::npos) << text;

    SetTestUtcOffset(7200);  // read after a change of daylight saving time: UTC is what counts
    cParameters q;
    q.ReadLastUpdate("/home/a/Sync.vrd");
    EXPECT_EQ(q.LastUpdateUtc, a.LastUpdateUtc);
    EXPECT_EQ(q.LastRunEndUtc, a.LastRunEndUtc);
    EXPECT_EQ(q.LastUpdate, UtcToLocalFileTime(a.LastUpdateUtc));
    q.ReadLastUpdate("/home/b/Sync.vrd");
    EXPECT_EQ(q.LastUpdateUtc, b.LastUpdateUtc);
    q.ReadLastUpdate("/home/c/Sync.vrd");  // never run: not another profile's stamp
    EXPECT_EQ(q.LastUpdate, 0u);
    EXPECT_EQ(q.LastUpdateUtc, 0u);
    SetTestUtcOffset(std::nullopt);
}

TEST_F(OptionsFileTest, LastUpdate_OlderFileReadByName)
{
    SetTestUtcOffset(3600);
    WriteIni("[Last Update]\nDaten.vrd Lo=-2023406815\nDaten.vrd Hi=31003188\n");
    cParameters q;
    q.ReadLastUpdate("/home/b/Daten.vrd");
    EXPECT_EQ(q.LastUpdate, 0x01D9'1234'8765'4321ULL);
    EXPECT_EQ(q.LastUpdateUtc, LocalToUtcFileTime(q.LastUpdate));
    q.ReadLastUpdate("/home/b/Andere.vrd");
    EXPECT_EQ(q.LastUpdate, 0u);
    SetTestUtcOffset(std::nullopt);
}

TEST_F(OptionsFileTest, DriveLetters_DefaultAndOverrides)
{
    EXPECT_EQ(ReadDriveLetters(), (std::map<char, std::string>{{'C', "/"}}));

    WriteIni("[Drive Letters]\nc:=\nd:=/media/anna/STICK/\nE=/srv\n1:=/x\nF:=relativ\n");
    EXPECT_EQ(ReadDriveLetters(),
              (std::map<char, std::string>{{'D', "/media/anna/STICK"}, {'E', "/srv"}}));
    ApplyDriveLetters();
    EXPECT_EQ(DriveLetters().count('C'), 0u);
    EXPECT_EQ(DriveLetters().at('E'), "/srv");
    SetDriveLetters({{'C', "/"}});
}

TEST_F(OptionsFileTest, DriveHistory_RoundTrips)
{
    WriteDriveHistory("Src", {"/media/stick", "\\\\nas\\fotos"});
    WriteDriveHistory("Dest", {"C:"});
    EXPECT_EQ(ReadDriveHistory("Src"),
              (std::vector<std::string>{"/media/stick", "\\\\nas\\fotos"}));
    EXPECT_EQ(ReadDriveHistory("Dest"), (std::vector<std::string>{"C:"}));
    EXPECT_TRUE(ReadDriveHistory("Other").empty());
}

TEST_F(OptionsFileTest, Location_FollowsXdgAndCreatesFolderOnWrite)
{
    SetOptionsFilePath("");
    EXPECT_EQ(OptionsFilePath(), dir_.path() + "/verdal/Verdal50.ini");
    EXPECT_EQ(DefaultLogFileName(), dir_.path() + "/verdal/Log.txt");
    cParameters p;
    p.WriteOptions(0);
    EXPECT_TRUE(dir_.exists("verdal/Verdal50.ini"));

    setenv("XDG_CONFIG_HOME", "relativ", 1);  // not absolute: ignored
    SetOptionsFilePath("");
    EXPECT_EQ(OptionsFilePath().find("relativ"), std::string::npos);
    EXPECT_NE(OptionsFilePath().find("/.config/verdal/Verdal50.ini"), std::string::npos);
}

TEST_F(OptionsFileTest, WriteFailure_IsSwallowed)
{
    dir_.createFile("datei", "kein Ordner");
    SetOptionsFilePath(dir_.filePath("datei/Verdal50.ini"));
    cParameters p;
    p.Programm.Splash = false;
    p.WriteOptions(0);
    p.WriteLastUpdate("/a/Daten.vrd");
    p.ReadOptions(0);
    EXPECT_TRUE(p.Programm.Splash);
    EXPECT_EQ(dir_.readFile("datei"), "kein Ordner");
}

TEST_F(OptionsFileTest, WindowsFile_ReadAsWindows1252)
{
    WriteIni(
        "[Program Options]\r\nLastFile=C:\\B\xFC"
        "cher.vrd\r\n");
    cParameters p;
    p.ReadOptions(0);
    EXPECT_EQ(p.Programm.LastFile, "C:\\Bücher.vrd");
}
