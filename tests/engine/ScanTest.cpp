#include <gtest/gtest.h>

#include <unistd.h>
#include "ScanFixture.h"

#include "engine/Decisions.h"
#include "engine/DirTables.h"
#include "engine/Listing.h"

using namespace verdal;
using verdal::test::kT0;

namespace {

class ScanTest : public verdal::test::ScanFixture
{
protected:
    std::vector<std::string> Expand(const std::string& entry)
    {
        cDirCache cache(true, nullptr);
        std::vector<std::string> out;
        ExpandDirectoryEntry(Run(), cache, Run().SourceNativeRoot, entry, out);
        std::sort(out.begin(), out.end());
        return out;
    }

    void Search(std::initializer_list<const char*> entries,
                std::initializer_list<const char*> excludes = {})
    {
        Run().SearchList.Clear();
        for (const char* entry : entries)
            Run().SearchList.Add(entry);
        for (const char* entry : excludes)
            Run().ExcludeList.Add(entry);
    }

    void BuildTables()
    {
        cDirCache source(true, nullptr), destination(true, nullptr);
        BuildDirectoryTables(Run(), source, destination);
    }

    using Dirs = std::vector<std::string>;
};

TEST_F(ScanTest, ExpandDirectoryEntry_PatternFormsTakeWholeSubtrees)
{
    for (const char* dir : {"Data/abc/deep", "Data/xab/ab", "Data/fooABC", "Data/zabcz"})
        tree_.createDir(std::string("src/") + dir);
    symlink(tree_.filePath("src/Data").c_str(), tree_.filePath("src/Data/zabcz/loop").c_str());

    EXPECT_EQ(Expand("\\Data\\ab*"), (Dirs{"\\Data\\abc\\", "\\Data\\abc\\deep\\"}));
    EXPECT_EQ(Expand("\\Data\\*abc"),
              (Dirs{"\\Data\\abc\\", "\\Data\\abc\\deep\\", "\\Data\\fooABC\\"}));
    EXPECT_EQ(Expand("\\Data\\*abc*"), (Dirs{"\\Data\\abc\\", "\\Data\\abc\\deep\\",
                                             "\\Data\\fooABC\\", "\\Data\\zabcz\\"}));
    EXPECT_EQ(Expand("\\Data\\*"),
              (Dirs{"\\Data\\", "\\Data\\abc\\", "\\Data\\abc\\deep\\", "\\Data\\fooABC\\",
                    "\\Data\\xab\\", "\\Data\\xab\\ab\\", "\\Data\\zabcz\\"}));
    EXPECT_EQ(Expand("\\Missing\\"), (Dirs{"\\Missing\\"}));
    EXPECT_EQ(Expand("\\Data\\**"), (Dirs{"\\Data\\**"})) << "no form: taken as it is";
    EXPECT_TRUE(Expand("\\Data\\..\\..\\").empty());
}

TEST_F(ScanTest, BuildTables_ExcludesWholeNamesOrSubtrees)
{
    for (const char* dir : {"Data/Tmp/sub", "Data/Keep"})
        tree_.createDir(std::string("src/") + dir);
    Search({"\\Data\\*"}, {"\\Data\\TMP\\"});
    BuildTables();
    EXPECT_EQ(Run().SourceDirs, (Dirs{"\\Data\\", "\\Data\\Keep\\", "\\Data\\Tmp\\sub\\"}));

    Run().ExcludeList.Clear();
    Run().ExcludeList.Add("\\Data\\Tmp\\*");
    BuildTables();
    EXPECT_EQ(Run().SourceDirs, (Dirs{"\\Data\\", "\\Data\\Keep\\"}));
    EXPECT_EQ(Run().DestinationDirs, (Dirs{"\\Data\\", "\\Data\\Keep\\"}));

    Search({"\\Data\\..\\..\\"});
    BuildTables();
    EXPECT_TRUE(Run().SourceDirs.empty());
    EXPECT_EQ(Run().RefusedEntries, (Dirs{"\\Data\\..\\..\\"}));
}

TEST_F(ScanTest, BuildTables_ShortenPathsDropsTheCommonPrefix)
{
    Search({"\\A\\B\\X\\", "\\A\\B\\Y\\"});
    Run().DestinationBase = "\\Backup\\";
    P().ShortenPaths = true;
    BuildTables();
    EXPECT_EQ(Run().CommonSourcePrefix, "\\A\\B\\");
    EXPECT_EQ(Run().SourceDirs, (Dirs{"\\A\\B\\X\\", "\\A\\B\\Y\\"}));
    EXPECT_EQ(Run().DestinationDirs, (Dirs{"\\Backup\\X\\", "\\Backup\\Y\\"}));

    P().ShortenPaths = false;
    BuildTables();
    EXPECT_EQ(Run().DestinationDirs, (Dirs{"\\Backup\\A\\B\\X\\", "\\Backup\\A\\B\\Y\\"}));
}

TEST_F(ScanTest, CommonPrefix_CutsAtTheLastBackslash)
{
    EXPECT_EQ(CommonPrefix({}), "");
    EXPECT_EQ(CommonPrefix({"\\A\\B\\"}), "\\A\\B\\");
    EXPECT_EQ(CommonPrefix({"\\Daten\\Brief\\", "\\daten\\Briefe\\"}), "\\Daten\\");
    EXPECT_EQ(CommonPrefix({"\\A\\", "\\B\\"}), "\\");
}

TEST_F(ScanTest, BuildTables_DirectoriesOfOneSideAreScannedOnBoth)
{
    tree_.createDir("src/OnlySource");
    tree_.createDir("dst/OnlyDest");
    tree_.createDir("src/Foo");
    tree_.createDir("dst/foo");  // pairs with Foo: no twin on either side
    tree_.createDir("src/Twin");
    tree_.createDir("src/twin");  // two real directories: never merged
    BuildTables();
    EXPECT_EQ(Run().SourceDirs,
              (Dirs{"\\", "\\Foo\\", "\\OnlyDest\\", "\\OnlySource\\", "\\Twin\\", "\\twin\\"}));
    EXPECT_EQ(Run().DestinationDirs,
              (Dirs{"\\", "\\foo\\", "\\OnlyDest\\", "\\OnlySource\\", "\\Twin\\", "\\twin\\"}));
}

TEST_F(ScanTest, Masks_DecideEachFileOnceAndHonourExclusion)
{
    P().CompareFiles.Clear();
    P().CompareFiles.Add("*.txt");
    P().CompareFiles.Add("a*");
    P().ExcludeFiles.Add("*.bak.txt");
    Src("a.txt");
    Src("b.txt");
    Src("old.bak.txt");
    Src("notes.md");
    EXPECT_EQ(ScanAndDescribe(), "\\a.txt F, \\b.txt F");
}

TEST_F(ScanTest, Files_PairByCaseRuleAndSkipUnnamableNames)
{
    Src("Readme.TXT", "x", kT0 + 100);
    Dst("readme.txt");
    Src("a\\b.txt");
    EXPECT_EQ(ScanAndDescribe(), "\\Readme.TXT F");
    EXPECT_EQ(Run().Candidates[0].DestinationCaseName, "readme.txt");
    EXPECT_EQ(Run().DestinationFile(Run().Candidates[0]),
              Run().DestinationNativeRoot + "/readme.txt");
    ASSERT_EQ(Run().UnnamableEntries.size(), 1u);
    EXPECT_EQ(Run().UnnamableEntries[0], Run().SourceNativeRoot + "/a\\b.txt");
}

TEST_F(ScanTest, Scan_SubdirectoriesAndAbort)
{
    Src("sub/deep/x.txt");
    Dst("other/y.txt", "x", kT0);
    P().OrphanModeB = kOrphanForwardOrBackward;
    EXPECT_EQ(ScanAndDescribe(), "\\other\\y.txt B, \\sub\\deep\\x.txt F");

    Run().Candidates.Clear();
    AbortFlag = true;
    Scan(Run());
    EXPECT_TRUE(Run().Candidates.Empty());
    AbortFlag = false;
}

}  // namespace
