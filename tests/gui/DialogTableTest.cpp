// The settings dialogs as the main window opens them: through the registry and its tree.
#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>

#include "DialogTestEnvironment.h"
#include "app/DialogRegistry.h"
#include "app/MainWnd.h"
#include "dialogs/NewTreeView.h"
#include "dialogs/TExpressSetupDlg.h"
#include "dialogs/TOptionsDlg.h"
#include "settings/OptionsFile.h"
#include "settings/Parameters.h"
#include "support/RecordingPresenter.h"
#include "support/TestDir.h"

using namespace verdal;
using namespace verdal::test;

namespace {

class DialogTableTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetOptionsFilePath(dir.filePath("Verdal50.ini"));
        Params().FileKind = 0;
        Params().Reset();
    }
    void TearDown() override { SetOptionsFilePath({}); }

    TestDir dir;
    RecordingPresenter presenter;
};

}  // namespace

// A child of "Optionen" in the tree opens the options dialog on that child's page.
TEST_F(DialogTableTest, OptionsFromTreeNode_OpenOnThatPage)
{
    const std::string path = dir.filePath("Profil.vrd");
    ASSERT_TRUE(Params().SaveToFile(path));
    TMainWnd window;
    ASSERT_TRUE(window.OpenFile(path));
    QTreeWidgetItem* options = window.ProfileTree()->ItemOf(Params().Groups.Options);
    ASSERT_NE(options, nullptr);
    ASSERT_GE(options->childCount(), 4);

    int shown = -1;
    OnNextModal([&shown](QWidget* modal) {
        if (auto* notebook = modal->findChild<QTabWidget*>("Notebook")) {
            shown = notebook->currentIndex();
        }
        if (auto* cancel = modal->findChild<QPushButton*>("CancelBtn")) {
            cancel->click();
        }
    });
    window.OpenDialogForItem(options->child(TOptionsDlg::kPageOrphans));
    EXPECT_EQ(shown, TOptionsDlg::kPageOrphans);
    EXPECT_FALSE(window.ModalOpen());
}

// The express setup asks the main window for a run unless "Nicht sofort laufen" is checked.
TEST_F(DialogTableTest, ExpressSetup_RequestsTheRun)
{
    bool modal = false;
    cDialogRegistry registry(nullptr, modal);
    RegisterDialogs(registry);
    for (const char* routine : {"EXPRESS SETUP", "OPTIONS", "OVERVIEW", "BATCH", "SCHEDULER"}) {
        EXPECT_TRUE(registry.Available(routine)) << routine;
    }
    cParameters params;
    OnNextModal([](QWidget* dialog) {
        if (auto* express = qobject_cast<TExpressSetupDlg*>(dialog)) {
            express->BackupBtn->click();
        }
    });
    EXPECT_TRUE(registry.Open("EXPRESS SETUP", params));
    EXPECT_TRUE(registry.RunRequested());

    OnNextModal([](QWidget* dialog) {
        if (auto* express = qobject_cast<TExpressSetupDlg*>(dialog)) {
            express->NoRunChk->click();
            express->SyncBtn->click();
        }
    });
    EXPECT_TRUE(registry.Open("EXPRESS SETUP", params));
    EXPECT_FALSE(registry.RunRequested());
}
