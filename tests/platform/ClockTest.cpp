#include "platform/Clock.h"

#include <gtest/gtest.h>

using namespace verdal;

TEST(Clock, EncodeDecode_RoundTripsKnownDates)
{
    EXPECT_DOUBLE_EQ(EncodeDateTime(1899, 12, 30), 0.0);
    EXPECT_DOUBLE_EQ(EncodeDateTime(1900, 1, 1), 2.0);
    EXPECT_DOUBLE_EQ(EncodeDateTime(2026, 12, 5), 46361.0);
    const DateTimeParts p = DecodeDateTime(EncodeDateTime(2024, 2, 29, 23, 59, 59, 999));
    EXPECT_EQ(p.Year, 2024);
    EXPECT_EQ(p.Month, 2);
    EXPECT_EQ(p.Day, 29);
    EXPECT_EQ(p.Hour, 23);
    EXPECT_EQ(p.Minute, 59);
    EXPECT_EQ(p.Second, 59);
    EXPECT_EQ(p.MSec, 999);
    EXPECT_EQ(DecodeDateTime(EncodeDateTime(2026, 12, 6)).DayOfWeek, 0);  // a Sunday
    EXPECT_EQ(DecodeDateTime(EncodeDateTime(2026, 12, 7)).DayOfWeek, 1);
}

TEST(Clock, TestNow_PinsNowAndToday)
{
    const TDateTime pinned = EncodeDateTime(2027, 1, 1, 0, 30);
    SetTestNow(pinned);
    EXPECT_DOUBLE_EQ(Now(), pinned);
    EXPECT_DOUBLE_EQ(Today(), EncodeDateTime(2027, 1, 1));
    SetTestNow(std::nullopt);
    EXPECT_GT(Now(), EncodeDateTime(2020, 1, 1));
}
