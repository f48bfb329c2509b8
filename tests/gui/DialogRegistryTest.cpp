#include "app/DialogRegistry.h"

#include <QAction>
#include <stdexcept>

#include "GuiFixture.h"
#include "app/MainWnd.h"
#include "dialogs/NewTreeView.h"
#include "settings/Parameters.h"

using namespace verdal;

namespace {

class DialogRegistryTest : public test::GuiTest
{};

}  // namespace

// A dialog that throws is reported as an internal error of its routine; ModalOpen is cleared
// and the window refreshes as after any dialog.
TEST_F(DialogRegistryTest, ThrowingDialog_ReportsRoutineAndClearsModalOpen)
{
    TMainWnd window;
    bool modalInside = false;
    window.Dialogs().Register("SOURCE", "Quelle", [&](QWidget*, cParameters&, int) -> bool {
        modalInside = window.ModalOpen();
        throw std::runtime_error("kaputt");
    });
    window.Action("SourceItm")->trigger();

    EXPECT_TRUE(modalInside);
    EXPECT_FALSE(window.ModalOpen());
    ASSERT_EQ(presenter->Messages.size(), 1u);
    EXPECT_EQ(presenter->Messages[0].Text.substr(0, 46),
              "Fehler \"kaputt\" aufgetreten in Routine SOURCE!");
    EXPECT_EQ(presenter->Messages[0].HelpContext, 10010);
}

// A command without its dialog says so in German and changes nothing.
TEST_F(DialogRegistryTest, MissingDialog_SaysNotAvailable)
{
    TMainWnd window;
    window.Dialogs().Register("LOG", "Log", nullptr);
    window.Action("LogItm")->trigger();
    ASSERT_EQ(presenter->Messages.size(), 1u);
    EXPECT_EQ(presenter->Messages[0].Text,
              "Der Dialog \"Log\" ist in dieser Version noch nicht verfügbar.");
    EXPECT_FALSE(window.ModalOpen());
    EXPECT_FALSE(Params().Modified);
}

// Every command of the menus has its routine in the table, so none is a silent no-op.
TEST_F(DialogRegistryTest, Table_HoldsEveryCommand)
{
    TMainWnd window;
    for (const char* routine :
         {"SHORTCUT", "VIEWER", "EXPRESS SETUP", "SOURCE", "DESTINATION", "OPTIONS", "OVERVIEW",
          "LOG", "BATCH", "SCHEDULER", "PROGRAM", "TOP 12", "ABOUT"}) {
        EXPECT_TRUE(window.Dialogs().Has(routine)) << routine;
    }
}

// While a dialog is up the window refuses to close; OK rebuilds the tree from the settings.
TEST_F(DialogRegistryTest, OpenDialog_GuardsCloseAndRebuildsTree)
{
    TMainWnd window;
    ASSERT_TRUE(window.OpenFile(ExampleProfile()));
    window.show();
    bool closedInside = true;
    window.Dialogs().Register("SOURCE", "Quelle", [&](QWidget*, cParameters& params, int) {
        closedInside = window.close();
        params.SourceDrive = "/srv/anders";
        params.Modified = true;
        return true;
    });
    EXPECT_TRUE(window.OpenDialog("SOURCE"));
    EXPECT_FALSE(closedInside);
    EXPECT_TRUE(window.isVisible());
    const QTreeWidgetItem* source = window.ProfileTree()->topLevelItem(0);
    EXPECT_EQ(source->child(0)->text(0), "Laufwerk: /srv/anders");
    EXPECT_TRUE(window.Action("SaveItm")->isEnabled());
}

// A right-click on a child of Options opens the options dialog on that child's page; on the
// group itself, on the default page; other groups open their own dialogs.
TEST_F(DialogRegistryTest, TreeItem_OpensDialogOfItsGroup)
{
    TMainWnd window;
    ASSERT_TRUE(window.OpenFile(ExampleProfile()));
    std::vector<std::pair<std::string, int>> opened;
    for (const char* routine : {"OPTIONS", "SOURCE", "LOG", "SCHEDULER"}) {
        window.Dialogs().Register(routine, routine,
                                  [&opened, routine](QWidget*, cParameters&, int page) {
                                      opened.emplace_back(routine, page);
                                      return false;
                                  });
    }
    // Each dialog rebuilds the tree, so the items are looked up afresh every time.
    TNewTreeView* tree = window.ProfileTree();
    const auto itemOf = [&](SummaryNode* SummaryGroups::*group) {
        return tree->ItemOf(Params().Groups.*group);
    };
    ASSERT_GE(itemOf(&SummaryGroups::Options)->childCount(), 4);
    window.OpenDialogForItem(itemOf(&SummaryGroups::Options)->child(3));
    window.OpenDialogForItem(itemOf(&SummaryGroups::Options));
    window.OpenDialogForItem(itemOf(&SummaryGroups::Source)->child(1)->child(0));
    window.OpenDialogForItem(itemOf(&SummaryGroups::Log));
    window.OpenDialogForItem(itemOf(&SummaryGroups::Scheduler));
    const std::vector<std::pair<std::string, int>> expected{
        {"OPTIONS", 3}, {"OPTIONS", -1}, {"SOURCE", -1}, {"LOG", -1}, {"SCHEDULER", -1}};
    EXPECT_EQ(opened, expected);
}
