#include "dialogs/TExpressSetupDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/DialogServices.h"
#include "dialogs/EditDialog.h"
#include "dialogs/ExpressRules.h"
#include "dialogs/Hints.h"
#include "dialogs/NamedControls.h"
#include "dialogs/TDrivePanel.h"
#include "settings/Parameters.h"
#include "settings/Validation.h"

namespace verdal {
namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

void FillMasks(cStringList& list, const std::string& text)
{
    list.Clear();
    for (const std::string& mask : SplitMasks(text)) {
        list.Add(mask);
    }
}

// The first mask that a profile cannot hold, or empty.
QString InvalidMask(const std::string& text)
{
    for (const std::string& mask : SplitMasks(text)) {
        if (!IsValidMask(mask)) {
            return Q(mask);
        }
    }
    return {};
}

}  // namespace

TExpressSetupDlg::TExpressSetupDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Express-Setup"));
    setObjectName(QStringLiteral("ExpressSetupDlg"));

    auto* source = new QGroupBox(QStringLiteral(" Quelle "), this);
    SrcPanel = new TDrivePanel("Src", source);
    SrcDriveEdt = SrcPanel->DriveEdt;
    SrcDirEdt = SrcPanel->DirEdt;
    SrcPathLbl = Named(new QLabel(source), "SrcPathLbl", QStringLiteral("Quelle:"));
    SubdirsChk =
        Named(new QCheckBox(QStringLiteral("Mit allen Unterverzeichnissen"), source), "SubdirsChk");
    CompareEdt =
        Named(new QLineEdit(source), "CompareEdt", QStringLiteral("Vergleiche diese Dateien:"));
    ExcludeEdt =
        Named(new QLineEdit(source), "ExcludeEdt", QStringLiteral("Schließe diese Dateien aus:"));
    for (QLineEdit* edit : {CompareEdt, ExcludeEdt}) {
        edit->setMaxLength(255);
    }
    auto* sourceGrid = new QGridLayout(source);
    sourceGrid->addWidget(SrcPanel, 0, 0, 1, 3);
    sourceGrid->addWidget(new QLabel(QStringLiteral("Quelle:"), source), 1, 0);
    sourceGrid->addWidget(SrcPathLbl, 1, 1, 1, 2);
    sourceGrid->addWidget(SubdirsChk, 2, 0, 1, 3);
    sourceGrid->addWidget(new QLabel(QStringLiteral("Vergleiche diese Dateien:"), source), 3, 0);
    sourceGrid->addWidget(CompareEdt, 3, 1);
    sourceGrid->addWidget(new QLabel(QStringLiteral("(z.B.   *.*)"), source), 3, 2);
    sourceGrid->addWidget(new QLabel(QStringLiteral("Schließe diese Dateien aus:"), source), 4, 0);
    sourceGrid->addWidget(ExcludeEdt, 4, 1);
    sourceGrid->addWidget(new QLabel(QStringLiteral("(z.B.   *.tmp   *.bak)"), source), 4, 2);
    sourceGrid->setRowStretch(0, 1);

    auto* destination = new QGroupBox(QStringLiteral(" Ziel "), this);
    DestPanel = new TDrivePanel("Dest", destination);
    DestDriveEdt = DestPanel->DriveEdt;
    DestDirEdt = DestPanel->DirEdt;
    DestPathLbl = Named(new QLabel(destination), "DestPathLbl", QStringLiteral("Ziel:"));
    auto* destGrid = new QGridLayout(destination);
    destGrid->addWidget(DestPanel, 0, 0, 1, 2);
    destGrid->addWidget(new QLabel(QStringLiteral("Ziel:"), destination), 1, 0);
    destGrid->addWidget(DestPathLbl, 1, 1);
    destGrid->setRowStretch(0, 1);
    destGrid->setColumnStretch(1, 1);
    for (QLabel* label : {SrcPathLbl, DestPathLbl}) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }

    ShowOverviewChk =
        Named(new QCheckBox(QStringLiteral("Übersicht zeigen"), this), "ShowOverviewChk");
    AutoSetChk =
        Named(new QCheckBox(QStringLiteral("Alle anderen Einstellungen automatisch setzen"), this),
              "AutoSetChk");
    AutoSetChk->setChecked(true);
    NoRunChk = Named(new QCheckBox(QStringLiteral("Nicht sofort laufen"), this), "NoRunChk");
    SyncBtn = Named(new QPushButton(QStringLiteral("Sync"), this), "SyncBtn");
    SyncBtn->setToolTip(QStringLiteral("Quelle und Ziel in beide Richtungen abgleichen"));
    BackupBtn = Named(new QPushButton(QStringLiteral("Backup"), this), "BackupBtn");
    BackupBtn->setToolTip(QStringLiteral("Die Quelle ins Ziel sichern"));
    RestoreBtn = Named(new QPushButton(QStringLiteral("Restore"), this), "RestoreBtn");
    RestoreBtn->setToolTip(QStringLiteral("Die Quelle aus dem Ziel wiederherstellen"));
    CancelBtn = Named(new QPushButton(QStringLiteral("Abbruch"), this), "CancelBtn");
    CancelBtn->setDefault(true);
    HelpBtn = Named(new QPushButton(QStringLiteral("Hilfe"), this), "HelpBtn");

    auto* checks = new QVBoxLayout;
    checks->addWidget(ShowOverviewChk);
    checks->addWidget(AutoSetChk);
    checks->addWidget(NoRunChk);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {SyncBtn, BackupBtn, RestoreBtn}) {
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpBtn);
    auto* sides = new QHBoxLayout;
    sides->addWidget(source, 1);
    sides->addWidget(destination, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sides, 1);
    layout->addLayout(checks);
    layout->addLayout(buttons);

    connect(SyncBtn, &QPushButton::clicked, this, [this] { JobClicked(ExpressJob::Sync); });
    connect(BackupBtn, &QPushButton::clicked, this, [this] { JobClicked(ExpressJob::Backup); });
    connect(RestoreBtn, &QPushButton::clicked, this, [this] { JobClicked(ExpressJob::Restore); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, [this] { DialogServices::ShowHelp(this, 4700); });
    for (TDrivePanel* panel : {SrcPanel, DestPanel}) {
        connect(panel, &TDrivePanel::Edited, this, &TExpressSetupDlg::UpdateLabels);
    }
    resize(860, 560);
}

void TExpressSetupDlg::LoadFrom(const cParameters& params)
{
    ApplyHintOption(this, params.Programm.Tooltips);
    CompareEdt->setText(Q(JoinMasks(params.CompareFiles)));
    ExcludeEdt->setText(Q(JoinMasks(params.ExcludeFiles)));
    ShowOverviewChk->setChecked(params.ShowOverview);
    const SearchEntry entry = SearchEntryOf(params.SearchDirectories);
    SubdirsChk->setChecked(entry.Subdirectories);
    // The stored drives stay as they are, ready or not, until the user changes them.
    SrcPanel->Configure(params, "Src");
    SrcPanel->SetStored(Q(params.SourceDrive), Q(entry.Directory));
    DestPanel->Configure(params, "Dest");
    DestPanel->SetStored(Q(params.DestinationDrive), Q(params.DestinationDirectory));
    UpdateLabels();
}

void TExpressSetupDlg::SaveTo(cParameters& params) const
{
    params.SourceDrive = SrcPanel->Drive().toStdString();
    params.SearchDirectories.Clear();
    params.SearchDirectories.Add(SearchEntryText({SrcPanel->Directory(), SubdirsChk->isChecked()}));
    FillMasks(params.CompareFiles, CompareEdt->text().toStdString());
    FillMasks(params.ExcludeFiles, ExcludeEdt->text().toStdString());
    params.DestinationDrive = DestPanel->Drive().toStdString();
    params.DestinationDirectory = DestPanel->Directory();
    params.ShowOverview = ShowOverviewChk->isChecked();
    params.ExcludeDirectories.Clear();
    params.EnforceFiles.Clear();
    params.DeleteFiles.Clear();
    if (jobValue_ >= 0) {
        SetTouchFlags(params, static_cast<ExpressJob>(jobValue_));
    }
    if (AutoSetChk->isChecked()) {
        ApplyExpressDefaults(params);
    }
    params.Modified = true;
}

void TExpressSetupDlg::JobClicked(ExpressJob job)
{
    for (const QLineEdit* edit : {CompareEdt, ExcludeEdt}) {
        const QString bad = InvalidMask(edit->text().toStdString());
        if (!bad.isEmpty()) {
            QMessageBox::warning(this, QStringLiteral("Express-Setup"),
                                 QStringLiteral("Die Dateimaske \"%1\" ist ungültig.").arg(bad));
            return;
        }
    }
    jobValue_ = static_cast<int>(job);
    accept();
}

void TExpressSetupDlg::done(int result)
{
    runNow_ = !NoRunChk->isChecked();
    QDialog::done(result);
}

void TExpressSetupDlg::UpdateLabels()
{
    SrcPathLbl->setText(SrcPanel->NativePath());
    DestPathLbl->setText(DestPanel->NativePath());
}

bool TExpressSetupDlg::Open(QWidget* parent, cParameters& params, int /*page*/,
                            const std::function<void()>& startRun)
{
    TExpressSetupDlg dialog(parent);
    if (!EditInDialog(dialog, params)) {
        return false;
    }
    if (dialog.RunNow() && startRun) {
        startRun();
    }
    return true;
}

}  // namespace verdal
