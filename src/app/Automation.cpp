#include "app/Automation.h"

#include <QLabel>
#include <QStatusBar>
#include <QTimer>

#include "app/MainWnd.h"
#include "app/RunController.h"
#include "platform/Clock.h"
#include "settings/Parameters.h"

namespace verdal {
namespace {

// The timer fires this long after the minute boundary so that it never reads the old minute.
constexpr int kBoundaryMarginMs = 5;

}  // namespace

cAutomation::cAutomation(TMainWnd& window, RunStarter starter)
    : window_(window), starter_(std::move(starter)), schedulerTmr_(new QTimer(&window))
{
    if (!starter_) {
        starter_ = [this](uint32_t trigger) { window_.Runs().StartRun(trigger); };
    }
    schedulerTmr_->setSingleShot(true);
    schedulerTmr_->setTimerType(Qt::PreciseTimer);
    QObject::connect(schedulerTmr_, &QTimer::timeout, schedulerTmr_,
                     [this] { SchedulerTmrTimer(); });
    for (size_t i = 0; i < panels_.size(); ++i) {
        panels_[i] = new QLabel(&window);
        panels_[i]->setAlignment(Qt::AlignCenter);
        panels_[i]->setObjectName(QStringLiteral("AutomationPanel%1").arg(i));
        if (i + 1 < panels_.size()) {
            panels_[i]->setFixedWidth(i == 6 || i == 7 ? 80 : 56);
        }
        window.statusBar()->addPermanentWidget(panels_[i], i + 1 < panels_.size() ? 0 : 1);
    }
    window_.SetAutomationRefresher([this] { Refresh(); });
}

cAutomation::~cAutomation()
{
    window_.SetAutomationRefresher({});
    schedulerTmr_->stop();
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
    schedulerTmr_->stop();
    clock_.Disarm();
    const auto texts = PanelTexts(Params());
    for (size_t i = 0; i < texts.size(); ++i) {
        panels_[i]->setText(QString::fromStdString(texts[i]));
    }
    schedule_ = DocumentSchedule(Params());
    if (ScheduleHasActiveEntry(schedule_)) {
        clock_.Arm(Now());
        ArmSchedulerTimer();
    }
}

bool cAutomation::SchedulerArmed() const
{
    return schedulerTmr_->isActive();
}

int cAutomation::SchedulerRemaining() const
{
    return schedulerTmr_->isActive() ? schedulerTmr_->remainingTime() : -1;
}

void cAutomation::ArmSchedulerTimer()
{
    schedulerTmr_->start(SchedulerClock::MsToNextMinute(Now()) + kBoundaryMarginMs);
}

void cAutomation::SchedulerTmrTimer()
{
    if (!clock_.Armed()) {
        return;
    }
    const bool blocked = window_.ModalOpen() || window_.RunBusy();
    const auto due = clock_.Tick(Now(), schedule_, blocked);
    // Re-armed before the run: the run may take minutes and process events meanwhile.
    ArmSchedulerTimer();
    if (due) {
        starter_(kTriggerScheduler);
    }
}

}  // namespace verdal
