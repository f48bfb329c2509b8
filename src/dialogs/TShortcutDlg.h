#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace verdal {

class cParameters;

// "Verknüpfung erstellen": writes a launcher (.desktop file) that starts the program with the
// open document, on the desktop, in the autostart folder or in a chosen folder.
class TShortcutDlg : public QDialog
{
    Q_OBJECT

public:
    // `fromOptions`: opened from the options dialog, whose automation page is already open.
    explicit TShortcutDlg(QWidget* parent = nullptr, bool fromOptions = false);

    void LoadFrom(const cParameters& params);
    // The launcher holds no settings.
    void SaveTo(cParameters&) const {}

    // The folder the launcher goes into by the choice made.
    std::string TargetFolder() const;
    // Writes the launcher; false (after a message) when it could not be written.
    bool CreateLauncher();
    // The launcher written last.
    const std::string& LauncherFile() const { return launcherFile_; }

    // The program the launcher starts (the running executable unless set).
    void SetProgram(const std::string& program) { program_ = program; }
    // Opens the options dialog on its automation page ("Automatik...").
    std::function<void(QWidget*)> OpenAutomation;

    QLabel* TextLbl;
    QLabel* AutomationLbl;
    QPushButton* AutomationBtn;
    QRadioButton* DesktopRdo;
    QRadioButton* AutostartRdo;
    QRadioButton* OtherRdo;
    QLineEdit* FolderEdt;
    QPushButton* BrowseBtn;
    QCheckBox* MuteChk;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;

private:
    void UpdateEnabling();
    void Accept();

    std::string document_;
    std::string program_;
    std::string launcherFile_;
};

}  // namespace verdal
