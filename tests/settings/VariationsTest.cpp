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
        dir.createDir("Sicherung");
    }
    void TearDown() override
    {
        SetTestNow(std::nullopt);
        Params().MidnightShift = 0.0;
        savedUser_ ? setenv("USERNAME", savedUser_->c_str(), 1) : unsetenv("USERNAME");
    }

    // The subdirectory below \Sicherung\ that the variation chooses.
    std::string Sub(int variation, bool eightThree)
    {
        params.Variation = static_cast<uint8_t>(variation);
        params.EightThree = eightThree;
        params.MakeDestinationBase();
        const std::string prefix = "\\Sicherung\\";
        return params.DestinationBase.rfind(prefix, 0) == 0
                   ? params.DestinationBase.substr(prefix.size())
                   : "<" + params.DestinationBase + ">";
    }

    verdal::test::TestDir dir;
    cParameters params;

private:
    std::optional<std::string> savedUser_;
};

TEST_F(VariationsTest, DateWeekdayAndParity_NameTheSubdirectory)
{
    EXPECT_EQ(Sub(0, false), "");
    EXPECT_EQ(Sub(1, true), "A051226\\");
    EXPECT_EQ(Sub(1, false), "Samstag, 5. Dezember 2026\\");
    EXPECT_EQ(Sub(2, false), "Samstag\\");
    SetTestNow(EncodeDateTime(2026, 12, 3));
    EXPECT_EQ(Sub(2, true), "Donnerst\\");
    // Parity of the day of the month: the 31st and the following 1st are both odd.
    const std::pair<TDateTime, const char*> parity[] = {
        {EncodeDateTime(2026, 12, 31), "Ungerade\\"},
        {EncodeDateTime(2027, 1, 1), "Ungerade\\"},
        {EncodeDateTime(2027, 1, 2), "Gerade\\"}};
    for (const auto& [day, name] : parity) {
        SetTestNow(day);
        EXPECT_EQ(Sub(3, false), name);
    }
    params.DestinationBase = "\\alt\\";
    EXPECT_EQ(Sub(9, false), "<\\alt\\>");
}

TEST_F(VariationsTest, MidnightShiftAndMacros_AreAppliedFirst)
{
    SetTestNow(EncodeDateTime(2026, 12, 5, 0, 30));
    params.MidnightShift = 1.0;
    EXPECT_EQ(Sub(1, true), "A041226\\");
    SetTestNow(EncodeDateTime(2027, 1, 1, 0, 30));
    params.DestinationDirectory = "\\Sicherung %YEAR%\\";
    Params().MidnightShift = 1.0;  // the macros follow the program's shift
    params.Variation = 1;
    params.MakeDestinationBase();
    EXPECT_EQ(params.DestinationBase, "\\Sicherung 2026\\A311226\\");
}

TEST_F(VariationsTest, UserName_IsShortenedOrReplacedWhenUnusable)
{
    const std::tuple<const char*, bool, const char*> cases[] = {
        {"Administrator", true, "Administ\\"},   {"Administrator", false, "Administrator\\"},
        {"Jürgenmüller", true, "Jürgenmü\\"},    {"..", true, "Unbkannt\\"},
        {"..", false, "Unbekannter Benutzer\\"}, {"../etc", false, "..etc\\"},
    };
    for (const auto& [user, eightThree, expected] : cases) {
        setenv("USERNAME", user, 1);
        EXPECT_EQ(Sub(5, eightThree), expected) << user;
    }
}

TEST_F(VariationsTest, Generations_RotateOverFourRuns)
{
    // Each run fills "Enkel" with a file named after the run.
    for (int run = 1; run <= 4; ++run) {
        ASSERT_EQ(Sub(4, false), "Enkel\\");
        // Runs 1 to 3 start a new generation; run 4 brings the oldest one back.
        EXPECT_EQ(dir.exists("Sicherung/Enkel"), run == 4);
        dir.createFile("Sicherung/Enkel/lauf" + std::to_string(run), "x");
    }
    // The fourth run reused the oldest generation: Vater of run 3 became Enkel again.
    EXPECT_TRUE(dir.exists("Sicherung/Enkel/lauf1"));
    EXPECT_FALSE(dir.exists("Sicherung/Enkel/lauf2"));
    EXPECT_TRUE(dir.exists("Sicherung/Vater/lauf2"));
    EXPECT_TRUE(dir.exists("Sicherung/Sohn/lauf3"));
    EXPECT_FALSE(dir.exists("Sicherung/Grossvater"));
}

TEST_F(VariationsTest, Generations_NeverOverwriteAStaleGrandfather)
{
    // The renames that would replace it fail and the others go on: every generation survives.
    dir.createFile("Sicherung/Grossvtr/alt", "g");
    dir.createFile("Sicherung/Vater/v", "v");
    dir.createFile("Sicherung/Enkel/e", "e");
    EXPECT_EQ(Sub(4, true), "Enkel\\");
    EXPECT_EQ(dir.readFile("Sicherung/Vater/v"), "v");
    EXPECT_EQ(dir.readFile("Sicherung/Sohn/e"), "e");
    EXPECT_EQ(dir.readFile("Sicherung/Enkel/alt"), "g");
}

TEST_F(VariationsTest, Preview_NamesTheRunDirectoryWithoutRotating)
{
    dir.createDir("Sicherung/Enkel");
    params.Variation = 4;
    EXPECT_EQ(PreviewDestinationBase(params), "\\Sicherung\\Enkel\\");
    EXPECT_TRUE(dir.exists("Sicherung/Enkel"));
    EXPECT_FALSE(dir.exists("Sicherung/Sohn"));
    params.Variation = 1;
    params.EightThree = true;
    EXPECT_EQ(PreviewDestinationBase(params), "\\Sicherung\\A051226\\");
    EXPECT_EQ(params.DestinationBase, "");
    params.Variation = 9;
    EXPECT_EQ(PreviewDestinationBase(params), "\\Sicherung\\");
}
