#include "dialogs/TAppsDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/DialogServices.h"
#include "dialogs/NamedControls.h"
#include "platform/Process.h"
#include "platform/WindowList.h"

namespace verdal {
namespace {

constexpr int kHelpApplications = 53;

}  // namespace

TAppsDlg::TAppsDlg(const QStringList& titles, QWidget* parent)
    : QDialog(parent),
      AppsLst(Named(new QListWidget(this), "AppsLst")),
      SelectedEdt(Named(new QLineEdit(this), "SelectedEdt")),
      OkBtn(Named(new QPushButton(QStringLiteral("OK"), this), "OkBtn")),
      CancelBtn(Named(new QPushButton(QStringLiteral("Abbrechen"), this), "CancelBtn")),
      HelpBtn(Named(new QPushButton(QStringLiteral("&Hilfe"), this), "HelpBtn"))
{
    setObjectName(QStringLiteral("AppsDlg"));
    setWindowTitle(QStringLiteral("Anwendungen"));
    auto* text = new QLabel(
        QStringLiteral("Hier ist eine Liste aller momentan laufenden Anwendungen.\n\nWählen Sie "
                       "die gewünschte Anwendung. Entfernen Sie dann aus Ihrer Auswahl die Teile, "
                       "die nicht zum Namen der Anwendung gehören."),
        this);
    text->setWordWrap(true);
    AppsLst->addItems(titles);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(BuddyLabel(QStringLiteral("&Verfügbare Anwendungen:"), AppsLst, this));
    layout->addWidget(AppsLst);
    layout->addWidget(BuddyLabel(QStringLiteral("&Ausgewählte Anwendung:"), SelectedEdt, this));
    layout->addWidget(SelectedEdt);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpBtn);
    layout->addLayout(buttons);
    OkBtn->setDefault(true);
    resize(440, 380);
    connect(AppsLst, &QListWidget::currentTextChanged, SelectedEdt, &QLineEdit::setText);
    connect(AppsLst, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { SelectedEdt->setText(item->text()); });
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this,
            [this] { DialogServices::ShowHelp(this, kHelpApplications); });
}

void TAppsDlg::SetApplication(const QString& text)
{
    SelectedEdt->setText(text);
}

QString TAppsDlg::Application() const
{
    return SelectedEdt->text();
}

QStringList TAppsDlg::AvailableTitles(const QString& ownCaption)
{
    QStringList titles;
    const auto add = [&titles](const QString& title) {
        if (!title.trimmed().isEmpty() && !titles.contains(title)) {
            titles << title;
        }
    };
    for (const std::string& title : TopLevelWindowTitles()) {
        add(QString::fromStdString(title));
    }
    if (titles.isEmpty()) {
        for (const ProcessInfo& process : ListProcesses()) {
            add(QString::fromStdString(process.Name));
        }
    }
    add(ownCaption);
    return titles;
}

QString TAppsDlg::Pick(QWidget* parent, const QString& current, const QString& ownCaption)
{
    TAppsDlg dialog(AvailableTitles(ownCaption), parent);
    dialog.SetApplication(current);
    return dialog.exec() == QDialog::Accepted ? dialog.Application() : QString();
}

}  // namespace verdal
