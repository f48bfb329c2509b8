#include "app/Automation.h"

#include "GuiFixture.h"
#include "app/MainWnd.h"
#include "app/RunController.h"
#include "platform/Clock.h"
#include "settings/Parameters.h"

using namespace verdal;

namespace {

constexpr double kMsPerDay = 86400000.0;

class AutomationTest : public test::GuiTest
{
protected:
    void TearDown() override
    {
        SetTestNow(std::nullopt);
        test::GuiTest::TearDown();
    }

    // Lets the pinned clock run to the moment the scheduler timer fires and fires it.
    void StepToTimer(cAutomation& automation)
    {
        ASSERT_TRUE(automation.SchedulerArmed());
        const int delay = SchedulerClock::MsToNextMinute(Now()) + 5;
        SetTestNow(Now() + delay / kMsPerDay);
        automation.SchedulerTmrTimer();
    }

    std::vector<uint32_t> triggers;
};

}  // namespace

TEST_F(AutomationTest, ScheduledMinuteStartsRunWithSchedulerTrigger)
{
    SetTestNow(EncodeDateTime(2024, 1, 8, 23, 58, 30));  // a Monday
    TMainWnd window;
    cAutomation automation(window, [this](uint32_t trigger) { triggers.push_back(trigger); });
    ASSERT_TRUE(window.OpenFile(ExampleProfile()));
    Params().Schedule.Clear();
    Params().Schedule.Add("Mo-Fr 00:00", 0x7C000000);
    window.RefreshAutomation();
    ASSERT_TRUE(automation.SchedulerArmed());
    EXPECT_LE(automation.SchedulerRemaining(), 30005);

    StepToTimer(automation);  // 23:59
    EXPECT_TRUE(triggers.empty());
    StepToTimer(automation);  // Tuesday 00:00
    EXPECT_EQ(triggers, std::vector<uint32_t>{kTriggerScheduler});
    StepToTimer(automation);  // 00:01
    EXPECT_EQ(triggers.size(), 1u);
    EXPECT_TRUE(automation.SchedulerArmed());
}

TEST_F(AutomationTest, DialogOpenOverTheMinuteSkipsIt)
{
    SetTestNow(EncodeDateTime(2024, 1, 9, 9, 59, 10));
    TMainWnd window;
    cAutomation automation(window, [this](uint32_t trigger) { triggers.push_back(trigger); });
    ASSERT_TRUE(window.OpenFile(ExampleProfile()));
    Params().Schedule.Clear();
    Params().Schedule.Add("täglich 10:00", 0x7F000000 | 600);
    window.RefreshAutomation();

    window.ModalOpenFlag() = true;
    StepToTimer(automation);  // 10:00 while a dialog is open
    window.ModalOpenFlag() = false;
    SetTestNow(Now() + 20000 / kMsPerDay);  // closed within the minute: still skipped
    automation.SchedulerTmrTimer();
    StepToTimer(automation);
    EXPECT_TRUE(triggers.empty());
}

TEST_F(AutomationTest, OnlySwitchedOffEntriesLeaveTheTimerOff)
{
    TMainWnd window;
    cAutomation automation(window, [this](uint32_t trigger) { triggers.push_back(trigger); });
    ASSERT_TRUE(window.OpenFile(ExampleProfile()));
    Params().Schedule.Clear();
    Params().Schedule.Add("aus", static_cast<int32_t>(0xFF000000u));
    window.RefreshAutomation();
    EXPECT_FALSE(automation.SchedulerArmed());
    EXPECT_EQ(automation.SchedulerRemaining(), -1);
    EXPECT_EQ(automation.PanelText(7), "");
    Params().FileKind = 7;  // unknown kind: nothing is automatic
    Params().Schedule.Add("an", 0x7F000000);
    window.RefreshAutomation();
    EXPECT_FALSE(automation.SchedulerArmed());
}

TEST_F(AutomationTest, StatusPanelsNameTheDocumentsAutomations)
{
    TMainWnd window;
    cAutomation automation(window, [this](uint32_t trigger) { triggers.push_back(trigger); });
    ASSERT_TRUE(window.OpenFile(ExampleProfile()));
    Params().AutoOpen = true;
    Params().AutoHook = false;
    Params().AutoBeep = true;
    Params().AutoShutdown = 2;
    Params().Schedule.Clear();
    Params().Schedule.Add("an", 0x7F000000);
    window.RefreshAutomation();
    EXPECT_EQ(automation.PanelText(0), "OPEN");
    EXPECT_EQ(automation.PanelText(3), "");
    EXPECT_EQ(automation.PanelText(4), "BEEP");
    EXPECT_EQ(automation.PanelText(6), "LOGOFF");
    EXPECT_EQ(automation.PanelText(7), "SCHEDULER");

    // A batch file takes its own fields; the profile's are not shown.
    Params().FileKind = 1;
    Params().Batch.ExitAfterRun = true;
    Params().Batch.ShutdownMode = 4;
    window.RefreshAutomation();
    EXPECT_EQ(automation.PanelText(0), "");
    EXPECT_EQ(automation.PanelText(5), "EXIT");
    EXPECT_EQ(automation.PanelText(6), "RESTART");
    EXPECT_EQ(automation.PanelText(7), "");
    EXPECT_FALSE(automation.SchedulerArmed());
}
