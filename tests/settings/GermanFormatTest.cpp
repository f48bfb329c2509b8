#include "settings/GermanFormat.h"

#include <gtest/gtest.h>

#include <limits>

using namespace verdal;

namespace {

struct DateCase
{
    const char* Format;
    const char* Expected;
};

}  // namespace

TEST(GermanFormat, DateLetters_FollowGermanConventions)
{
    // Thursday, 5 March 2026, 07:04:09.045.
    const TDateTime value = EncodeDateTime(2026, 3, 5, 7, 4, 9, 45);
    const DateCase cases[] = {
        {"d", "5"},
        {"dd", "05"},
        {"ddd", "Do"},
        {"dddd", "Donnerstag"},
        {"ddddd", "05.03.2026"},
        {"dddddd", "Donnerstag, 5. März 2026"},
        {"m", "3"},
        {"mm", "03"},
        {"mmm", "Mär"},
        {"mmmm", "März"},
        {"yy", "26"},
        {"yyyy", "2026"},
        {"h:n:s", "7:4:9"},
        {"hh:nn:ss", "07:04:09"},
        {"t", "07:04"},
        {"tt", "07:04:09"},
        {"ddddd t", "05.03.2026 07:04"},
        {"zzz", "045"},
        // m right after an hour means minutes, as in a duration "hh:mm:ss".
        {"hh:mm:ss", "07:04:09"},
        {"DD.MM.YYYY", "05.03.2026"},
        {"dd/mm/yy", "05.03.26"},
        {"'dd' \"mm\" x", "dd mm x"},
        {"'Stand:' dd.", "Stand: 05."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatDateTime(c.Format, value), c.Expected) << c.Format;
    }
}

TEST(GermanFormat, DayAndMonthNames_CoverTheWholeWeekAndYear)
{
    // 1 to 7 June 2026 run from Monday to Sunday.
    const char* days[] = {"Montag",  "Dienstag", "Mittwoch", "Donnerstag",
                          "Freitag", "Samstag",  "Sonntag"};
    for (int day = 1; day <= 7; ++day) {
        EXPECT_EQ(FormatDateTime("dddd", EncodeDateTime(2026, 6, day)), days[day - 1]);
    }
    EXPECT_EQ(FormatDateTime("mmmm mmm", EncodeDateTime(2026, 12, 1)), "Dezember Dez");
    EXPECT_EQ(FormatDateTime("mmmm mmm", EncodeDateTime(2026, 10, 1)), "Oktober Okt");
    EXPECT_EQ(FormatDateTime("c", EncodeDateTime(2026, 1, 2)), "02.01.2026");
    EXPECT_EQ(FormatDateTime("c", EncodeDateTime(2026, 1, 2, 13, 5)), "02.01.2026 13:05:00");
}

TEST(GermanFormat, Numbers_UseDotForThousandsAndCommaForDecimals)
{
    EXPECT_EQ(FormatNumber(0), "0");
    EXPECT_EQ(FormatNumber(999), "999");
    EXPECT_EQ(FormatNumber(1000), "1.000");
    EXPECT_EQ(FormatNumber(1234567), "1.234.567");
    EXPECT_EQ(FormatNumber(-1234567), "-1.234.567");
    EXPECT_EQ(FormatNumber(std::numeric_limits<int64_t>::max()), "9.223.372.036.854.775.807");
    EXPECT_EQ(FormatNumber(uint64_t{5000000000}, 3), "5.000.000.000,000");
    EXPECT_EQ(FormatNumber(1234.5678, 3), "1.234,568");
    EXPECT_EQ(FormatNumber(0.25, 1), "0,2");
    EXPECT_EQ(FormatNumber(-0.0001, 2), "0,00");
    EXPECT_EQ(FormatNumber(-12345.5, 1), "-12.345,5");
    EXPECT_EQ(FormatNumber(999999.999, 0), "1.000.000");
}

TEST(GermanFormat, FormatText_FillsTheProgramsPlaceholders)
{
    EXPECT_EQ(FormatText("Laufwerk %s hat %s MB zuwenig", {"/media/x", "1,5"}),
              "Laufwerk /media/x hat 1,5 MB zuwenig");
    EXPECT_EQ(FormatText("Fehler %d", {5}), "Fehler 5");
    EXPECT_EQ(FormatText("ca. %.0n Einträge", {16384}), "ca. 16.384 Einträge");
    EXPECT_EQ(FormatText("%.3n MB", {1536.0 / 1024}), "1,500 MB");
    EXPECT_EQ(FormatText("%.1n kB/sec", {int64_t{2048}}), "2.048,0 kB/sec");
    EXPECT_EQ(FormatText("%n", {1234.5}), "1.234,50");
    EXPECT_EQ(FormatText("%d%%", {50}), "50%");
    EXPECT_EQ(FormatText("%x", {255}), "FF");
    EXPECT_EQ(FormatText("%.3d", {7}), "007");
    EXPECT_EQ(FormatText("%d", {2.6}), "3");
    EXPECT_EQ(FormatText("%s", {42}), "42");
}

TEST(GermanFormat, FormatText_PadsByCharactersNotBytes)
{
    EXPECT_EQ(FormatText("[%-6s]", {"Größe"}), "[Größe ]");
    EXPECT_EQ(FormatText("[%6s]", {"Größe"}), "[ Größe]");
    EXPECT_EQ(FormatText("[%14s]", {FormatNumber(1234567)}), "[     1.234.567]");
    EXPECT_EQ(FormatText("[%.3s]", {"Äöüß"}), "[Äöü]");
    EXPECT_EQ(FormatText("[%2s]", {"lang"}), "[lang]");
}

TEST(GermanFormat, FormatText_KeepsWhatItCannotFill)
{
    EXPECT_EQ(FormatText("%s und %s", {"eins"}), "eins und %s");
    EXPECT_EQ(FormatText("100% sicher", {}), "100% sicher");
    EXPECT_EQ(FormatText("Ende %", {}), "Ende %");
    EXPECT_EQ(FormatText("%-", {"x"}), "%-");
}
