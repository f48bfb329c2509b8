#include "dialogs/TLogDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/DialogServices.h"
#include "dialogs/LogRules.h"
#include "dialogs/NamedControls.h"
#include "dialogs/TLogEmailDlg.h"
#include "dialogs/TLogPrinterDlg.h"
#include "dialogs/TLogViewerDlg.h"

namespace verdal {
namespace {

constexpr int kHelpLogSettings = 40;

QGroupBox* TargetGroup(const QString& title, QCheckBox*& viewer, QCheckBox*& email,
                       QCheckBox*& printer, const char* suffix, QWidget* parent)
{
    auto* group = new QGroupBox(title, parent);
    auto* row = new QHBoxLayout(group);
    const QByteArray s(suffix);
    viewer = Named(new QCheckBox(QStringLiteral("Betrachter"), group), ("Viewer" + s + "Chk"));
    email = Named(new QCheckBox(QStringLiteral("E-Mail"), group), ("Email" + s + "Chk"));
    printer = Named(new QCheckBox(QStringLiteral("Drucker"), group), ("Printer" + s + "Chk"));
    row->addWidget(viewer);
    row->addWidget(email);
    row->addWidget(printer);
    row->addStretch();
    return group;
}

}  // namespace

TLogDlg::TLogDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Log"));
    auto* layout = new QVBoxLayout(this);
    ActiveChk = Named(new QCheckBox(QStringLiteral("Aktiv"), this), "ActiveChk");
    layout->addWidget(ActiveChk);

    auto* grid = new QGridLayout;
    FilenameEdt = Named(new QLineEdit(this), "FilenameEdt");
    BrowseBtn = Named(new QPushButton(QStringLiteral("..."), this), "BrowseBtn",
                      QStringLiteral("Log-Datei wählen"));
    grid->addWidget(BuddyLabel(QStringLiteral("Log-Datei:"), FilenameEdt, this), 0, 0);
    grid->addWidget(FilenameEdt, 0, 1);
    grid->addWidget(BrowseBtn, 0, 2);
    DateTimeCbo = Named(new QComboBox(this), "DateTimeCbo");
    DateTimeCbo->addItems({QStringLiteral("Ohne"), QStringLiteral("Anfang / Ende"),
                           QStringLiteral("Für jede Datei")});
    grid->addWidget(BuddyLabel(QStringLiteral("Datum und Uhrzeit:"), DateTimeCbo, this), 1, 0);
    grid->addWidget(DateTimeCbo, 1, 1, 1, 2);
    FileInfoCbo = Named(new QComboBox(this), "FileInfoCbo");
    FileInfoCbo->addItems({QStringLiteral("Nur Name"), QStringLiteral("Mit Datum-Zeit-Stempel"),
                           QStringLiteral("Mit überschriebener Datei")});
    grid->addWidget(BuddyLabel(QStringLiteral("Datei-Information:"), FileInfoCbo, this), 2, 0);
    grid->addWidget(FileInfoCbo, 2, 1, 1, 2);
    layout->addLayout(grid);

    DailyChk = Named(new QCheckBox(QStringLiteral("Datum dem Namen hinzufügen"), this), "DailyChk");
    AppendChk = Named(new QCheckBox(QStringLiteral("An alte Datei anhängen"), this), "AppendChk");
    NormalChk =
        Named(new QCheckBox(QStringLiteral("Normale Operation nicht loggen"), this), "NormalChk");
    layout->addWidget(DailyChk);
    layout->addWidget(AppendChk);
    layout->addWidget(NormalChk);
    layout->addWidget(
        TargetGroup(QStringLiteral("Wenn kein Fehler aufgetreten ist, Log senden an:"), Viewer1Chk,
                    Email1Chk, Printer1Chk, "1", this));
    layout->addWidget(TargetGroup(QStringLiteral("Wenn ein Fehler aufgetreten ist, Log senden an:"),
                                  Viewer2Chk, Email2Chk, Printer2Chk, "2", this));

    auto* subRow = new QHBoxLayout;
    ViewerBtn = Named(new QPushButton(QStringLiteral("Betrachter..."), this), "ViewerBtn");
    EmailBtn = Named(new QPushButton(QStringLiteral("E-Mail..."), this), "EmailBtn");
    PrinterBtn = Named(new QPushButton(QStringLiteral("Drucker..."), this), "PrinterBtn");
    subRow->addWidget(ViewerBtn);
    subRow->addWidget(EmailBtn);
    subRow->addWidget(PrinterBtn);
    layout->addLayout(subRow);

    auto* buttons = new QDialogButtonBox(this);
    OkBtn = Named(buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole), "OkBtn");
    CancelBtn = Named(buttons->addButton(QStringLiteral("Abbruch"), QDialogButtonBox::RejectRole),
                      "CancelBtn");
    HelpBtn =
        Named(buttons->addButton(QStringLiteral("&Hilfe"), QDialogButtonBox::HelpRole), "HelpBtn");
    OkBtn->setDefault(true);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this,
            [this] { DialogServices::ShowHelp(this, kHelpLogSettings); });
    connect(BrowseBtn, &QPushButton::clicked, this, &TLogDlg::Browse);
    connect(ViewerBtn, &QPushButton::clicked, this, &TLogDlg::OpenSubDialog<TLogViewerDlg>);
    connect(EmailBtn, &QPushButton::clicked, this, &TLogDlg::OpenSubDialog<TLogEmailDlg>);
    connect(PrinterBtn, &QPushButton::clicked, this, &TLogDlg::OpenSubDialog<TLogPrinterDlg>);
}

void TLogDlg::LoadFrom(const cParameters& params)
{
    const cLogParameters& log = params.Log;
    ActiveChk->setChecked(log.Active);
    FilenameEdt->setText(QString::fromStdString(log.Filename));
    DateTimeCbo->setCurrentIndex(std::clamp(log.DateTimeMode, 0, 2));
    FileInfoCbo->setCurrentIndex(std::clamp(log.FileInfoMode, 0, 2));
    DailyChk->setChecked(log.Daily);
    AppendChk->setChecked(log.Append);
    NormalChk->setChecked(log.SkipNormal);
    Viewer1Chk->setChecked(log.Viewer1);
    Email1Chk->setChecked(log.Email1);
    Printer1Chk->setChecked(log.Printer1);
    Viewer2Chk->setChecked(log.Viewer2);
    Email2Chk->setChecked(log.Email2);
    Printer2Chk->setChecked(log.Printer2);
}

void TLogDlg::SaveTo(cParameters& params) const
{
    cLogParameters& log = params.Log;
    log.Active = ActiveChk->isChecked();
    log.Filename = FilenameEdt->text().toStdString();
    log.DateTimeMode = DateTimeCbo->currentIndex();
    log.FileInfoMode = FileInfoCbo->currentIndex();
    log.Daily = DailyChk->isChecked();
    log.Append = AppendChk->isChecked();
    log.SkipNormal = NormalChk->isChecked();
    log.Viewer1 = Viewer1Chk->isChecked();
    log.Email1 = Email1Chk->isChecked();
    log.Printer1 = Printer1Chk->isChecked();
    log.Viewer2 = Viewer2Chk->isChecked();
    log.Email2 = Email2Chk->isChecked();
    log.Printer2 = Printer2Chk->isChecked();
    params.Modified = true;
}

bool TLogDlg::Open(QWidget* parent, cParameters& params, int /*page*/)
{
    TLogDlg dialog(parent);
    dialog.SetDocument(&params);
    dialog.LoadFrom(params);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    dialog.SaveTo(params);
    return true;
}

void TLogDlg::Browse()
{
    const QString chosen = LogFileDialogs::Choose(
        this, LogFileDialogs::Mode::Name, QStringLiteral("Log-Datei"),
        BrowseStartOf(FilenameEdt->text()), LogFileFilter(), QStringLiteral("txt"));
    if (!chosen.isEmpty()) {
        FilenameEdt->setText(chosen);
    }
}

template <typename TSubDialog>
void TLogDlg::OpenSubDialog()
{
    if (document_ == nullptr) {
        return;
    }
    TSubDialog dialog(this);
    dialog.LoadFrom(*document_);
    if (dialog.exec() == QDialog::Accepted) {
        dialog.SaveTo(*document_);
    }
}

}  // namespace verdal
