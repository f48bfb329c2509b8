#pragma once

#include <functional>
#include <memory>
#include <string>

namespace verdal {

// A client of the GNOME session manager (org.gnome.SessionManager on the session bus), for
// sessions where the window system's own session management does not reach the program
// (GNOME on Wayland). Before the session ends the manager asks every client; `query` answers
// true to let it end now, false to hold it (the manager then names the program and `reason` in
// its dialog). The manager's signals arrive through the GLib main context of the thread that
// registered, which Qt's event loop runs.
class cGnomeSessionClient
{
public:
    using Query = std::function<bool()>;

    cGnomeSessionClient();
    ~cGnomeSessionClient();
    cGnomeSessionClient(const cGnomeSessionClient&) = delete;
    cGnomeSessionClient& operator=(const cGnomeSessionClient&) = delete;

    // Registers as `appId` with the manager on the bus at `busAddress` (empty: the session bus
    // of DBUS_SESSION_BUS_ADDRESS). False when there is no bus or no such manager.
    bool Register(const std::string& appId, const std::string& reason, Query query,
                  const std::string& busAddress = {});
    bool Registered() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace verdal
