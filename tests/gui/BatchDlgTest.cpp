#include "dialogs/TBatchDlg.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include "DialogTestEnvironment.h"
#include "dialogs/BatchRules.h"
#include "dialogs/DialogServices.h"
#include "dialogs/TMoreDlg.h"
#include "settings/Parameters.h"
#include "support/TestDir.h"

using namespace verdal;
using namespace verdal::test;

namespace {

std::vector<cStringList::Item> Items(std::initializer_list<const char*> names)
{
    std::vector<cStringList::Item> items;
    int value = 0;
    for (const char* name : names) {
        items.push_back({name, value++ % 3});
    }
    return items;
}

std::vector<std::string> Texts(const std::vector<cStringList::Item>& items)
{
    std::vector<std::string> texts;
    for (const auto& item : items) {
        texts.push_back(item.Text);
    }
    return texts;
}

class BatchDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        jobs = dir.createDir("Jobs");
        dir.createFile("Jobs/b.vrd", "x");
        dir.createFile("Jobs/A.VRD", "x");
        dir.createFile("Jobs/notiz.txt", "x");
        dir.createDir("Jobs/ordner.vrd");
        params.FileKind = 1;
        for (const char* name : {"eins", "zwei", "drei", "vier", "fünf"}) {
            params.Batch.Profiles.Add(jobs + "/" + name + ".vrd", 0);
        }
        dialog.SetDocument(&params);
        dialog.LoadFrom(params);
        dialog.resize(800, 500);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& item : dialog.Entries()) {
            names.push_back(SplitProfileEntry(item.Text).Name);
        }
        return names;
    }
    void Select(std::initializer_list<int> rows)
    {
        dialog.SelectedLst->clearSelection();
        for (int row : rows) {
            dialog.SelectedLst->item(row)->setSelected(true);
        }
    }
    // Drops the batch list's own rows at `point` of its viewport.
    void DropRowsAt(const QPoint& point)
    {
        QMimeData data;
        data.setData(kBatchRowsMime, "rows");
        SendDrop(point, data);
    }
    // A drag that enters the batch list, moves to `point` and drops there.
    void SendDrop(const QPoint& point, const QMimeData& data)
    {
        QWidget* viewport = dialog.SelectedLst->viewport();
        QDragEnterEvent enter(point, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(viewport, &enter);
        QDragMoveEvent move(point, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                            Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        QDropEvent drop(point, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(viewport, &drop);
    }
    QPoint RowCentre(int row) const
    {
        return dialog.SelectedLst->visualItemRect(dialog.SelectedLst->item(row)).center();
    }

    TestDir dir;
    std::string jobs;
    cParameters params;
    TBatchDlg dialog;
};

}  // namespace

TEST(BatchRulesTest, DropMovesTheSelectionAsAListBoxWould)
{
    auto items = Items({"1", "2", "3", "4", "5"});
    EXPECT_EQ(MoveRowsForDrop(items, {3, 4}, 0), (std::vector<int>{0, 1}));
    EXPECT_EQ(Texts(items), (std::vector<std::string>{"4", "5", "1", "2", "3"}));
    EXPECT_EQ(items[0].Value, 0);  // the condition travels with its entry
    EXPECT_EQ(items[1].Value, 1);

    items = Items({"1", "2", "3", "4", "5"});
    EXPECT_EQ(MoveRowsForDrop(items, {0, 1}, DropTargetRow(-1, 5)), (std::vector<int>{3, 4}));
    EXPECT_EQ(Texts(items), (std::vector<std::string>{"3", "4", "5", "1", "2"}));

    items = Items({"1", "2", "3", "4", "5"});
    // The first selected row lies before the target: the rows go last first.
    EXPECT_EQ(MoveRowsForDrop(items, {0, 4}, 2), (std::vector<int>{1, 2}));
    EXPECT_EQ(Texts(items), (std::vector<std::string>{"2", "1", "5", "3", "4"}));

    EXPECT_EQ(DropTargetRow(7, 3), 2);
    EXPECT_EQ(DropTargetRow(-1, 0), -1);
}

TEST_F(BatchDlgTest, AvailableList_ShowsTheProfilesOfTheFolder)
{
    ASSERT_EQ(dialog.AvailableLst->count(), 2);
    EXPECT_EQ(dialog.AvailableLst->item(0)->text(), "A.VRD");
    EXPECT_EQ(dialog.AvailableLst->item(1)->text(), "b.vrd");
    EXPECT_EQ(dialog.Folder().toStdString(), jobs + "/");
}

TEST_F(BatchDlgTest, NewBatch_StartsAtTheRootOfDriveC)
{
    cParameters empty;
    TBatchDlg fresh;
    fresh.LoadFrom(empty);
    EXPECT_EQ(fresh.DriveEdt->text(), "C:");
    EXPECT_EQ(fresh.DirEdt->text(), "\\");
    EXPECT_EQ(fresh.Folder(), "/");
}

// Adding twice gives two entries, each continuing always; a drag from the available list
// appends as well.
TEST_F(BatchDlgTest, Adding_AppendsDuplicatesWithAlways)
{
    dialog.AvailableLst->item(1)->setSelected(true);
    dialog.AvailableAddAct->trigger();
    dialog.AddBtn->click();
    const auto& entries = dialog.Entries();
    ASSERT_EQ(entries.size(), 7u);
    EXPECT_EQ(entries[5].Text, jobs + "/b.vrd");
    EXPECT_EQ(entries[6].Text, jobs + "/b.vrd");
    EXPECT_EQ(entries[5].Value, 0);
    EXPECT_EQ(entries[6].Value, 0);

    dialog.FileEdt->setText("A.VRD");
    dialog.AvailableLst->clearSelection();
    dialog.FileAddAct->trigger();
    EXPECT_EQ(dialog.Entries().back().Text, jobs + "/A.VRD");

    QMimeData data;
    data.setData(kProfilePathsMime, "/srv/x.vrd\n/srv/y.vrd");
    SendDrop(RowCentre(0), data);
    ASSERT_EQ(dialog.Entries().size(), 10u);
    EXPECT_EQ(dialog.Entries()[9].Text, "/srv/y.vrd");
}

TEST_F(BatchDlgTest, DropOnFirstRow_MovesTheLastTwoThere)
{
    Select({3, 4});
    DropRowsAt(RowCentre(0));
    EXPECT_EQ(Names(), (std::vector<std::string>{"vier.vrd", "fünf.vrd", "eins.vrd", "zwei.vrd",
                                                 "drei.vrd"}));
    EXPECT_TRUE(dialog.SelectedLst->item(0)->isSelected());
    EXPECT_TRUE(dialog.SelectedLst->item(1)->isSelected());
    EXPECT_FALSE(dialog.SelectedLst->item(2)->isSelected());
}

TEST_F(BatchDlgTest, DropBelowTheRows_MovesToTheEnd)
{
    Select({0, 2});
    const QRect last = dialog.SelectedLst->visualItemRect(dialog.SelectedLst->item(4));
    DropRowsAt(QPoint(last.center().x(), last.bottom() + 20));
    EXPECT_EQ(Names(), (std::vector<std::string>{"zwei.vrd", "vier.vrd", "fünf.vrd", "eins.vrd",
                                                 "drei.vrd"}));
}

TEST_F(BatchDlgTest, Buttons_MoveRemoveAndSetConditions)
{
    Select({1});
    dialog.UpBtn->click();
    EXPECT_EQ(Names()[0], "zwei.vrd");
    dialog.DownBtn->click();
    dialog.DownBtn->click();
    EXPECT_EQ(Names()[2], "zwei.vrd");

    Select({0, 2});
    dialog.ConditionAct[2]->trigger();
    Select({4});
    dialog.ConditionAct[1]->trigger();
    Select({3});
    dialog.SelectedRemoveAct->trigger();
    dialog.SaveTo(params);
    ASSERT_EQ(params.Batch.Profiles.Count(), 4);
    EXPECT_EQ(params.Batch.Profiles.Value(0), 2);
    EXPECT_EQ(params.Batch.Profiles.Value(1), 0);
    EXPECT_EQ(params.Batch.Profiles.Value(2), 2);
    EXPECT_EQ(params.Batch.Profiles.Value(3), 1);
    EXPECT_EQ(params.Batch.Profiles[2], jobs + "/zwei.vrd");
    EXPECT_TRUE(params.Modified);
    EXPECT_FALSE(dialog.SelectedRemoveAct->isEnabled());
}

TEST_F(BatchDlgTest, Click_PutsTheNameIntoTheFileField)
{
    const QRect row = dialog.SelectedLst->visualItemRect(dialog.SelectedLst->item(2));
    QTest::mouseClick(dialog.SelectedLst->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(dialog.FileEdt->text(), "drei.vrd");
    EXPECT_TRUE(dialog.SelectedShowAct->isEnabled());
}

TEST_F(BatchDlgTest, Cancel_ChangesNothing)
{
    const cBatchParameters before = params.Batch;
    OnNextModal([](QWidget* modal) {
        auto* batch = qobject_cast<TBatchDlg*>(modal);
        if (batch == nullptr) {
            return;
        }
        batch->SelectedLst->item(0)->setSelected(true);
        batch->SelectedRemoveAct->trigger();
        batch->CancelBtn->click();
    });
    EXPECT_FALSE(TBatchDlg::Open(nullptr, params, -1));
    EXPECT_EQ(params.Batch, before);
}

// The warning boxes follow "Individuelle Einstellungen ... überschreiben" but keep their values.
TEST_F(BatchDlgTest, MoreDialog_WarningsOnlyWithOverride)
{
    params.Batch.OverrideWarnings = false;
    params.Batch.WarningFlags = 0x81;
    params.Modified = false;
    OnNextModal([](QWidget* modal) {
        auto* more = qobject_cast<TMoreDlg*>(modal);
        if (more == nullptr) {
            return;
        }
        auto* message = Control<QCheckBox>(more, "NoFilesMsgChk");
        EXPECT_TRUE(message->isChecked());
        EXPECT_FALSE(message->isEnabled());
        more->OverrideChk->click();
        EXPECT_TRUE(message->isEnabled());
        Control<QCheckBox>(more, "DiskSpaceSoundChk")->click();
        more->ShutdownCbo->setCurrentIndex(2);
        more->TrayChk->click();
        more->OkBtn->click();
    });
    dialog.MoreBtn->click();
    EXPECT_TRUE(params.Batch.OverrideWarnings);
    EXPECT_EQ(params.Batch.WarningFlags, 0x89);
    EXPECT_EQ(params.Batch.ShutdownMode, 2);
    EXPECT_TRUE(params.Batch.MinimizeToTray);
    EXPECT_TRUE(params.Modified);
}

// "Anzeigen" shows the batch's entries one by one and the folder's profiles side by side;
// "In Verdal öffnen" starts the program with the path as one argument.
TEST_F(BatchDlgTest, ShowAndOpen_HandThePathsOn)
{
    std::vector<std::pair<std::string, bool>> shown;
    dialog.ShowProfile = [&shown](QWidget*, const std::string& path, bool modal) {
        shown.emplace_back(path, modal);
    };
    std::vector<std::vector<std::string>> started;
    const auto previous = DialogServices::StartProgram;
    DialogServices::StartProgram = [&started](const std::vector<std::string>& argv) {
        started.push_back(argv);
        return 33;
    };
    Select({1});
    dialog.SelectedShowAct->trigger();
    dialog.AvailableLst->item(0)->setSelected(true);
    dialog.AvailableShowAct->trigger();
    dialog.SelectedOpenAct->trigger();
    DialogServices::StartProgram = previous;

    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], std::make_pair(jobs + "/zwei.vrd", true));
    EXPECT_EQ(shown[1], std::make_pair(jobs + "/A.VRD", false));
    ASSERT_EQ(started.size(), 1u);
    ASSERT_EQ(started[0].size(), 2u);
    EXPECT_EQ(started[0][1], jobs + "/zwei.vrd");
}
