#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <QPushButton>
#include <QWidget>

#include "DialogTestEnvironment.h"
#include "dialogs/DialogServices.h"
#include "dialogs/TBatchDlg.h"
#include "dialogs/TDateDlg.h"
#include "dialogs/TDestinationDlg.h"
#include "dialogs/TDiskDlg.h"
#include "dialogs/TExpressSetupDlg.h"
#include "dialogs/TFillDlg.h"
#include "dialogs/TMoreDlg.h"
#include "dialogs/TOptionsDlg.h"
#include "dialogs/TOverviewDlg.h"
#include "dialogs/TSourceDlg.h"
#include "settings/Parameters.h"

using namespace verdal;

namespace {

int ControlsWithHints(const QWidget& window)
{
    int count = window.toolTip().isEmpty() ? 0 : 1;
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        count += control->toolTip().isEmpty() ? 0 : 1;
    }
    return count;
}

template <class Dialog>
std::unique_ptr<QWidget> Loaded(const cParameters& params)
{
    auto dialog = std::make_unique<Dialog>();
    dialog->LoadFrom(params);
    return dialog;
}

// Every configuration window shows its hints only while the program option "Tooltips" is on.
TEST(HintsTest, EveryDialogFollowsTheTooltipOption)
{
    // The windows with hints of their own.
    const std::pair<const char*, std::function<std::unique_ptr<QWidget>(const cParameters&)>>
        dialogs[] = {
            {"Optionen", Loaded<TOptionsDlg>},
            {"Batch-Datei", Loaded<TBatchDlg>},
            {"Express-Setup", Loaded<TExpressSetupDlg>},
            {"Quelle", Loaded<TSourceDlg>},
            {"Ziel", Loaded<TDestinationDlg>},
            {"Datenträger",
             [](const cParameters& params) {
                 auto disk = std::make_unique<TDiskDlg>(QStringLiteral("/"));
                 disk->LoadFrom(params);
                 return std::unique_ptr<QWidget>(std::move(disk));
             }},
        };
    cParameters params;
    params.Reset();
    params.FileKind = 1;
    for (const auto& [name, open] : dialogs) {
        params.Programm.Tooltips = true;
        EXPECT_GT(ControlsWithHints(*open(params)), 0) << name << " has no hints at all";
        params.Programm.Tooltips = false;
        EXPECT_EQ(ControlsWithHints(*open(params)), 0) << name;
    }
}

// "Hilfe" of each window opens the help at that window's own topic.
TEST(HelpButtonTest, EachDialogOpensItsTopic)
{
    std::vector<int> shown;
    const auto previous = DialogServices::ShowHelp;
    DialogServices::ShowHelp = [&shown](QWidget*, int context) { shown.push_back(context); };
    TSourceDlg source;
    TDestinationDlg destination;
    TDiskDlg disk(QStringLiteral("/"));
    TOverviewDlg overview;
    TMoreDlg more;
    TFillDlg fill;
    TDateDlg date;
    for (QWidget* dialog : std::initializer_list<QWidget*>{&source, &destination, &disk, &overview,
                                                           &more, &fill, &date}) {
        auto* help = dialog->findChild<QPushButton*>(QStringLiteral("HelpBtn"));
        ASSERT_NE(help, nullptr) << dialog->windowTitle().toStdString();
        EXPECT_EQ(help->accessibleName(), "Hilfe");
        help->click();
    }
    DialogServices::ShowHelp = previous;
    EXPECT_EQ(shown, (std::vector<int>{4100, 4200, 4210, 4900, 4510, 4410, 4320}));
}

}  // namespace
