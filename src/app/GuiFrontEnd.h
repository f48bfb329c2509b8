#pragma once

#include <QPointer>
#include <memory>

#include "dialogs/TInfoWnd.h"
#include "engine/RunFrontEnd.h"

class QWidget;

namespace verdal {

// The run interface of the window program: keeps the windows painting while the engine works,
// shows the phases in TInfoWnd (whose "Abbrechen" sets the abort flag) and, until the review
// list and the progress window exist, takes the decisions as they are and shows the copy
// progress in the phase window. In mute mode the windows are made but never shown.
class cGuiFrontEnd : public cRunFrontEnd
{
public:
    cGuiFrontEnd(QWidget* mainWindow, bool mute);
    ~cGuiFrontEnd() override;

    void Pump() override;
    bool Mute() const override { return mute_; }

    void ShowPhaseWindow(bool shown) override;
    void SetPhase(const std::string& caption, int64_t barMax) override;
    void SetPhasePosition(int64_t position) override;

    bool ShowReviewList(cRunContext& run) override;

    void ShowProgressWindow(bool shown, int64_t bytesToTransfer) override;
    void SetCopyLabels(const FileLabel& from, const FileLabel& to) override;
    void ReportProgress(int64_t bytesDelta, int64_t currentFileBytes) override;
    void SetBytesDone(int64_t bytesDone) override;

    // The phase window while it exists (tests press its button).
    TInfoWnd* PhaseWindow() const { return info_; }

private:
    TInfoWnd* EnsureInfo();

    QWidget* mainWindow_;
    bool mute_;
    QPointer<TInfoWnd> info_;
    int64_t bytesDone_ = 0;
    int64_t bytesCurrent_ = 0;
};

}  // namespace verdal
