#include "engine/RunFrontEnd.h"

namespace verdal {

std::atomic<bool> AbortFlag{false};
std::atomic<bool> InterruptRequest{false};

}  // namespace verdal
