// The main window on a profile whose drives sit on a network mount that has stopped answering:
// nothing the window does on its own thread may wait on that mount.

#include <QAction>
#include <QElapsedTimer>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "GuiFixture.h"
#include "app/Automation.h"
#include "app/MainWnd.h"
#include "app/RunController.h"
#include "dialogs/DriveLook.h"
#include "platform/DirectoryCheck.h"
#include "settings/Parameters.h"

using namespace verdal;

namespace {

// Every look at a path below `Root` hangs as on a dead mount: until the test lets it go, or
// for ten seconds on the window's own thread, so that a look there fails the test instead of
// holding it forever. Such looks on the window's thread are counted.
class HungMountTest : public test::GuiTest
{
protected:
    void SetUp() override
    {
        test::GuiTest::SetUp();
        Root = dir.createDir("Netz");
        dir.createDir("Netz/Ziel");
        SetDriveLookTimeout(200);
        // Reading a file there hangs too.
        SetDriveLookObserver([root = Root, state = state_](const std::string& what) {
            while (what.compare(0, root.size(), root) == 0 && !state->Released) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        });
        SetPathLookHook([root = Root, state = state_](const std::string& path) {
            if (path.compare(0, root.size(), root) != 0) {
                return;
            }
            const bool windowThread = std::this_thread::get_id() == state->WindowThread;
            state->WindowLooks += windowThread ? 1 : 0;
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (!state->Released &&
                   (!windowThread || std::chrono::steady_clock::now() < until)) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        });
    }
    void TearDown() override
    {
        state_->Released = true;
        SetPathLookHook({});
        SetDriveLookObserver({});
        SetDriveLookTimeout(3000);
        test::GuiTest::TearDown();
    }

    // The example profile with its destination on the hung mount, saved as `name`.
    std::string HungProfile(const std::string& name = "Beispiel.vrd")
    {
        cParameters& params = Params();
        EXPECT_TRUE(params.LoadFromFile(ExampleProfile()));
        params.DestinationDrive = Root + "/Ziel";
        const std::string path = dir.filePath(name);
        EXPECT_TRUE(params.SaveToFile(path));
        return path;
    }

    // A batch file of `profiles`.
    std::string Batch(const std::vector<std::string>& profiles)
    {
        cParameters& params = Params();
        params.FileKind = 1;
        params.Reset();
        for (const std::string& profile : profiles) {
            params.Batch.Profiles.Add(profile, 0);
        }
        const std::string path = dir.filePath("Plan.vbf");
        EXPECT_TRUE(params.SaveToFile(path));
        return path;
    }

    int WindowLooks() const { return state_->WindowLooks; }
    void Release() { state_->Released = true; }

    std::string Root;

private:
    struct State
    {
        std::thread::id WindowThread = std::this_thread::get_id();
        std::atomic<bool> Released{false};
        std::atomic<int> WindowLooks{0};
    };
    std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace

// Opening the profile, its tree texts, menus, status panels and a rebuilt tree come from the
// profile alone.
TEST_F(HungMountTest, OpenTreeMenusAndStatus_NeverLookAtTheDrives)
{
    TMainWnd window;
    cAutomation automation(window, [](uint32_t) {});
    window.show();
    const std::string profile = HungProfile();
    Params().AutoSense = true;

    ASSERT_TRUE(window.OpenFile(profile));
    window.RefreshAll();
    window.RefreshDocumentView();

    EXPECT_EQ(WindowLooks(), 0);
    const auto texts = window.findChild<QTreeWidget*>("ProfileTree")
                           ->findItems(QString::fromStdString("Laufwerk: " + Root + "/Ziel"),
                                       Qt::MatchExactly | Qt::MatchRecursive);
    EXPECT_EQ(texts.size(), 1);
}

// A run whose destination does not answer is not started and says so, while the window goes on
// answering during the wait; once the mount answers again the same command runs.
TEST_F(HungMountTest, Run_WaitsRespondingAndStopsOnADriveThatDoesNotAnswer)
{
    TMainWnd window;
    window.show();
    ASSERT_TRUE(window.OpenFile(HungProfile()));
    // Long enough for a drive that answers on a busy machine, short against the hang.
    window.Runs().SetDriveWait(1500);
    int ticksWhileBusy = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ticksWhileBusy += window.RunBusy(); });
    ticker.start(10);
    QElapsedTimer took;
    took.start();

    window.Action("GoItm")->trigger();

    EXPECT_LT(took.elapsed(), 5000);
    EXPECT_GT(ticksWhileBusy, 0);
    EXPECT_EQ(WindowLooks(), 0);
    ASSERT_EQ(presenter->Messages.size(), 1u);
    EXPECT_EQ(presenter->Messages[0].Text, "Das Laufwerk " + Root +
                                               "/Ziel antwortet nicht. Der Lauf wird nicht "
                                               "gestartet.");
    EXPECT_FALSE(dir.exists("Netz/Ziel/Sicherung/Brief.txt"));
    EXPECT_FALSE(dir.exists("Log.txt"));
    EXPECT_FALSE(window.RunBusy());
    EXPECT_TRUE(window.isEnabled());

    Release();
    window.Action("GoItm")->trigger();
    EXPECT_EQ(presenter->Messages.size(), 1u);
    EXPECT_EQ(dir.readFile("Netz/Ziel/Sicherung/Brief.txt"), "Hallo");
}

// A batch is read and its roots looked at before its first entry runs: an entry whose
// destination or profile file does not answer keeps the whole batch from starting.
TEST_F(HungMountTest, BatchRun_DoesNotStartOnAnEntryThatDoesNotAnswer)
{
    TMainWnd window;
    const std::string hung = HungProfile("Zwei.vrd");
    ASSERT_TRUE(window.OpenFile(Batch({ExampleProfile(), hung})));
    window.Runs().SetDriveWait(1500);

    window.Action("GoItm")->trigger();

    ASSERT_EQ(presenter->Messages.size(), 1u);
    EXPECT_EQ(presenter->Messages[0].Text,
              "Das Laufwerk " + Root + "/Ziel antwortet nicht. Der Lauf wird nicht gestartet.");
    EXPECT_FALSE(dir.exists("Ziel/Sicherung/Brief.txt"));
    EXPECT_FALSE(dir.exists("Log.txt"));

    const std::string unread = Root + "/Drei.vrd";
    ASSERT_TRUE(Params().SaveToFile(unread));
    ASSERT_TRUE(window.OpenFile(Batch({ExampleProfile(), unread})));
    window.Action("GoItm")->trigger();
    ASSERT_EQ(presenter->Messages.size(), 2u);
    EXPECT_EQ(presenter->Messages[1].Text,
              "Die Datei " + unread + " antwortet nicht. Der Lauf wird nicht gestartet.");
    EXPECT_FALSE(dir.exists("Log.txt"));
    EXPECT_EQ(WindowLooks(), 0);
}

// A folder dropped from a mount that does not answer is left out with a word in the status
// bar; the folder that names the open dialog's start is taken as gone.
TEST_F(HungMountTest, DropAndFileDialog_GiveUpOnAHungFolder)
{
    TMainWnd window;
    ASSERT_TRUE(window.OpenFile(ExampleProfile()));
    cParameters& params = Params();
    const int before = params.SearchDirectories.Count();
    params.Modified = false;

    window.DropPaths({QString::fromStdString(dir.createDir("Netz/Fotos"))}, Qt::NoModifier);

    EXPECT_EQ(params.SearchDirectories.Count(), before);
    EXPECT_FALSE(params.Modified);
    EXPECT_TRUE(window.statusBar()->currentMessage().contains("antwortet nicht"));

    params.FileName = Root + "/Profil.vrd";
    std::vector<FileDialogRequest> requests;
    window.SetFileChooser([&](QWidget*, const FileDialogRequest& request) {
        requests.push_back(request);
        return QString();
    });
    window.Action("OpenItm")->trigger();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].Directory.isEmpty());
    EXPECT_EQ(WindowLooks(), 0);
}
