#include "dialogs/ClockFace.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <numbers>

#include "dialogs/ScheduleList.h"

namespace verdal {
namespace {

constexpr double kHandLength = 0.6;    // of the radius, leaving room for the labels
constexpr double kHandHalfBase = 5.0;  // pixels either side of the centre

}  // namespace

int ClockFace::DialAt(const QPointF& point) const
{
    return point.y() < area_.center().y() ? 0 : 1;
}

QPointF ClockFace::Centre(int dial) const
{
    const double half = area_.height() / 2.0;
    return {area_.center().x(), area_.top() + half * (dial == 0 ? 0.5 : 1.5)};
}

double ClockFace::Radius() const
{
    return std::max(1.0, std::min(area_.width(), area_.height() / 2.0) / 2.0 - 4.0);
}

QPointF ClockFace::Direction(int minutes) const
{
    const double radians = (minutes % 720) / 2.0 * std::numbers::pi / 180.0;
    return {std::sin(radians), -std::cos(radians)};
}

QPointF ClockFace::HandTip(int minutes) const
{
    return Centre(DialOf(minutes)) + Direction(minutes) * (Radius() * kHandLength);
}

QPointF ClockFace::LabelCentre(int minutes) const
{
    return Centre(DialOf(minutes)) + Direction(minutes) * (Radius() * kHandLength + 16.0);
}

QPolygonF ClockFace::HandShape(int minutes) const
{
    const QPointF centre = Centre(DialOf(minutes));
    const QPointF dir = Direction(minutes);
    const QPointF side(-dir.y() * kHandHalfBase, dir.x() * kHandHalfBase);
    return QPolygonF({centre + side, HandTip(minutes), centre - side});
}

int ClockFace::HitTest(const std::vector<uint32_t>& entries, const QPointF& point) const
{
    for (size_t i = 0; i < entries.size(); ++i) {
        const int minutes = EntryMinutes(entries[i]) % kMinutesPerDay;
        if (HandShape(minutes).containsPoint(point, Qt::OddEvenFill)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int ClockFace::MinutesOfAngle(double degrees, int dial)
{
    double a = std::fmod(degrees, 360.0);
    if (a < 0) {
        a += 360.0;
    }
    // nearbyint rounds halves to even in the default rounding mode.
    const int minutes = static_cast<int>(std::nearbyint(2.0 * a)) + (dial == 0 ? 0 : 720);
    return minutes % kMinutesPerDay;
}

int ClockFace::MinutesAt(const QPointF& point) const
{
    const int dial = DialAt(point);
    const QPointF centre = Centre(dial);
    const double right = point.x() - centre.x();
    const double up = centre.y() - point.y();
    const double degrees = 90.0 - std::atan2(up, right) * 180.0 / std::numbers::pi;
    return MinutesOfAngle(degrees, dial);
}

}  // namespace verdal
