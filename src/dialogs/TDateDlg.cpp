#include "dialogs/TDateDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include "dialogs/DialogServices.h"
#include "dialogs/NamedControls.h"
#include "dialogs/TCalendar.h"

namespace verdal {
namespace {

constexpr int kHelpDate = 4320;

}  // namespace

TDateDlg::TDateDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Datum wählen"));
    setObjectName(QStringLiteral("DateDlg"));
    Calendar = Named(new TCalendar(this), "Calendar", QStringLiteral("Kalender"));
    MonthSpn = Named(new QSpinBox(this), "MonthSpn");
    MonthSpn->setRange(1, 12);
    YearSpn = Named(new QSpinBox(this), "YearSpn");
    YearSpn->setRange(1980, 9999);
    OkBtn = Named(new QPushButton(QStringLiteral("OK"), this), "OkBtn");
    OkBtn->setDefault(true);
    CancelBtn = Named(new QPushButton(QStringLiteral("Abbruch"), this), "CancelBtn");

    auto* grid = new QGridLayout(this);
    grid->addWidget(Calendar, 0, 0, 1, 4);
    grid->addWidget(BuddyLabel(QStringLiteral("Monat"), MonthSpn, this), 1, 0);
    grid->addWidget(MonthSpn, 1, 1);
    grid->addWidget(BuddyLabel(QStringLiteral("Jahr"), YearSpn, this), 1, 2);
    grid->addWidget(YearSpn, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpButton(this, kHelpDate));
    grid->addLayout(buttons, 2, 0, 1, 4);

    connect(MonthSpn, &QSpinBox::valueChanged, Calendar, &TCalendar::SetMonth);
    connect(YearSpn, &QSpinBox::valueChanged, Calendar, &TCalendar::SetYear);
    connect(Calendar, &QCalendarWidget::currentPageChanged, this, &TDateDlg::PageChanged);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    SetDate(Today());
}

void TDateDlg::SetDate(TDateTime date)
{
    date_ = date;
    const DateTimeParts parts = DecodeDateTime(date);
    Calendar->SetDate(parts.Year, parts.Month, parts.Day);
    PageChanged(Calendar->Year(), Calendar->Month());
}

void TDateDlg::showEvent(QShowEvent* event)
{
    SetDate(date_);
    QDialog::showEvent(event);
}

void TDateDlg::PageChanged(int year, int month)
{
    const QSignalBlocker blockMonth(MonthSpn);
    const QSignalBlocker blockYear(YearSpn);
    MonthSpn->setValue(month);
    YearSpn->setValue(year);
}

void TDateDlg::done(int result)
{
    if (result == QDialog::Accepted) {
        date_ = EncodeDateTime(Calendar->Year(), Calendar->Month(), Calendar->Day());
    }
    QDialog::done(result);
}

}  // namespace verdal
