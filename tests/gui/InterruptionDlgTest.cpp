#include <gtest/gtest.h>

#include <cerrno>

#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QToolButton>

#include "RunFixture.h"
#include "RunWindowsSupport.h"
#include "dialogs/ReviewModel.h"
#include "dialogs/RunWindows.h"
#include "dialogs/TCopyWnd.h"
#include "dialogs/TInterruptionDlg.h"
#include "dialogs/TListDlg.h"
#include "engine/CandidateOrder.h"
#include "platform/FaultInjection.h"

using namespace verdal;
using namespace verdal::test;

namespace {

// Real runs over a temporary tree with the windows of the window program; the dialogs are
// answered through their buttons.
class RunWindowsTest : public RunTest
{
protected:
    static void SetUpTestSuite() { EnsureGuiApp(); }

    int RunWithWindows() { return RunProfile(params, windows, profilePath, {}, 255, 0); }
    // Answers the next interruption dialog with the button `name`, noting what it showed.
    void Answer(const char* name)
    {
        WhenModal<TInterruptionDlg>([this, name](TInterruptionDlg* dlg) {
            failed = dlg->findChild<QLabel*>(QStringLiteral("SourceNameLbl"))->text();
            error = dlg->ErrorLbl->text();
            progressShown = windows.CopyWindow() && windows.CopyWindow()->isVisible();
            dlg->findChild<QPushButton*>(QLatin1String(name))->click();
        });
    }
    void MakeTree()
    {
        dir.createFile("Log.txt", "");
        for (const char* name : {"A/a1.txt", "A/a2.txt", "B/b1.txt"}) {
            dir.createFile(Src(name), std::string(1000, 'x'), Stamp(2));
        }
        InjectFault(FileOp::Write, 1, ENOSPC);
    }

    cRunWindows windows{params};
    QString failed, error;
    bool progressShown = false;
};

TEST_F(RunWindowsTest, Retry_CopiesAgain)
{
    MakeTree();
    Answer("RetryBtn");
    EXPECT_EQ(RunWithWindows(), kRunErrors);  // the failure stays counted
    EXPECT_TRUE(progressShown);
    EXPECT_TRUE(error.startsWith("FEHLER 112")) << error.toStdString();
    EXPECT_TRUE(dir.exists(Dst("A/" + failed.toStdString())));
    EXPECT_TRUE(dir.exists(Dst("B/b1.txt")));
    EXPECT_EQ(windows.CopyWindow(), nullptr);
}

TEST_F(RunWindowsTest, NextFile_LogsErrorThenSkip)
{
    MakeTree();
    Answer("NextFileBtn");
    EXPECT_EQ(RunWithWindows(), kRunErrors);
    EXPECT_FALSE(dir.exists(Dst("A/" + failed.toStdString())));
    EXPECT_TRUE(dir.exists(Dst("B/b1.txt")));
    const std::string log = Log();
    const size_t at = log.find("FEHLER beim Kopieren:");
    ASSERT_NE(at, std::string::npos) << log;
    EXPECT_NE(log.find("Datei übersprungen:", at), std::string::npos) << log;
}

TEST_F(RunWindowsTest, Delete_RemovesFailedSource)
{
    MakeTree();
    Answer("DeleteBtn");
    EXPECT_EQ(RunWithWindows(), kRunErrors);
    EXPECT_FALSE(dir.exists(Src("A/" + failed.toStdString())));
    EXPECT_FALSE(dir.exists(Dst("A/" + failed.toStdString())));
    EXPECT_TRUE(dir.exists(Dst("B/b1.txt")));
}

TEST_F(RunWindowsTest, Quit_EndsRun)
{
    MakeTree();
    Answer("QuitBtn");
    EXPECT_EQ(RunWithWindows(), kRunErrors);
    EXPECT_FALSE(dir.exists(Dst("B/b1.txt")));
    EXPECT_NE(Log().find("Abbruch durch Benutzer."), std::string::npos);
}

// Sorted by name, the files of one folder lie in different groups; "Nächster Ordner" still
// skips the rest of the failed file's folder and nothing else.
TEST_F(RunWindowsTest, NextFolder_SkipsSameDirectoryWhateverTheOrder)
{
    params.SortingMode = kSortName;
    dir.createFile("Log.txt", "");
    for (const char* name : {"A/a1.txt", "B/b2.txt", "A/c3.txt"}) {
        dir.createFile(Src(name), std::string(1000, 'x'), Stamp(2));
    }
    InjectFault(FileOp::Write, 1, ENOSPC);
    Answer("NextFolderBtn");
    EXPECT_EQ(RunWithWindows(), kRunErrors);
    EXPECT_EQ(failed, "a1.txt");
    EXPECT_FALSE(dir.exists(Dst("A/a1.txt")));
    EXPECT_FALSE(dir.exists(Dst("A/c3.txt")));
    EXPECT_TRUE(dir.exists(Dst("B/b2.txt")));
}

TEST_F(RunWindowsTest, Mute_ShowsNoProgressWindow)
{
    windows.SetMute(true);
    MakeTree();
    Answer("NextFileBtn");
    EXPECT_EQ(RunWithWindows(), kRunErrors);
    EXPECT_FALSE(progressShown);
}

// Notes how full the bar was when the copy pass ended.
class BarAtEnd : public cRunWindows
{
public:
    using cRunWindows::cRunWindows;
    void ShowProgressWindow(bool shown, int64_t bytes) override
    {
        if (!shown && CopyWindow()) {
            fraction = CopyWindow()->BarPanel->Fraction();
        }
        cRunWindows::ShowProgressWindow(shown, bytes);
    }
    double fraction = -2;
};

// The review list of a real run: two changed actions are carried out, nothing else.
TEST_F(RunWindowsTest, ReviewList_ChangedActionsCarriedOut)
{
    params.ShowOverview = true;
    dir.createFile("Log.txt", "");
    dir.createFile(Src("neu1.txt"), "n", Stamp(2));
    dir.createFile(Src("neu2.txt"), std::string(100, 'n'), Stamp(2));
    dir.createFile(Src("neu3.txt"), "n", Stamp(2));
    dir.createFile(Dst("alt.txt"), "a", Stamp(2));  // an orphan that the profile deletes
    WhenModal<TListDlg>([](TListDlg* dlg) {
        ReviewModel& model = dlg->Model();
        for (int r = 0; r < model.rowCount(); ++r) {
            const cCandidate* c = model.CandidateAt(r);
            if (c && (c->FileName() == "neu2.txt" || c->FileName() == "alt.txt")) {
                dlg->List()->clearSelection();
                dlg->List()->selectionModel()->select(model.index(r), QItemSelectionModel::Select);
                (c->FileName() == "alt.txt" ? dlg->BackwardBtn : dlg->SkipBtn)->click();
            }
        }
        dlg->OkBtn->click();
    });
    BarAtEnd recording(params);
    EXPECT_EQ(RunProfile(params, recording, profilePath, {}, 255, 0), kRunOk);
    // The bar's total follows the changed actions: it ends full.
    EXPECT_DOUBLE_EQ(recording.fraction, 1.0);
    EXPECT_TRUE(dir.exists(Dst("neu1.txt")));
    EXPECT_FALSE(dir.exists(Dst("neu2.txt")));
    EXPECT_TRUE(dir.exists(Dst("neu3.txt")));
    EXPECT_TRUE(dir.exists(Src("alt.txt")));  // copied back instead of deleted
    EXPECT_TRUE(dir.exists(Dst("alt.txt")));
    const std::string log = Log();
    EXPECT_NE(log.find("Datei übersprungen:"), std::string::npos) << log;
}

TEST_F(RunWindowsTest, ReviewListCancelled_NothingHappens)
{
    params.ShowOverview = true;
    dir.createFile(Src("neu.txt"), "n", Stamp(2));
    WhenModal<TListDlg>([](TListDlg* dlg) { dlg->CancelBtn->click(); });
    EXPECT_EQ(RunWithWindows(), kRunAborted);
    EXPECT_FALSE(dir.exists(Dst("neu.txt")));
}

}  // namespace

namespace {

// Presses the progress window's interrupt button at the first progress report of the run.
class InterruptingWindows : public cRunWindows
{
public:
    using cRunWindows::cRunWindows;
    void ReportProgress(int64_t delta, int64_t current) override
    {
        cRunWindows::ReportProgress(delta, current);
        if (!pressed && CopyWindow()) {
            pressed = true;
            CopyWindow()->InterruptBtn->click();
        }
    }
    bool pressed = false;
};

}  // namespace

// The interrupt button breaks off a large copy and brings up the dialog although the profile
// does not ask for it; "Nochmal" then copies the whole file again.
TEST_F(RunWindowsTest, InterruptButton_RetryCopiesWholeFileAgain)
{
    params.Warnings = 0;
    std::string big(3 * 1024 * 1024, 'b');
    big[12345] = 'X';
    dir.createFile(Src("gross.bin"), big, Stamp(2));
    InterruptingWindows interrupting(params);
    Answer("RetryBtn");
    RunProfile(params, interrupting, profilePath, {}, 255, 0);
    EXPECT_TRUE(interrupting.pressed);
    EXPECT_EQ(failed, "gross.bin");
    EXPECT_EQ(dir.readFile(Dst("gross.bin")), big);
    EXPECT_FALSE(InterruptRequest.load());
}
