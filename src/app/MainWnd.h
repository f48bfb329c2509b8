#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/DialogRegistry.h"

class QAction;
class QTimer;
class QMenu;
class QToolButton;
class QTreeWidgetItem;

namespace verdal {

class TNewTreeView;
class cRunController;
class cTrayIcon;
struct SummaryNode;

// What a file dialog of the main window is asked for; tests answer it without a dialog.
struct FileDialogRequest
{
    bool Save = false;
    QString Title;
    QString Filter;  // Qt form: "Profile (*.vrd);;Alle Dateien (*)"
    QString SelectedFilter;
    QString Directory;
    QString FileName;
    QString DefaultSuffix;
};
// Returns the chosen path, or an empty string for Cancel.
using FileChooser = std::function<QString(QWidget* parent, const FileDialogRequest& request)>;
// The desktop's way to open a web or mailto address; false when it failed.
using UrlOpener = std::function<bool(const QString& url)>;
// The program's own file dialog for a request.
QString ChooseFile(QWidget* parent, const FileDialogRequest& request);

// The main window: the open document (profile or batch file) as the profile tree, the menus,
// toolbar and keys that open, save and edit it, the reopen and quick lists, dropped files, the
// close guard and the notification-area icon. Runs go through its run controller.
class TMainWnd : public QMainWindow
{
    Q_OBJECT

public:
    // `mute`: the program runs without its window (the "/mute" switch).
    explicit TMainWnd(bool mute = false, QWidget* parent = nullptr);
    ~TMainWnd() override;

    // Reads `path` (macros expanded) into the settings object. On success the window shows it
    // and its last-run time is read; on failure the reader has said why and the previous
    // document stays. The run-after-open automation belongs to the start sequence.
    bool OpenFile(const std::string& path);
    // The start file (`argument`, or LastFile when empty and Reopen is set), the tray flags of
    // mute mode; returns true when the document asks to be run after opening.
    bool OpenStartFile(const std::string& argument);

    // The document commands.
    void NewDocument();
    void OpenDocument();
    bool Save();
    bool SaveAs();
    // Asks to save the changes; false means the command that asked must stop.
    bool AskSaveChanges();
    void OpenReopenEntry(int slot);  // 1..9
    void OpenQuickEntry(int tag);    // 1..12 run, 13..24 open only
    // Drops native paths onto the document, with Ctrl / Shift as the keyboard held them.
    void DropPaths(const QStringList& paths, Qt::KeyboardModifiers modifiers);

    // Opens a configuration dialog by routine name ("SOURCE", "OPTIONS", ...).
    bool OpenDialog(const std::string& routine, int page = -1);
    cDialogRegistry& Dialogs() { return dialogs_; }
    // Right-click on a tree item: the dialog of its group (Options on the child's page).
    void OpenDialogForItem(QTreeWidgetItem* item);

    // Window placement from and to the settings object's "Main Window" record.
    void ApplyPlacement();
    void StorePlacement();

    // The refresh group.
    void RefreshCaption();
    void RefreshMenuState();
    void RefreshHints();
    void RefreshTopMenu();
    void RefreshReopenMenu();
    void RefreshDocumentView();
    void RefreshAll();
    // The automation timers; set by the automation once it exists.
    void SetAutomationRefresher(std::function<void()> refresher)
    {
        automationRefresher_ = std::move(refresher);
    }
    void RefreshAutomation();

    bool ModalOpen() const { return modalOpen_; }
    bool DelayArmed() const;
    bool& ModalOpenFlag() { return modalOpen_; }
    bool RunBusy() const;
    bool Mute() const { return mute_; }
    cRunController& Runs() { return *runs_; }
    cTrayIcon& Tray() { return *tray_; }
    TNewTreeView* ProfileTree() const { return profileTree_; }

    void SetFileChooser(FileChooser chooser) { fileChooser_ = std::move(chooser); }
    void SetUrlOpener(UrlOpener opener) { urlOpener_ = std::move(opener); }
    // Shows the help window at a topic.
    void ShowHelp(int context);

    // Whether the window may close now: no dialog open, no run busy, changes saved or dropped
    // (may ask). The close and the end of the desktop session both ask it.
    bool CloseQuery();
    // Ends the program after a run: only without unsaved changes (then the status bar says why).
    void ExitAfterRun();

signals:
    // A close was accepted (the tray removes its icon then).
    void CloseAccepted();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolbar();
    QAction* AddAction(const char* name, const QString& text, const QKeySequence& key,
                       std::function<void()> slot);
    QToolButton* AddButton(const char* name, const QString& text, const QString& key,
                           QAction* action);
    void OpenCommand(const std::string& routine, int page = -1);
    void AfterDialog(const std::string& routine, bool accepted);
    bool ReadDocument(const std::string& path);
    void RememberFile(const std::string& path);
    FileDialogRequest DialogRequest(bool save) const;
    void OpenUrl(const QString& url, const QString& failure);
    void ExpandNode(SummaryNode* node, bool select);
    void DelayTmrTimer();

    bool mute_;
    bool modalOpen_ = false;
    bool exiting_ = false;  // an exit after a run passes the close guard
    TNewTreeView* profileTree_;
    std::unique_ptr<SummaryNode> summary_;  // the nodes the tree items stand for
    cDialogRegistry dialogs_;
    std::unique_ptr<cRunController> runs_;
    std::unique_ptr<cTrayIcon> tray_;
    std::function<void()> automationRefresher_;
    FileChooser fileChooser_;
    UrlOpener urlOpener_;
    QString saveFilter_;
    QTimer* delayTmr_;  // run after open, armed only by the start file

    QMenu* fileMnu_ = nullptr;
    QMenu* topMnu_ = nullptr;
    QMenu* settingsMnu_ = nullptr;
    QAction* saveItm_ = nullptr;
    QAction* saveAsItm_ = nullptr;
    QAction* shortcutItm_ = nullptr;
    QAction* goItm_ = nullptr;
    QAction* batchItm_ = nullptr;
    QAction* reopenSep_ = nullptr;
    std::array<QAction*, 10> oldItems_{};  // 1..9
    std::array<QAction*, 25> topItems_{};  // 1..24
    std::vector<QAction*> profileOnly_;    // commands of a profile
    std::vector<QToolButton*> buttons_;
    QToolButton* goBtn1_ = nullptr;
    QToolButton* goBtn2_ = nullptr;
    QToolButton* batchBtn_ = nullptr;
    std::vector<QToolButton*> profileButtons_;

public:
    // The name of the action or button given to setObjectName, for tests and screen readers.
    QAction* Action(const char* name) const;
};

}  // namespace verdal
