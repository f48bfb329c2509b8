#include "settings/Validation.h"

#include <gtest/gtest.h>

#include "support/TestDir.h"

using namespace verdal;

TEST(Validation, IsValidDrive_AcceptsLetterShareAndMountPath)
{
    for (const char* good : {"c:", "Z:", "\\\\server\\share", "/", "/media/anna/STICK"}) {
        EXPECT_TRUE(IsValidDrive(good)) << good;
    }
    for (const char* bad :
         {"CD", "1:", "C:\\", "\\\\server\\share\\", "\\\\server", "\\\\a\\b\\c", "\\\\\\share",
          "\\\\ser*ver\\share", "/media/anna/STICK/", "/media/../etc", "/srv/./daten",
          "/srv//daten", "/srv/da?ten", "/srv/da|ten", "media/anna", ""}) {
        EXPECT_FALSE(IsValidDrive(bad)) << bad;
    }
}

TEST(Validation, IsValidDirectory_NeedsBackslashesAtBothEnds)
{
    for (const char* good : {"\\", "\\Daten\\", "\\Sicherung %YEAR%\\", "\\Daten\\...\\"}) {
        EXPECT_TRUE(IsValidDirectory(good)) << good;
    }
    for (const char* bad : {"Daten\\", "\\Daten", "\\Da\\\\ten\\", "", "\\Da:ten\\", "\\Da/ten\\",
                            "\\Daten*\\", "\\..\\", "\\Daten\\.\\", "\\Daten\\..\\etc\\"}) {
        EXPECT_FALSE(IsValidDirectory(bad)) << bad;
    }
}

TEST(Validation, MasksNamesAndDirectories_AreCheckedOrRepaired)
{
    EXPECT_TRUE(IsValidMask("Brief?.do*"));
    for (const char* bad : {"a/b", "a\"b", "a<b", "a>b", "a|b"}) {
        EXPECT_FALSE(IsValidMask(bad)) << bad;
    }
    EXPECT_EQ(RemoveInvalidFileNameChars("a\\b/c:d*e?f\"g<h>i|jä, 5."), "abcdefghijä, 5.");
    const std::pair<const char*, const char*> cases[] = {
        {"", "\\"}, {"\\Daten", "\\Daten\\"}, {"\\Daten*", "\\Daten*"}, {"%TEMP%", "%TEMP%"}};
    for (const auto& [in, out] : cases) {
        std::string directory = in;
        NormalizeDirectory(directory);
        EXPECT_EQ(directory, out) << in;
    }
}

TEST(Validation, DirectoryExistsQuiet_ChecksNativeAndDrivePaths)
{
    verdal::test::TestDir dir;
    dir.createDir("Daten/Briefe");
    dir.createFile("Datei.txt", "x");
    EXPECT_TRUE(DirectoryExistsQuiet(dir.filePath("Daten")));
    EXPECT_FALSE(DirectoryExistsQuiet(dir.filePath("Datei.txt")));
    EXPECT_FALSE(DirectoryExistsQuiet(""));
    EXPECT_TRUE(DirectoryExistsQuiet(dir.path(), "\\Daten\\Briefe\\"));
    EXPECT_FALSE(DirectoryExistsQuiet(dir.path(), "\\Daten\\Fehlt\\"));
    EXPECT_FALSE(DirectoryExistsQuiet(dir.path() + "/fehlt", "\\"));
}
