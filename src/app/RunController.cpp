#include "app/RunController.h"

#include <QCoreApplication>
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

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
#include "settings/ProfileFile.h"

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

namespace {

void RefuseRun(const char* format, const std::string& what)
{
    Presenter().Show({BoxKind::Error, BoxButtons::Ok, FormatText(format, {what}), 0});
}

using DrivePair = std::pair<std::string, std::string>;

}  // namespace

// The run reads its profiles and looks at their roots on this thread; on a dead network mount
// such a look would never come back and the window would hang with it. So the batch entries
// are read and every root is looked at on a thread of its own first, and a file or root that
// does not answer in time keeps the run from starting. Whether a file can be read or a root is
// ready is the run's own business.
bool cRunController::DrivesAnswer(const cParameters& params) const
{
    std::vector<std::string> drives;
    const auto addDrives = [&drives](const DrivePair& pair) {
        for (const std::string& drive : {ExpandMacros(pair.first), ExpandMacros(pair.second)}) {
            if (std::find(drives.begin(), drives.end(), drive) == drives.end()) {
                drives.push_back(drive);
            }
        }
    };
    if (params.FileKind == 0) {
        addDrives({params.SourceDrive, params.DestinationDrive});
    }
    for (int i = 0; params.FileKind == 1 && i < params.Batch.Profiles.Count(); ++i) {
        const std::string path = ExpandMacros(params.Batch.Profiles[i]);
        // The look reads into a copy of its own: it may outlive this call.
        const auto entry = LookAtDrive<std::optional<DrivePair>>(
            path,
            [path, profile = params]() mutable {
                int error = 0;
                if (!ReadDocumentFile(path, profile, error) || profile.FileKind != 0) {
                    return std::optional<DrivePair>();
                }
                return std::optional<DrivePair>({profile.SourceDrive, profile.DestinationDrive});
            },
            driveWaitMs_, true);
        if (!entry) {
            RefuseRun("Die Datei %s antwortet nicht. Der Lauf wird nicht gestartet.", path);
            return false;
        }
        if (*entry) {
            addDrives(**entry);
        }
    }
    for (const std::string& drive : drives) {
        const auto answered = LookAtDrive<bool>(
            drive,
            [drive] {
                std::string root;
                ResolveDriveRoot(drive, root);
                return true;
            },
            driveWaitMs_, true);
        if (!answered) {
            RefuseRun("Das Laufwerk %s antwortet nicht. Der Lauf wird nicht gestartet.", drive);
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
