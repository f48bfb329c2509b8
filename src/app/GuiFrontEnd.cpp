#include "app/GuiFrontEnd.h"

#include <QCoreApplication>
#include <QString>

#include "app/HelpWindow.h"
#include "dialogs/DialogServices.h"
#include "dialogs/TInfoWnd.h"
#include "settings/Parameters.h"

namespace verdal {

// The run's windows are top-level windows of their own: the main window is disabled while a
// run goes on, and its children with it.
cGuiFrontEnd::cGuiFrontEnd(QWidget* mainWindow, bool mute)
    : cRunWindows(Params(), nullptr), mainWindow_(mainWindow), mute_(mute)
{
    SetMute(mute);
    // Help from the run's modal windows: a window of their own, so the modal one does not
    // block it.
    DialogServices::ShowHelp = [](QWidget* parent, int context) {
        auto* help = new THelpWindow(parent);
        help->setWindowFlag(Qt::Window);
        help->setAttribute(Qt::WA_DeleteOnClose);
        help->ShowTopic(context);
        help->show();
    };
}

cGuiFrontEnd::~cGuiFrontEnd()
{
    delete info_;
}

void cGuiFrontEnd::Pump()
{
    QCoreApplication::processEvents();
}

TInfoWnd* cGuiFrontEnd::EnsureInfo()
{
    if (!info_) {
        // A top-level window of its own: the main window is disabled during a run.
        info_ = new TInfoWnd(nullptr);
        info_->ApplyPlacement();
        info_->SetCancelHandler([] { AbortFlag = true; });
    }
    return info_;
}

void cGuiFrontEnd::ShowPhaseWindow(bool shown)
{
    if (!shown) {
        delete info_;
        return;
    }
    TInfoWnd* info = EnsureInfo();
    if (!mute_) {
        info->show();
        info->raise();
    }
    Pump();
}

void cGuiFrontEnd::SetPhase(const std::string& caption, int64_t barMax)
{
    TInfoWnd* info = EnsureInfo();
    info->SetText(QString::fromStdString(caption));
    info->SetRange(barMax);
    Pump();
}

void cGuiFrontEnd::SetPhasePosition(int64_t position)
{
    if (info_) {
        info_->SetPosition(position);
    }
}

}  // namespace verdal
