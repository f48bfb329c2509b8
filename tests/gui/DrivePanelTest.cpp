#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

#include "DriveDialogFixture.h"
#include "dialogs/DriveLook.h"
#include "dialogs/SourceRules.h"
#include "dialogs/TBatchDlg.h"
#include "dialogs/TDiskDlg.h"
#include "dialogs/TDrivePanel.h"
#include "dialogs/TExpressSetupDlg.h"
#include "platform/DirectoryCheck.h"

using namespace verdal;
using namespace verdal::test;

namespace {

// A look at a drive that does not come back until the test lets it go: what a hung network
// mount does. Looks at anything else pass.
class HangingDrive
{
public:
    explicit HangingDrive(std::string what) : release_(std::make_shared<std::atomic<bool>>(false))
    {
        SetDriveLookTimeout(100);
        SetDriveLookObserver([what = std::move(what), release = release_](const std::string& seen) {
            while (seen.find(what) != std::string::npos && !*release) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        });
    }
    ~HangingDrive()
    {
        *release_ = true;
        SetDriveLookObserver({});
        SetDriveLookTimeout(3000);
    }

private:
    std::shared_ptr<std::atomic<bool>> release_;
};

class DrivePanelTest : public DriveDialogFixture
{
protected:
    void SetUp() override
    {
        DriveDialogFixture::SetUp();
        params.SourceDrive = sourceRoot;
        params.SearchDirectories.Clear();
        params.SearchDirectories.Add("\\Daten\\*");
        params.DestinationDrive = "\\\\nas\\weg";  // a share that is not mounted
        params.DestinationDirectory = "\\Sicherung\\";
        dir.createDir("Quelle/Daten/Briefe");
        dir.createDir("Ziel/Backup");
    }
};

// On show both drive lists select their drives; the stored drives and directories come back
// into the fields, so a destination that is not mounted now survives "Backup" unchanged.
TEST_F(DrivePanelTest, ExpressSetup_DrivesSelectOnShowAndTheStoredOnesStay)
{
    TExpressSetupDlg dialog;
    dialog.LoadFrom(params);
    dialog.show();
    EXPECT_EQ(dialog.SrcPanel->DriveList->CurrentDrive().toStdString(), sourceRoot);
    EXPECT_EQ(dialog.SrcPanel->DirTree->SelectedPath(), "\\Daten\\");
    EXPECT_EQ(dialog.SrcDirEdt->text(), "\\Daten\\");
    // The share is not in the list: the list falls back to its first entry, the fields do not.
    EXPECT_EQ(dialog.DestPanel->DriveList->CurrentDrive().toStdString(), sourceRoot);
    EXPECT_EQ(dialog.DestDriveEdt->text(), "\\\\nas\\weg");
    EXPECT_EQ(dialog.DestDirEdt->text(), "\\Sicherung\\");
    EXPECT_EQ(dialog.SrcPathLbl->text().toStdString(), sourceRoot + "/Daten/");
    dialog.BackupBtn->click();
    dialog.SaveTo(params);
    EXPECT_EQ(params.SourceDrive, sourceRoot);
    EXPECT_EQ(params.SearchDirectories[0], "\\Daten\\*");
    EXPECT_EQ(params.DestinationDrive, "\\\\nas\\weg");
    EXPECT_EQ(params.DestinationDirectory, "\\Sicherung\\");
}

// A drive the user chooses moves the tree; a directory missing there falls back to "\", and a
// directory chosen in the tree is what OK stores.
TEST_F(DrivePanelTest, ExpressSetup_UserChoosesDriveAndDirectory)
{
    TExpressSetupDlg dialog;
    dialog.LoadFrom(params);
    dialog.show();
    TDriveList* drives = dialog.DestPanel->DriveList;
    const int row = drives->findText(QString::fromStdString(destRoot));
    ASSERT_GE(row, 0);
    emit drives->activated(row);
    EXPECT_EQ(dialog.DestDriveEdt->text().toStdString(), destRoot);
    EXPECT_EQ(dialog.DestDirEdt->text(), "\\");
    ASSERT_TRUE(dialog.DestPanel->DirTree->SelectPath("\\Backup\\"));
    QTreeWidgetItem* backup = dialog.DestPanel->DirTree->currentItem();
    dialog.DestPanel->DirTree->setCurrentItem(backup->parent());
    dialog.DestPanel->DirTree->setCurrentItem(backup);
    EXPECT_EQ(dialog.DestDirEdt->text(), "\\Backup\\");
    EXPECT_EQ(dialog.DestPathLbl->text().toStdString(), destRoot + "/Backup/");
    dialog.SyncBtn->click();
    dialog.SaveTo(params);
    EXPECT_EQ(params.DestinationDrive, destRoot);
    EXPECT_EQ(params.DestinationDirectory, "\\Backup\\");
    // The source side is untouched by the other list.
    EXPECT_EQ(params.SourceDrive, sourceRoot);
}

// The batch dialog starts in the folder of its first entry, chosen with the drive list and the
// tree; another drive lists that drive's profiles.
TEST_F(DrivePanelTest, BatchDlg_DriveAndTreeChooseTheFolder)
{
    dir.createFile("Quelle/Jobs/a.vrd");
    dir.createFile("Quelle/Jobs/B.VRD");
    dir.createFile("Ziel/x.vrd");
    params.Batch.Profiles.Add(dir.filePath("Quelle/Jobs/a.vrd"), 1);
    TBatchDlg dialog;
    dialog.LoadFrom(params);
    dialog.show();
    // The folder's drive is the mount that holds it.
    const DrivePath start = SplitNativeFolder(dir.filePath("Quelle/Jobs"));
    EXPECT_EQ(dialog.DriveList->CurrentDrive().toStdString(), start.Drive);
    EXPECT_EQ(dialog.DriveEdt->text().toStdString(), start.Drive);
    EXPECT_EQ(dialog.DirEdt->text().toStdString(), start.Directory);
    EXPECT_EQ(dialog.Folder().toStdString(), dir.filePath("Quelle/Jobs/"));
    ASSERT_EQ(dialog.AvailableLst->count(), 2);
    EXPECT_EQ(dialog.AvailableLst->item(1)->text(), "B.VRD");

    emit dialog.DriveList->activated(dialog.DriveList->findText(QString::fromStdString(destRoot)));
    EXPECT_EQ(dialog.DirEdt->text(), "\\");
    ASSERT_EQ(dialog.AvailableLst->count(), 1);
    dialog.FileEdt->setText("x.vrd");
    Trigger(dialog, "FileAddAct");
    ASSERT_EQ(dialog.Entries().size(), 2u);
    EXPECT_EQ(dialog.Entries()[1].Text, destRoot + "/x.vrd");

    // Back in a directory of the tree.
    ASSERT_TRUE(dialog.DirTree->SelectPath("\\Backup\\"));
    dialog.DirTree->setCurrentItem(dialog.DirTree->topLevelItem(0));
    dialog.DirTree->setCurrentItem(dialog.DirTree->topLevelItem(0)->child(0));
    EXPECT_EQ(dialog.DirEdt->text(), "\\Backup\\");
    EXPECT_EQ(dialog.AvailableLst->count(), 0);
}

// When the mount of the first entry's folder does not answer, the batch dialog starts in that
// folder below "/" instead of waiting for it.
TEST_F(DrivePanelTest, BatchDlg_HungFolderStartsBelowTheRoot)
{
    params.Batch.Profiles.Add(dir.filePath("Netz/Jobs/a.vrd"), 0);
    HangingDrive hung("/Netz/");
    // Any look at the folder's file system from the window's own thread is counted.
    auto windowLooks = std::make_shared<std::atomic<int>>(0);
    SetPathLookHook([windowLooks, window = std::this_thread::get_id()](const std::string& path) {
        *windowLooks +=
            path.find("/Netz/") != std::string::npos && std::this_thread::get_id() == window;
    });
    TBatchDlg dialog;
    dialog.LoadFrom(params);
    SetPathLookHook({});
    EXPECT_EQ(windowLooks->load(), 0);
    std::string expected = dir.filePath("Netz/Jobs/");
    std::replace(expected.begin(), expected.end(), '/', '\\');
    EXPECT_EQ(dialog.DriveEdt->text(), "/");
    EXPECT_EQ(dialog.DirEdt->text().toStdString(), expected);
}

// A new batch starts on drive "C:" in "\"; "Lesen" adds a typed drive to the history kept
// under "Dest"; "Überprüfen" of drive and directory say whether the text is valid.
TEST_F(DrivePanelTest, BatchDlg_DriveHistoryAndChecks)
{
    TBatchDlg dialog;
    dialog.LoadFrom(params);
    EXPECT_EQ(dialog.DriveEdt->text(), "C:");
    EXPECT_EQ(dialog.DirEdt->text(), "\\");
    dialog.show();
    EXPECT_EQ(dialog.DriveEdt->text(), "C:");

    const std::string extra = dir.createDir("Extra");
    dialog.DriveEdt->setText(QString::fromStdString(extra));
    Trigger(dialog, "DriveReadItm");
    EXPECT_EQ(dialog.DriveList->CurrentDrive().toStdString(), extra);
    // "C:" exists without being listed, so showing it added it by hand before.
    EXPECT_EQ(ReadDriveHistory("Dest"), (std::vector<std::string>{extra, "C:"}));
    EXPECT_TRUE(ReadDriveHistory("Src").empty());

    dialog.DriveEdt->setText("A*:");
    Trigger(dialog, "DriveCheckItm");
    dialog.DriveEdt->setText(QString::fromStdString(extra));
    Trigger(dialog, "DriveCheckItm");
    dialog.DirEdt->setText("\\a|b\\");
    Trigger(dialog, "DirCheckItm");
    EXPECT_EQ(presenter.Codes(), (std::vector<int>{30002, 30001, 30004}));
}

// Filling the drive list on a hung mount list gives up after the bounded wait and offers the
// root and the hand-added drives by name.
TEST_F(DrivePanelTest, DriveList_HungMountListOffersTheRoot)
{
    TDriveList list;
    list.SetDrillDepth(0);
    list.SetIniPrefix("Src");
    ASSERT_TRUE(list.AddDriveByHand(QString::fromStdString(dir.createDir("Hand"))));
    // The late look finishes after the test: its source must own what it returns.
    TDriveList::SetDriveSource([] {
        return std::vector<DriveInfo>{{"/a", "/a", kDriveFixed, "", ""}};
    });
    HangingDrive hung("drives");
    list.Fill();
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.itemText(0), "/");
    EXPECT_EQ(list.itemText(1).toStdString(), dir.filePath("Hand"));
}

// A drive change onto a drive that does not answer in time keeps the window: the directory,
// which does exist there, falls back to "\".
TEST_F(DrivePanelTest, DriveChange_HungDriveFallsBackToTheRoot)
{
    TDrivePanel panel;
    panel.Configure(params, "Dest");
    panel.SetStored(QString::fromStdString(sourceRoot), "\\Daten\\");
    panel.show();
    EXPECT_EQ(panel.DirEdt->text(), "\\Daten\\");
    HangingDrive hung("/Ziel");
    dir.createDir("Ziel/Daten");
    emit panel.DriveList->activated(panel.DriveList->findText(QString::fromStdString(destRoot)));
    EXPECT_EQ(panel.DriveEdt->text().toStdString(), destRoot);
    EXPECT_EQ(panel.DirEdt->text(), "\\");
}

// A tree on a drive whose root does not answer (finding the root looks at the mount too) shows
// the root unreadable instead of holding the window.
TEST_F(DrivePanelTest, DirectoryTree_HungDriveRootIsUnreadable)
{
    TDirectoryTree::SetReadTimeout(100);
    HangingDrive hung("/Ziel");
    TDirectoryTree tree;
    tree.SetDrive(QString::fromStdString(destRoot));
    EXPECT_TRUE(tree.IsUnreadable("\\"));
    tree.SetDrive(QString::fromStdString(sourceRoot));
    EXPECT_FALSE(tree.IsUnreadable("\\"));
}

// The path shown for drive and directory does not wait for a drive that does not answer: it
// shows them as typed.
TEST_F(DrivePanelTest, NativePath_HungDriveShowsTheTypedText)
{
    TDrivePanel panel;
    panel.SetStored(QString::fromStdString(destRoot), "\\Daten\\");
    EXPECT_EQ(panel.NativePath().toStdString(), destRoot + "/Daten/");
    HangingDrive hung("/Ziel");
    EXPECT_EQ(panel.NativePath().toStdString(), destRoot + "\\Daten\\");
}

// "Lesen" of the disk dialog on a drive that does not answer says so and keeps the label.
TEST_F(DrivePanelTest, DiskDialog_HungDriveIsReported)
{
    params.DiskLabel = "ALT";
    TDiskDlg disk(QString::fromStdString(destRoot));
    disk.LoadFrom(params);
    HangingDrive hung("/Ziel");
    QString message;
    QTimer::singleShot(0, [&message] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            message = box->text();
            box->accept();
        }
    });
    disk.findChild<QPushButton*>("ReadBtn")->click();
    EXPECT_EQ(message.toStdString(), "Das Laufwerk " + destRoot + " antwortet nicht.");
    EXPECT_EQ(disk.findChild<QLineEdit*>("CheckLabelEdt")->text(), "ALT");
}

}  // namespace
