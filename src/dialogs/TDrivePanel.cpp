#include "dialogs/TDrivePanel.h"

#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "dialogs/DriveCommands.h"
#include "dialogs/DriveLook.h"
#include "dialogs/SourceRules.h"
#include "dialogs/TDirectoryTree.h"
#include "dialogs/TDriveList.h"
#include "settings/Macros.h"
#include "settings/Parameters.h"

namespace verdal {
namespace {

template <class T>
T* Prefixed(T* control, const char* prefix, const char* name, const QString& accessible)
{
    control->setObjectName(QString::fromLatin1(prefix) + QString::fromLatin1(name));
    control->setAccessibleName(accessible);
    return control;
}

QAction* MenuItem(QWidget* owner, const char* prefix, const char* name, const QString& text)
{
    auto* action = new QAction(text, owner);
    action->setObjectName(QString::fromLatin1(prefix) + QString::fromLatin1(name));
    owner->addAction(action);
    owner->setContextMenuPolicy(Qt::ActionsContextMenu);
    return action;
}

}  // namespace

TDrivePanel::TDrivePanel(const char* prefix, QWidget* parent)
    : QWidget(parent),
      DriveList(Prefixed(new TDriveList(this), prefix, "DriveList", QStringLiteral("Laufwerk"))),
      DriveEdt(Prefixed(new QLineEdit(this), prefix, "DriveEdt",
                        QStringLiteral("Ausgewähltes Laufwerk"))),
      DirTree(
          Prefixed(new TDirectoryTree(this), prefix, "DirTree", QStringLiteral("Verzeichnisse"))),
      DirEdt(Prefixed(new QLineEdit(this), prefix, "DirEdt",
                      QStringLiteral("Ausgewähltes Verzeichnis"))),
      DriveReadItm(MenuItem(DriveEdt, prefix, "DriveReadItm", QStringLiteral("Lesen"))),
      DriveCheckItm(MenuItem(DriveEdt, prefix, "DriveCheckItm", QStringLiteral("Überprüfen"))),
      DirCheckItm(MenuItem(DirEdt, prefix, "DirCheckItm", QStringLiteral("Überprüfen")))
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* driveLbl = new QLabel(QStringLiteral("&Laufwerk:"), this);
    driveLbl->setBuddy(DriveList);
    grid->addWidget(driveLbl, 0, 0, 1, 2);
    grid->addWidget(DriveList, 1, 0, 1, 2);
    auto* selectedLbl = new QLabel(QStringLiteral("Ausgewähltes Laufwerk und Verzeichnis:"), this);
    selectedLbl->setBuddy(DriveEdt);
    grid->addWidget(selectedLbl, 2, 0, 1, 2);
    grid->addWidget(DriveEdt, 3, 0);
    grid->addWidget(DirEdt, 3, 1);
    grid->addWidget(DirTree, 4, 0, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setRowStretch(4, 1);

    connect(DriveReadItm, &QAction::triggered, this,
            [this] { ReadDriveCommand(DriveEdt, DriveList); });
    connect(DriveCheckItm, &QAction::triggered, this,
            [this] { CheckDriveCommand(DriveEdt->text()); });
    connect(DirCheckItm, &QAction::triggered, this,
            [this] { CheckDirectoryCommand(DirEdt->text()); });
    connect(DriveList, &TDriveList::DriveChanged, this, [this](const QString& drive) {
        ApplyDriveChange(drive, DriveEdt, DirTree, DirEdt);
        ShowDriveStart();
        emit DriveChanged(drive);
    });
    connect(DirTree, &TDirectoryTree::PathChanged, this, [this](const QString& path) {
        DirEdt->setText(path);
        emit PathChanged(path);
    });
    connect(DriveEdt, &QLineEdit::textChanged, this, &TDrivePanel::Edited);
    connect(DirEdt, &QLineEdit::textChanged, this, &TDrivePanel::Edited);
}

void TDrivePanel::Configure(const cParameters& params, const std::string& iniPrefix)
{
    for (QWidget* widget : std::initializer_list<QWidget*>{DriveList, DriveEdt, DirTree, DirEdt}) {
        SetCommandHint(widget, params.Programm.Tooltips);
    }
    DriveList->SetDrillDepth(params.BrowseNetwork ? 3 : 0);
    DriveList->SetShowVolumeInformation(params.DiskInfo);
    DriveList->SetIniPrefix(iniPrefix);
}

void TDrivePanel::SetStored(const QString& drive, const QString& directory)
{
    storedDrive_ = drive;
    storedDirectory_ = directory;
    DriveEdt->setText(drive);
    DirEdt->setText(directory);
    ShowDriveStart();
}

void TDrivePanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (shown_) {
        return;
    }
    shown_ = true;
    DriveList->SelectDrive(QString::fromStdString(ExpandMacros(storedDrive_.toStdString())));
    DriveEdt->setText(storedDrive_);
    DirEdt->setText(storedDirectory_);
    ShowDriveStart();
    emit StoredShown();
}

// A long mount path shows its beginning rather than its end.
void TDrivePanel::ShowDriveStart()
{
    DriveEdt->setCursorPosition(0);
}

QString TDrivePanel::Drive() const
{
    return DriveEdt->text().trimmed();
}

std::string TDrivePanel::Directory() const
{
    return DialogDirectory(DirEdt->text().trimmed().toStdString());
}

QString TDrivePanel::NativePath() const
{
    const std::string drive = ExpandMacros(Drive().toStdString());
    const std::string directory = ExpandMacros(Directory());
    if (const auto native = NativePathBounded(drive, directory)) {
        return QString::fromStdString(*native);
    }
    return QString::fromStdString(Drive().toStdString() + Directory());
}

}  // namespace verdal
