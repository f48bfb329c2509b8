#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <QToolButton>

#include "RunWindowsSupport.h"
#include "dialogs/TCopyWnd.h"
#include "settings/Parameters.h"

using namespace verdal;
using namespace verdal::test;

namespace {

constexpr int64_t kMiB = 1024 * 1024;

class CopyWndTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { EnsureGuiApp(); }
    void TearDown() override { InterruptRequest = false; }

    QString Text(const char* name) const
    {
        return wnd.findChild<QLabel*>(QLatin1String(name))->text();
    }

    double now = 1000.0;
    cParameters params;
    TCopyWnd wnd{"/tmp/Test.vrd", params, nullptr, [this] { return now; }};
};

TEST_F(CopyWndTest, Figures_NoRateAtFirst_PausesNotCounted)
{
    wnd.SetBytesToTransfer(10 * kMiB);
    wnd.ReportProgress(kMiB, kMiB);
    now += 4;
    wnd.Tick();
    EXPECT_EQ(Text("ElapsedLbl"), "00:00:04");
    EXPECT_EQ(Text("RateLbl"), "");  // a 4-second run never shows a rate
    EXPECT_EQ(Text("RemainingLbl"), "");
    wnd.SetPaused(true);  // a minute in the interruption dialog
    now += 60;
    wnd.Tick();
    wnd.SetPaused(false);
    wnd.ReportProgress(3 * kMiB, 4 * kMiB);
    now += 8;
    wnd.Tick();
    EXPECT_EQ(Text("ElapsedLbl"), "00:00:12");
    // 4 MiB in 12 s; 6 MiB left take 18 s.
    EXPECT_EQ(Text("RateLbl"), "341,3 kB/sec");
    EXPECT_EQ(Text("RemainingLbl"), "00:00:18");
    EXPECT_DOUBLE_EQ(wnd.BarPanel->Fraction(), 0.4);
}

TEST_F(CopyWndTest, LongRunsAndOvershoot_StayWithinBounds)
{
    wnd.SetBytesToTransfer(kMiB);
    wnd.ReportProgress(kMiB / 2, kMiB / 2);
    now += 30 * 3600;
    wnd.Tick();
    EXPECT_EQ(Text("ElapsedLbl"), "30:00:00");
    // A retried file counts its bytes twice in the reports; the finished bytes then pass the
    // run's total. Neither the bar nor the remaining time may follow.
    wnd.SetBytesDone(2 * kMiB);
    wnd.ReportProgress(kMiB, kMiB);
    now += 1;
    wnd.Tick();
    EXPECT_EQ(Text("RemainingLbl"), "00:00:00");
    wnd.BarPanel->resize(300, 18);
    EXPECT_EQ(wnd.BarPanel->FillWidth(), 298);
}

TEST_F(CopyWndTest, NothingToTransfer_NoBar_InterruptSetsRequest)
{
    wnd.SetBytesToTransfer(0);
    EXPECT_LT(wnd.BarPanel->Fraction(), 0);
    EXPECT_EQ(wnd.BarPanel->FillWidth(), 0);
    auto* button = wnd.findChild<QToolButton*>(QStringLiteral("InterruptBtn"));
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->isEnabled());
    EXPECT_FALSE(InterruptRequest.load());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(InterruptRequest.load());
}

TEST_F(CopyWndTest, Labels_ShowBothFilesInGermanFormats)
{
    // 06.12.2026 12:00:00 as a FILETIME.
    const FileStamp stamp{0, 134410320000000000ULL, 1234567};
    wnd.SetLabels({"/q/Briefe/", "brief.txt", stamp}, {"/z/Briefe/", "brief.txt", {}});
    EXPECT_EQ(Text("FromNameLbl"), "brief.txt");
    EXPECT_EQ(Text("FromSizeLbl"), "1.234.567 Bytes");
    EXPECT_EQ(Text("FromDateLbl"), "06.12.2026");
    EXPECT_EQ(Text("FromTimeLbl"), "12:00:00");
    EXPECT_EQ(Text("ToDirLbl"), "/z/Briefe/");
    EXPECT_EQ(Text("ToSizeLbl"), "");  // not there yet
}

}  // namespace
