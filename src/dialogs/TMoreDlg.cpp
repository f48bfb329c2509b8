#include "dialogs/TMoreDlg.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/DialogServices.h"
#include "dialogs/EditDialog.h"
#include "dialogs/Hints.h"
#include "dialogs/NamedControls.h"
#include "dialogs/TWarningsBox.h"
#include "settings/Parameters.h"

namespace verdal {
namespace {

constexpr int kHelpBatchMore = 4510;

}  // namespace

TMoreDlg::TMoreDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Batch-Datei"));
    setObjectName(QStringLiteral("MoreDlg"));
    OverrideChk =
        Named(new QCheckBox(
                  QStringLiteral("Individuelle Einstellungen in den Profilen überschreiben"), this),
              "OverrideChk");
    WarningsBox = Named(new TWarningsBox(this), "WarningsBox", QStringLiteral("Warnungen"));
    auto* automation = new QGroupBox(QStringLiteral(" Automatik "), this);
    OpenChk = Named(new QCheckBox(QStringLiteral("Nach Öffnen laufen"), automation), "OpenChk");
    HookChk = Named(
        new QCheckBox(QStringLiteral("Ins Herunterfahren des Systems einklinken"), automation),
        "HookChk");
    BeepChk = Named(new QCheckBox(QStringLiteral("Nach Lauf piepsen"), automation), "BeepChk");
    ExitChk =
        Named(new QCheckBox(QStringLiteral("Nach Lauf Verdal beenden"), automation), "ExitChk");
    ShutdownCbo = Named(new QComboBox(automation), "ShutdownCbo");
    ShutdownCbo->addItems({QStringLiteral("-"), QStringLiteral("Herunterfahren"),
                           QStringLiteral("Ausloggen"),
                           QStringLiteral("Herunterfahren und ausschalten"),
                           QStringLiteral("Herunterfahren und neu starten")});
    TrayChk = Named(new QCheckBox(QStringLiteral("In die Systemablage verkleinern"), automation),
                    "TrayChk");
    OkBtn = Named(new QPushButton(QStringLiteral("OK"), this), "OkBtn");
    OkBtn->setDefault(true);
    CancelBtn = Named(new QPushButton(QStringLiteral("Abbruch"), this), "CancelBtn");

    auto* grid = new QGridLayout(automation);
    grid->addWidget(OpenChk, 0, 0, 1, 2);
    grid->addWidget(HookChk, 1, 0, 1, 2);
    grid->addWidget(BeepChk, 2, 0, 1, 2);
    grid->addWidget(ExitChk, 3, 0, 1, 2);
    grid->addWidget(
        BuddyLabel(QStringLiteral("Nach Lauf das System beenden:"), ShutdownCbo, automation), 4, 0);
    grid->addWidget(ShutdownCbo, 4, 1);
    grid->addWidget(TrayChk, 5, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpButton(this, kHelpBatchMore));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(OverrideChk);
    layout->addWidget(WarningsBox);
    layout->addWidget(automation);
    layout->addLayout(buttons);

    connect(OverrideChk, &QCheckBox::toggled, this, &TMoreDlg::ApplyOverrideRule);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TMoreDlg::LoadFrom(const cParameters& params)
{
    ApplyHintOption(this, params.Programm.Tooltips);
    const cBatchParameters& b = params.Batch;
    OverrideChk->setChecked(b.OverrideWarnings);
    WarningsBox->SetFlags(b.WarningFlags);
    OpenChk->setChecked(b.RunAfterOpen);
    HookChk->setChecked(b.HookShutdown);
    BeepChk->setChecked(b.BeepAfterRun);
    ExitChk->setChecked(b.ExitAfterRun);
    ShutdownCbo->setCurrentIndex(std::clamp(b.ShutdownMode, 0, 4));
    TrayChk->setChecked(b.MinimizeToTray);
    ApplyOverrideRule();
}

void TMoreDlg::SaveTo(cParameters& params) const
{
    cBatchParameters& b = params.Batch;
    b.OverrideWarnings = OverrideChk->isChecked();
    b.WarningFlags = WarningsBox->Flags();
    b.RunAfterOpen = OpenChk->isChecked();
    b.HookShutdown = HookChk->isChecked();
    b.BeepAfterRun = BeepChk->isChecked();
    b.ExitAfterRun = ExitChk->isChecked();
    b.ShutdownMode = ShutdownCbo->currentIndex();
    b.MinimizeToTray = TrayChk->isChecked();
    params.Modified = true;
}

void TMoreDlg::ApplyOverrideRule()
{
    WarningsBox->SetBoxesEnabled(OverrideChk->isChecked());
}

bool TMoreDlg::Open(QWidget* parent, cParameters& params, int /*page*/)
{
    TMoreDlg dialog(parent);
    return EditInDialog(dialog, params);
}

}  // namespace verdal
