#include "app/TerminateWatch.h"

#include <atomic>

#include "app/MainWnd.h"
#include "engine/RunFrontEnd.h"
#include "platform/Terminal.h"

namespace verdal {
namespace {

// Set from the signal handler, so it lives as long as the process.
std::atomic<bool> gRequested{false};

}  // namespace

cTerminateWatch::cTerminateWatch(TMainWnd& window, int intervalMs) : window_(window)
{
    SetFlagsOnInterrupt(&gRequested, &AbortFlag);
    connect(&timer_, &QTimer::timeout, this, &cTerminateWatch::Check);
    timer_.start(intervalMs);
}

bool cTerminateWatch::Pending()
{
    return gRequested.load();
}

void cTerminateWatch::Check()
{
    if (!gRequested || window_.RunBusy() || window_.ModalOpen()) {
        return;
    }
    gRequested = false;
    window_.close();
}

}  // namespace verdal
