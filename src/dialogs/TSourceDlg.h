#pragma once

#include <QDialog>
#include <QStringList>

#include "dialogs/SourceRules.h"

class QAction;
class QLineEdit;
class QMimeData;
class QPushButton;
class QTabWidget;
class QTreeWidget;

namespace verdal {

class cParameters;
class TDirectoryTree;
class TDriveList;
class TDrivePanel;
class TEntryList;

// "Quelle": the source drive, the directories to search and to exclude, and the four lists of
// file names and masks, built from a drive list, a directory tree and the file list of the
// selected directory by context-menu commands and drag and drop.
class TSourceDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TSourceDlg(QWidget* parent = nullptr);

    void LoadFrom(const cParameters& params);
    // Copies the controls back (after OK) and marks the profile modified.
    void SaveTo(cParameters& params) const;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildBrowsePane();
    QWidget* BuildListPane();
    void BuildMenus();
    TEntryList* MakeList(const char* name, const QString& caption);
    QAction* MenuItem(QWidget* owner, const char* name, const QString& text);

    TEntryList* ActiveDirList() const;
    TEntryList* ActiveFileList() const;
    TEntryList* ListNamed(const QString& name) const;
    bool IsDirList(const TEntryList* list) const;

    void RefillFiles(bool rescan);
    void AddDirectory(bool fromTree, bool withSubdirectories);
    void ToggleSubdirectories();
    void AddFileText(bool asType);
    void AddViewFiles(bool asType);
    void RemoveFrom(TEntryList* list);
    void UpdateMenus();
    bool DropOnList(TEntryList* target, const QMimeData* data);
    void OnOk();

    TDrivePanel* Panel;
    TDriveList* DriveList;
    QLineEdit* DriveEdt;
    TDirectoryTree* DirTree;
    QLineEdit* DirEdt;
    QTreeWidget* ListView;
    QLineEdit* FileEdt;
    QTabWidget* DirPages;
    TEntryList* SearchDirectoriesLst;
    TEntryList* ExcludeDirectoriesLst;
    QTabWidget* FilePages;
    TEntryList* CompareFilesLst;
    TEntryList* EnforceFilesLst;
    TEntryList* DeleteFilesLst;
    TEntryList* ExcludeFilesLst;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;

    QAction* TreeAddItm;
    QAction* TreeAddSubItm;
    QAction* DirAddItm;
    QAction* DirAddSubItm;
    QAction* DirRootItm;
    QAction* DirRemoveItm;
    QAction* DirToggleItm;
    QAction* ViewAddItm;
    QAction* ViewAddTypeItm;
    QAction* FileAddItm;
    QAction* FileAddTypeItm;
    QAction* FileMaskItm;
    QAction* FileRemoveItm;

    std::vector<std::string> cachedNames_;
    FileSortState sort_;
    int emptyAnswer_ = 0;
};

// Opens the source dialog on `params`; true when the user pressed OK (the profile is changed).
bool OpenSourceDialog(QWidget* parent, cParameters& params);

}  // namespace verdal
