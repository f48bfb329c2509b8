#pragma once

#include <QDialog>

#include "platform/Clock.h"

class QPushButton;
class QSpinBox;

namespace verdal {

class TCalendar;

// "Datum wählen": a month grid with month and year fields.
class TDateDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TDateDlg(QWidget* parent = nullptr);

    // The date shown when the dialog opens; after OK the date chosen (whole days).
    void SetDate(TDateTime date);
    TDateTime Date() const { return date_; }

    TCalendar* Calendar;
    QSpinBox *MonthSpn, *YearSpn;
    QPushButton *OkBtn, *CancelBtn;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void PageChanged(int year, int month);

    TDateTime date_ = 0;
};

}  // namespace verdal
