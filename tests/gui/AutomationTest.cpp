#include "app/Automation.h"

#include <QLabel>
#include <QStatusBar>
#include <QTest>
#include <atomic>
#include <cstdlib>
#include <memory>

#include "GuiFixture.h"
#include "app/MainWnd.h"
#include "app/RunController.h"
#include "platform/Clock.h"
#include "platform/Drives.h"
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
        unsetenv("VERDAL_TEST_APP");
        unsetenv("VERDAL_TEST_STICK");
        test::GuiTest::TearDown();
    }

    cAutomation::RunStarter Recorder()
    {
        return [this](uint32_t trigger) {
            triggers.push_back(trigger);
            endedAtRun.push_back(ended.size());
        };
    }

    // Ticks the availability timer and waits until its look at the drives is answered.
    void SenseTick(cAutomation& automation)
    {
        automation.SenseTmrTimer();
        QTRY_VERIFY_WITH_TIMEOUT(!automation.SenseCheckPending(), 5000);
        QTest::qWait(120);  // the window polls the answer every 50 ms
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
    std::vector<size_t> endedAtRun;  // session ends recorded when each run started
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
    // The skip is told in the status bar's tooltip; the next run that starts clears it.
    const QString note = window.statusBar()->toolTip();
    EXPECT_TRUE(note.contains("10:00 übersprungen")) << note.toStdString();
    EXPECT_TRUE(note.contains("Dialog"));
    EXPECT_EQ(window.findChild<QLabel*>("AutomationPanel7")->toolTip(), note);
    Params().Schedule.Add("täglich 10:02", 0x7F000000 | 602);
    window.RefreshAutomation();
    EXPECT_EQ(window.statusBar()->toolTip(), note);  // a dialog closing keeps the note
    StepToTimer(automation);
    EXPECT_EQ(triggers, std::vector<uint32_t>{kTriggerScheduler});
    EXPECT_TRUE(window.statusBar()->toolTip().isEmpty());
}

// A scheduled minute that falls into a run in progress is skipped, and the tooltip says why.
TEST_F(AutomationTest, RunInProgressOverTheMinuteSkipsIt)
{
    // Reaches the scheduled minute while the run delivers its log.
    class TickingDelivery : public cLogDelivery
    {
    public:
        explicit TickingDelivery(std::function<void()> tick) : tick_(std::move(tick)) {}
        void ViewLog(cParameters&, const std::string&) override { tick_(); }

    private:
        std::function<void()> tick_;
    };
    SetTestNow(EncodeDateTime(2024, 1, 9, 9, 59, 10));
    TMainWnd window;
    cAutomation automation(window, Recorder());
    ASSERT_TRUE(window.OpenFile(ExampleProfile()));
    Params().Log.Viewer1 = true;
    Params().Schedule.Clear();
    Params().Schedule.Add("täglich 10:00", 0x7F000000 | 600);
    window.RefreshAutomation();
    bool busy = false;
    window.Runs().SetDelivery(std::make_unique<TickingDelivery>([&] {
        busy = window.RunBusy();
        StepToTimer(automation);
    }));
    window.Runs().StartRun(kTriggerHand);
    ASSERT_TRUE(busy);
    EXPECT_TRUE(triggers.empty());
    EXPECT_TRUE(
        window.statusBar()->toolTip().contains("10:00 übersprungen, weil gerade ein anderer"))
        << window.statusBar()->toolTip().toStdString();
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

// Every automation on: the panels read as the table of the status bar has them, for a profile
// and for a batch file (which has no application and availability triggers).
TEST_F(AutomationTest, StatusPanelsWithEveryAutomationOn)
{
    TMainWnd window;
    cAutomation automation(window, Recorder());
    ASSERT_TRUE(window.OpenFile(ExampleProfile()));
    cParameters& params = Params();
    params.AutoOpen = params.AutoApp = params.AutoSense = params.AutoHook = true;
    params.AutoBeep = params.AutoExit = true;
    params.AutoShutdown = 1;
    params.AppName = "notepad";
    params.Schedule.Clear();
    params.Schedule.Add("an", 0x7F000000);
    window.RefreshAutomation();
    const std::vector<std::string> profile = {"OPEN", "APP",  "SENSE",    "HOOK",
                                              "BEEP", "EXIT", "SHUTDOWN", "SCHEDULER"};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(automation.PanelText(i), profile[i]) << i;
        const auto* panel = window.findChild<QLabel*>(QStringLiteral("AutomationPanel%1").arg(i));
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(panel->width(), i >= 6 ? 80 : 56) << i;
        EXPECT_EQ(panel->alignment(), Qt::AlignCenter);
        EXPECT_FALSE(panel->accessibleName().isEmpty());
    }
    EXPECT_EQ(window.findChild<QLabel*>("AutomationPanel8")->text(), "");
    const char* const modes[] = {"", "SHUTDOWN", "LOGOFF", "POWEROFF", "RESTART"};
    for (int mode = 0; mode <= 4; ++mode) {
        params.AutoShutdown = mode;
        EXPECT_EQ(cAutomation::PanelTexts(params)[6], modes[mode]);
    }

    params.FileKind = 1;
    params.Batch.RunAfterOpen = params.Batch.HookShutdown = true;
    params.Batch.BeepAfterRun = params.Batch.ExitAfterRun = true;
    params.Batch.ShutdownMode = 3;
    params.Batch.Schedule.Clear();
    params.Batch.Schedule.Add("an", 0x40000000 | 720);
    window.RefreshAutomation();
    const std::vector<std::string> batch = {"OPEN", "",     "",         "HOOK",
                                            "BEEP", "EXIT", "POWEROFF", "SCHEDULER"};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(automation.PanelText(i), batch[i]) << i;
    }
    EXPECT_FALSE(automation.App1Armed());
    EXPECT_FALSE(automation.SenseArmed());
    EXPECT_TRUE(automation.SchedulerArmed());
}

// The application must be seen first, then be gone; the name is expanded and compared in any
// letter case; the guard keeps the run waiting; it fires once.
TEST_F(AutomationTest, ApplicationSeenThenGoneStartsOneRun)
{
    TMainWnd window;
    cAutomation automation(window, Recorder());
    std::vector<std::string> running;
    automation.SetTextSource([&running] { return running; });
    ASSERT_TRUE(window.OpenFile(ExampleProfile()));
    setenv("VERDAL_TEST_APP", "NotePad", 1);
    Params().AutoApp = true;
    Params().AppName = "%VERDAL_TEST_APP%";
    window.RefreshAutomation();
    ASSERT_TRUE(automation.App1Armed());

    automation.App1TmrTimer();  // never seen: keeps waiting for it
    EXPECT_TRUE(automation.App1Armed());
    running = {"Terminal", "Unbenannt - NOTEPAD"};
    automation.App1TmrTimer();
    EXPECT_FALSE(automation.App1Armed());
    ASSERT_TRUE(automation.App2Armed());
    automation.App2TmrTimer();  // still there
    EXPECT_TRUE(triggers.empty());

    running = {"Terminal"};
    window.ModalOpenFlag() = true;
    automation.App2TmrTimer();
    EXPECT_TRUE(triggers.empty());
    EXPECT_TRUE(automation.App2Armed());
    window.ModalOpenFlag() = false;
    automation.App2TmrTimer();
    EXPECT_EQ(triggers, std::vector<uint32_t>{kTriggerApplication});
    EXPECT_FALSE(automation.App1Armed() || automation.App2Armed());

    // Opening the document again waits for a fresh appearance.
    window.RefreshAutomation();
    EXPECT_TRUE(automation.App1Armed());
}

// A name that only the program's own caption holds never triggers: the window counts among
// those searched. An empty name matches nothing.
TEST_F(AutomationTest, ApplicationNamedByTheOwnCaptionNeverTriggers)
{
    TMainWnd window;
    cAutomation automation(window, Recorder());
    automation.SetTextSource([] { return std::vector<std::string>{}; });
    ASSERT_TRUE(window.OpenFile(ExampleProfile()));
    Params().AutoApp = true;
    Params().AppName = "BEISPIEL";
    window.RefreshAutomation();
    automation.App1TmrTimer();
    ASSERT_TRUE(automation.App2Armed());
    for (int i = 0; i < 3; ++i) {
        automation.App2TmrTimer();
    }
    EXPECT_TRUE(triggers.empty());

    EXPECT_FALSE(cAutomation::AppFound({"Notepad", ""}, ""));
    EXPECT_TRUE(cAutomation::AppFound({"Größe - ÄRGER"}, "ärger"));
}

// The destination appears during the test as a directory; its drive is written with a macro.
// The trigger fires once after each opening, never before the drive is there.
TEST_F(AutomationTest, AvailabilityFiresOnceAfterEachOpening)
{
    TMainWnd window;
    cAutomation automation(window, Recorder());
    ASSERT_TRUE(window.OpenFile(ExampleProfile()));
    setenv("VERDAL_TEST_STICK", dir.filePath("Stick").c_str(), 1);
    Params().AutoSense = true;
    Params().DestinationDrive = "%VERDAL_TEST_STICK%";
    window.RefreshAutomation();
    ASSERT_TRUE(automation.SenseArmed());

    SenseTick(automation);
    EXPECT_TRUE(triggers.empty());
    EXPECT_TRUE(automation.SenseArmed());

    dir.createDir("Stick");
    SenseTick(automation);
    EXPECT_EQ(triggers, std::vector<uint32_t>{kTriggerAvailable});
    EXPECT_FALSE(automation.SenseArmed());
    SenseTick(automation);  // a stray tick after the run starts nothing
    EXPECT_EQ(triggers.size(), 1u);

    window.RefreshAutomation();  // opened again
    SenseTick(automation);
    EXPECT_EQ(triggers.size(), 2u);
}

// The disk is named in fstab: its empty mount point is not the disk, so the run waits until
// the mount table has it.
TEST_F(AutomationTest, AvailabilityWaitsUntilAConfiguredDiskIsMounted)
{
    TMainWnd window;
    cAutomation automation(window, Recorder());
    ASSERT_TRUE(window.OpenFile(ExampleProfile()));
    dir.createDir("Platte");
    dir.createFile("fstab", "LABEL=Platte " + dir.filePath("Platte") + " ext4 noauto 0 2\n");
    const std::string root = "22 1 8:2 / / rw - ext4 /dev/sda2 rw\n";
    dir.createFile("mountinfo", root);
    DriveSources sources;
    sources.MountInfo = dir.filePath("mountinfo");
    sources.Fstab = dir.filePath("fstab");
    sources.MountUnitDirs = {};
    SetDriveSources(sources);
    Params().AutoSense = true;
    Params().DestinationDrive = dir.filePath("Platte");
    window.RefreshAutomation();

    SenseTick(automation);
    EXPECT_TRUE(triggers.empty());
    dir.createFile("mountinfo",
                   root + "31 22 8:17 / " + dir.filePath("Platte") + " rw - ext4 /dev/sdb1 rw\n");
    SenseTick(automation);
    SetDriveSources(DriveSources{});
    EXPECT_EQ(triggers, std::vector<uint32_t>{kTriggerAvailable});
}

// A look at a drive that hangs keeps neither the window nor a second thread busy; once it
// answers the run starts.
TEST_F(AutomationTest, HungDriveCheckDoesNotHoldTheWindow)
{
    TMainWnd window;
    cAutomation automation(window, Recorder());
    auto release = std::make_shared<std::atomic<bool>>(false);
    auto looks = std::make_shared<std::atomic<int>>(0);
    automation.SetDriveProbe([release, looks](const std::string&) {
        ++*looks;
        while (!*release) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    });
    ASSERT_TRUE(window.OpenFile(ExampleProfile()));
    Params().AutoSense = true;
    window.RefreshAutomation();

    automation.SenseTmrTimer();  // returns at once although the look hangs
    EXPECT_TRUE(automation.SenseCheckPending());
    QTest::qWait(100);
    automation.SenseTmrTimer();
    QTest::qWait(100);
    EXPECT_EQ(looks->load(), 1);
    EXPECT_TRUE(triggers.empty());

    *release = true;
    QTRY_COMPARE_WITH_TIMEOUT(triggers.size(), size_t{1}, 3000);
    EXPECT_EQ(triggers[0], kTriggerAvailable);
}

// The first end of the session is held once; a dialog keeps the hooked run waiting (and a
// refresh after it leaves the timer armed); the run starts, and a second later the session is
// ended again as it was asked for. The next end of the session passes.
TEST_F(AutomationTest, ShutdownHookHoldsOnceRunsThenEndsTheSession)
{
    TMainWnd window;
    cAutomation automation(window, Recorder());
    std::vector<int> pauses;
    std::vector<size_t> endedAtPause;
    automation.SetPause([&](int ms) {
        pauses.push_back(ms);
        endedAtPause.push_back(ended.size());
    });
    ASSERT_TRUE(window.OpenFile(ExampleProfile()));
    Params().AutoHook = true;
    window.RefreshAutomation();
    EXPECT_FALSE(automation.HookTmrArmed());

    EXPECT_FALSE(automation.QueryEndSession(true, false));
    EXPECT_FALSE(automation.HookArmed());
    ASSERT_TRUE(automation.HookTmrArmed());

    window.ModalOpenFlag() = true;
    automation.HookTmrTimer();
    EXPECT_TRUE(triggers.empty());
    window.ModalOpenFlag() = false;
    window.RefreshAutomation();  // the dialog closed
    ASSERT_TRUE(automation.HookTmrArmed());

    automation.HookTmrTimer();
    EXPECT_EQ(triggers, std::vector<uint32_t>{kTriggerShutdown});
    EXPECT_EQ(endedAtRun, std::vector<size_t>{0});
    EXPECT_EQ(pauses, std::vector<int>{1000});
    EXPECT_EQ(endedAtPause, std::vector<size_t>{0});
    EXPECT_EQ(ended, std::vector<SessionAction>{SessionAction::LogOff});
    EXPECT_FALSE(automation.HookTmrArmed());

    EXPECT_TRUE(automation.QueryEndSession(true, false));
    EXPECT_FALSE(automation.HookTmrArmed());
}

// A shutdown is ended again as a shutdown; without the hook nothing is held, but unsaved
// changes are never given up to an end of session that may not ask.
TEST_F(AutomationTest, ShutdownHookShutsDownAndUnsavedChangesHold)
{
    TMainWnd window;
    cAutomation automation(window, Recorder());
    automation.SetPause([](int) {});
    ASSERT_TRUE(window.OpenFile(ExampleProfile()));
    Params().AutoHook = false;
    window.RefreshAutomation();
    EXPECT_TRUE(automation.QueryEndSession(false, false));
    EXPECT_TRUE(automation.HookArmed());
    Params().Modified = true;
    EXPECT_FALSE(automation.QueryEndSession(false, false));
    Params().Modified = false;

    Params().FileKind = 1;
    Params().Batch.HookShutdown = true;
    window.RefreshAutomation();
    EXPECT_FALSE(automation.QueryEndSession(false, false));
    automation.HookTmrTimer();
    EXPECT_EQ(ended, std::vector<SessionAction>{SessionAction::ShutDown});
}

// A run started by hand switches the one-shot triggers off; the scheduler and the run after
// open are left alone.
TEST_F(AutomationTest, StartRunSwitchesTheOneShotTriggersOff)
{
    TMainWnd window;
    cAutomation automation(window);
    const std::string profile = ExampleProfile();
    cParameters& params = Params();
    ASSERT_TRUE(window.OpenFile(profile));
    params.AutoApp = params.AutoSense = true;
    params.AppName = "notepad";
    params.Schedule.Clear();
    params.Schedule.Add("an", 0x7F000000);
    window.RefreshAutomation();
    ASSERT_TRUE(automation.App1Armed() && automation.SenseArmed());

    window.Runs().StartRun(kTriggerHand);
    EXPECT_EQ(window.Runs().LastResult().Runs, 1);
    EXPECT_FALSE(automation.App1Armed() || automation.App2Armed() || automation.SenseArmed());
    EXPECT_TRUE(automation.SchedulerArmed());
}

// Run after open: a dialog open over the delay keeps the run waiting, a refresh after it keeps
// the delay armed, and the run starts 500 ms after the dialog closed, named in the log.
TEST_F(AutomationTest, RunAfterOpenWaitsWhileADialogIsOpen)
{
    const std::string profile = ExampleProfile();
    Params().AutoOpen = true;
    ASSERT_TRUE(Params().SaveToFile(profile));
    TMainWnd window;
    cAutomation automation(window);
    window.ModalOpenFlag() = true;
    ASSERT_TRUE(window.OpenStartFile(profile));
    QTest::qWait(700);
    EXPECT_TRUE(window.DelayArmed());
    EXPECT_EQ(window.Runs().LastResult().Runs, 0);
    window.ModalOpenFlag() = false;
    window.RefreshAutomation();
    EXPECT_TRUE(window.DelayArmed());
    QTRY_VERIFY_WITH_TIMEOUT(window.Runs().LastResult().Runs == 1, 5000);
    EXPECT_FALSE(window.DelayArmed());
    EXPECT_NE(dir.readFile("Log.txt").find("automatisch gestartet nach"), std::string::npos);
}

// Each after-run action of a profile reaches its seam: the session recorder for the four ways
// to end the system, the presenter's beep, and the exit, which never passes unsaved changes.
TEST_F(AutomationTest, AfterRunActionsReachTheRecorder)
{
    TMainWnd window;
    window.show();
    cAutomation automation(window);
    ASSERT_TRUE(window.OpenFile(ExampleProfile()));
    cParameters& params = Params();
    for (int code = 1; code <= 4; ++code) {
        params.AutoShutdown = code;
        window.Runs().StartRun(kTriggerHand);
    }
    EXPECT_EQ(ended, (std::vector<SessionAction>{SessionAction::ShutDown, SessionAction::LogOff,
                                                 SessionAction::PowerOff, SessionAction::Restart}));
    params.AutoShutdown = 0;
    params.AutoBeep = true;
    const int beeps = presenter->Beeps;
    window.Runs().StartRun(kTriggerHand);
    EXPECT_EQ(presenter->Beeps, beeps + 1);
    EXPECT_EQ(ended.size(), 4u);

    params.AutoExit = true;
    params.Modified = true;
    window.Runs().StartRun(kTriggerHand);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.statusBar()->currentMessage().contains("ungesicherte"));
    params.Modified = false;
    bool closed = false;
    QObject::connect(&window, &TMainWnd::CloseAccepted, [&closed] { closed = true; });
    window.Runs().StartRun(kTriggerHand);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(window.isVisible());
}
