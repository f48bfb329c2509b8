#include "dialogs/TCalendar.h"

#include <algorithm>

#include <QDate>

namespace verdal {

int ClampedDay(int year, int month, int day)
{
    const int length = QDate(year, month, 1).daysInMonth();
    return std::clamp(day, 1, length);
}

TCalendar::TCalendar(QWidget* parent) : QCalendarWidget(parent)
{
    setFirstDayOfWeek(Qt::Monday);
    setNavigationBarVisible(false);
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setGridVisible(true);
    setLocale(QLocale(QLocale::German, QLocale::Germany));
    setMinimumSize(248, 136);
}

void TCalendar::SetDate(int year, int month, int day)
{
    year = std::clamp(year, 1980, 9999);
    month = std::clamp(month, 1, 12);
    const QDate date(year, month, ClampedDay(year, month, day));
    setSelectedDate(date);
    setCurrentPage(date.year(), date.month());
}

void TCalendar::SetDay(int day)
{
    SetDate(Year(), Month(), day);
}

void TCalendar::SetMonth(int month)
{
    SetDate(Year(), month, Day());
}

void TCalendar::SetYear(int year)
{
    SetDate(year, Month(), Day());
}

void TCalendar::SetUseCurrentDate(bool use)
{
    useCurrentDate_ = use;
    if (use) {
        const QDate today = QDate::currentDate();
        SetDate(today.year(), today.month(), today.day());
    }
}

}  // namespace verdal
