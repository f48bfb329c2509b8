#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "settings/SchedulerClock.h"

class QLabel;
class QTimer;

namespace verdal {

class TMainWnd;
class cParameters;

// The runs that start by themselves. This first part holds the scheduled runs: a single-shot
// timer fires right after each minute boundary, the scheduler clock decides whether an entry
// of the open document is due, and the run starts with the scheduler's trigger code unless a
// dialog is open over the main window or a run is in progress (then the minute is skipped).
class cAutomation
{
public:
    using RunStarter = std::function<void(uint32_t trigger)>;

    // Registers itself as the window's automation refresher. Runs start through the window's
    // run controller unless `starter` replaces it (tests record the triggers).
    explicit cAutomation(TMainWnd& window, RunStarter starter = {});
    ~cAutomation();
    cAutomation(const cAutomation&) = delete;
    cAutomation& operator=(const cAutomation&) = delete;

    // Re-reads the open document: arms the scheduler when one of its entries is switched on.
    void Refresh();
    bool SchedulerArmed() const;
    // Milliseconds until the scheduler timer fires, or -1 when it is off.
    int SchedulerRemaining() const;
    // What the scheduler timer does when it fires; public so tests can step the settable clock.
    void SchedulerTmrTimer();

    // The schedule entries of the document (by its kind; an unknown kind has none).
    static std::vector<uint32_t> DocumentSchedule(const cParameters& params);
    // The texts of the status panels 0 .. 7 for the document's automations (empty when off).
    static std::array<std::string, 8> PanelTexts(const cParameters& params);
    // The text a status panel shows now.
    std::string PanelText(int panel) const;

private:
    void ArmSchedulerTimer();

    TMainWnd& window_;
    RunStarter starter_;
    QTimer* schedulerTmr_;
    SchedulerClock clock_;
    std::vector<uint32_t> schedule_;
    std::array<QLabel*, 9> panels_{};
};

}  // namespace verdal
