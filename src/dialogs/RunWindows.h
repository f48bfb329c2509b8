#pragma once

#include <memory>

#include <QPointer>

#include "dialogs/TCopyWnd.h"
#include "engine/RunFrontEnd.h"

class QWidget;

namespace verdal {

class cParameters;

// The windows a run shows from the window program: the review list, the progress window of
// the copy pass and the interruption dialog. The GUI front end builds on it; tests run the
// engine with it directly. Mute keeps the progress window hidden.
class cRunWindows : public cRunFrontEnd
{
public:
    cRunWindows(cParameters& params, QWidget* parent = nullptr);
    ~cRunWindows() override;

    void SetMute(bool mute) { mute_ = mute; }
    bool Mute() const override { return mute_; }
    void SetClock(TCopyWnd::Clock clock) { clock_ = std::move(clock); }

    void Pump() override;
    bool ShowReviewList(cRunContext& run) override;
    void ShowProgressWindow(bool shown, int64_t bytesToTransfer) override;
    void SetCopyLabels(const FileLabel& from, const FileLabel& to) override;
    void ReportProgress(int64_t bytesDelta, int64_t currentFileBytes) override;
    void SetBytesDone(int64_t bytesDone) override;
    void SetPaused(bool paused) override;
    int ShowInterruption(const FileLabel& source, const FileLabel& destination,
                         int errorCode) override;

    // The progress window while the copy pass runs, else null.
    TCopyWnd* CopyWindow() const { return copyWnd_.get(); }

protected:
    cParameters& params_;
    QPointer<QWidget> parent_;

private:
    std::unique_ptr<TCopyWnd> copyWnd_;
    TCopyWnd::Clock clock_;
    bool mute_ = false;
};

}  // namespace verdal
