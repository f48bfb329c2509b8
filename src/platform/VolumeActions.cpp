#include "platform/VolumeActions.h"

#include <array>
#include <optional>

#include "platform/Drives.h"
#include "platform/Process.h"
#include "platform/WinError.h"

namespace verdal {

int EjectDrive(const std::string& root)
{
    const std::optional<MountEntry> mount = MountHolding(root);
    if (!mount || DriveInfoOf(root).Type != kDriveRemovable || mount->Source.empty() ||
        mount->Source[0] != '/' || FindProgram("udisksctl").empty()) {
        return kErrSuccess;
    }
    const std::optional<int> unmounted =
        RunCommand({"udisksctl", "unmount", "--no-user-interaction", "-b", mount->Source});
    if (!unmounted || *unmounted != 0) {
        return kErrSharingViolation;  // still in use
    }
    // Not every device can be powered off (card readers, some sticks); unmounted is enough.
    RunCommand({"udisksctl", "power-off", "--no-user-interaction", "-b", mount->Source});
    return kErrSuccess;
}

bool OfferFormat()
{
    static const std::array<const char*, 3> kUtilities = {"gnome-disks", "partitionmanager",
                                                          "gparted"};
    for (const char* utility : kUtilities) {
        if (!FindProgram(utility).empty()) {
            return StartDetached({utility}) >= 32;
        }
    }
    return false;
}

}  // namespace verdal
