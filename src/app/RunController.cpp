#include "app/RunController.h"

#include <QCoreApplication>

#include "app/GuiFrontEnd.h"
#include "app/LogDelivery.h"
#include "app/MainWnd.h"
#include "app/TrayIcon.h"
#include "settings/Parameters.h"

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

void cRunController::ViewLog()
{
    cGuiLogDelivery(window_).ViewCurrentLog();
}

}  // namespace verdal
