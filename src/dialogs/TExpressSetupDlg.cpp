#include "dialogs/TExpressSetupDlg.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/DialogServices.h"
#include "dialogs/ExpressRules.h"
#include "dialogs/NamedControls.h"
#include "platform/Paths.h"
#include "settings/Parameters.h"
#include "settings/Validation.h"

namespace verdal {
namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string S(const QLineEdit* edit)
{
    return edit->text().trimmed().toStdString();
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
    ChooseFolder = [](QWidget* owner, const QString& start) {
        return QFileDialog::getExistingDirectory(owner, QStringLiteral("Verzeichnis wählen"),
                                                 start);
    };

    auto* source = new QGroupBox(QStringLiteral(" Quelle "), this);
    SrcDriveEdt = Named(new QLineEdit(source), "SrcDriveEdt", QStringLiteral("Quell-Laufwerk"));
    SrcDirEdt = Named(new QLineEdit(source), "SrcDirEdt", QStringLiteral("Quell-Verzeichnis"));
    SrcBrowseBtn = Named(new QPushButton(QStringLiteral("Durchsuchen..."), source), "SrcBrowseBtn",
                         QStringLiteral("Quelle durchsuchen"));
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
    sourceGrid->addWidget(new QLabel(QStringLiteral("Laufwerk:"), source), 0, 0);
    sourceGrid->addWidget(SrcDriveEdt, 0, 1);
    sourceGrid->addWidget(SrcBrowseBtn, 0, 2);
    sourceGrid->addWidget(new QLabel(QStringLiteral("Verzeichnis:"), source), 1, 0);
    sourceGrid->addWidget(SrcDirEdt, 1, 1, 1, 2);
    sourceGrid->addWidget(new QLabel(QStringLiteral("Quelle:"), source), 2, 0);
    sourceGrid->addWidget(SrcPathLbl, 2, 1, 1, 2);
    sourceGrid->addWidget(SubdirsChk, 3, 0, 1, 3);
    sourceGrid->addWidget(new QLabel(QStringLiteral("Vergleiche diese Dateien:"), source), 4, 0);
    sourceGrid->addWidget(CompareEdt, 4, 1);
    sourceGrid->addWidget(new QLabel(QStringLiteral("(z.B.   *.*)"), source), 4, 2);
    sourceGrid->addWidget(new QLabel(QStringLiteral("Schließe diese Dateien aus:"), source), 5, 0);
    sourceGrid->addWidget(ExcludeEdt, 5, 1);
    sourceGrid->addWidget(new QLabel(QStringLiteral("(z.B.   *.tmp   *.bak)"), source), 5, 2);

    auto* destination = new QGroupBox(QStringLiteral(" Ziel "), this);
    DestDriveEdt =
        Named(new QLineEdit(destination), "DestDriveEdt", QStringLiteral("Ziel-Laufwerk"));
    DestDirEdt =
        Named(new QLineEdit(destination), "DestDirEdt", QStringLiteral("Ziel-Verzeichnis"));
    DestBrowseBtn = Named(new QPushButton(QStringLiteral("Durchsuchen..."), destination),
                          "DestBrowseBtn", QStringLiteral("Ziel durchsuchen"));
    DestPathLbl = Named(new QLabel(destination), "DestPathLbl", QStringLiteral("Ziel:"));
    auto* destGrid = new QGridLayout(destination);
    destGrid->addWidget(new QLabel(QStringLiteral("Laufwerk:"), destination), 0, 0);
    destGrid->addWidget(DestDriveEdt, 0, 1);
    destGrid->addWidget(DestBrowseBtn, 0, 2);
    destGrid->addWidget(new QLabel(QStringLiteral("Verzeichnis:"), destination), 1, 0);
    destGrid->addWidget(DestDirEdt, 1, 1, 1, 2);
    destGrid->addWidget(new QLabel(QStringLiteral("Ziel:"), destination), 2, 0);
    destGrid->addWidget(DestPathLbl, 2, 1, 1, 2);

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
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(source);
    layout->addWidget(destination);
    layout->addLayout(checks);
    layout->addLayout(buttons);

    connect(SyncBtn, &QPushButton::clicked, this, [this] { JobClicked(ExpressJob::Sync); });
    connect(BackupBtn, &QPushButton::clicked, this, [this] { JobClicked(ExpressJob::Backup); });
    connect(RestoreBtn, &QPushButton::clicked, this, [this] { JobClicked(ExpressJob::Restore); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, [this] { DialogServices::ShowHelp(this, 4700); });
    connect(SrcBrowseBtn, &QPushButton::clicked, this, [this] { Browse(SrcDriveEdt, SrcDirEdt); });
    connect(DestBrowseBtn, &QPushButton::clicked, this,
            [this] { Browse(DestDriveEdt, DestDirEdt); });
    for (QLineEdit* edit : {SrcDriveEdt, SrcDirEdt, DestDriveEdt, DestDirEdt}) {
        connect(edit, &QLineEdit::textChanged, this, &TExpressSetupDlg::UpdateLabels);
    }
}

void TExpressSetupDlg::LoadFrom(const cParameters& params)
{
    CompareEdt->setText(Q(JoinMasks(params.CompareFiles)));
    ExcludeEdt->setText(Q(JoinMasks(params.ExcludeFiles)));
    ShowOverviewChk->setChecked(params.ShowOverview);
    const SearchEntry entry = SearchEntryOf(params.SearchDirectories);
    SubdirsChk->setChecked(entry.Subdirectories);
    // The stored drives stay as they are, ready or not, until the user changes them.
    SrcDriveEdt->setText(Q(params.SourceDrive));
    SrcDirEdt->setText(Q(entry.Directory));
    DestDriveEdt->setText(Q(params.DestinationDrive));
    DestDirEdt->setText(Q(params.DestinationDirectory));
    UpdateLabels();
}

void TExpressSetupDlg::SaveTo(cParameters& params) const
{
    params.SourceDrive = S(SrcDriveEdt);
    params.SearchDirectories.Clear();
    params.SearchDirectories.Add(
        SearchEntryText({RelativeDirectory(S(SrcDirEdt)), SubdirsChk->isChecked()}));
    FillMasks(params.CompareFiles, CompareEdt->text().toStdString());
    FillMasks(params.ExcludeFiles, ExcludeEdt->text().toStdString());
    params.DestinationDrive = S(DestDriveEdt);
    params.DestinationDirectory = RelativeDirectory(S(DestDirEdt));
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

void TExpressSetupDlg::Browse(QLineEdit* drive, QLineEdit* dir)
{
    std::string start;
    BuildNativePath(S(drive), RelativeDirectory(S(dir)), {}, start);
    const QString chosen = ChooseFolder(this, Q(start));
    if (chosen.isEmpty()) {
        return;
    }
    const DrivePath split = SplitNativeFolder(chosen.toStdString());
    drive->setText(Q(split.Drive));
    dir->setText(Q(split.Directory));
}

// The native path where the drive can be resolved, else drive and directory as stored.
static QString PathText(const QLineEdit* drive, const QLineEdit* dir)
{
    const std::string relative = RelativeDirectory(S(dir));
    std::string native;
    if (BuildNativePath(S(drive), relative, {}, native) == 0) {
        return Q(native);
    }
    return Q(S(drive) + relative);
}

void TExpressSetupDlg::UpdateLabels()
{
    SrcPathLbl->setText(PathText(SrcDriveEdt, SrcDirEdt));
    DestPathLbl->setText(PathText(DestDriveEdt, DestDirEdt));
}

bool TExpressSetupDlg::Open(QWidget* parent, cParameters& params, int /*page*/,
                            const std::function<void()>& startRun)
{
    TExpressSetupDlg dialog(parent);
    dialog.LoadFrom(params);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    dialog.SaveTo(params);
    if (dialog.RunNow() && startRun) {
        startRun();
    }
    return true;
}

}  // namespace verdal
