#pragma once

#include <QString>
#include <QWidget>
#include <string>

class QAction;
class QLineEdit;

namespace verdal {

class cParameters;
class TDirectoryTree;
class TDriveList;

// The drive and directory picker the dialogs share: the drive list, the fields of the chosen
// drive and directory with their commands ("Lesen", "Überprüfen") and the directory tree.
//
// Use: Configure with the options, SetStored with the profile's drive and directory. When the
// panel is first shown its drive list selects that drive and the fields get the stored texts
// back, whatever the list fell back to, so a drive that is not ready now is kept; only drive
// changes the user makes apply the fallbacks.
class TDrivePanel : public QWidget
{
    Q_OBJECT

public:
    // `prefix` goes before the object name of every control ("Src" gives "SrcDriveList").
    explicit TDrivePanel(const char* prefix = "", QWidget* parent = nullptr);

    // Network depth and volume information from the options, the history key prefix of
    // "Drive Lists" ("Src", "Dest") and the hints.
    void Configure(const cParameters& params, const std::string& iniPrefix);
    void SetStored(const QString& drive, const QString& directory);

    QString Drive() const;
    // The directory in profile form, with a leading and a trailing "\".
    std::string Directory() const;
    // Drive and directory as a native path (macros expanded), or drive + directory as typed
    // when the drive is not ready.
    QString NativePath() const;

    TDriveList* DriveList;
    QLineEdit* DriveEdt;
    TDirectoryTree* DirTree;
    QLineEdit* DirEdt;
    QAction *DriveReadItm, *DriveCheckItm, *DirCheckItm;

signals:
    // The user chose another drive (the tree and the directory field follow first).
    void DriveChanged(const QString& drive);
    // The tree selected another directory (the directory field holds it already).
    void PathChanged(const QString& path);
    // Either field's text changed.
    void Edited();
    // The first show has put the stored drive and directory back into the fields.
    void StoredShown();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowDriveStart();

    QString storedDrive_;
    QString storedDirectory_;
    bool shown_ = false;
};

}  // namespace verdal
