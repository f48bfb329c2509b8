#include <cstdlib>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "DialogTestEnvironment.h"

#include <QPointer>
#include <QStandardPaths>
#include <QTimer>

namespace verdal::test {
namespace {

// The one QApplication of the program, on the offscreen platform, with Qt's test paths. The
// test main has already given the process a home of its own; the desktop trash stays local.
class DialogEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        setenv("GIO_USE_VFS", "local", 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        QStandardPaths::setTestModeEnabled(true);
        static int argc = 1;
        static char name[] = "verdal_dialog_tests";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new DialogEnvironment);

}  // namespace

QWidget* ActiveModal()
{
    return QApplication::activeModalWidget();
}

void OnNextModal(std::function<void(QWidget*)> action)
{
    auto shared = std::make_shared<std::function<void(QWidget*)>>(std::move(action));
    QTimer::singleShot(10, [shared] {
        if (QWidget* modal = ActiveModal(); modal != nullptr && modal->isVisible()) {
            // A failed check inside the action must not leave the dialog open for ever.
            const QPointer<QWidget> guard(modal);
            (*shared)(modal);
            if (guard && guard->isVisible() && ActiveModal() == guard) {
                guard->close();
            }
        } else {
            OnNextModal(*shared);
        }
    });
}

}  // namespace verdal::test
