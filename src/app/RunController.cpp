#include "app/RunController.h"

#include <QCoreApplication>

#include "app/GuiFrontEnd.h"
#include "app/LogDelivery.h"
#include "app/MainWnd.h"
#include "app/TrayIcon.h"
#include "dialogs/DriveLook.h"
#include "platform/Paths.h"
#include "settings/GermanFormat.h"
#include "settings/Macros.h"
#include "settings/Parameters.h"
#include "settings/Presenter.h"

namespace verdal {

cRunController::cRunController(TMainWnd& window)
    : window_(window),
      frontEnd_(std::make_unique<cGuiFrontEnd>(&window, window.Mute())),
      delivery_(std::make_unique<cGuiLogDelivery>(window))
{}

cRunController::~cRunController() = default;

void cRunController::SetDelivery(std::unique_ptr<cLogDelivery> delivery)
{
    delivery_ = std::move(delivery);
}

void cRunController::SetGuard(bool running)
{
    busy_ = running;
    window_.setEnabled(!running);
    window_.Tray().SetBusy(running);
    QCoreApplication::processEvents();
}

void cRunController::StartRun(uint32_t trigger)
{
    if (busy_) {
        return;
    }
    if (beforeRun_) {
        beforeRun_();
    }
    SetGuard(true);
    cParameters& params = Params();
    if (!DrivesAnswer(params)) {
        SetGuard(false);
        return;
    }
    // A batch run reads each of its profiles; the document that stays open is the batch file.
    const std::string lastFile = params.Programm.LastFile;
    last_ = RunDocument(params, *frontEnd_, *delivery_, trigger);
    if (params.FileKind == 1) {
        params.Programm.LastFile = lastFile;
    }
    window_.RefreshDocumentView();
    window_.RefreshMenuState();
    SetGuard(false);
    if (!window_.Mute()) {
        window_.activateWindow();
    }
    if (last_.ExitRequested) {
        window_.ExitAfterRun();
    }
}

// The run looks at its roots on this thread; on a dead network mount that look would never
// come back and the window would hang with it. So both roots are looked at on a thread of
// their own first, and a root that does not answer in time keeps the run from starting.
// Whether the root is ready is the run's own business.
bool cRunController::DrivesAnswer(const cParameters& params) const
{
    if (params.FileKind != 0) {
        return true;
    }
    for (const std::string& drive :
         {ExpandMacros(params.SourceDrive), ExpandMacros(params.DestinationDrive)}) {
        const auto answered = LookAtDrive<bool>(
            drive,
            [drive] {
                std::string root;
                ResolveDriveRoot(drive, root);
                return true;
            },
            driveWaitMs_, true);
        if (!answered) {
            Presenter().Show({BoxKind::Error, BoxButtons::Ok,
                              FormatText("Das Laufwerk %s antwortet nicht. Der Lauf wird nicht "
                                         "gestartet.",
                                         {drive}),
                              0});
            return false;
        }
    }
    return true;
}

void cRunController::ViewLog()
{
    cGuiLogDelivery(window_).ViewCurrentLog();
}

}  // namespace verdal
