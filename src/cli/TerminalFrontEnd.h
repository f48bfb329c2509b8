#pragma once

#include <chrono>
#include <iosfwd>
#include <string>

#include "engine/ProgressMeter.h"
#include "engine/RunFrontEnd.h"

namespace verdal {

// verdal-run's face of a run: on a terminal it prints the phase captions and, while copying,
// one progress line (bytes, rate, remaining time) redrawn once a second; elsewhere it stays
// quiet. A failed copy is reported; with `interactive` the user picks the interruption answer
// on the terminal, otherwise the run goes on with the next file (or ends after Ctrl+C). With
// `dryRun` the review list prints the decisions, grouped by the header rows, to `out`.
class cTerminalFrontEnd : public cRunFrontEnd
{
public:
    cTerminalFrontEnd(std::ostream& out, std::ostream& err, bool terminal, bool dryRun,
                      bool interactive, std::istream& in);

    void Wait(int milliseconds) override;
    void SetPhase(const std::string& caption, int64_t barMax) override;
    bool ShowReviewList(cRunContext& run) override;
    void ShowProgressWindow(bool shown, int64_t bytesToTransfer) override;
    void ReportProgress(int64_t bytesDelta, int64_t currentFileBytes) override;
    void SetBytesDone(int64_t bytesDone) override;
    void SetPaused(bool paused) override;
    int ShowInterruption(const FileLabel& source, const FileLabel& destination,
                         int errorCode) override;

private:
    double Seconds() const;
    void DrawProgress(bool force);
    void EndProgressLine();

    std::ostream& out_;
    std::ostream& err_;
    bool terminal_;
    bool dryRun_;
    bool interactive_;
    std::istream& in_;
    bool copying_ = false;
    bool lineShown_ = false;
    std::chrono::steady_clock::time_point start_;
    double lastDraw_ = 0;
    int64_t transferred_ = 0;
    cProgressMeter meter_;
};

// The lines the dry run prints for a run's decisions: each header row, then its candidates
// with action, flags and both native paths.
void PrintDecisions(const cRunContext& run, std::ostream& out);

}  // namespace verdal
