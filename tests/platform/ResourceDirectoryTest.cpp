#include <gtest/gtest.h>

#include "ScopedEnv.h"
#include "platform/AppPaths.h"
#include "support/TestDir.h"

using namespace verdal;

namespace {

using test::ScopedEnv;
using test::TestDir;

class ResourceDirectoryTest : public ::testing::Test
{
protected:
    TestDir root;
    ScopedEnv noOverride{"VERDAL_DATA_DIR", ""};
};

TEST_F(ResourceDirectoryTest, FindsTheDataOfAnInstalledPrefix)
{
    root.createFile("usr/share/verdal/help/index.html");
    root.createDir("usr/bin");
    EXPECT_EQ(FindResourceDirectory(root.filePath("usr/bin/")), root.filePath("usr/share/verdal/"));
    EXPECT_EQ(FindResourceDirectory(root.filePath("usr/bin")), root.filePath("usr/share/verdal/"));
    // A portable folder keeps its data beside the program.
    root.createDir("portable/share/verdal");
    EXPECT_EQ(FindResourceDirectory(root.filePath("portable")),
              root.filePath("portable/share/verdal/"));
}

TEST_F(ResourceDirectoryTest, FindsTheBuildFolderFromItsSubfolders)
{
    root.createDir("build/share/verdal");
    root.createDir("build/tests/platform");
    EXPECT_EQ(FindResourceDirectory(root.filePath("build/src/app")),
              root.filePath("build/share/verdal/"));
    EXPECT_EQ(FindResourceDirectory(root.filePath("build/tests/platform")),
              root.filePath("build/share/verdal/"));
    // The nearest one wins over one further up.
    root.createDir("build/src/share/verdal");
    EXPECT_EQ(FindResourceDirectory(root.filePath("build/src/app")),
              root.filePath("build/src/share/verdal/"));
}

TEST_F(ResourceDirectoryTest, StopsAfterThreeLevelsAndIgnoresFiles)
{
    root.createDir("share/verdal");
    EXPECT_EQ(FindResourceDirectory(root.filePath("a/b/c")), root.filePath("share/verdal/"));
    EXPECT_EQ(FindResourceDirectory(root.filePath("a/b/c/d")), "");
    TestDir other;
    other.createFile("share/verdal", "not a folder");
    EXPECT_EQ(FindResourceDirectory(other.filePath("bin")), "");
    EXPECT_EQ(FindResourceDirectory(""), "");
    EXPECT_EQ(FindResourceDirectory("relative/bin"), "");
}

TEST_F(ResourceDirectoryTest, EnvironmentOverridesWhenItNamesAFolder)
{
    root.createDir("usr/share/verdal");
    root.createDir("elsewhere");
    {
        ScopedEnv env{"VERDAL_DATA_DIR", root.filePath("elsewhere")};
        EXPECT_EQ(FindResourceDirectory(root.filePath("usr/bin")), root.filePath("elsewhere/"));
    }
    for (const std::string& ignored : {root.filePath("missing"), std::string("elsewhere")}) {
        ScopedEnv env{"VERDAL_DATA_DIR", ignored};
        EXPECT_EQ(FindResourceDirectory(root.filePath("usr/bin")),
                  root.filePath("usr/share/verdal/"));
    }
}

TEST_F(ResourceDirectoryTest, TheBuiltProgramsFindTheSources)
{
    // This test runs from the build folder, which links share/verdal to the resources.
    const std::string dir = ResourceDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_TRUE(RegularFileExists(dir + "examples/Beispiel.vrd")) << dir;
}

}  // namespace
