#include "dialogs/SourceRules.h"

#include <gtest/gtest.h>

using namespace verdal;

TEST(SourceRulesTest, DialogDirectory_AddsBothBackslashes)
{
    EXPECT_EQ(DialogDirectory(""), "\\");
    EXPECT_EQ(DialogDirectory("Sicherung"), "\\Sicherung\\");
    EXPECT_EQ(DialogDirectory("\\Daten"), "\\Daten\\");
    EXPECT_EQ(DialogDirectory("\\Daten\\*"), "\\Daten\\*");
    // Macros are not completed at the end, but the leading backslash still belongs there.
    EXPECT_EQ(DialogDirectory("Sicherung %YEAR%"), "\\Sicherung %YEAR%");
}

TEST(SourceRulesTest, AddingADirectory_NeverDuplicatesEitherForm)
{
    const std::vector<std::string> plain{"\\Daten\\"};
    const std::vector<std::string> marked{"\\daten\\*"};
    EXPECT_EQ(DirectoryEntryToAdd("\\Daten\\", true, true, plain), "");
    EXPECT_EQ(DirectoryEntryToAdd("\\Daten\\", true, false, marked), "");
    EXPECT_EQ(DirectoryEntryToAdd("\\Daten\\", false, false, marked), "");
    EXPECT_EQ(DirectoryEntryToAdd("\\Briefe\\", true, false, plain), "\\Briefe\\*");
    EXPECT_EQ(DirectoryEntryToAdd("\\Briefe\\", false, true, plain), "\\Briefe\\");
    // From the edit field a text with a star keeps it; from the tree the marker is always added.
    EXPECT_EQ(DirectoryEntryToAdd("\\A*b\\", true, false, plain), "\\A*b\\");
    EXPECT_EQ(DirectoryEntryToAdd("\\A*b\\", true, true, plain), "\\A*b\\*");
}

TEST(SourceRulesTest, ToggleMarker_OnlyAfterABackslashOrAMacro)
{
    EXPECT_EQ(ToggledSubdirectoryMarker("\\Daten\\*"), "\\Daten\\");
    EXPECT_EQ(ToggledSubdirectoryMarker("\\Daten\\"), "\\Daten\\*");
    EXPECT_EQ(ToggledSubdirectoryMarker("\\Da*ten\\"), "\\Da*ten\\");
    EXPECT_EQ(ToggledSubdirectoryMarker("\\Daten*"), "\\Daten*");
    EXPECT_EQ(ToggledSubdirectoryMarker("\\%YEAR%*"), "\\%YEAR%");
    EXPECT_EQ(WithoutSubdirectoryMarker("\\Daten\\*"), "\\Daten\\");
}

TEST(SourceRulesTest, TypeMaskAndSplit_UseTheLastDot)
{
    EXPECT_EQ(TypeMask("Brief.doc"), "*.doc");
    EXPECT_EQ(TypeMask("archiv.tar.gz"), "*.gz");
    EXPECT_EQ(TypeMask("README"), "*");
    EXPECT_EQ(SplitFileName(".profile").Base, "");
    EXPECT_EQ(SplitFileName(".profile").Extension, ".profile");
}

TEST(SourceRulesTest, FileOrder_ByNameOrTypeEachWithItsDirection)
{
    const std::vector<std::string> names{"b.txt", "A.doc", "c.doc", "a.txt"};
    EXPECT_EQ(SortedFileNames(names, false, true),
              (std::vector<std::string>{"A.doc", "a.txt", "b.txt", "c.doc"}));
    EXPECT_EQ(SortedFileNames(names, true, true),
              (std::vector<std::string>{"A.doc", "c.doc", "a.txt", "b.txt"}));
    EXPECT_EQ(SortedFileNames(names, false, false),
              (std::vector<std::string>{"c.doc", "b.txt", "a.txt", "A.doc"}));

    FileSortState sort;
    sort.Click(false);
    sort.Click(false);
    EXPECT_FALSE(sort.ByType);
    EXPECT_TRUE(sort.Ascending());  // "Name" twice: back to ascending
    sort.Click(false);
    sort.Click(true);
    EXPECT_TRUE(sort.ByType);
    EXPECT_TRUE(sort.Ascending());
    EXPECT_FALSE(sort.NameAscending);  // "Typ" leaves the name direction alone
}

TEST(SourceRulesTest, HandDrives_MostRecentFirstAndAtMostFive)
{
    std::vector<std::string> drives;
    for (const char* drive : {"A:", "B:", "C:", "D:", "E:"}) {
        PushHandDrive(drives, drive, 5);
    }
    PushHandDrive(drives, "\\\\nas\\fotos", 5);
    EXPECT_EQ(drives, (std::vector<std::string>{"\\\\nas\\fotos", "E:", "D:", "C:", "B:"}));
    PushHandDrive(drives, "c:", 5);
    EXPECT_EQ(drives, (std::vector<std::string>{"c:", "\\\\nas\\fotos", "E:", "D:", "B:"}));
    PushHandDrive(drives, "/media/Stick", 5);
    PushHandDrive(drives, "/media/stick", 5);
    EXPECT_EQ(drives[0], "/media/stick");
    EXPECT_EQ(drives[1], "/media/Stick");  // paths are case-sensitive
    EXPECT_TRUE(SameDrive("\\\\NAS\\Fotos", "\\\\nas\\fotos"));
}
