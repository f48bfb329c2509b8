#include "settings/Validation.h"

#include <gtest/gtest.h>

#include "support/TestDir.h"

using namespace verdal;

namespace {

struct ValidityCase
{
    const char* Text;
    bool Valid;
};

}  // namespace

TEST(Validation, IsValidDrive_AcceptsLetterShareAndMountPath)
{
    const ValidityCase cases[] = {
        {"c:", true},
        {"Z:", true},
        {"CD", false},
        {"1:", false},
        {"C:\\", false},
        {"\\\\server\\share", true},
        {"\\\\server\\share\\", false},
        {"\\\\server", false},
        {"\\\\a\\b\\c", false},
        {"\\\\\\share", false},
        {"\\\\ser*ver\\share", false},
        {"/", true},
        {"/media/anna/STICK", true},
        {"/media/anna/STICK/", false},
        {"/media/../etc", false},
        {"/srv/./daten", false},
        {"/srv//daten", false},
        {"/srv/da?ten", false},
        {"/srv/da|ten", false},
        {"media/anna", false},
        {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsValidDrive(c.Text), c.Valid) << c.Text;
    }
}

TEST(Validation, IsValidDirectory_NeedsBackslashesAtBothEnds)
{
    const ValidityCase cases[] = {
        {"\\", true},
        {"\\Daten\\", true},
        {"\\Sicherung %YEAR%\\", true},
        {"Daten\\", false},
        {"\\Daten", false},
        {"\\Da\\\\ten\\", false},
        {"", false},
        {"\\Da:ten\\", false},
        {"\\Da/ten\\", false},
        {"\\Daten*\\", false},
        {"\\..\\", false},
        {"\\Daten\\.\\", false},
        {"\\Daten\\..\\etc\\", false},
        {"\\Daten\\...\\", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsValidDirectory(c.Text), c.Valid) << c.Text;
    }
}

TEST(Validation, MasksAndFileNames_DropOrRefuseTheForbiddenCharacters)
{
    EXPECT_TRUE(IsValidMask("*.txt"));
    EXPECT_TRUE(IsValidMask("Brief?.do*"));
    for (const char* bad : {"a/b", "a\"b", "a<b", "a>b", "a|b"}) {
        EXPECT_FALSE(IsValidMask(bad)) << bad;
    }
    EXPECT_EQ(RemoveInvalidFileNameChars("Samstag, 5. Dezember 2026"), "Samstag, 5. Dezember 2026");
    EXPECT_EQ(RemoveInvalidFileNameChars("a\\b/c:d*e?f\"g<h>i|jä"), "abcdefghijä");
}

TEST(Validation, NormalizeDirectory_AppendsBackslashUnlessMarkedOrMacro)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", "\\"},
        {"\\Daten", "\\Daten\\"},
        {"\\Daten\\", "\\Daten\\"},
        {"\\Daten*", "\\Daten*"},
        {"%TEMP%", "%TEMP%"},
    };
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
    EXPECT_FALSE(DirectoryExistsQuiet(dir.filePath("fehlt")));
    EXPECT_FALSE(DirectoryExistsQuiet(""));
    EXPECT_TRUE(DirectoryExistsQuiet(dir.path(), "\\Daten\\Briefe\\"));
    EXPECT_FALSE(DirectoryExistsQuiet(dir.path(), "\\Daten\\Fehlt\\"));
    EXPECT_FALSE(DirectoryExistsQuiet(dir.path() + "/fehlt", "\\"));
}
