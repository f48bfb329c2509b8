#include "dialogs/TSourceDlg.h"

#include <sys/stat.h>
#include <unistd.h>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "DriveDialogFixture.h"
#include "app/MainWnd.h"

using namespace verdal;

namespace {

class SourceDlgTest : public test::DriveDialogFixture
{
protected:
    void SetUp() override
    {
        DriveDialogFixture::SetUp();
        dir.createFile("Quelle/Daten/Brief.doc");
        dir.createFile("Quelle/Daten/Notiz.txt");
        dir.createFile("Quelle/Daten/README");
        dir.createDir("Quelle/Daten/Alt");
        dir.createDir("Quelle/Musik");
        params.SourceDrive = sourceRoot;
        for (cStringList* list :
             {&params.SearchDirectories, &params.ExcludeDirectories, &params.CompareFiles,
              &params.EnforceFiles, &params.DeleteFiles, &params.ExcludeFiles}) {
            list->Clear();
        }
        params.SearchDirectories.Add("\\Daten\\*");
        params.ExcludeDirectories.Add("\\Daten\\Alt\\");
        params.CompareFiles.Add("*.doc");
        params.Modified = false;
    }

    // A shown dialog on a copy of the profile.
    std::unique_ptr<TSourceDlg> Open()
    {
        auto dialog = std::make_unique<TSourceDlg>();
        dialog->LoadFrom(params);
        dialog->show();
        return dialog;
    }

    static QStringList Entries(const QWidget& dialog, const char* list)
    {
        QStringList entries;
        const auto* box = dialog.findChild<QListWidget*>(QString::fromLatin1(list));
        for (int i = 0; box && i < box->count(); ++i) {
            entries << box->item(i)->text();
        }
        return entries;
    }

    static void SelectEntries(const QWidget& dialog, const char* list, const QStringList& wanted)
    {
        auto* box = dialog.findChild<QListWidget*>(QString::fromLatin1(list));
        ASSERT_NE(box, nullptr);
        box->clearSelection();
        for (int i = 0; i < box->count(); ++i) {
            box->item(i)->setSelected(wanted.contains(box->item(i)->text()));
        }
    }

    static QStringList ViewRows(const QWidget& dialog)
    {
        QStringList rows;
        const auto* view = dialog.findChild<QTreeWidget*>("ListView");
        for (int i = 0; i < view->topLevelItemCount(); ++i) {
            rows << view->topLevelItem(i)->text(0) + "|" + view->topLevelItem(i)->text(1);
        }
        return rows;
    }

    // The drag a list or view would start with its selected rows.
    static QMimeData* DragFrom(QAbstractItemView* view)
    {
        return view->model()->mimeData(view->selectionModel()->selectedIndexes());
    }
};

}  // namespace

TEST_F(SourceDlgTest, Opening_ShowsTheProfileAndTheFirstDirectory)
{
    auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), "Quelle");
    EXPECT_EQ(Find<QLineEdit>(*dialog, "DriveEdt")->text().toStdString(), sourceRoot);
    EXPECT_EQ(Find<QLineEdit>(*dialog, "DirEdt")->text(), "\\Daten\\");
    EXPECT_EQ(Find<TDirectoryTree>(*dialog, "DirTree")->SelectedPath(), "\\Daten\\");
    EXPECT_EQ(Entries(*dialog, "SearchDirectoriesLst"), QStringList{"\\Daten\\*"});
    EXPECT_EQ(Entries(*dialog, "ExcludeDirectoriesLst"), QStringList{"\\Daten\\Alt\\"});
    EXPECT_EQ(Entries(*dialog, "CompareFilesLst"), QStringList{"*.doc"});
    EXPECT_EQ(ViewRows(*dialog), (QStringList{"Brief|.doc", "Notiz|.txt", "README|"}));
    EXPECT_EQ(Find<QLineEdit>(*dialog, "FileEdt")->text(), "Brief.doc");
    EXPECT_EQ(Find<QWidget>(*dialog, "DriveEdt")->toolTip(), "Rechts klicken für Befehle");
}

TEST_F(SourceDlgTest, DirectoryEntries_AddAndToggleWithAndWithoutMarker)
{
    auto dialog = Open();
    auto* dirEdt = Find<QLineEdit>(*dialog, "DirEdt");
    Trigger(*dialog, "DirAddSubItm");  // \Daten\* is listed already
    Trigger(*dialog, "DirAddItm");     // and so is \Daten\ in that form
    EXPECT_EQ(Entries(*dialog, "SearchDirectoriesLst"), QStringList{"\\Daten\\*"});
    dirEdt->setText("Sicherung");
    Trigger(*dialog, "DirAddItm");
    dirEdt->setText("\\Musik");
    Trigger(*dialog, "DirAddSubItm");
    EXPECT_EQ(Entries(*dialog, "SearchDirectoriesLst"),
              (QStringList{"\\Daten\\*", "\\Musik\\*", "\\Sicherung\\"}));

    EXPECT_FALSE(dialog->findChild<QAction*>("DirToggleItm")->isEnabled());
    SelectEntries(*dialog, "SearchDirectoriesLst", {"\\Daten\\*", "\\Sicherung\\"});
    Trigger(*dialog, "DirToggleItm");
    EXPECT_EQ(Entries(*dialog, "SearchDirectoriesLst"),
              (QStringList{"\\Daten\\", "\\Musik\\*", "\\Sicherung\\*"}));

    // The tree's commands add the selected tree directory; the other page takes them when shown.
    Find<QTabWidget>(*dialog, "DirPages")->setCurrentIndex(1);
    Find<TDirectoryTree>(*dialog, "DirTree")->SelectPath("\\Musik\\");
    Trigger(*dialog, "TreeAddItm");
    EXPECT_EQ(Entries(*dialog, "ExcludeDirectoriesLst"),
              (QStringList{"\\Daten\\Alt\\", "\\Musik\\"}));
    SelectEntries(*dialog, "ExcludeDirectoriesLst", {"\\Daten\\Alt\\"});
    Trigger(*dialog, "DirRemoveItm");
    EXPECT_EQ(Entries(*dialog, "ExcludeDirectoriesLst"), QStringList{"\\Musik\\"});
    EXPECT_FALSE(dialog->findChild<QAction*>("DirRemoveItm")->isEnabled());
}

TEST_F(SourceDlgTest, FileEntries_FromTheViewAndTheField)
{
    auto dialog = Open();
    auto* view = Find<QTreeWidget>(*dialog, "ListView");
    auto* pages = Find<QTabWidget>(*dialog, "FilePages");
    pages->setCurrentIndex(1);
    view->clearSelection();
    view->topLevelItem(0)->setSelected(true);  // Brief.doc
    view->topLevelItem(2)->setSelected(true);  // README
    Trigger(*dialog, "ViewAddTypeItm");
    EXPECT_EQ(Entries(*dialog, "EnforceFilesLst"), (QStringList{"*", "*.doc"}));
    Trigger(*dialog, "ViewAddItm");
    EXPECT_EQ(Entries(*dialog, "EnforceFilesLst"),
              (QStringList{"*", "*.doc", "Brief.doc", "README"}));

    pages->setCurrentIndex(2);
    auto* fileEdt = Find<QLineEdit>(*dialog, "FileEdt");
    fileEdt->setText("Bild.JPG");
    Trigger(*dialog, "FileAddTypeItm");
    Trigger(*dialog, "FileAddItm");
    Trigger(*dialog, "FileMaskItm");
    EXPECT_EQ(fileEdt->text(), "*.");
    Trigger(*dialog, "FileAddItm");
    EXPECT_EQ(Entries(*dialog, "DeleteFilesLst"), (QStringList{"*.", "*.JPG", "Bild.JPG"}));
    SelectEntries(*dialog, "DeleteFilesLst", {"*.JPG"});
    Trigger(*dialog, "FileRemoveItm");
    EXPECT_EQ(Entries(*dialog, "DeleteFilesLst"), (QStringList{"*.", "Bild.JPG"}));
}

TEST_F(SourceDlgTest, FileView_HeaderClicksSortByNameOrType)
{
    dir.createFile("Quelle/Daten/Anhang.txt");
    auto dialog = Open();
    QHeaderView* header = Find<QTreeWidget>(*dialog, "ListView")->header();
    emit header->sectionClicked(0);
    EXPECT_EQ(ViewRows(*dialog),
              (QStringList{"README|", "Notiz|.txt", "Brief|.doc", "Anhang|.txt"}));
    emit header->sectionClicked(1);
    EXPECT_EQ(ViewRows(*dialog),
              (QStringList{"Brief|.doc", "Anhang|.txt", "Notiz|.txt", "README|"}));
    emit header->sectionClicked(0);
    EXPECT_EQ(ViewRows(*dialog).first(), "README|");  // name order is still descending
    EXPECT_EQ(fileListings, 1);                       // sorting reads nothing again
}

TEST_F(SourceDlgTest, DragAndDrop_AddsMovesAndRemoves)
{
    auto dialog = Open();
    auto* search = Find<QListWidget>(*dialog, "SearchDirectoriesLst");
    // The view's files onto a file list, by full name.
    auto* view = Find<QTreeWidget>(*dialog, "ListView");
    view->clearSelection();
    view->topLevelItem(1)->setSelected(true);
    EXPECT_TRUE(Drop(Find<QListWidget>(*dialog, "CompareFilesLst")->viewport(), DragFrom(view)));
    EXPECT_EQ(Entries(*dialog, "CompareFilesLst"), (QStringList{"*.doc", "Notiz.txt"}));
    EXPECT_FALSE(Drop(search->viewport(), DragFrom(view)));

    // A directory of the tree onto a directory list, with its subdirectories.
    auto* tree = Find<TDirectoryTree>(*dialog, "DirTree");
    tree->SelectPath("\\Musik\\");
    EXPECT_TRUE(Drop(search->viewport(), DragFrom(tree)));
    EXPECT_EQ(Entries(*dialog, "SearchDirectoriesLst"), (QStringList{"\\Daten\\*", "\\Musik\\*"}));

    // An entry dropped on another page's tab moves to that page.
    auto* compare = Find<QListWidget>(*dialog, "CompareFilesLst");
    SelectEntries(*dialog, "CompareFilesLst", {"Notiz.txt"});
    QTabBar* tabs = Find<QTabWidget>(*dialog, "FilePages")->tabBar();
    EXPECT_TRUE(Drop(tabs, DragFrom(compare), tabs->tabRect(2).center()));
    EXPECT_EQ(Find<QTabWidget>(*dialog, "FilePages")->currentIndex(), 2);
    EXPECT_EQ(Entries(*dialog, "CompareFilesLst"), QStringList{"*.doc"});
    EXPECT_EQ(Entries(*dialog, "DeleteFilesLst"), QStringList{"Notiz.txt"});
    // Directory entries move between their lists too.
    SelectEntries(*dialog, "SearchDirectoriesLst", {"\\Musik\\*"});
    EXPECT_TRUE(
        Drop(Find<QListWidget>(*dialog, "ExcludeDirectoriesLst")->viewport(), DragFrom(search)));
    EXPECT_EQ(Entries(*dialog, "ExcludeDirectoriesLst"),
              (QStringList{"\\Daten\\Alt\\", "\\Musik\\*"}));
    EXPECT_EQ(Entries(*dialog, "SearchDirectoriesLst"), QStringList{"\\Daten\\*"});

    // Dropped on the dialog's free area, entries are removed.
    SelectEntries(*dialog, "CompareFilesLst", {"*.doc"});
    EXPECT_TRUE(Drop(dialog.get(), DragFrom(compare)));
    EXPECT_TRUE(Entries(*dialog, "CompareFilesLst").isEmpty());
}

TEST_F(SourceDlgTest, EmptySearchList_EachAnswer)
{
    struct Case
    {
        const char* Button;
        std::vector<std::string> Stored;
    };
    for (const Case& c : {Case{"YesBtn", {"\\Daten\\"}}, Case{"YesSubdirsBtn", {"\\Daten\\*"}},
                          Case{"NoBtn", {}}}) {
        params.SearchDirectories.Clear();
        params.SearchDirectories.Add("\\Alt\\");
        cParameters edited = params;
        TSourceDlg dialog;
        dialog.LoadFrom(edited);
        dialog.show();
        SelectEntries(dialog, "SearchDirectoriesLst", {"\\Alt\\"});
        Trigger(dialog, "DirRemoveItm");
        Find<QLineEdit>(dialog, "DirEdt")->setText("Daten");
        AnswerNextModal(c.Button);
        Find<QPushButton>(dialog, "OkBtn")->click();
        ASSERT_EQ(dialog.result(), QDialog::Accepted) << c.Button;
        dialog.SaveTo(edited);
        std::vector<std::string> stored;
        for (const auto& item : edited.SearchDirectories.Items()) {
            stored.push_back(item.Text);
        }
        EXPECT_EQ(stored, c.Stored) << c.Button;
    }
}

TEST_F(SourceDlgTest, EmptySearchList_ClosingTheQuestionKeepsTheDialogOpen)
{
    params.SearchDirectories.Clear();
    TSourceDlg dialog;
    dialog.LoadFrom(params);
    dialog.show();
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    Find<QPushButton>(dialog, "OkBtn")->click();
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(SourceDlgTest, OkAndCancel)
{
    const cParameters before = params;
    {
        auto dialog = Open();
        Find<QLineEdit>(*dialog, "FileEdt")->setText("x.y");
        Trigger(*dialog, "FileAddItm");
        Find<QPushButton>(*dialog, "CancelBtn")->click();
    }
    EXPECT_EQ(params.CompareFiles, before.CompareFiles);
    EXPECT_FALSE(params.Modified);

    auto dialog = Open();
    Trigger(*dialog, "FileAddItm");  // "Brief.doc", the first file of the directory

    Find<QPushButton>(*dialog, "OkBtn")->click();
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    dialog->SaveTo(params);
    EXPECT_TRUE(params.Modified);
    EXPECT_EQ(params.CompareFiles.Count(), 2);
    EXPECT_EQ(params.CompareFiles[0], "*.doc");
    EXPECT_EQ(params.CompareFiles[1], "Brief.doc");
    EXPECT_EQ(params.SourceDrive, sourceRoot);
}

TEST_F(SourceDlgTest, VanishedDrive_IsKeptNotReplaced)
{
    params.SourceDrive = dir.filePath("Ausgesteckt");
    auto dialog = Open();
    EXPECT_EQ(Find<TDriveList>(*dialog, "DriveList")->CurrentDrive().toStdString(), sourceRoot);
    EXPECT_EQ(Find<QLineEdit>(*dialog, "DriveEdt")->text().toStdString(), params.SourceDrive);
    EXPECT_EQ(Find<QLineEdit>(*dialog, "DirEdt")->text(), "\\Daten\\");
    cParameters edited = params;
    dialog->SaveTo(edited);
    EXPECT_EQ(edited.SourceDrive, params.SourceDrive);
}

TEST_F(SourceDlgTest, DriveChange_MissingDirectoryFallsBackToTheRoot)
{
    auto dialog = Open();
    Find<QLineEdit>(*dialog, "DriveEdt")->setText(QString::fromStdString(destRoot));
    Trigger(*dialog, "DriveReadItm");
    EXPECT_EQ(Find<TDriveList>(*dialog, "DriveList")->CurrentDrive().toStdString(), destRoot);
    EXPECT_EQ(Find<QLineEdit>(*dialog, "DirEdt")->text(), "\\");
    EXPECT_EQ(Find<TDirectoryTree>(*dialog, "DirTree")->SelectedPath(), "\\");
    EXPECT_TRUE(ViewRows(*dialog).isEmpty());
    EXPECT_TRUE(Find<QLineEdit>(*dialog, "FileEdt")->text().isEmpty());
}

TEST_F(SourceDlgTest, CheckCommands_ReportValidity)
{
    auto dialog = Open();
    Trigger(*dialog, "DriveCheckItm");
    Find<QLineEdit>(*dialog, "DriveEdt")->setText("A*:");
    Trigger(*dialog, "DriveCheckItm");
    Find<QLineEdit>(*dialog, "DirEdt")->setText("\\Daten\\");
    Trigger(*dialog, "DirCheckItm");
    Find<QLineEdit>(*dialog, "DirEdt")->setText("Daten");
    Trigger(*dialog, "DirCheckItm");
    EXPECT_EQ(presenter.Codes(), (std::vector<int>{30001, 30002, 30003, 30004}));
    EXPECT_EQ(presenter.Messages[1].Text.substr(0, 34), "\"A*:\" ist kein gültiges Laufwerk.");
}

TEST_F(SourceDlgTest, LargeTree_OnlyShownDirectoriesAreRead)
{
    // 20 top directories of 1,000 each, in memory where the system offers it: 20,000 directories
    // on a busy disk take longer to make than the whole suite should.
    const std::string parent = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : dir.path();
    std::string root = parent + "/verdal-tree-XXXXXX";
    ASSERT_NE(::mkdtemp(root.data()), nullptr);
    struct Remover
    {
        std::string Path;
        ~Remover() { std::filesystem::remove_all(Path); }
    } remover{root};
    for (int top = 0; top < 20; ++top) {
        const std::string topDir = root + "/Bereich" + std::to_string(top);
        ASSERT_EQ(::mkdir(topDir.c_str(), 0700), 0);
        for (int sub = 0; sub < 1000; ++sub) {
            ASSERT_EQ(::mkdir((topDir + "/Ordner" + std::to_string(sub)).c_str(), 0700), 0);
        }
    }
    drives_ = {root};
    params.SourceDrive = root;
    params.SearchDirectories.Clear();
    params.SearchDirectories.Add("\\Bereich7\\Ordner5\\*");
    dirListings = 0;
    fileListings = 0;
    const auto start = std::chrono::steady_clock::now();
    auto dialog = Open();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    RecordProperty(
        "OpenMilliseconds",
        static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()));
    EXPECT_EQ(Find<TDirectoryTree>(*dialog, "DirTree")->SelectedPath(), "\\Bereich7\\Ordner5\\");
    // The root and the one directory expanded on the way, and the files of the selected one.
    EXPECT_EQ(dirListings, 2);
    EXPECT_EQ(fileListings, 1);
}

TEST_F(SourceDlgTest, MainWindow_OpensTheDialogAndRebuildsTheSourceNode)
{
    TMainWnd window;
    Params() = params;
    Params().FileKind = 0;
    window.RefreshDocumentView();
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || dialog->windowTitle() != "Quelle") {
            return;  // the test below then fails on the unchanged tree
        }
        dialog->findChild<QLineEdit*>("FileEdt")->setText("Neu.txt");
        dialog->findChild<QAction*>("FileAddItm")->trigger();
        dialog->findChild<QPushButton*>("OkBtn")->click();
    });
    window.findChild<QAction*>("SourceItm")->trigger();

    EXPECT_TRUE(Params().Modified);
    const auto* tree = window.findChild<QTreeWidget*>("ProfileTree");
    ASSERT_NE(tree, nullptr);
    const QTreeWidgetItem* source = tree->topLevelItem(0);
    EXPECT_TRUE(source->isExpanded());
    QStringList texts;
    std::function<void(const QTreeWidgetItem*)> collect = [&](const QTreeWidgetItem* item) {
        texts << item->text(0);
        for (int i = 0; i < item->childCount(); ++i) {
            collect(item->child(i));
        }
    };
    collect(source);
    EXPECT_TRUE(texts.contains("Neu.txt")) << texts.join(" | ").toStdString();
    Params().Reset();
}
