#pragma once

#include <QPointer>
#include <memory>

#include "dialogs/RunWindows.h"
#include "dialogs/TInfoWnd.h"

class QWidget;

namespace verdal {

// The run interface of the window program: keeps the windows painting while the engine works,
// shows the phases in TInfoWnd (whose "Abbrechen" sets the abort flag), and the review list,
// the progress window and the interruption dialog of cRunWindows. In mute mode the phase
// window is made but never shown, and neither the review list nor the progress window appear.
class cGuiFrontEnd : public cRunWindows
{
public:
    cGuiFrontEnd(QWidget* mainWindow, bool mute);
    ~cGuiFrontEnd() override;

    void Pump() override;

    void ShowPhaseWindow(bool shown) override;
    void SetPhase(const std::string& caption, int64_t barMax) override;
    void SetPhasePosition(int64_t position) override;

    // The phase window while it exists (tests press its button).
    TInfoWnd* PhaseWindow() const { return info_; }

private:
    TInfoWnd* EnsureInfo();

    QWidget* mainWindow_;
    bool mute_;
    QPointer<TInfoWnd> info_;
};

}  // namespace verdal
