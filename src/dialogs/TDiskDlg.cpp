#include "dialogs/TDiskDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "dialogs/DialogServices.h"
#include "dialogs/DriveCommands.h"
#include "dialogs/DriveLook.h"
#include "dialogs/Hints.h"
#include "platform/Drives.h"
#include "platform/Paths.h"
#include "platform/WinError.h"
#include "settings/Macros.h"
#include "settings/Parameters.h"

namespace verdal {
namespace {

constexpr int kHelpDisk = 4210;

}  // namespace

TDiskDlg::TDiskDlg(const QString& drive, QWidget* parent)
    : QDialog(parent),
      drive_(drive),
      CheckLabelChk(new QCheckBox(QStringLiteral("Bezeichnung prüfen:"), this)),
      CheckLabelEdt(new QLineEdit(this)),
      WeekdayBtn(new QPushButton(QStringLiteral("Wochentag"), this)),
      ReadBtn(new QPushButton(QStringLiteral("Lesen"), this)),
      OfferFormatChk(new QCheckBox(QStringLiteral("Formatierung anbieten"), this)),
      EjectDiskChk(new QCheckBox(QStringLiteral("Hinterher auswerfen"), this)),
      OkBtn(new QPushButton(QStringLiteral("OK"), this)),
      CancelBtn(new QPushButton(QStringLiteral("Abbruch"), this))
{
    setWindowTitle(QStringLiteral("Datenträger"));
    const std::pair<QWidget*, const char*> names[] = {{CheckLabelChk, "CheckLabelChk"},
                                                      {CheckLabelEdt, "CheckLabelEdt"},
                                                      {WeekdayBtn, "WeekdayBtn"},
                                                      {ReadBtn, "ReadBtn"},
                                                      {OfferFormatChk, "OfferFormatChk"},
                                                      {EjectDiskChk, "EjectDiskChk"},
                                                      {OkBtn, "OkBtn"},
                                                      {CancelBtn, "CancelBtn"}};
    for (const auto& [widget, name] : names) {
        widget->setObjectName(QString::fromLatin1(name));
    }
    CheckLabelEdt->setAccessibleName(QStringLiteral("Bezeichnung"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(CheckLabelChk, 0, 0);
    grid->addWidget(CheckLabelEdt, 0, 1);
    grid->addWidget(WeekdayBtn, 0, 2);
    grid->addWidget(ReadBtn, 0, 3);
    grid->addWidget(OfferFormatChk, 1, 0, 1, 4);
    grid->addWidget(EjectDiskChk, 2, 0, 1, 4);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpButton(this, kHelpDisk));
    grid->addLayout(buttons, 3, 0, 1, 4);
    OkBtn->setDefault(true);

    connect(CheckLabelChk, &QCheckBox::toggled, this, &TDiskDlg::UpdateEnabled);
    connect(WeekdayBtn, &QPushButton::clicked, this, [this] {
        CheckLabelEdt->setText(CheckLabelEdt->text() + QStringLiteral("%DAYOFWEEK%"));
        CheckLabelEdt->setCursorPosition(static_cast<int>(CheckLabelEdt->text().size()));
    });
    connect(ReadBtn, &QPushButton::clicked, this, &TDiskDlg::ReadLabel);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    UpdateEnabled();
}

void TDiskDlg::LoadFrom(const cParameters& params)
{
    ApplyHintOption(this, params.Programm.Tooltips);
    SetCommandHint(CheckLabelEdt, params.Programm.Tooltips);
    CheckLabelChk->setChecked(!params.DiskLabel.empty());
    CheckLabelEdt->setText(QString::fromStdString(params.DiskLabel));
    OfferFormatChk->setChecked(params.OfferFormat);
    EjectDiskChk->setChecked(params.EjectDisk);
    UpdateEnabled();
}

void TDiskDlg::SaveTo(cParameters& params) const
{
    params.DiskLabel = CheckLabelChk->isChecked() ? CheckLabelEdt->text().toStdString() : "";
    params.OfferFormat = OfferFormatChk->isChecked();
    params.EjectDisk = EjectDiskChk->isChecked();
    params.Modified = true;
}

void TDiskDlg::UpdateEnabled()
{
    const bool check = CheckLabelChk->isChecked();
    CheckLabelEdt->setEnabled(check);
    WeekdayBtn->setEnabled(check);
    ReadBtn->setEnabled(check);
}

// The drive may hold date macros: they are expanded before its label is read. A drive that
// does not answer in time leaves the field as it is.
void TDiskDlg::ReadLabel()
{
    const std::string drive = ExpandMacros(drive_.toStdString());
    const std::optional<std::string> label = LookAtDrive<std::string>(drive, [drive] {
        std::string root;
        std::string found;
        if (ResolveDriveRoot(drive, root) != kErrSuccess || !ReadVolumeLabel(root, found)) {
            found.clear();
        }
        return found;
    });
    if (!label) {
        QMessageBox::warning(
            this, windowTitle(),
            QStringLiteral("Das Laufwerk %1 antwortet nicht.").arg(QString::fromStdString(drive)));
        return;
    }
    CheckLabelEdt->setText(QString::fromStdString(*label));
    CheckLabelEdt->setCursorPosition(static_cast<int>(CheckLabelEdt->text().size()));
}

}  // namespace verdal
