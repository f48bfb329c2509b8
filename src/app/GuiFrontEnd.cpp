#include "app/GuiFrontEnd.h"

#include <QCoreApplication>
#include <QString>

#include "dialogs/TInfoWnd.h"

namespace verdal {

cGuiFrontEnd::cGuiFrontEnd(QWidget* mainWindow, bool mute) : mainWindow_(mainWindow), mute_(mute) {}

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

bool cGuiFrontEnd::ShowReviewList(cRunContext& /*run*/)
{
    // No review list yet: the decisions stand as the engine made them.
    return true;
}

void cGuiFrontEnd::ShowProgressWindow(bool shown, int64_t bytesToTransfer)
{
    bytesDone_ = 0;
    bytesCurrent_ = 0;
    if (shown) {
        TInfoWnd* info = EnsureInfo();
        info->SetText(QStringLiteral("Kopiere..."));
        info->SetRange(bytesToTransfer);
    }
}

void cGuiFrontEnd::SetCopyLabels(const FileLabel& from, const FileLabel& /*to*/)
{
    if (info_) {
        info_->SetText(QStringLiteral("Kopiere %1").arg(QString::fromStdString(from.Name)));
    }
}

void cGuiFrontEnd::ReportProgress(int64_t /*bytesDelta*/, int64_t currentFileBytes)
{
    bytesCurrent_ = currentFileBytes;
    SetPhasePosition(bytesDone_ + bytesCurrent_);
}

void cGuiFrontEnd::SetBytesDone(int64_t bytesDone)
{
    bytesDone_ = bytesDone;
    bytesCurrent_ = 0;
    SetPhasePosition(bytesDone_);
}

}  // namespace verdal
