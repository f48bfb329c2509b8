#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <vector>

#include <QApplication>

#include "GuiFixture.h"
#include "app/MainWnd.h"
#include "app/StartUp.h"
#include "app/TerminateWatch.h"
#include "dialogs/TSplashWindow.h"
#include "engine/RunFrontEnd.h"
#include "settings/Parameters.h"

using namespace verdal;

namespace {

bool SplashVisible()
{
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<const TSplashWindow*>(widget) && widget->isVisible()) {
            return true;
        }
    }
    return false;
}

// The splash stays up, painting, until its clock says one and a half seconds have passed, and
// goes then. The clock here advances 100 ms on every look.
TEST(SplashTest, StaysUntilTheMinimumHasPassed)
{
    test::GuiApplication();
    qint64 now = 0;
    std::vector<std::pair<qint64, bool>> looks;
    ASSERT_TRUE(ShowSplash([&] {
        looks.emplace_back(now, SplashVisible());
        now += 100;
        return now;
    }));
    ASSERT_EQ(looks.size(), 15u);
    for (const auto& [at, visible] : looks) {
        EXPECT_TRUE(visible) << "at " << at << " ms";
    }
    EXPECT_EQ(now, 1500);
    EXPECT_FALSE(SplashVisible());
}

class TerminateTest : public test::GuiTest
{
protected:
    void SetUp() override
    {
        test::GuiTest::SetUp();
        window = std::make_unique<TMainWnd>();
        QObject::connect(window.get(), &TMainWnd::CloseAccepted, [this] { ++closes; });
        window->show();
        watch = std::make_unique<cTerminateWatch>(*window, 60000);
    }
    void TearDown() override
    {
        watch.reset();
        window.reset();
        AbortFlag = false;
        test::GuiTest::TearDown();
    }

    std::unique_ptr<TMainWnd> window;
    std::unique_ptr<cTerminateWatch> watch;
    int closes = 0;
};

// SIGTERM goes through the close guard: unsaved changes are asked about, and keeping them
// keeps the program; the next SIGTERM asks again and "Nein" ends it.
TEST_F(TerminateTest, SignalAsksForUnsavedChangesThroughTheCloseGuard)
{
    Params().Modified = true;
    presenter->Answers = {BoxResult::Cancel};
    std::raise(SIGTERM);
    EXPECT_TRUE(cTerminateWatch::Pending());
    EXPECT_TRUE(AbortFlag);
    watch->Check();
    ASSERT_EQ(presenter->Messages.size(), 1u);
    EXPECT_EQ(presenter->Messages.back().Text, "Änderungen sichern?");
    EXPECT_EQ(closes, 0);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(cTerminateWatch::Pending());

    presenter->Answers = {BoxResult::No};
    std::raise(SIGTERM);
    watch->Check();
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(presenter->Messages.size(), 2u);
}

// While a dialog is open the request waits; it is handled once the dialog has closed.
TEST_F(TerminateTest, OpenDialogIsWaitedFor)
{
    window->ModalOpenFlag() = true;
    std::raise(SIGTERM);
    watch->Check();
    EXPECT_EQ(closes, 0);
    EXPECT_TRUE(cTerminateWatch::Pending());
    window->ModalOpenFlag() = false;
    watch->Check();
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(presenter->Messages.empty());  // nothing was changed
}

}  // namespace
