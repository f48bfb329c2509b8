#include "app/Automation.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QSessionManager>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <thread>

#include "app/MainWnd.h"
#include "app/RunController.h"
#include "platform/Clock.h"
#include "platform/GnomeSession.h"
#include "platform/Paths.h"
#include "platform/SessionEnd.h"
#include "platform/TextCase.h"
#include "platform/WinError.h"
#include "platform/WindowList.h"
#include "settings/Macros.h"
#include "settings/Parameters.h"

namespace verdal {
namespace {

// The timer fires this long after the minute boundary so that it never reads the old minute.
constexpr int kBoundaryMarginMs = 5;
// How often and how long the window looks for the answer of a drive check before it leaves
// it to the next tick (a hung network mount).
constexpr int kSensePollMs = 50;
constexpr int kSenseWaitMs = 5000;
// Between the run inside a held end of session and ending the session again.
constexpr int kHookPauseMs = 1000;

bool DriveReady(const std::string& drive)
{
    std::string root;
    return ResolveDriveRoot(drive, root) == kErrSuccess;
}

// Waits while the window keeps painting and answering.
void PauseProcessingEvents(int ms)
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(10);
    }
}

const char* const kPanelNames[] = {
    "Lauf nach Öffnen",
    "Lauf nach Ende einer Anwendung",
    "Lauf bei Verfügbarkeit",
    "Lauf beim Herunterfahren",
    "Signalton nach Lauf",
    "Beenden nach Lauf",
    "Nach Lauf das System beenden",
    "Zeitplaner",
    "Status",
};

}  // namespace

// One look at both drives on a thread of its own. The thread owns what it touches, so a look
// that hangs on a dead mount may outlive the window.
struct cAutomation::SenseCheck
{
    std::atomic<bool> Done{false};
    std::atomic<bool> Ready{false};
};

cAutomation::cAutomation(TMainWnd& window, RunStarter starter)
    : window_(window),
      starter_(std::move(starter)),
      probe_(&DriveReady),
      pause_(&PauseProcessingEvents),
      app1Tmr_(MakeTimer(5000, &cAutomation::App1TmrTimer)),
      app2Tmr_(MakeTimer(5000, &cAutomation::App2TmrTimer)),
      senseTmr_(MakeTimer(10000, &cAutomation::SenseTmrTimer)),
      sensePoll_(MakeTimer(kSensePollMs, &cAutomation::SensePoll)),
      hookTmr_(MakeTimer(1000, &cAutomation::HookTmrTimer)),
      schedulerTmr_(MakeTimer(0, &cAutomation::SchedulerTmrTimer))
{
    if (!starter_) {
        starter_ = [this](uint32_t trigger) { window_.Runs().StartRun(trigger); };
    }
    schedulerTmr_->setSingleShot(true);
    schedulerTmr_->setTimerType(Qt::PreciseTimer);
    for (size_t i = 0; i < panels_.size(); ++i) {
        panels_[i] = new QLabel(&window);
        panels_[i]->setAlignment(Qt::AlignCenter);
        panels_[i]->setObjectName(QStringLiteral("AutomationPanel%1").arg(i));
        panels_[i]->setAccessibleName(QString::fromUtf8(kPanelNames[i]));
        if (i + 1 < panels_.size()) {
            panels_[i]->setFixedWidth(i == 6 || i == 7 ? 80 : 56);
        }
        window.statusBar()->addPermanentWidget(panels_[i], i + 1 < panels_.size() ? 0 : 1);
    }
    window_.SetAutomationRefresher([this] { Refresh(); });
    window_.Runs().SetBeforeRun([this] { StopOneShotTimers(); });
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QObject::connect(
            app, &QGuiApplication::commitDataRequest, hookTmr_,
            [this](QSessionManager& manager) { OnCommitDataRequest(manager); },
            Qt::DirectConnection);
        // Qt's session management does not reach a program under Wayland; GNOME asks its
        // clients over the session bus there.
        if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
            gnomeSession_ = std::make_unique<cGnomeSessionClient>();
            gnomeSession_->Register(
                "verdal",
                "Verdal hält das Ende der Sitzung an: Lauf vor dem Abmelden oder ungesicherte "
                "Änderungen.",
                [this] { return QueryEndSession(true, false); });
        }
    }
}

cAutomation::~cAutomation()
{
    window_.SetAutomationRefresher({});
    window_.Runs().SetBeforeRun({});
    for (QTimer* timer : {app1Tmr_, app2Tmr_, senseTmr_, sensePoll_, hookTmr_, schedulerTmr_}) {
        timer->stop();
        delete timer;
    }
}

QTimer* cAutomation::MakeTimer(int interval, void (cAutomation::*handler)())
{
    auto* timer = new QTimer(&window_);
    timer->setInterval(interval);
    QObject::connect(timer, &QTimer::timeout, timer, [this, handler] { (this->*handler)(); });
    return timer;
}

bool cAutomation::Blocked() const
{
    return window_.ModalOpen() || window_.RunBusy();
}

std::vector<uint32_t> cAutomation::DocumentSchedule(const cParameters& params)
{
    switch (params.FileKind) {
        case 0:
            return ScheduleEntries(params.Schedule);
        case 1:
            return ScheduleEntries(params.Batch.Schedule);
        default:
            return {};
    }
}

std::array<std::string, 8> cAutomation::PanelTexts(const cParameters& params)
{
    static const char* const kShutdown[] = {"", "SHUTDOWN", "LOGOFF", "POWEROFF", "RESTART"};
    const auto shutdown = [](int mode) {
        return std::string(mode >= 0 && mode <= 4 ? kShutdown[mode] : "");
    };
    std::array<std::string, 8> texts;
    bool open = false, app = false, sense = false, hook = false, beep = false, exit = false;
    int mode = 0;
    if (params.FileKind == 0) {
        open = params.AutoOpen;
        app = params.AutoApp;
        sense = params.AutoSense;
        hook = params.AutoHook;
        beep = params.AutoBeep;
        exit = params.AutoExit;
        mode = params.AutoShutdown;
    } else if (params.FileKind == 1) {
        open = params.Batch.RunAfterOpen;
        hook = params.Batch.HookShutdown;
        beep = params.Batch.BeepAfterRun;
        exit = params.Batch.ExitAfterRun;
        mode = params.Batch.ShutdownMode;
    }
    texts[0] = open ? "OPEN" : "";
    texts[1] = app ? "APP" : "";
    texts[2] = sense ? "SENSE" : "";
    texts[3] = hook ? "HOOK" : "";
    texts[4] = beep ? "BEEP" : "";
    texts[5] = exit ? "EXIT" : "";
    texts[6] = shutdown(mode);
    texts[7] = ScheduleHasActiveEntry(DocumentSchedule(params)) ? "SCHEDULER" : "";
    return texts;
}

std::string cAutomation::PanelText(int panel) const
{
    return panels_.at(static_cast<size_t>(panel))->text().toStdString();
}

void cAutomation::Refresh()
{
    StopOneShotTimers();
    schedulerTmr_->stop();
    clock_.Disarm();
    const cParameters& params = Params();
    const auto texts = PanelTexts(params);
    for (size_t i = 0; i < texts.size(); ++i) {
        panels_[i]->setText(QString::fromStdString(texts[i]));
    }
    if (params.FileKind == 0 && params.AutoApp) {
        app1Tmr_->start();
    }
    if (params.FileKind == 0 && params.AutoSense) {
        senseTmr_->start();
    }
    schedule_ = DocumentSchedule(params);
    if (ScheduleHasActiveEntry(schedule_)) {
        clock_.Arm(Now());
        ArmSchedulerTimer();
    }
}

void cAutomation::StopOneShotTimers()
{
    app1Tmr_->stop();
    app2Tmr_->stop();
    senseTmr_->stop();
    // An answer still on its way belongs to a trigger that is over; it is never taken.
    sensePoll_->stop();
}

bool cAutomation::App1Armed() const
{
    return app1Tmr_->isActive();
}

bool cAutomation::App2Armed() const
{
    return app2Tmr_->isActive();
}

bool cAutomation::SenseArmed() const
{
    return senseTmr_->isActive();
}

bool cAutomation::SenseCheckPending() const
{
    return senseCheck_ && !senseCheck_->Done;
}

bool cAutomation::HookTmrArmed() const
{
    return hookTmr_->isActive();
}

bool cAutomation::SchedulerArmed() const
{
    return schedulerTmr_->isActive();
}

int cAutomation::SchedulerRemaining() const
{
    return schedulerTmr_->isActive() ? schedulerTmr_->remainingTime() : -1;
}

// ---- application -----------------------------------------------------------------------------

bool cAutomation::AppFound(const std::vector<std::string>& texts, const std::string& appName)
{
    const std::string needle = FoldCase(appName);
    if (needle.empty()) {
        return false;
    }
    for (const std::string& text : texts) {
        if (FoldCase(text).find(needle) != std::string::npos) {
            return true;
        }
    }
    return false;
}

bool cAutomation::AppRunning() const
{
    std::vector<std::string> texts = texts_ ? texts_() : ApplicationTexts();
    // The own caption counts even while the window sits in the tray and has no title there.
    texts.push_back(window_.windowTitle().toStdString());
    return AppFound(texts, ExpandMacros(Params().AppName));
}

void cAutomation::App1TmrTimer()
{
    if (Blocked()) {
        return;
    }
    if (AppRunning()) {
        app1Tmr_->stop();
        app2Tmr_->start();
    }
}

void cAutomation::App2TmrTimer()
{
    if (Blocked()) {
        return;
    }
    if (!AppRunning()) {
        StopOneShotTimers();
        starter_(kTriggerApplication);
    }
}

// ---- availability ----------------------------------------------------------------------------

void cAutomation::SenseTmrTimer()
{
    if (Blocked() || SenseCheckPending()) {
        return;
    }
    const cParameters& params = Params();
    const std::string source = ExpandMacros(params.SourceDrive);
    const std::string destination = ExpandMacros(params.DestinationDrive);
    auto check = std::make_shared<SenseCheck>();
    senseCheck_ = check;
    std::thread([check, probe = probe_, source, destination] {
        check->Ready = probe(source) && probe(destination);
        check->Done = true;
    }).detach();
    senseWaited_.start();
    sensePoll_->start();
}

void cAutomation::SensePoll()
{
    if (!senseCheck_ || !senseCheck_->Done) {
        if (!senseCheck_ || senseWaited_.elapsed() > kSenseWaitMs) {
            sensePoll_->stop();
        }
        return;
    }
    sensePoll_->stop();
    const bool ready = senseCheck_->Ready;
    senseCheck_.reset();
    if (ready && senseTmr_->isActive() && !Blocked()) {
        StopOneShotTimers();
        starter_(kTriggerAvailable);
    }
}

// ---- shutdown hook ---------------------------------------------------------------------------

bool cAutomation::QueryEndSession(bool logoff, bool mayInteract)
{
    const cParameters& params = Params();
    const bool allow = mayInteract ? window_.CloseQuery()
                                   : !window_.ModalOpen() && !window_.RunBusy() && !params.Modified;
    endSessionLogoff_ = logoff;
    const bool hook = params.FileKind == 0   ? params.AutoHook
                      : params.FileKind == 1 ? params.Batch.HookShutdown
                                             : false;
    if (hook && hookArmed_) {
        // Held once only: the end of session this program asks for afterwards must pass.
        hookArmed_ = false;
        hookTmr_->start();
        return false;
    }
    return allow;
}

void cAutomation::OnCommitDataRequest(QSessionManager& manager)
{
    const bool mayInteract = manager.allowsInteraction();
    // Session managers do not say whether the machine goes down after the session; ending the
    // session is what is known to be asked for.
    const bool allow = QueryEndSession(true, mayInteract);
    if (mayInteract) {
        manager.release();
    }
    if (!allow) {
        manager.cancel();
    }
}

void cAutomation::HookTmrTimer()
{
    if (Blocked()) {
        return;
    }
    hookTmr_->stop();
    starter_(kTriggerShutdown);
    pause_(kHookPauseMs);
    EndSession(endSessionLogoff_ ? SessionAction::LogOff : SessionAction::ShutDown);
}

// ---- scheduler -------------------------------------------------------------------------------

void cAutomation::ArmSchedulerTimer()
{
    schedulerTmr_->start(SchedulerClock::MsToNextMinute(Now()) + kBoundaryMarginMs);
}

void cAutomation::NoteSkipped(MinuteStamp stamp)
{
    const int minute = ScheduleMinuteOfDay(stamp);
    const QString reason = window_.RunBusy() ? QStringLiteral("gerade ein anderer Lauf lief")
                                             : QStringLiteral("ein Dialog geöffnet war");
    skipNote_ = QStringLiteral(
                    "Geplanter Lauf um %1:%2 übersprungen, weil %3; er wird nicht "
                    "nachgeholt.")
                    .arg(minute / 60, 2, 10, QLatin1Char('0'))
                    .arg(minute % 60, 2, 10, QLatin1Char('0'))
                    .arg(reason);
    window_.statusBar()->setToolTip(skipNote_);
    panels_[7]->setToolTip(skipNote_);
}

void cAutomation::SchedulerTmrTimer()
{
    if (!clock_.Armed()) {
        return;
    }
    std::optional<MinuteStamp> skipped;
    const auto due = clock_.Tick(Now(), schedule_, Blocked(), &skipped);
    // Re-armed before the run: the run may take minutes and process events meanwhile.
    ArmSchedulerTimer();
    if (skipped) {
        NoteSkipped(*skipped);
    }
    if (due) {
        skipNote_.clear();
        window_.statusBar()->setToolTip({});
        panels_[7]->setToolTip({});
        starter_(kTriggerScheduler);
    }
}

}  // namespace verdal
