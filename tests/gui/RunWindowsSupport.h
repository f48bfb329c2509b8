#pragma once

#include <functional>

#include <QApplication>
#include <QPointer>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

namespace verdal::test {

// The offscreen application of the GUI tests, made once whoever asks first.
inline void EnsureGuiApp()
{
    if (QApplication::instance()) {
        return;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QStandardPaths::setTestModeEnabled(true);
    static int argc = 1;
    static char name[] = "verdal_gui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
}

// Calls `act` with the first modal window of type T as soon as one is up (polled, as modal
// loops start later than the call that opens them). Gives up after about ten seconds.
template <class T>
void WhenModal(std::function<void(T*)> act, int tries = 1000)
{
    QTimer::singleShot(10, [act, tries] {
        if (auto* w = qobject_cast<T*>(QApplication::activeModalWidget())) {
            act(w);
        } else if (tries > 0) {
            WhenModal<T>(act, tries - 1);
        }
    });
}

}  // namespace verdal::test
