#include "platform/SessionEnd.h"

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/Process.h"

namespace verdal {
namespace {

class cSystemSessionEnder : public cSessionEnder
{
public:
    bool End(SessionAction action) override
    {
        const std::vector<std::string> command = CommandFor(action);
        const std::optional<int> status = RunCommand(command, nullptr, 30000);
        if (status && *status == 0) {
            return true;
        }
        // A refusal (polkit) goes to standard error: no message box may wait at the end of an
        // unattended run.
        std::fprintf(stderr, "Verdal: \"%s %s\" wurde abgelehnt oder ist gescheitert.\n",
                     command[0].c_str(), command[1].c_str());
        return false;
    }

private:
    static std::vector<std::string> CommandFor(SessionAction action)
    {
        switch (action) {
            case SessionAction::LogOff: {
                const char* session = std::getenv("XDG_SESSION_ID");
                if (session && *session) {
                    return {"loginctl", "terminate-session", session};
                }
                return {"loginctl", "terminate-user", std::to_string(::getuid())};
            }
            case SessionAction::Restart:
                return {"systemctl", "reboot"};
            case SessionAction::ShutDown:
            case SessionAction::PowerOff:
                break;
        }
        return {"systemctl", "poweroff"};
    }
};

std::unique_ptr<cSessionEnder>& Ender()
{
    static std::unique_ptr<cSessionEnder> ender = std::make_unique<cSystemSessionEnder>();
    return ender;
}

}  // namespace

void SetSessionEnder(std::unique_ptr<cSessionEnder> ender)
{
    Ender() = ender ? std::move(ender) : std::make_unique<cSystemSessionEnder>();
}

bool EndSession(SessionAction action)
{
    return Ender()->End(action);
}

bool EndSession(int afterRunCode)
{
    switch (afterRunCode) {
        case 1:
            return EndSession(SessionAction::ShutDown);
        case 2:
            return EndSession(SessionAction::LogOff);
        case 3:
            return EndSession(SessionAction::PowerOff);
        case 4:
            return EndSession(SessionAction::Restart);
        default:
            return false;
    }
}

}  // namespace verdal
