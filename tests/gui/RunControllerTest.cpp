#include "app/RunController.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

#include "GuiFixture.h"
#include "app/GuiFrontEnd.h"
#include "app/MainWnd.h"
#include "app/TrayIcon.h"
#include "dialogs/TInfoWnd.h"
#include "settings/BatchFile.h"
#include "settings/Parameters.h"

using namespace verdal;

namespace {

// Records each delivery with what the window looked like at that moment.
class RecordingDelivery : public cLogDelivery
{
public:
    struct Call
    {
        std::string Kind;
        std::string LogFile;
        bool Busy;
        bool WindowEnabled;
        bool TrayGoEnabled;
    };
    explicit RecordingDelivery(TMainWnd& window, std::vector<Call>& calls)
        : window_(window), calls_(calls)
    {}
    void ViewLog(cParameters&, const std::string& logFile) override
    {
        calls_.push_back({"view", logFile, window_.RunBusy(), window_.isEnabled(),
                          window_.Tray().GoItm->isEnabled()});
    }

private:
    TMainWnd& window_;
    std::vector<Call>& calls_;
};

class RunControllerTest : public test::GuiTest
{};

}  // namespace

// "Lo&s!" runs the open profile to its end: the copy is made, the log written and delivered
// while the window and the tray menu are locked; afterwards all is unlocked again.
TEST_F(RunControllerTest, GoItem_RunsProfileToItsEnd)
{
    TMainWnd window;
    ASSERT_TRUE(window.OpenFile(ExampleProfile()));
    Params().Log.Viewer1 = true;
    std::vector<RecordingDelivery::Call> calls;
    window.Runs().SetDelivery(std::make_unique<RecordingDelivery>(window, calls));

    window.Action("GoItm")->trigger();

    EXPECT_EQ(dir.readFile("Ziel/Sicherung/Brief.txt"), "Hallo");
    EXPECT_TRUE(dir.exists("Log.txt"));
    EXPECT_NE(dir.readFile("Log.txt").find("gestartet von Hand"), std::string::npos);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].LogFile, dir.filePath("Log.txt"));
    EXPECT_TRUE(calls[0].Busy);
    EXPECT_FALSE(calls[0].WindowEnabled);
    EXPECT_FALSE(calls[0].TrayGoEnabled);
    EXPECT_FALSE(window.RunBusy());
    EXPECT_TRUE(window.isEnabled());
    EXPECT_TRUE(window.Tray().GoItm->isEnabled());
    EXPECT_EQ(window.Runs().LastResult().Result, 0);
    EXPECT_NE(Params().LastUpdate, 0u);
}

// A batch whose first entry goes on only after a failure never reaches its second one when the
// first succeeds; the
// batch stays the open document with its flags and LastFile, and its after-run code reaches
// the session seam (the recorder, never the real session).
TEST_F(RunControllerTest, BatchRun_ConditionStopsAndDocumentIsRestored)
{
    const std::string profile = ExampleProfile();
    const std::string batchPath = dir.filePath("Plan.vbf");
    cParameters& params = Params();
    params.FileKind = 1;
    params.Reset();
    params.Batch.Profiles.Add(profile, 2);
    params.Batch.Profiles.Add(profile, 0);
    params.Batch.ShutdownMode = 3;
    ASSERT_TRUE(params.SaveToFile(batchPath));

    TMainWnd window;
    ASSERT_TRUE(window.OpenFile(batchPath));
    params.Modified = true;
    window.Action("GoItm")->trigger();

    const DocumentRunResult& outcome = window.Runs().LastResult();
    EXPECT_EQ(outcome.Runs, 1);
    EXPECT_EQ(params.FileKind, 1);
    EXPECT_EQ(params.FileName, batchPath);
    EXPECT_TRUE(params.Modified);
    EXPECT_FALSE(params.Untitled);
    EXPECT_EQ(params.Programm.LastFile, batchPath);
    EXPECT_EQ(ended, std::vector<SessionAction>{SessionAction::PowerOff});
    EXPECT_FALSE(window.RunBusy());
}

// "Abbrechen" of the phase window sets the abort flag of the run.
TEST_F(RunControllerTest, PhaseWindowCancel_SetsAbortFlag)
{
    TMainWnd window;
    cGuiFrontEnd& frontEnd = window.Runs().FrontEnd();
    frontEnd.ShowPhaseWindow(true);
    frontEnd.SetPhase("Durchsuche Quelle...", 10);
    TInfoWnd* info = frontEnd.PhaseWindow();
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->isVisible());
    EXPECT_EQ(info->TextLbl->text(), "Durchsuche Quelle...");
    ASSERT_FALSE(AbortFlag);
    info->findChild<QPushButton*>("CancelBtn")->click();
    EXPECT_TRUE(AbortFlag);
    frontEnd.ShowPhaseWindow(false);
    EXPECT_EQ(frontEnd.PhaseWindow(), nullptr);
    AbortFlag = false;
}

// In mute mode the phase window is made but never shown.
TEST_F(RunControllerTest, MuteRun_ShowsNoPhaseWindow)
{
    TMainWnd window(true);
    cGuiFrontEnd& frontEnd = window.Runs().FrontEnd();
    EXPECT_TRUE(frontEnd.Mute());
    frontEnd.ShowPhaseWindow(true);
    ASSERT_NE(frontEnd.PhaseWindow(), nullptr);
    EXPECT_FALSE(frontEnd.PhaseWindow()->isVisible());
}
