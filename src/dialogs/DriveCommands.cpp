#include "dialogs/DriveCommands.h"

#include <QLineEdit>

#include "dialogs/DriveLook.h"
#include "dialogs/SourceRules.h"
#include "dialogs/TDirectoryTree.h"
#include "dialogs/TDriveList.h"
#include "settings/Macros.h"
#include "settings/ProgramMessages.h"
#include "settings/Validation.h"

namespace verdal {

void ReadDriveCommand(QLineEdit* driveEdt, TDriveList* driveList)
{
    const std::string typed = driveEdt->text().toStdString();
    driveList->AddDriveByHand(QString::fromStdString(ExpandMacros(typed)));
    if (HasMacro(typed)) {
        driveEdt->setText(QString::fromStdString(typed));
    }
}

void CheckDriveCommand(const QString& drive)
{
    const std::string expanded = ExpandMacros(drive.toStdString());
    ShowProgramMessage(IsValidDrive(expanded) ? 30001 : 30002, {expanded});
}

void CheckDirectoryCommand(const QString& directory)
{
    const std::string expanded = ExpandMacros(directory.toStdString());
    ShowProgramMessage(IsValidDirectory(expanded) ? 30003 : 30004, {expanded});
}

void ApplyDriveChange(const QString& drive, QLineEdit* driveEdt, TDirectoryTree* tree,
                      QLineEdit* dirEdt)
{
    tree->SetChangeHandlerEnabled(false);
    driveEdt->setText(drive);
    tree->SetDrive(drive);
    const std::string directory = ExpandMacros(DialogDirectory(dirEdt->text().toStdString()));
    // An unreadable root (a dead mount) is not asked again.
    if (tree->IsUnreadable(QStringLiteral("\\")) ||
        !DirectoryExistsBounded(ExpandMacros(drive.toStdString()), directory)) {
        dirEdt->setText(QStringLiteral("\\"));
    }
    tree->SelectPath(dirEdt->text());
    tree->SetChangeHandlerEnabled(true);
}

void SetCommandHint(QWidget* widget, bool tooltips)
{
    widget->setToolTip(tooltips ? QStringLiteral("Rechts klicken für Befehle") : QString());
}

}  // namespace verdal
