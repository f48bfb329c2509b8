#include "dialogs/TEmptyDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace verdal {

TEmptyDlg::TEmptyDlg(const QString& directory, QWidget* parent)
    : QDialog(parent),
      DirectoryLbl(new QLabel(directory, this)),
      YesBtn(new QPushButton(QStringLiteral("Ja"), this)),
      YesSubdirsBtn(new QPushButton(QStringLiteral("Ja, mit Unterverzeichnissen"), this)),
      NoBtn(new QPushButton(QStringLiteral("Nein"), this))
{
    setWindowTitle(QStringLiteral("Quelle"));
    DirectoryLbl->setObjectName(QStringLiteral("DirectoryLbl"));
    DirectoryLbl->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = DirectoryLbl->font();
    bold.setBold(true);
    DirectoryLbl->setFont(bold);
    YesBtn->setObjectName(QStringLiteral("YesBtn"));
    YesSubdirsBtn->setObjectName(QStringLiteral("YesSubdirsBtn"));
    NoBtn->setObjectName(QStringLiteral("NoBtn"));
    YesBtn->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("Die Liste der zu durchsuchenden Verzeichnisse ist leer."), this));
    layout->addWidget(
        new QLabel(QStringLiteral("Das folgende Verzeichnis ist zur Zeit ausgewählt:"), this));
    layout->addWidget(DirectoryLbl);
    layout->addWidget(new QLabel(
        QStringLiteral("Wollen Sie das ausgewählte Verzeichnis zur Liste hinzufügen?"), this));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(YesBtn);
    buttons->addWidget(YesSubdirsBtn);
    buttons->addWidget(NoBtn);
    layout->addLayout(buttons);

    connect(YesBtn, &QPushButton::clicked, this, [this] { done(kYes); });
    connect(YesSubdirsBtn, &QPushButton::clicked, this, [this] { done(kYesWithSubdirectories); });
    connect(NoBtn, &QPushButton::clicked, this, [this] { done(kNo); });
}

}  // namespace verdal
