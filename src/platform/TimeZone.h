#pragma once

#include "platform/Clock.h"

namespace verdal {

// Minutes east of UTC in effect at the given local date-time (daylight saving included),
// for protocol time stamps such as a mail's Date header.
int UtcOffsetMinutes(TDateTime local);

}  // namespace verdal
