#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/Clock.h"
#include "settings/Parameters.h"
#include "support/TestDir.h"

using namespace verdal;

class VariationsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetTestNow(EncodeDateTime(2026, 12, 5, 14, 0));
        if (const char* user = std::getenv("USERNAME")) {
            savedUser_ = user;
        }
        params.DestinationDrive = dir.path();
        params.DestinationDirectory = "\\Sicherung\\";
    }
    void TearDown() override
    {
        SetTestNow(std::nullopt);
        if (savedUser_) {
            setenv("USERNAME", savedUser_->c_str(), 1);
        } else {
            unsetenv("USERNAME");
        }
    }

    std::string Base(int variation, bool eightThree)
    {
        params.Variation = static_cast<uint8_t>(variation);
        params.EightThree = eightThree;
        params.MakeDestinationBase();
        return params.DestinationBase;
    }

    verdal::test::TestDir dir;
    cParameters params;

private:
    std::optional<std::string> savedUser_;
};

TEST_F(VariationsTest, DateWeekdayAndParity_NameTheSubdirectory)
{
    EXPECT_EQ(Base(0, false), "\\Sicherung\\");
    EXPECT_EQ(Base(1, true), "\\Sicherung\\A051226\\");
    EXPECT_EQ(Base(1, false), "\\Sicherung\\Samstag, 5. Dezember 2026\\");
    EXPECT_EQ(Base(2, false), "\\Sicherung\\Samstag\\");
    SetTestNow(EncodeDateTime(2026, 12, 3));
    EXPECT_EQ(Base(2, true), "\\Sicherung\\Donnerst\\");
    EXPECT_EQ(Base(2, false), "\\Sicherung\\Donnerstag\\");

    // Parity of the day of the month: the 31st and the following 1st are both odd.
    const std::pair<int, const char*> parity[] = {{31, "Ungerade"}, {30, "Gerade"}};
    for (const auto& [day, name] : parity) {
        SetTestNow(EncodeDateTime(2026, 12, day));
        EXPECT_EQ(Base(3, false), std::string("\\Sicherung\\") + name + "\\");
    }
    SetTestNow(EncodeDateTime(2027, 1, 1));
    EXPECT_EQ(Base(3, false), "\\Sicherung\\Ungerade\\");

    params.DestinationBase = "\\alt\\";
    EXPECT_EQ(Base(9, false), "\\alt\\");
}

TEST_F(VariationsTest, MidnightShiftAndMacros_AreAppliedFirst)
{
    SetTestNow(EncodeDateTime(2026, 12, 5, 0, 30));
    params.MidnightShift = 1.0;
    EXPECT_EQ(Base(1, true), "\\Sicherung\\A041226\\");
    SetTestNow(EncodeDateTime(2027, 1, 1, 0, 30));
    params.DestinationDirectory = "\\Sicherung %YEAR%\\";
    // The macro follows the process-wide shift, the variation the object's own.
    Params().MidnightShift = 1.0;
    EXPECT_EQ(Base(1, true), "\\Sicherung 2026\\A311226\\");
    Params().MidnightShift = 0.0;
}

TEST_F(VariationsTest, UserName_IsShortenedOrReplacedWhenUnusable)
{
    setenv("USERNAME", "Administrator", 1);
    EXPECT_EQ(Base(5, true), "\\Sicherung\\Administ\\");
    EXPECT_EQ(Base(5, false), "\\Sicherung\\Administrator\\");
    setenv("USERNAME", "Jürgenmüller", 1);
    EXPECT_EQ(Base(5, true), "\\Sicherung\\Jürgenmü\\");
    setenv("USERNAME", "..", 1);
    EXPECT_EQ(Base(5, true), "\\Sicherung\\Unbkannt\\");
    EXPECT_EQ(Base(5, false), "\\Sicherung\\Unbekannter Benutzer\\");
    setenv("USERNAME", "../etc", 1);
    EXPECT_EQ(Base(5, false), "\\Sicherung\\..etc\\");
}

TEST_F(VariationsTest, Generations_RotateOverFourRuns)
{
    dir.createDir("Sicherung");
    // Each run fills "Enkel" with a file named after the run.
    for (int run = 1; run <= 4; ++run) {
        ASSERT_EQ(Base(4, false), "\\Sicherung\\Enkel\\");
        dir.createFile("Sicherung/Enkel/lauf" + std::to_string(run), "x");
    }
    // The fourth run reused the oldest generation: Vater of run 3 became Enkel again.
    EXPECT_TRUE(dir.exists("Sicherung/Enkel/lauf1"));
    EXPECT_TRUE(dir.exists("Sicherung/Enkel/lauf4"));
    EXPECT_TRUE(dir.exists("Sicherung/Vater/lauf2"));
    EXPECT_TRUE(dir.exists("Sicherung/Sohn/lauf3"));
    EXPECT_FALSE(dir.exists("Sicherung/Grossvater"));
    EXPECT_FALSE(dir.exists("Sicherung/Enkel/lauf2"));
}

TEST_F(VariationsTest, Generations_EmptyOrMissingDestinationIsLeftAlone)
{
    dir.createDir("Sicherung");
    params.EightThree = true;
    EXPECT_EQ(Base(4, true), "\\Sicherung\\Enkel\\");
    EXPECT_FALSE(dir.exists("Sicherung/Enkel"));
    // A stale grandfather is never overwritten: the renames that would replace it fail and
    // the others go on, so every generation survives.
    dir.createFile("Sicherung/Grossvtr/alt", "g");
    dir.createFile("Sicherung/Vater/v", "v");
    dir.createFile("Sicherung/Enkel/e", "e");
    Base(4, true);
    EXPECT_EQ(dir.readFile("Sicherung/Vater/v"), "v");
    EXPECT_EQ(dir.readFile("Sicherung/Sohn/e"), "e");
    EXPECT_EQ(dir.readFile("Sicherung/Enkel/alt"), "g");
    params.DestinationDrive = dir.path() + "/fehlt";
    EXPECT_EQ(Base(4, false), "\\Sicherung\\Enkel\\");
}
