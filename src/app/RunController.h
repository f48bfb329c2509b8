#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "engine/Orchestration.h"

namespace verdal {

class TMainWnd;
class cGuiFrontEnd;

// Codes of what started a run, as the log names them.
enum RunTrigger : uint32_t {
    kTriggerHand = 0,
    kTriggerAfterOpen = 1,
    kTriggerApplication = 2,
    kTriggerAvailable = 3,
    kTriggerShutdown = 4,
    kTriggerScheduler = 5,
};

// Runs of the window program: every run, whatever starts it, enters through StartRun, which
// guards the window (RunBusy, window and tray menu disabled), runs the open profile or batch
// file through the core's orchestration and carries out what the document asks afterwards.
class cRunController
{
public:
    explicit cRunController(TMainWnd& window);
    ~cRunController();

    void StartRun(uint32_t trigger);
    bool Busy() const { return busy_; }

    // "&Log ansehen...": shows the current log file the way the log settings choose.
    void ViewLog();

    // Called as a run starts, before anything else (the automation switches its one-shot
    // triggers off there).
    void SetBeforeRun(std::function<void()> hook) { beforeRun_ = std::move(hook); }
    // Replaces the log delivery (tests record it).
    void SetDelivery(std::unique_ptr<cLogDelivery> delivery);
    cGuiFrontEnd& FrontEnd() { return *frontEnd_; }
    // The outcome of the last run.
    const DocumentRunResult& LastResult() const { return last_; }
    // How long a run waits for its drives to answer before it gives up (tests shorten it).
    void SetDriveWait(int milliseconds) { driveWaitMs_ = milliseconds; }

private:
    void SetGuard(bool running);
    bool DrivesAnswer(const cParameters& params) const;

    TMainWnd& window_;
    bool busy_ = false;
    std::unique_ptr<cGuiFrontEnd> frontEnd_;
    std::unique_ptr<cLogDelivery> delivery_;
    std::function<void()> beforeRun_;
    DocumentRunResult last_;
    // A sleeping disk or NAS may take a while to wake; the window keeps answering meanwhile.
    int driveWaitMs_ = 20000;
};

}  // namespace verdal
