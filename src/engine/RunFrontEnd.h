#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>

#include "platform/FileStamp.h"

namespace verdal {

struct cRunContext;

// The two global flags of a run. Atomic so that a signal handler (Ctrl+C) may set them.
// The abort flag ends the run at its next test; the interrupt request breaks off the current
// copy and brings up the interruption dialog.
extern std::atomic<bool> AbortFlag;
extern std::atomic<bool> InterruptRequest;

// One side of a file shown in the progress window and the interruption dialog.
struct FileLabel
{
    std::string Directory;  // native path of the directory
    std::string Name;
    FileStamp Stamp;
};

// Answers of the interruption dialog.
enum InterruptionResult : int {
    kRetry = 11,       // "Nochmal"
    kNextFile = 12,    // "Nächste Datei"
    kNextFolder = 13,  // "Nächster Ordner"
    kDeleteFile = 14,  // "Löschen"
    kQuitRun = 15,     // "Beenden"
};

// What the run driver needs from whoever shows a run: the GUI's windows, verdal-run's terminal,
// or a scripted front end in tests. Every call comes from the one thread that runs the engine.
class cRunFrontEnd
{
public:
    virtual ~cRunFrontEnd() = default;

    // Processes pending user-interface events; called at every point where the run may be
    // cancelled (each file and directory of a scan, each copy block, each candidate).
    virtual void Pump() {}
    // Waits before the verify pass (lets the written data settle); tests make it instant.
    virtual void Wait(int milliseconds)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
    // Mute: no windows at all (the "/mute" switch of the program).
    virtual bool Mute() const { return false; }

    // Phase window: caption, bar range and position; its cancel button sets AbortFlag.
    virtual void ShowPhaseWindow(bool /*shown*/) {}
    virtual void SetPhase(const std::string& /*caption*/, int64_t /*barMax*/) {}
    virtual void SetPhasePosition(int64_t /*position*/) {}

    // Review list, modal, with read-write access to the run's candidates, header rows,
    // directory tables, roots, free-space figures and counters. Returns false for Cancel.
    virtual bool ShowReviewList(cRunContext& /*run*/) { return true; }

    // Progress window of the execution phase.
    virtual void ShowProgressWindow(bool /*shown*/, int64_t /*bytesToTransfer*/) {}
    virtual void SetCopyLabels(const FileLabel& /*from*/, const FileLabel& /*to*/) {}
    // Bytes transferred since the previous report, and of the current file so far.
    virtual void ReportProgress(int64_t /*bytesDelta*/, int64_t /*currentFileBytes*/) {}
    // Bytes of the files already finished (the bar's base).
    virtual void SetBytesDone(int64_t /*bytesDone*/) {}
    virtual void SetPaused(bool /*paused*/) {}

    // Interruption dialog: both files and the error code in, one of 11..15 out.
    virtual int ShowInterruption(const FileLabel& /*source*/, const FileLabel& /*destination*/,
                                 int /*errorCode*/)
    {
        return kQuitRun;
    }
};

}  // namespace verdal
