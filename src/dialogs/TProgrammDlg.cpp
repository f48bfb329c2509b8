#include "dialogs/TProgrammDlg.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "dialogs/DialogServices.h"
#include "dialogs/NamedControls.h"
#include "dialogs/SmallDialogRules.h"
#include "settings/Parameters.h"
#include "settings/Presenter.h"

namespace verdal {
namespace {

constexpr int kHelpProgramOptions = 50;

// Typing a double quote does nothing: the fields are split into arguments, never quoted.
void RefuseQuotes(QLineEdit* edit)
{
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^\"]*")), edit));
}

}  // namespace

bool IsExecutableFile(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

TProgrammDlg::TProgrammDlg(QWidget* parent)
    : QDialog(parent),
      SplashChk(Named(new QCheckBox(QStringLiteral("&Splashscreen (das Bild bei Programmstart) "
                                                   "zeigen"),
                                    this),
                      "SplashChk")),
      ReopenChk(Named(new QCheckBox(QStringLiteral("&Zuletzt benutzte Datei bei Programmstart "
                                                   "erneut öffnen"),
                                    this),
                      "ReopenChk")),
      TooltipsChk(
          Named(new QCheckBox(
                    QStringLiteral("&Tooltips (die gelben Hinweise zur Bedienung) zeigen"), this),
                "TooltipsChk")),
      CompareAEdt(Named(new QLineEdit(this), "CompareAEdt")),
      CompareBEdt(Named(new QLineEdit(this), "CompareBEdt")),
      BrowseBtn(Named(new QPushButton(QStringLiteral("..."), this), "BrowseBtn",
                      QStringLiteral("Nach Programm durchsuchen"))),
      SourceVarBtn(Named(new QPushButton(QStringLiteral("%1"), this), "SourceVarBtn",
                         QStringLiteral("Variable für Quelldatei einfügen"))),
      DestinationVarBtn(Named(new QPushButton(QStringLiteral("%2"), this), "DestinationVarBtn",
                              QStringLiteral("Variable für Zieldatei einfügen"))),
      OkBtn(Named(new QPushButton(QStringLiteral("OK"), this), "OkBtn")),
      CancelBtn(Named(new QPushButton(QStringLiteral("Abbrechen"), this), "CancelBtn")),
      HelpBtn(Named(new QPushButton(QStringLiteral("&Hilfe"), this), "HelpBtn"))
{
    setObjectName(QStringLiteral("ProgrammDlg"));
    setWindowTitle(QStringLiteral("Programmoptionen"));
    CompareAEdt->setMinimumWidth(260);
    RefuseQuotes(CompareAEdt);
    RefuseQuotes(CompareBEdt);
    for (QPushButton* button : {BrowseBtn, SourceVarBtn, DestinationVarBtn}) {
        button->setAutoDefault(false);
        button->setFixedWidth(32);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("Diese Optionen sind unabhängig von Profilen und Batch-Dateien."), this));
    layout->addWidget(SplashChk);
    layout->addWidget(ReopenChk);
    layout->addWidget(TooltipsChk);
    auto* group = new QGroupBox(QStringLiteral(" Dateien vergleichen "), this);
    group->setObjectName(QStringLiteral("CompareGrp"));
    auto* grid = new QGridLayout(group);
    grid->addWidget(BuddyLabel(QStringLiteral("&Programm:"), CompareAEdt, group), 0, 0);
    grid->addWidget(CompareAEdt, 0, 1);
    grid->addWidget(BrowseBtn, 0, 2);
    grid->addWidget(BuddyLabel(QStringLiteral("&Befehlszeilen-Parameter:"), CompareBEdt, group), 1,
                    0);
    grid->addWidget(CompareBEdt, 1, 1);
    auto* variables = new QHBoxLayout;
    variables->addWidget(SourceVarBtn);
    variables->addWidget(DestinationVarBtn);
    grid->addLayout(variables, 1, 2);
    layout->addWidget(group);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpBtn);
    layout->addLayout(buttons);
    OkBtn->setDefault(true);

    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this,
            [this] { DialogServices::ShowHelp(this, kHelpProgramOptions); });
    connect(SourceVarBtn, &QPushButton::clicked, this,
            [this] { InsertVariable(QStringLiteral("%1")); });
    connect(DestinationVarBtn, &QPushButton::clicked, this,
            [this] { InsertVariable(QStringLiteral("%2")); });
    connect(BrowseBtn, &QPushButton::clicked, this, &TProgrammDlg::Browse);
}

void TProgrammDlg::LoadFrom(const cParameters& params)
{
    const cProgrammParameters& p = params.Programm;
    SplashChk->setChecked(p.Splash);
    ReopenChk->setChecked(p.Reopen);
    TooltipsChk->setChecked(p.Tooltips);
    // Stored values are shown as they are, even with a quote typed by hand into the file.
    CompareAEdt->setText(QString::fromStdString(p.CompareA));
    CompareBEdt->setText(QString::fromStdString(p.CompareB));
    const bool tips = p.Tooltips;
    BrowseBtn->setToolTip(tips ? BrowseBtn->accessibleName() : QString());
    SourceVarBtn->setToolTip(tips ? SourceVarBtn->accessibleName() : QString());
    DestinationVarBtn->setToolTip(tips ? DestinationVarBtn->accessibleName() : QString());
}

void TProgrammDlg::SaveTo(cParameters& params) const
{
    cProgrammParameters& p = params.Programm;
    p.Splash = SplashChk->isChecked();
    p.Reopen = ReopenChk->isChecked();
    p.Tooltips = TooltipsChk->isChecked();
    p.CompareA = CompareAEdt->text().toStdString();
    p.CompareB = CompareBEdt->text().toStdString();
    params.Modified = true;
    params.WriteOptions(0);
}

void TProgrammDlg::InsertVariable(const QString& variable)
{
    int caret = CompareBEdt->cursorPosition();
    CompareBEdt->setText(InsertAtCaret(CompareBEdt->text(), caret, variable));
    CompareBEdt->setCursorPosition(caret);
    CompareBEdt->setFocus();
}

void TProgrammDlg::Browse()
{
    const BrowseStart start = BrowseStartOf(CompareAEdt->text());
    QFileDialog dialog(this, QStringLiteral("Dateivergleichs-Programm"), start.Directory,
                       QStringLiteral("Alle Dateien (*)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!start.Name.isEmpty()) {
        dialog.selectFile(start.Name);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const QString chosen = dialog.selectedFiles().front();
    if (!IsExecutableFile(chosen)) {
        Presenter().Show({BoxKind::Error, BoxButtons::Ok,
                          "\"" + chosen.toStdString() + "\" ist kein ausführbares Programm.", 0});
        return;
    }
    CompareAEdt->setText(chosen);
}

}  // namespace verdal
