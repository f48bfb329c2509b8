// The document commands of the main window: new, open, save, the reopen and quick lists,
// dropped files, the start file and the window placement.

#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>

#include "app/DocumentRules.h"
#include "app/MainWnd.h"
#include "app/RunController.h"
#include "app/TrayIcon.h"
#include "dialogs/DriveLook.h"
#include "dialogs/TNewDlg.h"
#include "platform/DirectoryCheck.h"
#include "settings/GermanFormat.h"
#include "settings/Macros.h"
#include "settings/Parameters.h"
#include "settings/Presenter.h"

namespace verdal {
namespace {

BoxResult Ask(const std::string& text, BoxButtons buttons)
{
    return Presenter().Show({BoxKind::Confirmation, buttons, text, 0});
}

// The old-format question before a save; false when the user declines.
bool ConfirmNewFormat(const cParameters& params)
{
    if (!params.OldFormat) {
        return true;
    }
    return Ask(FormatText("%s wird im Format Verdal 4.0 gespeichert und ist danach für ältere "
                          "Versionen von Verdal unlesbar. Fortfahren?",
                          {params.FileName}),
               BoxButtons::YesNo) == BoxResult::Yes;
}

}  // namespace

QString ChooseFile(QWidget* parent, const FileDialogRequest& request)
{
    QFileDialog dialog(parent, request.Title, request.Directory, request.Filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(request.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.DefaultSuffix);
    if (!request.SelectedFilter.isEmpty()) {
        dialog.selectNameFilter(request.SelectedFilter);
    }
    if (!request.FileName.isEmpty()) {
        dialog.selectFile(request.FileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front();
}

FileDialogRequest TMainWnd::DialogRequest(bool save) const
{
    const cParameters& params = Params();
    const bool batch = params.FileKind == 1;
    FileDialogRequest request;
    request.Save = save;
    // A name such as "<unbenannt>" is not a path, and a folder on a mount that does not answer
    // is as good as gone: then the dialog starts empty.
    const QFileInfo current(QString::fromStdString(params.FileName));
    const std::string folder = current.absolutePath().toStdString();
    if (!params.Untitled && current.isAbsolute() && LookAtDrive<bool>(folder, [folder] {
                                                        return IsExistingDirectory(folder);
                                                    }).value_or(false)) {
        request.Directory = current.absolutePath();
        request.FileName = current.fileName();
    }
    if (save) {
        request.Title = QStringLiteral("Datei speichern");
        request.Filter = saveFilter_;
        request.DefaultSuffix = batch ? QStringLiteral("vbf") : QStringLiteral("vrd");
    } else {
        request.Title = QStringLiteral("Datei öffnen");
        request.Filter = QStringLiteral("Profile (*.vrd);;Batch-Dateien (*.vbf);;Alle Dateien (*)");
        request.SelectedFilter =
            batch ? QStringLiteral("Batch-Dateien (*.vbf)") : QStringLiteral("Profile (*.vrd)");
        request.DefaultSuffix = QStringLiteral("vrd");
    }
    return request;
}

bool TMainWnd::ReadDocument(const std::string& path)
{
    const std::string expanded = ExpandMacros(path);
    cParameters& params = Params();
    if (expanded.empty() || !params.LoadFromFile(expanded)) {
        return false;
    }
    params.FileName = expanded;
    params.ReadLastUpdate(expanded);
    delayTmr_->stop();
    RefreshCaption();
    RefreshMenuState();
    RefreshAutomation();
    RefreshDocumentView();
    return true;
}

bool TMainWnd::OpenFile(const std::string& path)
{
    return ReadDocument(path);
}

void TMainWnd::RememberFile(const std::string& path)
{
    cParameters& params = Params();
    AddToReopenList(params.OldFiles, path);
    params.WriteOptions(3);
    RefreshReopenMenu();
}

bool TMainWnd::OpenStartFile(const std::string& argument)
{
    cParameters& params = Params();
    std::string file = argument;
    if (file.empty() && params.Programm.Reopen) {
        file = params.Programm.LastFile;
    }
    const bool opened = !file.empty() && ReadDocument(file);
    if (mute_) {
        params.TrayIcon = true;
        params.Batch.MinimizeToTray = true;
    }
    const bool toTray = params.FileKind == 1 ? params.Batch.MinimizeToTray : params.TrayIcon;
    if (toTray) {
        if (mute_) {
            // The window is never shown: the icon is all there is (when the desktop has room).
            if (tray_->Available()) {
                tray_->Add();
            }
        } else {
            showMinimized();
        }
    }
    // Only a document that really opened may start itself.
    const bool runAfterOpen =
        opened && (params.FileKind == 1 ? params.Batch.RunAfterOpen : params.AutoOpen);
    if (runAfterOpen) {
        delayTmr_->start();
    }
    return runAfterOpen;
}

void TMainWnd::DelayTmrTimer()
{
    if (modalOpen_ || RunBusy()) {
        return;
    }
    delayTmr_->stop();
    runs_->StartRun(kTriggerAfterOpen);
}

bool TMainWnd::AskSaveChanges()
{
    cParameters& params = Params();
    if (!params.Modified) {
        return true;
    }
    const std::string question = params.Untitled
                                     ? std::string("Änderungen sichern?")
                                     : FormatText("Änderungen an %s sichern?", {params.FileName});
    switch (Ask(question, BoxButtons::YesNoCancel)) {
        case BoxResult::No:
            return true;
        case BoxResult::Yes:
            // Only a save that worked lets the command go on; otherwise the changes stay.
            return params.Untitled ? SaveAs() : Save();
        default:
            return false;
    }
}

void TMainWnd::NewDocument()
{
    if (!AskSaveChanges()) {
        return;
    }
    const int kind = TNewDlg::Choose(this);
    if (kind < 0) {
        return;
    }
    cParameters& params = Params();
    // The program options are not part of a document and survive a new one.
    const cProgrammParameters programm = params.Programm;
    params.FileKind = static_cast<uint8_t>(kind);
    params.Reset();
    params.Programm = programm;
    delayTmr_->stop();
    RefreshCaption();
    RefreshMenuState();
    RefreshAutomation();
    RefreshDocumentView();
}

void TMainWnd::OpenDocument()
{
    if (!AskSaveChanges()) {
        return;
    }
    const QString chosen = fileChooser_(this, DialogRequest(false));
    if (chosen.isEmpty()) {
        return;
    }
    const std::string path = chosen.toStdString();
    if (ReadDocument(path)) {
        RememberFile(path);
    }
}

bool TMainWnd::Save()
{
    cParameters& params = Params();
    if (!ConfirmNewFormat(params) || !params.SaveToFile(params.FileName)) {
        return false;
    }
    RefreshMenuState();
    return true;
}

bool TMainWnd::SaveAs()
{
    cParameters& params = Params();
    if (!ConfirmNewFormat(params)) {
        return false;
    }
    const QString chosen = fileChooser_(this, DialogRequest(true));
    if (chosen.isEmpty()) {
        return false;
    }
    const std::string path = chosen.toStdString();
    if (!params.SaveToFile(path)) {
        return false;
    }
    params.FileName = path;
    params.ReadLastUpdate(path);
    RefreshCaption();
    RefreshMenuState();
    RememberFile(path);
    return true;
}

void TMainWnd::OpenReopenEntry(int slot)
{
    const std::string name = Params().OldFiles[slot];
    if (name.empty() || !AskSaveChanges()) {
        return;
    }
    ReadDocument(name);
}

void TMainWnd::OpenQuickEntry(int tag)
{
    const int entry = QuickEntryOf(tag);
    const std::string path = Params().TopProfiles[entry];
    if (path.empty() || !AskSaveChanges()) {
        return;
    }
    if (ReadDocument(path) && tag <= 12) {
        runs_->StartRun(kTriggerHand);
    }
}

void TMainWnd::DropPaths(const QStringList& paths, Qt::KeyboardModifiers modifiers)
{
    if (modalOpen_ || RunBusy()) {
        return;
    }
    std::vector<std::string> names;
    for (const QString& path : paths) {
        names.push_back(path.toStdString());
    }
    const auto described =
        LookAtDrive<std::vector<DroppedPath>>(names.empty() ? std::string() : names.front(),
                                              [names] { return DescribeDroppedPaths(names); });
    if (!described) {
        statusBar()->showMessage(
            QStringLiteral("Nicht übernommen: %1 antwortet nicht.").arg(paths.value(0)));
        return;
    }
    const std::vector<DroppedPath>& dropped = *described;
    cParameters& params = Params();
    bool changed = false;
    if (params.FileKind == 1) {
        changed = DropIntoBatch(params, dropped);
    } else if (params.FileKind == 0) {
        changed = DropIntoProfile(params, dropped, modifiers.testFlag(Qt::ControlModifier),
                                  modifiers.testFlag(Qt::ShiftModifier));
    }
    if (!changed) {
        return;
    }
    params.Modified = true;
    RefreshDocumentView();
    RefreshMenuState();
}

void TMainWnd::ApplyPlacement()
{
    const cWindowPos& pos = Params().WindowPositions[kWinMain];
    QRect rect(pos.Left, pos.Top, std::max(pos.Right - pos.Left, 520),
               std::max(pos.Bottom - pos.Top, 138));
    // A window saved on a screen that is gone comes back on the primary one.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        bool onScreen = false;
        for (const QScreen* each : QGuiApplication::screens()) {
            onScreen |= each->availableGeometry().intersects(rect);
        }
        if (!onScreen) {
            const QRect area = screen->availableGeometry();
            rect.moveTopLeft(area.topLeft());
            rect.setSize(rect.size().boundedTo(area.size()));
        }
    }
    move(rect.topLeft());
    resize(rect.size());
    if (pos.Maximized) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

void TMainWnd::StorePlacement()
{
    // The restored rectangle, also while maximised, so that un-maximising lands there; the
    // position is the frame's and the size the client area's, as ApplyPlacement takes them.
    const QRect normal = isMaximized() ? normalGeometry() : QRect(pos(), size());
    cWindowPos& pos = Params().WindowPositions[kWinMain];
    pos.Left = static_cast<int16_t>(normal.left());
    pos.Top = static_cast<int16_t>(normal.top());
    pos.Right = static_cast<int16_t>(normal.left() + normal.width());
    pos.Bottom = static_cast<int16_t>(normal.top() + normal.height());
    pos.Maximized = isMaximized();
}

}  // namespace verdal
