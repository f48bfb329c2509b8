#pragma once

#include <cstdint>
#include <vector>

#include <QPointF>
#include <QPolygonF>
#include <QRectF>

namespace verdal {

// Geometry of the scheduler's two dials stacked in one area: the upper dial holds 00:00 to
// 11:59, the lower one 12:00 to 23:59; a full turn is 720 minutes and 12 o'clock points up.
// Drawing and hit testing share the hand shape made here.
class ClockFace
{
public:
    explicit ClockFace(const QRectF& area) : area_(area) {}

    const QRectF& Area() const { return area_; }
    // 0 for the upper dial, 1 for the lower; the boundary is the middle of the area.
    int DialAt(const QPointF& point) const;
    QPointF Centre(int dial) const;
    double Radius() const;
    // The dial an entry's hand stands on.
    static int DialOf(int minutes) { return minutes < 720 ? 0 : 1; }

    // The hand of a time: a narrow triangle from the dial's centre towards the time.
    QPolygonF HandShape(int minutes) const;
    // The tip of that hand, and the centre of its time label just beyond.
    QPointF HandTip(int minutes) const;
    QPointF LabelCentre(int minutes) const;
    // The first entry whose hand contains `point`, in list order, or -1.
    int HitTest(const std::vector<uint32_t>& entries, const QPointF& point) const;
    // The time that a line from the centre of the dial under `point` to `point` shows:
    // two minutes per degree, halves rounded to even, on the lower dial plus 720; a full day
    // wraps to 0.
    int MinutesAt(const QPointF& point) const;
    // The same for a given angle in degrees clockwise from 12 o'clock.
    static int MinutesOfAngle(double degrees, int dial);

private:
    QPointF Direction(int minutes) const;

    QRectF area_;
};

}  // namespace verdal
