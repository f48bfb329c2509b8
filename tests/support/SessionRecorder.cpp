#include "support/SessionRecorder.h"

#include <memory>

#include "support/RecordingEnder.h"

namespace verdal::test {

std::vector<SessionAction>& RecordedSessionEnds()
{
    static std::vector<SessionAction> actions;
    return actions;
}

void InstallSessionRecorder()
{
    SetSessionEnder(std::make_unique<RecordingEnder>(RecordedSessionEnds()));
}

}  // namespace verdal::test
