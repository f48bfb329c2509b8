#include "engine/ProgressMeter.h"

#include <cmath>
#include <cstdio>

#include "settings/GermanFormat.h"

namespace verdal {
namespace {

constexpr double kRateAfterSeconds = 10.0;

}  // namespace

cProgressMeter::cProgressMeter(double now) : lastTick_(now) {}

void cProgressMeter::Report(int64_t delta, int64_t currentFile)
{
    copied_ += delta;
    current_ = currentFile;
}

void cProgressMeter::Tick(double now)
{
    if (!paused_) {
        elapsed_ += now - lastTick_;
    }
    lastTick_ = now;
}

double cProgressMeter::Fraction() const
{
    if (toTransfer_ == 0) {
        return -1;
    }
    return static_cast<double>(finished_ + current_) / static_cast<double>(toTransfer_);
}

double cProgressMeter::BytesPerSecond() const
{
    return elapsed_ > kRateAfterSeconds ? static_cast<double>(copied_) / elapsed_ : 0.0;
}

std::string cProgressMeter::RateText() const
{
    if (elapsed_ <= kRateAfterSeconds) {
        return {};
    }
    return FormatNumber(BytesPerSecond() / 1024.0, 1) + " kB/sec";
}

std::string cProgressMeter::RemainingText() const
{
    const double rate = BytesPerSecond();
    if (rate <= 0) {
        return {};
    }
    const double left = static_cast<double>(toTransfer_ - finished_ - current_);
    return FormatDuration(left / rate + 0.5);
}

std::string cProgressMeter::ElapsedText() const
{
    return FormatDuration(elapsed_);
}

std::string FormatDuration(double seconds)
{
    const auto whole = static_cast<int64_t>(std::floor(std::max(seconds, 0.0)));
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(whole / 3600),
                  static_cast<long long>(whole / 60 % 60), static_cast<long long>(whole % 60));
    return text;
}

}  // namespace verdal
