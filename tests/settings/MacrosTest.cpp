#include "settings/Macros.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/Clock.h"
#include "settings/Parameters.h"

using namespace verdal;

class MacrosTest : public ::testing::Test
{
protected:
    void SetUp() override { SetTestNow(EncodeDateTime(2026, 12, 5, 14, 7, 3)); }
    void TearDown() override
    {
        SetTestNow(std::nullopt);
        Params().MidnightShift = 0.0;
        unsetenv("VERDAL_TEST_MACRO");
    }
};

TEST_F(MacrosTest, DateAndTimeMacros_UseGermanTexts)
{
    const std::pair<const char*, const char*> cases[] = {
        {"\\Sicherung %YEAR%\\", "\\Sicherung 2026\\"},
        {"%DayOfWeek%-%SHORTDAYOFWEEK%", "Samstag-Sa"},
        {"%DAY%.%MONTH%.%SHORTMONTH%.%LONGMONTH%", "05.12.Dez.Dezember"},
        {"%SHORTDATE% | %LONGDATE%", "05.12.2026 | Samstag, 5. Dezember 2026"},
        {"%HOUR%%MINUTE%%SECOND% %SHORTTIME% %LONGTIME%", "140703 14:07 14:07:03"},
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(ExpandMacros(in), out) << in;
    }
}

TEST_F(MacrosTest, MidnightShift_MovesDatesButNotTimes)
{
    SetTestNow(EncodeDateTime(2027, 1, 1, 0, 30));
    Params().MidnightShift = 1.0;
    EXPECT_EQ(ExpandMacros("\\Sicherung %YEAR%\\"), "\\Sicherung 2026\\");
    EXPECT_EQ(ExpandMacros("%SHORTDATE% %SHORTTIME%"), "31.12.2026 00:30");
}

TEST_F(MacrosTest, UnknownNamesAndLoneSigns_AreHandledAsDescribed)
{
    unsetenv("UNBEKANNT");
    EXPECT_EQ(ExpandMacros("%UNBEKANNT%x"), "x");
    EXPECT_EQ(ExpandMacros("100% sicher"), "100% sicher");
    setenv("VERDAL_TEST_MACRO", "/home/anna", 1);
    EXPECT_EQ(ExpandMacros("%verdal_test_macro%/Daten"), "/home/anna/Daten");
    // The closing sign must lie within 260 characters of the opening one.
    const std::string far = "%" + std::string(260, 'x') + "%";
    EXPECT_EQ(ExpandMacros(far), far);
    EXPECT_FALSE(HasMacro(far));
    EXPECT_TRUE(HasMacro("%" + std::string(259, 'x') + "%"));
    EXPECT_FALSE(HasMacro("50%"));
    EXPECT_TRUE(HasMacro("\\%TEMP%\\"));
}

TEST_F(MacrosTest, ValueHoldingMacros_IsNotExpandedAgain)
{
    setenv("VERDAL_TEST_MACRO", "a%VERDAL_TEST_MACRO%b", 1);
    EXPECT_EQ(ExpandMacros("[%VERDAL_TEST_MACRO%]"), "[a%VERDAL_TEST_MACRO%b]");
    // The search goes on after the inserted value, so later macros still expand.
    setenv("VERDAL_TEST_MACRO", "%", 1);
    EXPECT_EQ(ExpandMacros("%VERDAL_TEST_MACRO%%YEAR%"), "%2026");
}
