#pragma once

#include <memory>

namespace verdal {

// Ending the desktop session after a run, through one seam that tests replace.
enum class SessionAction { LogOff, ShutDown, PowerOff, Restart };

// Carries out a session action; the system one asks systemd-logind.
class cSessionEnder
{
public:
    virtual ~cSessionEnder() = default;
    // True when the request was accepted.
    virtual bool End(SessionAction action) = 0;
};

// Installs `ender` for every later EndSession call; nullptr brings back the system one.
void SetSessionEnder(std::unique_ptr<cSessionEnder> ender);
// Ends the session through the installed ender. Test programs install a recorder before any
// test runs.
bool EndSession(SessionAction action);
// The same for an after-run code of a profile or batch file: 1 shut down, 2 log off, 3 power
// off, 4 restart; 0 and unknown codes end nothing and return false.
bool EndSession(int afterRunCode);

}  // namespace verdal
