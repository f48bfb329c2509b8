#include "app/TrayIcon.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QStyle>

#include "app/MainWnd.h"
#include "app/RunController.h"

namespace verdal {

cTrayIcon::cTrayIcon(TMainWnd& window, bool available)
    : window_(window), available_(available), icon_(new QSystemTrayIcon(this)), menu_(new QMenu())
{
    RestoreItm = menu_->addAction(QStringLiteral("Wiederherstellen"), this, &cTrayIcon::Restore);
    GoItm = menu_->addAction(QStringLiteral("Los!"), this,
                             [this] { window_.Runs().StartRun(kTriggerHand); });
    ExitItm = menu_->addAction(QStringLiteral("Beenden"), this, &cTrayIcon::Exit);
    RestoreItm->setObjectName(QStringLiteral("TrayRestoreItm"));
    GoItm->setObjectName(QStringLiteral("TrayGoItm"));
    ExitItm->setObjectName(QStringLiteral("TrayExitItm"));
    icon_->setContextMenu(menu_);
    connect(icon_, &QSystemTrayIcon::activated, this, &cTrayIcon::Activated);
}

cTrayIcon::~cTrayIcon()
{
    icon_->hide();
    delete menu_;
}

void cTrayIcon::Add()
{
    shown_ = true;
    Modify();
    icon_->show();
}

void cTrayIcon::Modify()
{
    const QStyle* style = QApplication::style();
    icon_->setIcon(busy_ ? style->standardIcon(QStyle::SP_BrowserReload)
                   : QApplication::windowIcon().isNull()
                       ? style->standardIcon(QStyle::SP_DriveHDIcon)
                       : QApplication::windowIcon());
    icon_->setToolTip(Tip());
}

void cTrayIcon::Delete()
{
    shown_ = false;
    icon_->hide();
}

QString cTrayIcon::Tip() const
{
    QString tip = window_.windowTitle();
    if (window_.Mute()) {
        tip += QStringLiteral(" STUMM");
    }
    return tip;
}

void cTrayIcon::SetBusy(bool busy)
{
    busy_ = busy;
    for (QAction* item : {RestoreItm, GoItm, ExitItm}) {
        item->setEnabled(!busy);
    }
    Modify();
}

void cTrayIcon::Activated(QSystemTrayIcon::ActivationReason reason)
{
    // In mute mode the window stays hidden; only the menu brings it back.
    if (reason == QSystemTrayIcon::Trigger && !window_.Mute()) {
        Restore();
    }
}

void cTrayIcon::Restore()
{
    Delete();
    window_.showNormal();
    window_.raise();
    window_.activateWindow();
}

void cTrayIcon::Exit()
{
    // The icon goes only once the window really closes (the close guard may refuse).
    window_.close();
}

}  // namespace verdal
