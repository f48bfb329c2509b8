#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <thread>

#include "platform/WriteBehind.h"
#include "support/TestDir.h"

using namespace verdal;

namespace {

bool WaitFor(const cWriteBehind& writeBehind, int rounds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (writeBehind.Rounds() < rounds && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return writeBehind.Rounds() >= rounds;
}

// Syncs only once enough was written, and never after Stop.
TEST(WriteBehind, SyncsWhatWasWrittenUntilStopped)
{
    test::TestDir dir;
    {
        cWriteBehind idle;  // nothing written: no thread, nothing to stop
    }
    cWriteBehind writeBehind;
    constexpr int64_t kMuch = 64 << 20;
    writeBehind.Written(dir.path() + "/fehlt", kMuch);  // left to the closing sync
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_EQ(writeBehind.Rounds(), 0);

    dir.createFile("a.txt", "daten");
    writeBehind.Written(dir.path(), kMuch);
    ASSERT_TRUE(WaitFor(writeBehind, 1));
    // Quiet while little or nothing new is written.
    writeBehind.Written(dir.path(), 5);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_EQ(writeBehind.Rounds(), 1);
    writeBehind.Written(dir.path(), kMuch);
    ASSERT_TRUE(WaitFor(writeBehind, 2));

    writeBehind.Stop();
    writeBehind.Written(dir.path(), kMuch);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_EQ(writeBehind.Rounds(), 2);
}

}  // namespace
