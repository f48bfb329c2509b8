#include "settings/Parameters.h"

#include <gtest/gtest.h>

#include "DocumentFileFixture.h"

using namespace verdal;

namespace {

using ParametersTest = test::DocumentFileTest;

TEST_F(ParametersTest, Reset_FillsTheDocumentDefaults)
{
    P.FileKind = 1;
    P.FileName = "/tmp/alt.vbf";
    P.SearchDirectories.Add("\\Daten\\");
    P.CompareFiles.Add("*.doc");
    P.Batch.Profiles.Add("a.vrd", 1);
    P.Batch.WarningFlags = 7;
    P.Log.Email1 = true;
    P.Programm.LastFile = "x";
    P.Modified = true;
    P.Reset();

    EXPECT_EQ(P.FileName, "<unbenannt>");
    EXPECT_EQ(P.FileKind, 1);
    EXPECT_TRUE(P.Untitled);
    EXPECT_FALSE(P.Modified || P.OldFormat);
    EXPECT_EQ(P.CompareFiles.Count(), 1);
    EXPECT_EQ(P.CompareFiles[0], "*.*");
    for (const cStringList* list :
         {&P.SearchDirectories, &P.ExcludeDirectories, &P.EnforceFiles, &P.DeleteFiles,
          &P.ExcludeFiles, &P.Schedule, &P.Batch.Profiles, &P.Batch.Schedule}) {
        EXPECT_TRUE(list->Empty());
    }
    EXPECT_EQ(P.Batch.WarningFlags, 7);  // kept from the batch file read last
    EXPECT_EQ(P.SourceDrive, "/");
    EXPECT_FALSE(P.DestinationDrive.empty());
    EXPECT_EQ(P.DestinationDirectory, "\\");
    EXPECT_EQ(P.Log.Filename, Dir.filePath("Log.txt"));
    EXPECT_FALSE(P.Log.Email1);
    EXPECT_EQ(P.Programm.LastFile, "");
    EXPECT_EQ(P.Programm.CompareB, "%1 %2");
    EXPECT_EQ(P.Warnings, 0x55);
    EXPECT_EQ(P.AbsoluteAge, static_cast<int>(EncodeDateTime(2026, 12, 6)));
    // 1990-01-01 00:00 as FILETIME.
    EXPECT_EQ(P.LastUpdate, 122756256000000000ULL);
}

TEST_F(ParametersTest, MakeCurrentLogFile_AddsTheLongDateWhenDaily)
{
    const struct
    {
        const char* Filename;
        bool Daily;
        const char* Expected;
    } cases[] = {
        {"C:\\Logs\\Log.txt", true, "C:\\Logs\\Log vom Sonntag, 6. Dezember 2026.txt"},
        {"/home/a.b/Log", true, "/home/a.b/Log vom Sonntag, 6. Dezember 2026"},
        {"/var/log/Lauf-%YEAR%.txt", false, "/var/log/Lauf-2026.txt"},
    };
    for (const auto& c : cases) {
        P.Log.Filename = c.Filename;
        P.Log.Daily = c.Daily;
        P.Log.MakeCurrentLogFile();
        EXPECT_EQ(P.Log.CurrentLogFile, c.Expected);
    }
}

}  // namespace
