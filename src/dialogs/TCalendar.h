#pragma once

#include <QCalendarWidget>

namespace verdal {

// The day a date keeps when its month or year changes: the same day, or the month's last one
// when the month is shorter (31 January to February gives the 28th or 29th).
int ClampedDay(int year, int month, int day);

// The month grid of the date picker: the days of one month in seven columns, Monday first,
// with day, month and year properties that always form a valid date.
class TCalendar : public QCalendarWidget
{
    Q_OBJECT

public:
    explicit TCalendar(QWidget* parent = nullptr);

    int Day() const { return selectedDate().day(); }
    int Month() const { return selectedDate().month(); }
    int Year() const { return selectedDate().year(); }
    void SetDay(int day);
    void SetMonth(int month);
    void SetYear(int year);
    void SetDate(int year, int month, int day);
    // Starts at today instead of the date given.
    void SetUseCurrentDate(bool use);
    bool UseCurrentDate() const { return useCurrentDate_; }

private:
    bool useCurrentDate_ = false;
};

}  // namespace verdal
