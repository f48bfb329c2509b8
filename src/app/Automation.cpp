#include "app/Automation.h"

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

void cAutomation::Refresh()
{
    schedulerTmr_->stop();
    clock_.Disarm();
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
