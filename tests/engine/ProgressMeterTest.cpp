#include "engine/ProgressMeter.h"

#include <gtest/gtest.h>

using namespace verdal;

TEST(ProgressMeter, RateAfterTenSecondsAndPausesNotCounted)
{
    cProgressMeter meter(100.0);
    meter.SetBytesToTransfer(10 * 1024 * 1024);
    meter.Report(1024 * 1024, 1024 * 1024);
    meter.Tick(104.0);
    EXPECT_EQ(meter.RateText(), "");  // a 4-second run never shows a rate
    EXPECT_EQ(meter.RemainingText(), "");
    meter.SetPaused(true);
    meter.Tick(160.0);  // a minute in the interruption dialog
    meter.SetPaused(false);
    meter.Report(1024 * 1024, 2 * 1024 * 1024);
    meter.Tick(164.0);
    EXPECT_EQ(meter.ElapsedText(), "00:00:08");
    meter.Report(2 * 1024 * 1024, 4 * 1024 * 1024);
    meter.Tick(168.0);
    // 4 MiB in 12 s; 6 MiB left take 18 s (+0.5 rounds).
    EXPECT_EQ(meter.RateText(), "341,3 kB/sec");
    EXPECT_EQ(meter.RemainingText(), "00:00:18");
    EXPECT_DOUBLE_EQ(meter.Fraction(), 0.4);
}

TEST(ProgressMeter, NoBarWithNothingToTransfer)
{
    cProgressMeter meter;
    EXPECT_LT(meter.Fraction(), 0);
    EXPECT_EQ(FormatDuration(3725.9), "01:02:05");
}
