#include "dialogs/TFillDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTimeEdit>

#include "dialogs/DialogServices.h"
#include "dialogs/NamedControls.h"
#include "dialogs/ScheduleList.h"
#include "settings/GermanFormat.h"

namespace verdal {
namespace {

constexpr int kHelpFill = 4410;

}  // namespace

TFillDlg::TFillDlg(QWidget* parent) : QDialog(parent)
{
    static const char* const kDayNames[7] = {"MondayChk",   "TuesdayChk", "WednesdayChk",
                                             "ThursdayChk", "FridayChk",  "SaturdayChk",
                                             "SundayChk"};
    setWindowTitle(QStringLiteral("Füllen"));
    setObjectName(QStringLiteral("FillDlg"));
    FromEdt = Named(new QTimeEdit(QTime(0, 0), this), "FromEdt", QStringLiteral("von"));
    ToEdt = Named(new QTimeEdit(QTime(23, 59), this), "ToEdt", QStringLiteral("bis"));
    for (QTimeEdit* edit : {FromEdt, ToEdt}) {
        edit->setDisplayFormat(QStringLiteral("HH:mm"));
    }
    // A step of 0 would never advance.
    StepSpn = Named(new QSpinBox(this), "StepSpn", QStringLiteral("alle"));
    StepSpn->setRange(1, 1439);
    StepSpn->setValue(1);
    UnitCbo = Named(new QComboBox(this), "UnitCbo", QStringLiteral("Einheit"));
    UnitCbo->addItems({QStringLiteral("Minuten"), QStringLiteral("Stunden")});
    OkBtn = Named(new QPushButton(QStringLiteral("OK"), this), "OkBtn");
    OkBtn->setDefault(true);
    CancelBtn = Named(new QPushButton(QStringLiteral("Abbruch"), this), "CancelBtn");

    auto* grid = new QGridLayout(this);
    grid->addWidget(
        new QLabel(QStringLiteral("Folgende Einträge zum Zeitplaner hinzufügen:"), this), 0, 0, 1,
        4);
    grid->addWidget(new QLabel(QStringLiteral("von"), this), 1, 0);
    grid->addWidget(FromEdt, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("bis"), this), 1, 2);
    grid->addWidget(ToEdt, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("alle"), this), 2, 0);
    grid->addWidget(StepSpn, 2, 1);
    grid->addWidget(UnitCbo, 2, 2, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("am"), this), 3, 0);
    for (int day = 0; day < 7; ++day) {
        const QString name = QString::fromUtf8(LongDayName((day + 1) % 7).data(),
                                               static_cast<int>(LongDayName((day + 1) % 7).size()));
        DayChk[day] = Named(new QCheckBox(name, this), kDayNames[day]);
        grid->addWidget(DayChk[day], 3 + day / 2, 1 + day % 2 * 2, 1, 2);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpButton(this, kHelpFill));
    grid->addLayout(buttons, 7, 0, 1, 4);

    connect(UnitCbo, &QComboBox::currentIndexChanged, this, &TFillDlg::UnitChanged);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TFillDlg::UnitChanged(int unit)
{
    // setMaximum lowers a value above the new maximum.
    StepSpn->setMaximum(unit == 1 ? 23 : 1439);
}

std::vector<uint32_t> TFillDlg::Entries() const
{
    uint32_t days = 0;
    for (int day = 0; day < 7; ++day) {
        if (DayChk[day]->isChecked()) {
            days |= ColumnBit(day + 1);
        }
    }
    const QTime from = FromEdt->time(), to = ToEdt->time();
    const int step = StepSpn->value() * (UnitCbo->currentIndex() == 1 ? 60 : 1);
    return FillEntries(MinutesOfTime(from.hour(), from.minute()),
                       MinutesOfTime(to.hour(), to.minute()), step, days);
}

}  // namespace verdal
