#include "settings/GermanFormat.h"

#include <gtest/gtest.h>

#include <limits>

using namespace verdal;

TEST(GermanFormat, DateLetters_FollowGermanConventions)
{
    // Thursday, 5 March 2026, 07:04:09.045.
    const TDateTime value = EncodeDateTime(2026, 3, 5, 7, 4, 9, 45);
    const std::pair<const char*, const char*> cases[] = {
        {"d dd ddd dddd", "5 05 Do Donnerstag"},
        {"ddddd", "05.03.2026"},
        {"dddddd", "Donnerstag, 5. März 2026"},
        {"m mm mmm mmmm", "3 03 Mär März"},
        {"yy yyyy", "26 2026"},
        {"h:n:s hh:nn:ss.zzz", "7:4:9 07:04:09.045"},
        {"t tt", "07:04 07:04:09"},
        // m right after an hour means minutes, as in a duration "hh:mm:ss".
        {"hh:mm:ss", "07:04:09"},
        {"DD/MM/YY", "05.03.26"},
        {"'Stand:' \"dd\" dd", "Stand: dd 05"},
    };
    for (const auto& [format, expected] : cases) {
        EXPECT_EQ(FormatDateTime(format, value), expected) << format;
    }
    // 1 to 7 June 2026 run from Monday to Sunday.
    EXPECT_EQ(FormatDateTime("dddd", EncodeDateTime(2026, 6, 7)), "Sonntag");
    EXPECT_EQ(FormatDateTime("mmm", EncodeDateTime(2026, 10, 1)), "Okt");
    EXPECT_EQ(FormatDateTime("c", EncodeDateTime(2026, 1, 2)), "02.01.2026");
    EXPECT_EQ(FormatDateTime("c", EncodeDateTime(2026, 1, 2, 13, 5)), "02.01.2026 13:05:00");
}

TEST(GermanFormat, Numbers_UseDotForThousandsAndCommaForDecimals)
{
    EXPECT_EQ(FormatNumber(999), "999");
    EXPECT_EQ(FormatNumber(1234567), "1.234.567");
    EXPECT_EQ(FormatNumber(-1234567), "-1.234.567");
    EXPECT_EQ(FormatNumber(std::numeric_limits<int64_t>::max()), "9.223.372.036.854.775.807");
    EXPECT_EQ(FormatNumber(uint64_t{5000000000}, 3), "5.000.000.000,000");
    EXPECT_EQ(FormatNumber(1234.5678, 3), "1.234,568");
    EXPECT_EQ(FormatNumber(-0.0001, 2), "0,00");
    EXPECT_EQ(FormatNumber(999999.999, 0), "1.000.000");
}

TEST(GermanFormat, FormatText_FillsTheProgramsPlaceholders)
{
    EXPECT_EQ(FormatText("Laufwerk %s hat %s MB", {"/media/x", "1,5"}),
              "Laufwerk /media/x hat 1,5 MB");
    EXPECT_EQ(FormatText("ca. %.0n Einträge, %d%%", {16384, 50}), "ca. 16.384 Einträge, 50%");
    EXPECT_EQ(FormatText("%.3n MB", {1536.0 / 1024}), "1,500 MB");
    EXPECT_EQ(FormatText("%n|%.1n", {1234.5, int64_t{2048}}), "1.234,50|2.048,0");
    EXPECT_EQ(FormatText("%x %.3d %d %s", {255, 7, 2.6, 42}), "FF 007 3 42");
    // Widths count characters, not the bytes of umlauts.
    EXPECT_EQ(FormatText("[%-6s|%6s|%.3s|%2s]", {"Größe", "Größe", "Äöüß", "lang"}),
              "[Größe | Größe|Äöü|lang]");
    // What cannot be filled stays as it is.
    EXPECT_EQ(FormatText("%s und %s", {"eins"}), "eins und %s");
    EXPECT_EQ(FormatText("100% sicher, Ende %", {}), "100% sicher, Ende %");
}
