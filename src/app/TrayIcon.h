#pragma once

#include <QObject>
#include <QSystemTrayIcon>

class QAction;
class QMenu;

namespace verdal {

class TMainWnd;

// The main window's icon in the notification area: shown while the window sits there, a left
// click brings the window back (not in mute mode), its menu offers "Wiederherstellen", "Los!"
// and "Beenden". Where the desktop has no notification area the window minimises normally.
class cTrayIcon : public QObject
{
    Q_OBJECT

public:
    // `available`: whether the desktop has a notification area.
    cTrayIcon(TMainWnd& window, bool available);
    ~cTrayIcon() override;

    bool Available() const { return available_; }
    // The operations of the window: add (show the icon), modify (icon and tip), delete.
    void Add();
    void Modify();
    void Delete();
    bool Shown() const { return shown_; }
    // The tip: the window caption, " STUMM" after it in mute mode.
    QString Tip() const;
    // During a run the menu items are disabled and mute mode shows the busy icon.
    void SetBusy(bool busy);

    QSystemTrayIcon* Icon() const { return icon_; }
    QMenu* Menu() const { return menu_; }
    QAction* RestoreItm;
    QAction* GoItm;
    QAction* ExitItm;

    // Left click and the three menu commands.
    void Activated(QSystemTrayIcon::ActivationReason reason);
    void Restore();
    void Exit();

private:
    TMainWnd& window_;
    bool available_;
    bool shown_ = false;
    bool busy_ = false;
    QSystemTrayIcon* icon_;
    QMenu* menu_;
};

}  // namespace verdal
