#include "platform/FaultInjection.h"

#include <array>
#include <cstddef>

namespace verdal {
namespace {

struct PendingFault
{
    int Remaining = 0;  // operations still to pass before the failing one; 0 = none pending
    int Err = 0;
};

std::array<PendingFault, 8> g_faults;

}  // namespace

void InjectFault(FileOp op, int nth, int err)
{
    g_faults[static_cast<size_t>(op)] = PendingFault{nth > 0 ? nth : 1, err};
}

void ClearFaults()
{
    g_faults.fill(PendingFault{});
}

bool FaultsPending()
{
    for (const PendingFault& fault : g_faults) {
        if (fault.Remaining != 0) {
            return true;
        }
    }
    return false;
}

int TakeInjectedFault(FileOp op)
{
    PendingFault& fault = g_faults[static_cast<size_t>(op)];
    if (fault.Remaining == 0 || --fault.Remaining > 0) {
        return 0;
    }
    return fault.Err;
}

}  // namespace verdal
