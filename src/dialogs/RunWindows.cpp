#include "dialogs/RunWindows.h"

#include <QCoreApplication>

#include "dialogs/TInterruptionDlg.h"
#include "dialogs/TListDlg.h"
#include "engine/RunContext.h"
#include "settings/Parameters.h"

namespace verdal {

cRunWindows::cRunWindows(cParameters& params, QWidget* parent) : params_(params), parent_(parent) {}

cRunWindows::~cRunWindows() = default;

void cRunWindows::Pump()
{
    QCoreApplication::processEvents();
}

bool cRunWindows::ShowReviewList(cRunContext& run)
{
    return TListDlg::Review(run, params_, parent_);
}

void cRunWindows::ShowProgressWindow(bool shown, int64_t bytesToTransfer)
{
    if (!shown) {
        copyWnd_.reset();
        return;
    }
    // Mute runs keep the window up to date but never show it.
    copyWnd_ = std::make_unique<TCopyWnd>(params_.FileName, params_, parent_, clock_);
    copyWnd_->SetBytesToTransfer(bytesToTransfer);
    if (!mute_) {
        copyWnd_->show();
    }
}

void cRunWindows::SetCopyLabels(const FileLabel& from, const FileLabel& to)
{
    if (copyWnd_) {
        copyWnd_->SetLabels(from, to);
    }
}

void cRunWindows::ReportProgress(int64_t bytesDelta, int64_t currentFileBytes)
{
    if (copyWnd_) {
        copyWnd_->ReportProgress(bytesDelta, currentFileBytes);
    }
}

void cRunWindows::SetBytesDone(int64_t bytesDone)
{
    if (copyWnd_) {
        copyWnd_->SetBytesDone(bytesDone);
    }
}

void cRunWindows::SetPaused(bool paused)
{
    if (copyWnd_) {
        copyWnd_->SetPaused(paused);
    }
}

int cRunWindows::ShowInterruption(const FileLabel& source, const FileLabel& destination,
                                  int errorCode)
{
    QWidget* parent = copyWnd_ ? copyWnd_.get() : parent_.data();
    return TInterruptionDlg::Ask(params_.FileName, source, destination, errorCode,
                                 params_.Programm.Tooltips, parent);
}

}  // namespace verdal
