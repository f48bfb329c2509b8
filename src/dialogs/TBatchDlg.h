#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QDialog>
#include <QListWidget>
#include <QStyledItemDelegate>

#include "settings/StringList.h"

class QAction;
class QLineEdit;
class QPushButton;

namespace verdal {

class cParameters;
class TDirectoryTree;
class TDriveList;
class TDrivePanel;

// Mime types of the batch dialog's drags: profile paths from the available list, and the rows
// of the batch list itself (which move the selection).
inline constexpr const char* kProfilePathsMime = "application/x-verdal-profile-paths";
inline constexpr const char* kBatchRowsMime = "application/x-verdal-batch-rows";

// The available profiles: dragging rows hands their full paths on.
class TProfileListBox : public QListWidget
{
    Q_OBJECT

public:
    using QListWidget::QListWidget;
    QString Folder;

protected:
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
    QStringList mimeTypes() const override;
};

// The batch's entries: drops of its own rows move the selection, drops of profile paths
// append them.
class TBatchListBox : public QListWidget
{
    Q_OBJECT

public:
    explicit TBatchListBox(QWidget* parent = nullptr);

signals:
    void RowsDropped(int target);
    void PathsDropped(const QStringList& paths);

protected:
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
    QStringList mimeTypes() const override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

// Paints a batch entry on two lines: folder and bold name, then its condition in colour.
class TBatchEntryDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// "Batch-Datei": the profiles of a batch file in their order, each with its condition.
class TBatchDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TBatchDlg(QWidget* parent = nullptr);

    void LoadFrom(const cParameters& params);
    void SaveTo(cParameters& params) const;
    static bool Open(QWidget* parent, cParameters& params, int page);

    // The document "Warnungen / Automatik..." edits directly (its OK takes effect at once).
    void SetDocument(cParameters* document);
    // Shows one profile read-only; `modal` for the batch's own entries.
    std::function<void(QWidget*, const std::string& path, bool modal)> ShowProfile;

    const std::vector<cStringList::Item>& Entries() const { return entries_; }
    // The chosen drive and directory as a native folder.
    QString Folder() const;

    TDrivePanel* Panel;
    TDriveList* DriveList;
    QLineEdit* DriveEdt;
    TDirectoryTree* DirTree;
    QLineEdit* DirEdt;
    TProfileListBox* AvailableLst;
    QLineEdit* FileEdt;
    TBatchListBox* SelectedLst;
    QPushButton *AddBtn, *RemoveBtn, *UpBtn, *DownBtn, *MoreBtn, *OkBtn, *CancelBtn, *HelpBtn;
    QAction *AvailableAddAct, *AvailableShowAct, *AvailableOpenAct;
    QAction *FileAddAct, *FileShowAct, *FileOpenAct;
    QAction *SelectedRemoveAct, *SelectedShowAct, *SelectedOpenAct;
    QAction* ConditionAct[3];

private:
    void FillAvailable();
    void Rebuild(const std::vector<int>& selection);
    std::vector<int> SelectedRows() const;
    void Append(const std::vector<std::string>& paths);
    void AddFromAvailable();
    void AddFromFileEdit();
    void RemoveSelected();
    void MoveSelection(int target);
    void SetCondition(int condition);
    void ShowProfiles(bool fromSelected);
    void OpenProfiles(bool fromSelected);
    std::vector<std::string> AvailablePaths() const;
    std::vector<std::string> SelectedPaths() const;
    void UpdateActions();
    void OpenMore();

    std::vector<cStringList::Item> entries_;
    cParameters* document_ = nullptr;
};

}  // namespace verdal
