#pragma once

#include <QElapsedTimer>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "settings/SchedulerClock.h"

class QLabel;
class QSessionManager;
class QTimer;

namespace verdal {

class TMainWnd;
class cGnomeSessionClient;
class cParameters;

// The runs that start by themselves, as timers of the main window:
// - run after open: the window's own DelayTmr, armed by the start file;
// - application: App1Tmr waits until a window (or process) naming AppName is there, App2Tmr
//   until it is gone, then the run starts;
// - availability: SenseTmr looks whether source and destination are ready, off the GUI thread;
// - shutdown hook: the first end of the desktop session is held, the run made, and the
//   session ended again a second later;
// - scheduler: a single-shot timer right after each minute boundary, asking the scheduler
//   clock whether an entry is due.
// Every timer tries again at its next tick while a dialog is open or a run is busy. The
// status bar's panels name the automations of the open document.
class cAutomation
{
public:
    using RunStarter = std::function<void(uint32_t trigger)>;
    // The texts the application trigger searches (window titles or process names).
    using TextSource = std::function<std::vector<std::string>()>;
    // Whether a drive (macros expanded) is ready; runs on a thread of its own.
    using DriveProbe = std::function<bool(const std::string& drive)>;
    // The pause between the hooked run and ending the session (tests record it).
    using Pause = std::function<void(int ms)>;

    // Registers itself as the window's automation refresher and switches the one-shot triggers
    // off when a run starts. Runs start through the window's run controller unless `starter`
    // replaces it (tests record the triggers).
    explicit cAutomation(TMainWnd& window, RunStarter starter = {});
    ~cAutomation();
    cAutomation(const cAutomation&) = delete;
    cAutomation& operator=(const cAutomation&) = delete;

    void SetTextSource(TextSource source) { texts_ = std::move(source); }
    void SetDriveProbe(DriveProbe probe) { probe_ = std::move(probe); }
    void SetPause(Pause pause) { pause_ = std::move(pause); }

    // Re-reads the open document: arms the application, availability and scheduler timers as
    // it asks. DelayTmr and HookTmr keep running: a refresh after a dialog must not lose them.
    void Refresh();
    // What StartRun does first: the application and availability triggers fire once.
    void StopOneShotTimers();

    // The timer handlers; public so tests can step them.
    void App1TmrTimer();
    void App2TmrTimer();
    void SenseTmrTimer();
    void HookTmrTimer();
    void SchedulerTmrTimer();
    // The end of the desktop session is asked for: false holds it. `logoff` tells a log-off
    // from a shutdown; `mayInteract` whether the close query may ask to save changes.
    bool QueryEndSession(bool logoff, bool mayInteract);

    bool App1Armed() const;
    bool App2Armed() const;
    bool SenseArmed() const;
    // A look at the drives is under way (a hung mount keeps it there; no second one starts).
    bool SenseCheckPending() const;
    bool HookTmrArmed() const;
    bool HookArmed() const { return hookArmed_; }
    bool SchedulerArmed() const;
    // Milliseconds until the scheduler timer fires, or -1 when it is off.
    int SchedulerRemaining() const;

    // Whether the application's name occurs in one of the texts, any letter case.
    static bool AppFound(const std::vector<std::string>& texts, const std::string& appName);
    // The schedule entries of the document (by its kind; an unknown kind has none).
    static std::vector<uint32_t> DocumentSchedule(const cParameters& params);
    // The texts of the status panels 0 .. 7 for the document's automations (empty when off).
    static std::array<std::string, 8> PanelTexts(const cParameters& params);
    // The text a status panel shows now.
    std::string PanelText(int panel) const;
    // Why the last scheduled run did not start (empty when none was skipped).
    QString SkipNote() const { return skipNote_; }

private:
    struct SenseCheck;

    QTimer* MakeTimer(int interval, void (cAutomation::*handler)());
    bool Blocked() const;
    bool AppRunning() const;
    void SensePoll();
    void OnCommitDataRequest(QSessionManager& manager);
    void ArmSchedulerTimer();
    void NoteSkipped(MinuteStamp stamp);

    TMainWnd& window_;
    RunStarter starter_;
    TextSource texts_;
    DriveProbe probe_;
    Pause pause_;
    QTimer* app1Tmr_;
    QTimer* app2Tmr_;
    QTimer* senseTmr_;
    QTimer* sensePoll_;
    QTimer* hookTmr_;
    QTimer* schedulerTmr_;
    std::shared_ptr<SenseCheck> senseCheck_;
    std::unique_ptr<cGnomeSessionClient> gnomeSession_;
    QElapsedTimer senseWaited_;
    bool hookArmed_ = true;
    bool endSessionLogoff_ = false;
    SchedulerClock clock_;
    std::vector<uint32_t> schedule_;
    QString skipNote_;
    std::array<QLabel*, 9> panels_{};
};

}  // namespace verdal
