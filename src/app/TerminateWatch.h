#pragma once

#include <QObject>
#include <QTimer>

namespace verdal {

class TMainWnd;

// Ends the program the orderly way on SIGTERM or Ctrl+C: a run in progress stops at its next
// test (the signal sets the abort flag), an open dialog is waited for, and then the window's
// close guard decides, so unsaved changes are offered for saving as on any other close. When
// the user keeps the program open there, the request is over.
class cTerminateWatch : public QObject
{
public:
    explicit cTerminateWatch(TMainWnd& window, int intervalMs = 200);

    // A signal has come and is not handled yet.
    static bool Pending();
    // Looks at the request now (the timer does this every interval).
    void Check();

private:
    TMainWnd& window_;
    QTimer timer_;
};

}  // namespace verdal
