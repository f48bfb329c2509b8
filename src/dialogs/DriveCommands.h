#pragma once

#include <QString>

class QLineEdit;
class QWidget;

namespace verdal {

class TDirectoryTree;
class TDriveList;

// What the source and destination dialogs share: the drive commands of their drive and
// directory fields and the way a drive change moves the tree.

// "Lesen": selects the drive typed in `driveEdt` (macros expanded) in `driveList`, adding it by
// hand; the field keeps its unexpanded text when it held macros.
void ReadDriveCommand(QLineEdit* driveEdt, TDriveList* driveList);
// "Überprüfen" of a drive or a directory: tells whether the text (macros expanded) is valid.
void CheckDriveCommand(const QString& drive);
void CheckDirectoryCommand(const QString& directory);

// A drive was chosen: the drive field takes it, the tree shows it, and the directory field
// falls back to "\" when its directory does not exist there; the tree selects that directory.
// The tree's change handler is detached meanwhile.
void ApplyDriveChange(const QString& drive, QLineEdit* driveEdt, TDirectoryTree* tree,
                      QLineEdit* dirEdt);

// The "Rechts klicken für Befehle" hint, when the tooltip option is on.
void SetCommandHint(QWidget* widget, bool tooltips);

}  // namespace verdal
