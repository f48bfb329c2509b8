#pragma once

#include <vector>

#include "platform/SessionEnd.h"

namespace verdal::test {

// Records the session endings a test asks for, so that no test ever ends the real session.
class RecordingEnder : public cSessionEnder
{
public:
    explicit RecordingEnder(std::vector<SessionAction>& actions) : actions_(actions) {}
    bool End(SessionAction action) override
    {
        actions_.push_back(action);
        return true;
    }

private:
    std::vector<SessionAction>& actions_;
};

}  // namespace verdal::test
