#include "dialogs/TLogViewerDlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/DialogServices.h"
#include "dialogs/LogRules.h"
#include "dialogs/NamedControls.h"
#include "settings/Presenter.h"

namespace verdal {

TLogViewerDlg::TLogViewerDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Betrachter"));
    auto* grid = new QGridLayout(this);
    BuiltInRdo = Named(new QRadioButton(QStringLiteral("Eingebaut"), this), "BuiltInRdo");
    NotepadRdo = Named(new QRadioButton(QStringLiteral("Notizblock (Editor)"), this), "NotepadRdo");
    QuickViewRdo = Named(new QRadioButton(QStringLiteral("Schnellansicht"), this), "QuickViewRdo");
    WordPadRdo = Named(new QRadioButton(QStringLiteral("WordPad"), this), "WordPadRdo");
    OtherRdo = Named(new QRadioButton(QStringLiteral("Anderer:"), this), "OtherRdo");
    OtherEdt = Named(new QLineEdit(this), "OtherEdt", QStringLiteral("Anderer Betrachter"));
    BrowseBtn = Named(new QPushButton(QStringLiteral("..."), this), "BrowseBtn",
                      QStringLiteral("Anderen Betrachter wählen"));
    SwitchesEdt = Named(new QLineEdit(this), "SwitchesEdt");
    kinds_ = new QButtonGroup(this);
    int row = 0;
    for (QRadioButton* button : {BuiltInRdo, NotepadRdo, QuickViewRdo, WordPadRdo, OtherRdo}) {
        kinds_->addButton(button, row);
        grid->addWidget(button, row++, 0);
    }
    grid->addWidget(OtherEdt, 4, 1);
    grid->addWidget(BrowseBtn, 4, 2);
    grid->addWidget(BuddyLabel(QStringLiteral("Schalter:"), SwitchesEdt, this), 5, 0);
    grid->addWidget(SwitchesEdt, 5, 1, 1, 2);

    auto* buttons = new QDialogButtonBox(this);
    OkBtn = Named(buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole), "OkBtn");
    CancelBtn = Named(buttons->addButton(QStringLiteral("Abbruch"), QDialogButtonBox::RejectRole),
                      "CancelBtn");
    HelpBtn =
        Named(buttons->addButton(QStringLiteral("&Hilfe"), QDialogButtonBox::HelpRole), "HelpBtn");
    OkBtn->setDefault(true);
    grid->addWidget(buttons, 6, 0, 1, 3);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, [this] { DialogServices::ShowHelp(this, 40); });
    connect(kinds_, &QButtonGroup::idClicked, this, &TLogViewerDlg::KindClicked);
    connect(BrowseBtn, &QPushButton::clicked, this, &TLogViewerDlg::Browse);
    OtherEdt->installEventFilter(this);
}

bool TLogViewerDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == OtherEdt &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::FocusIn)) {
        OtherRdo->setChecked(true);
        KindClicked(4);
    }
    return QDialog::eventFilter(watched, event);
}

void TLogViewerDlg::KindClicked(int kind)
{
    SwitchesEdt->setEnabled(SwitchesEnabled(kind));
}

int TLogViewerDlg::Kind() const
{
    return std::max(0, kinds_->checkedId());
}

void TLogViewerDlg::LoadFrom(const cParameters& params)
{
    const cLogParameters& log = params.Log;
    const int kind = std::clamp(log.ViewerKind, 0, 4);
    kinds_->button(kind)->setChecked(true);
    KindClicked(kind);
    OtherEdt->setText(QString::fromStdString(log.OtherViewer));
    SwitchesEdt->setText(QString::fromStdString(log.ViewerSwitches));
}

void TLogViewerDlg::SaveTo(cParameters& params) const
{
    cLogParameters& log = params.Log;
    log.ViewerKind = Kind();
    log.OtherViewer = OtherEdt->text().toStdString();
    log.ViewerSwitches = SwitchesEdt->text().toStdString();
    params.Modified = true;
}

void TLogViewerDlg::Browse()
{
    const QString chosen = LogFileDialogs::Choose(
        this, LogFileDialogs::Mode::Open, QStringLiteral("Anderer Betrachter"),
        BrowseStartOf(OtherEdt->text()), QStringLiteral("Alle Dateien (*)"), QString());
    if (chosen.isEmpty()) {
        return;
    }
    if (!QFileInfo(chosen).isExecutable()) {
        Presenter().Show({BoxKind::Error, BoxButtons::Ok,
                          "Die Datei " + chosen.toStdString() + " ist kein ausführbares Programm.",
                          0});
        return;
    }
    OtherEdt->setText(chosen);
    OtherRdo->setChecked(true);
    KindClicked(4);
}

}  // namespace verdal
