#include "dialogs/TShortcutDlg.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/DialogServices.h"
#include "dialogs/NamedControls.h"
#include "dialogs/SmallDialogRules.h"
#include "platform/Desktop.h"
#include "settings/ErrorText.h"
#include "settings/Parameters.h"
#include "settings/Presenter.h"

namespace verdal {
namespace {

constexpr int kHelpShortcut = 52;

}  // namespace

TShortcutDlg::TShortcutDlg(QWidget* parent, bool fromOptions)
    : QDialog(parent),
      TextLbl(Named(new QLabel(this), "TextLbl")),
      AutomationLbl(
          Named(new QLabel(QStringLiteral("Haben Sie schon die Automatik-Optionen gesetzt?"), this),
                "AutomationLbl")),
      AutomationBtn(Named(new QPushButton(QStringLiteral("&Automatik..."), this), "AutomationBtn")),
      DesktopRdo(Named(new QRadioButton(QStringLiteral("&Desktop"), this), "DesktopRdo")),
      AutostartRdo(
          Named(new QRadioButton(QStringLiteral("A&utostart-Gruppe"), this), "AutostartRdo")),
      OtherRdo(
          Named(new QRadioButton(QStringLiteral("A&ndere Programm-Gruppe:"), this), "OtherRdo")),
      FolderEdt(Named(new QLineEdit(this), "FolderEdt", QStringLiteral("Andere Programm-Gruppe"))),
      BrowseBtn(Named(new QPushButton(QStringLiteral("Durch&suchen..."), this), "BrowseBtn")),
      MuteChk(Named(new QCheckBox(QStringLiteral("S&tumm-Modus"), this), "MuteChk")),
      OkBtn(Named(new QPushButton(QStringLiteral("OK"), this), "OkBtn")),
      CancelBtn(Named(new QPushButton(QStringLiteral("Abbrechen"), this), "CancelBtn")),
      HelpBtn(Named(new QPushButton(QStringLiteral("&Hilfe"), this), "HelpBtn")),
      program_(QCoreApplication::applicationFilePath().toStdString())
{
    setObjectName(QStringLiteral("ShortcutDlg"));
    setWindowTitle(QStringLiteral("Verknüpfung erstellen"));
    TextLbl->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TextLbl);
    auto* automation = new QHBoxLayout;
    automation->addWidget(AutomationLbl, 1);
    automation->addWidget(AutomationBtn);
    layout->addLayout(automation);
    auto* where = new QGroupBox(QStringLiteral("Wo soll die Verknüpfung erstellt werden?"), this);
    auto* grid = new QGridLayout(where);
    grid->addWidget(DesktopRdo, 0, 0, 1, 3);
    grid->addWidget(AutostartRdo, 1, 0, 1, 3);
    grid->addWidget(OtherRdo, 2, 0);
    grid->addWidget(FolderEdt, 2, 1);
    grid->addWidget(BrowseBtn, 2, 2);
    layout->addWidget(where);
    layout->addWidget(MuteChk);
    auto* muteText = new QLabel(QStringLiteral("Im Stumm-Modus bleibt Verdal unsichtbar, mit "
                                               "Ausnahme eines Symbols in der Systemablage."),
                                this);
    muteText->setWordWrap(true);
    layout->addWidget(muteText);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpBtn);
    layout->addLayout(buttons);
    OkBtn->setDefault(true);
    BrowseBtn->setAutoDefault(false);
    AutomationBtn->setAutoDefault(false);
    DesktopRdo->setChecked(true);
    AutomationLbl->setEnabled(!fromOptions);
    AutomationBtn->setEnabled(!fromOptions);
    UpdateEnabling();
    resize(460, sizeHint().height());

    for (QRadioButton* radio : {DesktopRdo, AutostartRdo, OtherRdo}) {
        connect(radio, &QRadioButton::toggled, this, &TShortcutDlg::UpdateEnabling);
    }
    connect(AutomationBtn, &QPushButton::clicked, this, [this] {
        if (OpenAutomation) {
            OpenAutomation(this);
        }
    });
    connect(BrowseBtn, &QPushButton::clicked, this, [this] {
        const QString start = FolderEdt->text().isEmpty()
                                  ? QString::fromStdString(XdgFolderPath(XdgFolder::Applications))
                                  : FolderEdt->text();
        const QString chosen = QFileDialog::getExistingDirectory(
            this, QStringLiteral("Programm-Gruppe wählen"), start,
            QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
        if (!chosen.isEmpty()) {
            FolderEdt->setText(chosen);
        }
    });
    connect(OkBtn, &QPushButton::clicked, this, &TShortcutDlg::Accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this,
            [this] { DialogServices::ShowHelp(this, kHelpShortcut); });
}

void TShortcutDlg::UpdateEnabling()
{
    FolderEdt->setEnabled(OtherRdo->isChecked());
    BrowseBtn->setEnabled(OtherRdo->isChecked());
}

void TShortcutDlg::LoadFrom(const cParameters& params)
{
    document_ = params.FileName;
    TextLbl->setText(QStringLiteral("Lassen Sie eine Verknüpfung erstellen, um Verdal mit ") +
                     (params.FileKind == 1 ? QStringLiteral("dieser Batch-Datei")
                                           : QStringLiteral("diesem Profil")) +
                     QStringLiteral(" zu starten."));
}

std::string TShortcutDlg::TargetFolder() const
{
    if (DesktopRdo->isChecked()) {
        return XdgFolderPath(XdgFolder::Desktop);
    }
    if (AutostartRdo->isChecked()) {
        return XdgFolderPath(XdgFolder::Autostart);
    }
    return FolderEdt->text().trimmed().toStdString();
}

bool TShortcutDlg::CreateLauncher()
{
    const std::string folder = TargetFolder();
    if (folder.empty()) {
        Presenter().Show({BoxKind::Error, BoxButtons::Ok,
                          "Bitte geben Sie einen Ordner für die Verknüpfung an.", 0});
        return false;
    }
    Launcher launcher;
    const size_t slash = document_.find_last_of('/');
    launcher.Name = "Verdal 5 - " + document_.substr(slash == std::string::npos ? 0 : slash + 1);
    launcher.Program = program_;
    launcher.Arguments = LauncherArguments(document_, MuteChk->isChecked());
    const size_t programSlash = program_.find_last_of('/');
    launcher.WorkingDirectory =
        programSlash == std::string::npos ? std::string() : program_.substr(0, programSlash);
    launcher.Icon = "verdal";
    const std::string path = LauncherPath(folder, document_);
    if (const int code = WriteLauncher(path, launcher)) {
        Presenter().Show(
            {BoxKind::Error, BoxButtons::Ok,
             "Die Verknüpfung konnte nicht erstellt werden:\r" + path + "\r" + ErrorText(code), 0});
        return false;
    }
    launcherFile_ = path;
    return true;
}

void TShortcutDlg::Accept()
{
    if (!CreateLauncher()) {
        return;
    }
    const BoxResult test =
        Presenter().Show({BoxKind::Confirmation, BoxButtons::YesNo,
                          "Die Verknüpfung wurde erstellt.\r\rWollen Sie sie jetzt testen?", 0});
    if (test == BoxResult::Yes) {
        std::vector<std::string> argv{program_, document_};
        if (MuteChk->isChecked()) {
            argv.push_back("/mute");
        }
        DialogServices::StartProgram(argv);
    }
    accept();
}

}  // namespace verdal
