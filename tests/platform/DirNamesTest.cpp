#include "platform/DirNames.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "platform/BoundedCall.h"
#include "platform/WinError.h"
#include "support/TestDir.h"

using namespace verdal;

namespace {

class DirNamesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir.createFile("b.txt");
        dir.createFile("A.doc");
        dir.createDir("zeta");
        dir.createDir("Alpha/inner");
        ASSERT_EQ(::symlink(dir.filePath("zeta").c_str(), dir.filePath("link").c_str()), 0);
    }
    void TearDown() override { SetEntryNamesObserver({}); }

    test::TestDir dir;
};

}  // namespace

TEST_F(DirNamesTest, KindsAreKeptApart_LinksCountAsFiles)
{
    std::vector<std::string> names;
    ASSERT_EQ(ListEntryNames(dir.path(), NameKind::Directories, names), kErrSuccess);
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "zeta"}));
    ASSERT_EQ(ListEntryNames(dir.path(), NameKind::Files, names), kErrSuccess);
    EXPECT_EQ(names, (std::vector<std::string>{"A.doc", "b.txt", "link"}));
    EXPECT_NE(ListEntryNames(dir.filePath("fehlt"), NameKind::Files, names), kErrSuccess);
    EXPECT_TRUE(names.empty());
}

TEST_F(DirNamesTest, Observer_SeesEveryListing)
{
    int count = 0;
    SetEntryNamesObserver([&](const std::string&, NameKind) { ++count; });
    std::vector<std::string> names;
    ListEntryNames(dir.path(), NameKind::Directories, names);
    ListEntryNamesBounded(dir.path(), NameKind::Files, 5000, names);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(names.size(), 3u);
}

TEST_F(DirNamesTest, Bounded_GivesUpOnAHangingDirectory)
{
    auto release = std::make_shared<std::atomic<bool>>(false);
    SetEntryNamesObserver([release](const std::string&, NameKind) {
        while (!*release) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
    std::vector<std::string> names{"alt"};
    EXPECT_EQ(ListEntryNamesBounded(dir.path(), NameKind::Directories, 50, names), kErrNotReady);
    EXPECT_TRUE(names.empty());
    *release = true;
}

// A caller that waits while answering its own events: it is called back while the work runs,
// gets the result the work came back with, and gives up at the bound on work that hangs.
TEST(CallBoundedTest, WhileWaiting_RunsUntilTheResultOrTheBound)
{
    auto go = std::make_shared<std::atomic<bool>>(false);
    int turns = 0;
    // The work waits for the caller's turns: without them it would never come back.
    const auto result = CallBounded<int>(
        [go] {
            while (!*go) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            return 7;
        },
        10000, [&] { *go = ++turns >= 3; });
    EXPECT_EQ(result, 7);
    EXPECT_GE(turns, 3);

    auto release = std::make_shared<std::atomic<bool>>(false);
    turns = 0;
    const auto hung = CallBounded<int>(
        [release] {
            while (!*release) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            return 1;
        },
        100, [&] { ++turns; });
    EXPECT_FALSE(hung.has_value());
    EXPECT_GT(turns, 0);
    *release = true;
}
