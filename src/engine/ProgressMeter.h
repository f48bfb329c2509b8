#pragma once

#include <cstdint>
#include <string>

namespace verdal {

// The figures of the progress window: elapsed time without pauses, transfer rate and
// remaining time, computed from the progress reports and a tick once a second. Times are in
// seconds from any fixed start, so tests can feed them.
class cProgressMeter
{
public:
    explicit cProgressMeter(double now = 0.0);

    void SetBytesToTransfer(int64_t bytes) { toTransfer_ = bytes; }
    // Bytes of the files already finished.
    void SetBytesDone(int64_t bytes) { finished_ = bytes; }
    void Report(int64_t delta, int64_t currentFile);
    void SetPaused(bool paused) { paused_ = paused; }
    // The once-a-second update: time runs only while not paused.
    void Tick(double now);

    // 0..1 over the run, or -1 with nothing to transfer (no bar then).
    double Fraction() const;
    double ElapsedSeconds() const { return elapsed_; }
    // Empty for the first ten seconds, then "%.1n kB/sec" and "hh:mm:ss".
    std::string RateText() const;
    std::string RemainingText() const;
    std::string ElapsedText() const;

private:
    double BytesPerSecond() const;

    double lastTick_;
    double elapsed_ = 0;
    int64_t copied_ = 0;
    int64_t current_ = 0;
    int64_t finished_ = 0;
    int64_t toTransfer_ = 0;
    bool paused_ = false;
};

// Seconds as "hh:mm:ss".
std::string FormatDuration(double seconds);

}  // namespace verdal
