#include "dialogs/TExpressSetupDlg.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "DialogTestEnvironment.h"
#include "dialogs/ExpressRules.h"
#include "settings/OptionsFile.h"
#include "settings/Parameters.h"
#include "support/TestDir.h"

using namespace verdal;
using namespace verdal::test;

namespace {

class ExpressSetupDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetOptionsFilePath(dir.filePath("Verdal50.ini"));
        params.Reset();
        params.SourceDrive = "/srv";
        params.SearchDirectories.Add("\\Daten\\*");
        params.DestinationDrive = "\\\\nas\\fotos";  // a share that is not mounted
        params.DestinationDirectory = "\\Sicherung\\";
        params.ExcludeDirectories.Add("\\Daten\\tmp\\");
        params.EnforceFiles.Add("*.ini");
        // Every option away from the express values.
        params.Variation = 3;
        params.DiskLabel = "STICK";
        params.Attributes = 7;
        params.AgeMode = 5;
        params.OrphanModeB = 6;
        params.OrphanModeD2 = 2;
        params.MidnightHours = 0;
        params.CheckSizes = 0;
        params.Verify = true;
        params.Warnings = 0xFF;
        params.AutoSense = true;
        params.TimeDifference = 60;
        params.IgnoreDST = false;
        params.MyCopy = false;
        params.Recycle = false;
        params.TransferOwner = true;
    }
    void TearDown() override { SetOptionsFilePath({}); }

    // Opens the dialog on `params`, lets `act` work on it, returns whether it ended with OK.
    bool Run(std::function<void(TExpressSetupDlg*)> act, int* runs = nullptr)
    {
        OnNextModal([act](QWidget* modal) {
            if (auto* express = qobject_cast<TExpressSetupDlg*>(modal)) {
                act(express);
            }
        });
        return TExpressSetupDlg::Open(nullptr, params, -1, [runs] {
            if (runs != nullptr) {
                ++*runs;
            }
        });
    }

    TestDir dir;
    cParameters params;
};

}  // namespace

TEST(ExpressRulesTest, MasksSplitAtBlanks)
{
    EXPECT_EQ(SplitMasks("*.doc *.xls"), (std::vector<std::string>{"*.doc", "*.xls"}));
    EXPECT_TRUE(SplitMasks("").empty());
    EXPECT_TRUE(SplitMasks("   ").empty());
    // Empty pieces are skipped instead of ending the list.
    EXPECT_EQ(SplitMasks(" *.a  *.b "), (std::vector<std::string>{"*.a", "*.b"}));
}

// Only a trailing "*" marks the subdirectories; OK adds one only when asked and missing.
TEST(ExpressRulesTest, SearchEntryStarOnlyAtTheEnd)
{
    cStringList list(true);
    list.Add("\\Daten\\*");
    SearchEntry entry = SearchEntryOf(list);
    EXPECT_EQ(entry.Directory, "\\Daten\\");
    EXPECT_TRUE(entry.Subdirectories);
    EXPECT_EQ(SearchEntryText(entry), "\\Daten\\*");

    list.Clear();
    list.Add("\\Bil*der\\");
    entry = SearchEntryOf(list);
    EXPECT_EQ(entry.Directory, "\\Bil*der\\");
    EXPECT_FALSE(entry.Subdirectories);

    EXPECT_EQ(SearchEntryText({"\\A\\*", true}), "\\A\\*");
    EXPECT_EQ(SearchEntryText({"\\A\\", false}), "\\A\\");
    EXPECT_EQ(SearchEntryOf(cStringList(true)).Directory, "\\");
}

TEST_F(ExpressSetupDlgTest, Opening_ShowsTheProfile)
{
    params.CompareFiles.Add("*.doc");
    TExpressSetupDlg dialog;
    dialog.LoadFrom(params);
    EXPECT_EQ(dialog.SrcDirEdt->text(), "\\Daten\\");
    EXPECT_TRUE(dialog.SubdirsChk->isChecked());
    EXPECT_EQ(dialog.CompareEdt->text(), "*.* *.doc ");
    EXPECT_EQ(dialog.DestPathLbl->text(), "\\\\nas\\fotos\\Sicherung\\");  // not mounted
    dialog.SrcDriveEdt->setText(QString::fromStdString(dir.path()));
    EXPECT_EQ(dialog.SrcPathLbl->text().toStdString(), dir.path() + "/Daten/");
    EXPECT_TRUE(dialog.AutoSetChk->isChecked());
    EXPECT_TRUE(dialog.CancelBtn->isDefault());
}

// "Backup" with the automatic settings: the fields, the touch flags and the fixed option set;
// the unmounted destination share stays as it was.
TEST_F(ExpressSetupDlgTest, Backup_WritesFieldsAndTheFixedOptions)
{
    int runs = 0;
    EXPECT_TRUE(Run(
        [](TExpressSetupDlg* d) {
            d->CompareEdt->setText("*.doc *.xls");
            d->ExcludeEdt->setText("");
            d->SrcDirEdt->setText("Briefe");
            d->BackupBtn->click();
        },
        &runs));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(params.SourceDrive, "/srv");
    ASSERT_EQ(params.SearchDirectories.Count(), 1);
    EXPECT_EQ(params.SearchDirectories[0], "\\Briefe\\*");
    ASSERT_EQ(params.CompareFiles.Count(), 2);
    EXPECT_EQ(params.CompareFiles[0], "*.doc");
    EXPECT_TRUE(params.ExcludeFiles.Empty());
    EXPECT_TRUE(params.ExcludeDirectories.Empty());
    EXPECT_TRUE(params.EnforceFiles.Empty());
    EXPECT_EQ(params.DestinationDrive, "\\\\nas\\fotos");
    EXPECT_EQ(params.DestinationDirectory, "\\Sicherung\\");
    EXPECT_FALSE(params.TouchSrc);
    EXPECT_TRUE(params.TouchDest);
    EXPECT_TRUE(params.Modified);

    EXPECT_EQ(params.Variation, 0);
    EXPECT_EQ(params.DiskLabel, "");
    EXPECT_EQ(params.Attributes, 0);
    EXPECT_EQ(params.AgeMode, 0);
    EXPECT_EQ(params.OrphanModeD2, 1);
    EXPECT_EQ(params.OrphanModeB, 4);
    EXPECT_EQ(params.MidnightHours, 2);
    EXPECT_EQ(params.CheckSizes, 3);
    EXPECT_FALSE(params.Verify);
    EXPECT_EQ(params.Warnings, 0x55);
    EXPECT_FALSE(params.AutoSense);
    EXPECT_EQ(params.TimeDifference, 2);
    EXPECT_TRUE(params.IgnoreDST);
    EXPECT_TRUE(params.MyCopy);
    EXPECT_TRUE(params.Recycle);
    EXPECT_FALSE(params.TransferOwner);
}

TEST_F(ExpressSetupDlgTest, SyncAndRestore_SetTheirTouchFlags)
{
    EXPECT_TRUE(Run([](TExpressSetupDlg* d) { d->SyncBtn->click(); }));
    EXPECT_TRUE(params.TouchSrc);
    EXPECT_TRUE(params.TouchDest);
    EXPECT_TRUE(Run([](TExpressSetupDlg* d) { d->RestoreBtn->click(); }));
    EXPECT_TRUE(params.TouchSrc);
    EXPECT_FALSE(params.TouchDest);
}

// Without the automatic settings only the fields and the touch flags change; "Nicht sofort
// laufen" keeps the run from starting.
TEST_F(ExpressSetupDlgTest, BackupWithoutAutoSet_LeavesOtherOptions)
{
    int runs = 0;
    EXPECT_TRUE(Run(
        [](TExpressSetupDlg* d) {
            d->AutoSetChk->click();
            d->NoRunChk->click();
            d->SubdirsChk->click();
            d->BackupBtn->click();
        },
        &runs));
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(params.SearchDirectories[0], "\\Daten\\");
    EXPECT_EQ(params.Variation, 3);
    EXPECT_EQ(params.DiskLabel, "STICK");
    EXPECT_EQ(params.OrphanModeB, 6);
    EXPECT_TRUE(params.Verify);
    EXPECT_EQ(params.Warnings, 0xFF);
    EXPECT_EQ(params.TimeDifference, 60);
    EXPECT_FALSE(params.Recycle);
    EXPECT_FALSE(params.TouchSrc);
    EXPECT_TRUE(params.ExcludeDirectories.Empty());
}

TEST_F(ExpressSetupDlgTest, Cancel_ChangesNothingAndRunsNothing)
{
    const cParameters before = params;
    int runs = 0;
    EXPECT_FALSE(Run(
        [](TExpressSetupDlg* d) {
            d->CompareEdt->setText("*.x");
            d->CancelBtn->click();
        },
        &runs));
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(params.CompareFiles, before.CompareFiles);
    EXPECT_EQ(params.Warnings, before.Warnings);
    EXPECT_FALSE(params.Modified);
}

// A mask a profile cannot hold is refused with a German message; the dialog stays open.
TEST_F(ExpressSetupDlgTest, InvalidMask_IsRefused)
{
    QString message;
    bool stillOpen = false;
    EXPECT_FALSE(Run([&](TExpressSetupDlg* d) {
        d->CompareEdt->setText("*.doc a|b");
        OnNextModal([&message](QWidget* box) {
            if (auto* m = qobject_cast<QMessageBox*>(box)) {
                message = m->text();
                m->accept();
            }
        });
        d->BackupBtn->click();
        stillOpen = d->isVisible();
        d->CancelBtn->click();
    }));
    EXPECT_EQ(message, "Die Dateimaske \"a|b\" ist ungültig.");
    EXPECT_TRUE(stillOpen);
}
