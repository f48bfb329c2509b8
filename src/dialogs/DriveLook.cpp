#include "dialogs/DriveLook.h"

#include <atomic>
#include <mutex>

#include <QCoreApplication>

#include "platform/Paths.h"
#include "settings/Validation.h"

namespace verdal {
namespace {

std::atomic<int> gTimeoutMs{3000};
std::mutex gObserverMutex;
std::function<void(const std::string&)> gObserver;

}  // namespace

void ProcessWindowEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

int DriveLookTimeout()
{
    return gTimeoutMs.load();
}

void SetDriveLookTimeout(int milliseconds)
{
    gTimeoutMs = milliseconds;
}

void SetDriveLookObserver(std::function<void(const std::string&)> observer)
{
    std::lock_guard lock(gObserverMutex);
    gObserver = std::move(observer);
}

void NotifyDriveLook(const std::string& what)
{
    std::function<void(const std::string&)> observer;
    {
        std::lock_guard lock(gObserverMutex);
        observer = gObserver;
    }
    if (observer) {
        observer(what);
    }
}

bool DirectoryExistsBounded(const std::string& drive, const std::string& relativeDir)
{
    return LookAtDrive<bool>(
               drive, [drive, relativeDir] { return DirectoryExistsQuiet(drive, relativeDir); })
        .value_or(false);
}

std::optional<std::string> NativePathBounded(const std::string& drive,
                                             const std::string& relativeDir)
{
    return LookAtDrive<std::optional<std::string>>(
               drive,
               [drive, relativeDir] {
                   std::string native;
                   if (BuildNativePath(drive, relativeDir, {}, native) != 0) {
                       return std::optional<std::string>();
                   }
                   return std::optional<std::string>(native);
               })
        .value_or(std::nullopt);
}

bool DriveReadyBounded(const std::string& drive)
{
    if (!IsValidDrive(drive)) {
        return false;
    }
    return LookAtDrive<bool>(drive,
                             [drive] {
                                 std::string root;
                                 return ResolveDriveRoot(drive, root) == 0;
                             })
        .value_or(false);
}

}  // namespace verdal
