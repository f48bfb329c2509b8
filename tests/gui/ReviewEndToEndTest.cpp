#include <gtest/gtest.h>

#include <QAction>
#include <QListView>
#include <QPushButton>

#include "GuiFixture.h"
#include "app/MainWnd.h"
#include "app/RunController.h"
#include "dialogs/ReviewModel.h"
#include "dialogs/TListDlg.h"
#include "settings/Parameters.h"
#include "settings/TextCodec.h"

using namespace verdal;

namespace {

class ReviewEndToEndTest : public test::GuiTest
{};

// Selects the candidate row of `file` alone and presses `button`.
void Press(TListDlg& dlg, const std::string& file, QPushButton* button)
{
    ReviewModel& model = dlg.Model();
    for (int r = 0; r < model.rowCount(); ++r) {
        const cCandidate* c = model.CandidateAt(r);
        if (c && c->FileName() == file) {
            dlg.List()->clearSelection();
            dlg.List()->selectionModel()->select(model.index(r), QItemSelectionModel::Select);
            button->click();
            return;
        }
    }
    ADD_FAILURE() << file << " is not in the list";
}

}  // namespace

// A run started from the main window shows the review list; two changed actions are carried
// out on disk and in the log, everything else as decided.
TEST_F(ReviewEndToEndTest, ChangedActionsCarriedOut)
{
    TMainWnd window;
    const std::string profile = ExampleProfile();
    dir.createFile("Quelle/Daten/Notiz.txt", "Notiz", 1796000000);
    dir.createFile("Quelle/Daten/Liste.txt", "Liste", 1796000000);
    dir.createFile("Ziel/Sicherung/Alt.txt", "Alt", 1796000000);
    ASSERT_TRUE(window.OpenFile(profile));
    Params().ShowOverview = true;
    bool shown = false;
    test::OnNextModal([&shown](QWidget* modal) {
        auto* dlg = qobject_cast<TListDlg*>(modal);
        ASSERT_NE(dlg, nullptr);
        shown = true;
        Press(*dlg, "Notiz.txt", dlg->SkipBtn);
        Press(*dlg, "Alt.txt", dlg->BackwardBtn);
        dlg->findChild<QPushButton*>(QStringLiteral("OkBtn"))->click();
    });

    window.Action("GoItm")->trigger();

    EXPECT_TRUE(shown);
    EXPECT_EQ(window.Runs().LastResult().Result, 0);
    EXPECT_EQ(dir.readFile("Ziel/Sicherung/Brief.txt"), "Hallo");
    EXPECT_EQ(dir.readFile("Ziel/Sicherung/Liste.txt"), "Liste");
    EXPECT_FALSE(dir.exists("Ziel/Sicherung/Notiz.txt"));
    EXPECT_EQ(dir.readFile("Quelle/Daten/Alt.txt"), "Alt");
    EXPECT_TRUE(dir.exists("Ziel/Sicherung/Alt.txt"));
    const std::string log = DecodeText(dir.readFile("Log.txt"));
    const size_t skipped = log.find("Datei übersprungen:");
    ASSERT_NE(skipped, std::string::npos) << log;
    EXPECT_NE(log.find("Notiz.txt", skipped), std::string::npos);
    EXPECT_NE(log.find("Datei rückwärts kopiert:"), std::string::npos) << log;
}
