#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "RunWindowsSupport.h"
#include "dialogs/DialogServices.h"
#include "dialogs/ReviewModel.h"
#include "dialogs/ReviewRules.h"
#include "dialogs/TListDlg.h"
#include "engine/CandidateOrder.h"
#include "engine/RunContext.h"
#include "print/THardcopyDlg.h"
#include "settings/OptionsFile.h"
#include "settings/Parameters.h"
#include "support/TestDir.h"

using namespace verdal;
using namespace verdal::test;

namespace {

constexpr FileTime kTime = 133000000000000000ULL;

FileStamp Stamp(int64_t size)
{
    return FileStamp{0, kTime, size};
}
const FileStamp kMissing{};

cCandidate Make(uint16_t category, const FileStamp& src, const FileStamp& dst,
                const std::string& file, int dir = 0)
{
    std::string name, ext;
    SplitFileName(file, name, ext);
    return cCandidate(category, dst, src, name, ext, dir);
}

TEST(ReviewRules, CycleRings_OfBothOrphans)
{
    // No source: Skip, Delete, Backward, then Forward is refused and becomes Skip.
    cCandidate destOrphan = Make(kSkip, kMissing, Stamp(5), "d.txt");
    std::vector<uint16_t> seen;
    for (int i = 0; i < 4; ++i) {
        CycleAction(destOrphan);
        seen.push_back(destOrphan.Action());
    }
    EXPECT_EQ(seen, (std::vector<uint16_t>{kDelete, kBackward, kSkip, kDelete}));
    // No destination: Delete, then Backward is refused and becomes Forward.
    cCandidate srcOrphan = Make(kDelete | kSizeWarning, Stamp(5), kMissing, "s.txt");
    seen.clear();
    for (int i = 0; i < 3; ++i) {
        CycleAction(srcOrphan);
        seen.push_back(srcOrphan.Action());
    }
    EXPECT_EQ(seen, (std::vector<uint16_t>{kForward, kSkip, kDelete}));
    EXPECT_TRUE(srcOrphan.Category & kSizeWarning);
}

TEST(ReviewRules, SetAction_RefusesImpossibleDirections)
{
    cCandidate destOrphan = Make(kSkip | kDoubleChange, kMissing, Stamp(5), "d.txt");
    EXPECT_FALSE(SetAction(destOrphan, kForward));
    EXPECT_EQ(destOrphan.Action(), kSkip);
    EXPECT_TRUE(SetAction(destOrphan, kBackward));
    EXPECT_EQ(destOrphan.Category, kBackward | kDoubleChange);
    cCandidate srcOrphan = Make(kForward, Stamp(5), kMissing, "s.txt");
    EXPECT_FALSE(SetAction(srcOrphan, kBackward));
    EXPECT_EQ(srcOrphan.Action(), kForward);
}

TEST(ReviewRules, Filters_RequireEveryFlagSwitchedOn)
{
    cOverviewParameters view;
    const cCandidate one = Make(kForward | kSizeWarning, Stamp(1), Stamp(2), "a");
    const cCandidate both = Make(kForward | kSizeWarning | kDoubleChange, Stamp(1), Stamp(2), "b");
    EXPECT_TRUE(PassesFilters(one, view));
    view.FilterSizes = true;
    EXPECT_TRUE(PassesFilters(one, view));
    view.FilterDoubleChange = true;
    EXPECT_FALSE(PassesFilters(one, view));
    EXPECT_TRUE(PassesFilters(both, view));
}

TEST(ReviewRules, Enabling_OfTheCompareButtons)
{
    const cCandidate equal = Make(kForward, Stamp(7), Stamp(7), "e");
    const cCandidate unequal = Make(kForward, Stamp(7), Stamp(8), "u");
    const cCandidate orphan = Make(kForward, Stamp(7), kMissing, "o");
    auto enabling = [](const cCandidate* c, int rows, bool external) {
        return EnablingFor(ReviewSelection{rows, c ? 1 : 0, c}, external);
    };
    EXPECT_TRUE(enabling(&equal, 1, false).CompareInternal);
    EXPECT_FALSE(enabling(&equal, 1, false).CompareExternal);
    EXPECT_TRUE(enabling(&unequal, 1, true).CompareExternal);
    EXPECT_FALSE(enabling(&unequal, 1, true).CompareInternal);
    EXPECT_FALSE(enabling(&orphan, 1, true).CompareExternal);
    EXPECT_FALSE(enabling(&equal, 2, true).CompareInternal);
    EXPECT_FALSE(enabling(nullptr, 1, true).Open);
    EXPECT_TRUE(enabling(nullptr, 1, true).Actions);
}

TEST(ReviewRules, CompareTexts_AndArguments)
{
    EXPECT_EQ(InternalCompareText("/q/a", "/z/a", 0),
              "Die Dateien\n\n/q/a\n\nund\n\n/z/a\n\nsind identisch.");
    EXPECT_EQ(InternalCompareText("/q/a", "/z/a", 2001),
              "Die Dateien\n\n/q/a\n\nund\n\n/z/a\n\nsind NICHT identisch.");
    // A file that cannot be read is no verdict on its contents.
    const std::string failed = InternalCompareText("/q/a", "/z/a", 5);
    EXPECT_EQ(failed.find("NICHT"), std::string::npos);
    EXPECT_NE(failed.find("Fehler 5"), std::string::npos) << failed;
    // Hostile names stay single arguments.
    const auto argv =
        ExternalCompareArguments("meld", "--diff %1 %2", "/q/a\" --output=x \"%2", "/z/b c");
    EXPECT_EQ(argv,
              (std::vector<std::string>{"meld", "--diff", "/q/a\" --output=x \"%2", "/z/b c"}));
    bool missing = false;
    EXPECT_EQ(FreeSpaceText(-1, 0, missing), "");
    EXPECT_EQ(FreeSpaceText(10, -1572864, missing), "1,500 MB fehlen");
    EXPECT_TRUE(missing);
}

// A run in memory: directory 0 holds three files, directory 1 two, one of them a destination
// orphan and one a source orphan.
class ReviewListTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { EnsureGuiApp(); }
    void SetUp() override
    {
        params.Reset();
        params.SortingMode = kSortPath;
        params.ReverseOrder = false;
        params.Overview = cOverviewParameters{};
        params.Programm.CompareA.clear();
        run.ProfilePath = "/tmp/Test.vrd";
        run.SourceNativeRoot = dir.filePath("q");
        run.DestinationNativeRoot = dir.filePath("z");
        run.DestinationBase = "\\";
        run.SourceDirs = {"\\", "\\Briefe\\"};
        run.DestinationDirs = run.SourceDirs;
        Add(kForward | kSizeWarning, Stamp(300), Stamp(200), "gross.txt", 0);
        Add(kForward, Stamp(10), Stamp(10), "gleich.txt", 0);
        Add(kSkip, Stamp(10), Stamp(11), "anders.txt", 0);
        Add(kSkip, kMissing, Stamp(4), "nurziel.doc", 1);      // destination orphan
        Add(kDelete, Stamp(4), kMissing, "nurquelle.doc", 1);  // source orphan
        SortRun(run, kSortPath, false, true);
    }
    void Add(uint16_t category, const FileStamp& src, const FileStamp& dst, const std::string& file,
             int d)
    {
        run.Candidates.Emplace(Make(category, src, dst, file, d));
    }
    const cCandidate& Named(const std::string& file) const
    {
        for (const auto& c : run.Candidates.Items()) {
            if (c->FileName() == file) {
                return *c;
            }
        }
        throw std::runtime_error(file);
    }
    int RowOf(TListDlg& dlg, const std::string& file) const
    {
        for (int r = 0; r < dlg.Model().rowCount(); ++r) {
            const cCandidate* c = dlg.Model().CandidateAt(r);
            if (c && c->FileName() == file) {
                return r;
            }
        }
        return -1;
    }
    void Select(TListDlg& dlg, std::initializer_list<int> rows)
    {
        dlg.List()->clearSelection();
        for (int r : rows) {
            dlg.List()->selectionModel()->select(dlg.Model().index(r), QItemSelectionModel::Select);
        }
    }
    template <class T>
    static T* Control(QWidget& dlg, const char* name)
    {
        T* w = dlg.findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    TestDir dir;
    cParameters& params = Params();
    cRunContext run{params, nullptr};
};

TEST_F(ReviewListTest, ForwardRefusedWithoutSource_OtherActionsApply)
{
    TListDlg dlg(run, params);
    Select(dlg, {RowOf(dlg, "nurziel.doc")});
    QTest::mouseClick(Control<QPushButton>(dlg, "ForwardBtn"), Qt::LeftButton);
    EXPECT_EQ(Named("nurziel.doc").Action(), kSkip);
    QTest::mouseClick(Control<QPushButton>(dlg, "BackwardBtn"), Qt::LeftButton);
    EXPECT_EQ(Named("nurziel.doc").Action(), kBackward);
    EXPECT_EQ(Control<QLabel>(dlg, "BackwardCountLbl")->text(), "1");
    // The keys act on the selection: Insert skips, Shift+Delete goes backward.
    Select(dlg, {RowOf(dlg, "gleich.txt"), RowOf(dlg, "gross.txt")});
    QTest::keyClick(dlg.List(), Qt::Key_Insert);
    EXPECT_EQ(Named("gleich.txt").Action(), kSkip);
    EXPECT_EQ(Named("gross.txt").Action(), kSkip);
    QTest::keyClick(dlg.List(), Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(Named("gross.txt").Action(), kBackward);
    QTest::keyClick(dlg.List(), Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(Named("gross.txt").Action(), kBackward);
}

TEST_F(ReviewListTest, ClickInLeftZone_CyclesWithoutReset)
{
    TListDlg dlg(run, params);
    dlg.resize(900, 400);
    dlg.show();
    QSignalSpy resets(&dlg.Model(), &QAbstractItemModel::modelReset);
    QSignalSpy changes(&dlg.Model(), &QAbstractItemModel::dataChanged);
    const int row = RowOf(dlg, "nurquelle.doc");
    const QRect rect = dlg.List()->visualRect(dlg.Model().index(row));
    QTest::mouseClick(dlg.List()->viewport(), Qt::LeftButton, {}, rect.topLeft() + QPoint(4, 4));
    EXPECT_EQ(Named("nurquelle.doc").Action(), kForward);  // Backward has no target here
    EXPECT_EQ(resets.count(), 0);
    EXPECT_GE(changes.count(), 1);
    // The screen reader's text follows the action.
    EXPECT_TRUE(dlg.Model()
                    .data(dlg.Model().index(row), Qt::DisplayRole)
                    .toString()
                    .contains(QStringLiteral("Vorwärts")));
}

TEST_F(ReviewListTest, TwoFilters_HideCandidateWithOneFlag_GroupActionReachesIt)
{
    run.Candidates[1].Category |= kDoubleChange;
    run.Candidates[1].Category |= kSizeWarning;  // gleich.txt carries both flags
    TListDlg dlg(run, params);
    QTest::mouseClick(Control<QToolButton>(dlg, "FilterSizeBtn"), Qt::LeftButton);
    EXPECT_NE(RowOf(dlg, "gross.txt"), -1);
    QTest::mouseClick(Control<QToolButton>(dlg, "FilterDoubleBtn"), Qt::LeftButton);
    EXPECT_EQ(RowOf(dlg, "gross.txt"), -1);  // only the size flag
    EXPECT_NE(RowOf(dlg, "gleich.txt"), -1);
    EXPECT_EQ(RowOf(dlg, "anders.txt"), -1);
    // The group row of the first directory passes Delete to its hidden members too.
    ASSERT_NE(dlg.Model().GroupAt(0), nullptr);
    Select(dlg, {0});
    QTest::mouseClick(Control<QPushButton>(dlg, "DeleteBtn"), Qt::LeftButton);
    EXPECT_EQ(Named("gross.txt").Action(), kDelete);
    EXPECT_EQ(Named("anders.txt").Action(), kDelete);
    EXPECT_EQ(Named("nurziel.doc").Action(), kSkip);  // another group
    EXPECT_EQ(dlg.Model().CountsOf(0), (ActionCounts{0, 0, 3, 0}));
}

TEST_F(ReviewListTest, CancelAfterResort_KeepsSavedView)
{
    {
        TListDlg dlg(run, params);
        dlg.List()->setCurrentIndex(dlg.Model().index(RowOf(dlg, "gleich.txt")));
        QTest::mouseClick(Control<QToolButton>(dlg, "SortNameBtn"), Qt::LeftButton);
        // The current row stays on the same candidate after the re-sort.
        EXPECT_EQ(dlg.List()->currentIndex().row(), RowOf(dlg, "gleich.txt"));
        QTest::mouseClick(Control<QToolButton>(dlg, "AscendingBtn"), Qt::LeftButton);
        QTest::mouseClick(Control<QToolButton>(dlg, "OneLineBtn"), Qt::LeftButton);
        QTest::mouseClick(Control<QToolButton>(dlg, "FilterPropertiesBtn"), Qt::LeftButton);
        QTest::mouseClick(Control<QToolButton>(dlg, "FilterPropertiesBtn"), Qt::LeftButton);
        QTest::mouseClick(Control<QToolButton>(dlg, "FilterSizeBtn"), Qt::LeftButton);
        QTest::mouseClick(Control<QToolButton>(dlg, "FilterSizeBtn"), Qt::LeftButton);
        EXPECT_EQ(params.SortingMode, kSortName);
        // Names from Z to A now: the first candidate row is "nurziel.doc".
        ASSERT_NE(dlg.Model().CandidateAt(1), nullptr);
        EXPECT_EQ(dlg.Model().CandidateAt(1)->FileName(), "nurziel.doc");
        QTest::mouseClick(Control<QToolButton>(dlg, "FilterDoubleBtn"), Qt::LeftButton);
        WhenModal<TListDlg>([](TListDlg* d) { d->CancelBtn->click(); });
        EXPECT_EQ(dlg.exec(), QDialog::Rejected);
    }
    EXPECT_EQ(params.SortingMode, kSortPath);
    EXPECT_FALSE(params.ReverseOrder);
    EXPECT_FALSE(params.Overview.OneLineRows);
    EXPECT_FALSE(params.Overview.FilterDoubleChange);
}

TEST_F(ReviewListTest, Placement_StoredOnHideAndRestored)
{
    params.WindowPositions[kWinOverview] = cWindowPos{10, 20, 710, 420, false};
    {
        TListDlg dlg(run, params);
        dlg.show();
        EXPECT_EQ(dlg.size(), QSize(700, 400));
        dlg.resize(660, 380);
        dlg.hide();
    }
    const cWindowPos& pos = params.WindowPositions[kWinOverview];
    EXPECT_EQ(pos.Right - pos.Left, 660);
    EXPECT_EQ(pos.Bottom - pos.Top, 380);
}

TEST_F(ReviewListTest, CompareButtons_EnablingAndInternalText)
{
    dir.createFile("q/gleich.txt", "0123456789");
    dir.createFile("z/gleich.txt", "0123456789");
    dir.createFile("q/gross.txt", std::string(300, 'a'));
    TListDlg dlg(run, params);
    auto* intern = Control<QPushButton>(dlg, "CompareInternBtn");
    auto* extern_ = Control<QPushButton>(dlg, "CompareExternBtn");
    Select(dlg, {RowOf(dlg, "gross.txt")});  // sizes differ
    EXPECT_FALSE(intern->isEnabled());
    Select(dlg, {RowOf(dlg, "gleich.txt")});
    EXPECT_TRUE(intern->isEnabled());
    EXPECT_FALSE(extern_->isEnabled());  // no program configured
    QString text;
    WhenModal<QMessageBox>([&text](QMessageBox* box) {
        text = box->text();
        box->accept();
    });
    intern->click();
    const QString q = QString::fromStdString(dir.filePath("q/gleich.txt"));
    const QString z = QString::fromStdString(dir.filePath("z/gleich.txt"));
    EXPECT_EQ(text, "Die Dateien\n\n" + q + "\n\nund\n\n" + z + "\n\nsind identisch.");
    dir.createFile("z/gleich.txt", "0123456780");
    WhenModal<QMessageBox>([&text](QMessageBox* box) {
        text = box->text();
        box->accept();
    });
    intern->click();
    EXPECT_TRUE(text.endsWith("sind NICHT identisch.")) << text.toStdString();
}

TEST_F(ReviewListTest, ExternalCompare_StartsProgramWithRunPaths)
{
    params.Programm.CompareA = "/usr/bin/vergleich";
    params.Programm.CompareB = "-a %1 -b %2";
    std::vector<std::string> started;
    auto previous = DialogServices::StartProgram;
    DialogServices::StartProgram = [&started](const std::vector<std::string>& argv) {
        started = argv;
        return 42;
    };
    TListDlg dlg(run, params);
    Select(dlg, {RowOf(dlg, "anders.txt")});
    Control<QPushButton>(dlg, "CompareExternBtn")->click();
    DialogServices::StartProgram = previous;
    EXPECT_EQ(started,
              (std::vector<std::string>{"/usr/bin/vergleich", "-a", dir.filePath("q/anders.txt"),
                                        "-b", dir.filePath("z/anders.txt")}));
}

TEST_F(ReviewListTest, Folding_CloseThisFolderKeepsGroupCurrent)
{
    TListDlg dlg(run, params);
    const int rows = dlg.Model().rowCount();
    EXPECT_EQ(rows, 7);  // two groups, five candidates
    dlg.List()->setCurrentIndex(dlg.Model().index(RowOf(dlg, "nurquelle.doc")));
    Control<QPushButton>(dlg, "CloseFolderBtn")->click();
    EXPECT_EQ(dlg.Model().rowCount(), 5);
    ASSERT_NE(dlg.Model().GroupAt(dlg.List()->currentIndex().row()), nullptr);
    EXPECT_FALSE(dlg.Model().GroupAt(dlg.List()->currentIndex().row())->Open);
    Control<QPushButton>(dlg, "CloseAllBtn")->click();
    EXPECT_EQ(dlg.Model().rowCount(), 2);
    Control<QPushButton>(dlg, "OpenAllBtn")->click();
    EXPECT_EQ(dlg.Model().rowCount(), 7);
}

TEST_F(ReviewListTest, ButtonsReadable_PrintWithoutPrinter_EnterIsOk)
{
    TListDlg dlg(run, params);
    EXPECT_EQ(dlg.windowTitle(), "Verdal 5 - /tmp/Test.vrd");
    EXPECT_EQ(Control<QPushButton>(dlg, "SkipBtn")->accessibleName(), "Überspring.");
    EXPECT_EQ(Control<QToolButton>(dlg, "SortSizeBtn")->toolTip(), "Sortiereungnach Größe");
    EXPECT_EQ(dlg.minimumSize(), QSize(640, 200));
    // "&Drucken" opens the print layout; its OK offers the print dialog (a PDF file is always a
    // choice) and prints the list.
    TestDir out;
    SetOptionsFilePath(out.filePath("Verdal50.ini"));
    const QString pdf = QString::fromStdString(out.filePath("liste.pdf"));
    const int rowCount = dlg.Model().rowCount();
    WhenModal<THardcopyDlg>([&pdf, rowCount](THardcopyDlg* layout) {
        EXPECT_EQ(layout->AllRdo->text(), QStringLiteral("&Alles (%1)").arg(rowCount));
        WhenModal<QPrintDialog>([&pdf](QPrintDialog* d) {
            d->printer()->setOutputFormat(QPrinter::PdfFormat);
            d->printer()->setOutputFileName(pdf);
            d->done(QDialog::Accepted);
        });
        layout->OkBtn->click();
    });
    Control<QPushButton>(dlg, "PrintBtn")->click();
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.read(5) == "%PDF-");
    SetOptionsFilePath({});
    WhenModal<TListDlg>([](TListDlg* d) { QTest::keyClick(d->List(), Qt::Key_Return); });
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
}

TEST_F(ReviewListTest, ContextMenu_FollowsRowUnderPointer_OpenReachesBothSides)
{
    std::vector<std::string> opened;
    auto previous = DialogServices::OpenFile;
    DialogServices::OpenFile = [&opened](const std::string& path) {
        opened.push_back(path);
        return 42;
    };
    TListDlg dlg(run, params);
    dlg.resize(900, 400);
    dlg.show();
    QStringList menuItems;
    auto readMenu = [&menuItems](QMenu* menu) {
        menuItems.clear();
        for (QAction* a : menu->actions()) {
            if (!a->isSeparator()) {
                menuItems << a->text();
            }
        }
        menu->close();
    };
    // Right button on an unselected row: that row alone is selected, the full menu opens.
    Select(dlg, {0, 1});
    const int row = RowOf(dlg, "anders.txt");
    const QPoint at = dlg.List()->visualRect(dlg.Model().index(row)).center();
    QTimer::singleShot(50, [&] { readMenu(dlg.findChild<QMenu*>("ListMenu")); });
    QContextMenuEvent onRow(QContextMenuEvent::Mouse, at, dlg.List()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(dlg.List()->viewport(), &onRow);
    QTest::qWait(100);
    EXPECT_EQ(dlg.SelectedRows(), std::vector<int>{row});
    EXPECT_EQ(menuItems.size(), 10);
    EXPECT_EQ(menuItems.value(1), "&Überspringen");
    // Below the last row: nothing selected, only the two folding commands.
    const QPoint below(10, dlg.List()->viewport()->height() - 2);
    QTimer::singleShot(50, [&] { readMenu(dlg.findChild<QMenu*>("FoldMenu")); });
    QContextMenuEvent empty(QContextMenuEvent::Mouse, below,
                            dlg.List()->viewport()->mapToGlobal(below));
    QApplication::sendEvent(dlg.List()->viewport(), &empty);
    QTest::qWait(100);
    EXPECT_TRUE(dlg.SelectedRows().empty());
    EXPECT_EQ(menuItems, (QStringList{"&Alle Ordner öffnen", "Alle Ordner &schließen"}));
    // "Öffnen" opens each existing side of the selected candidates.
    Select(dlg, {RowOf(dlg, "gleich.txt"), RowOf(dlg, "nurziel.doc")});
    Control<QPushButton>(dlg, "OpenBtn")->click();
    DialogServices::OpenFile = previous;
    EXPECT_EQ(opened,
              (std::vector<std::string>{dir.filePath("q/gleich.txt"), dir.filePath("z/gleich.txt"),
                                        dir.filePath("z/Briefe/nurziel.doc")}));
}

TEST_F(ReviewListTest, MenuKeyOpensMenuAtCurrentRow_HintsFollowTooltips)
{
    params.Programm.Tooltips = false;
    TListDlg dlg(run, params);
    dlg.resize(900, 400);
    dlg.show();
    EXPECT_TRUE(Control<QToolButton>(dlg, "SortPathBtn")->toolTip().isEmpty());
    EXPECT_EQ(Control<QToolButton>(dlg, "SortPathBtn")->accessibleName(), "Sortierung nach Pfad");
    Select(dlg, {RowOf(dlg, "gleich.txt")});
    bool fullMenu = false;
    QTimer::singleShot(50, [&] {
        auto* menu = dlg.findChild<QMenu*>("ListMenu");
        fullMenu = menu && menu->isVisible();
        if (menu) {
            menu->close();
        }
    });
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(0, 0), QPoint(0, 0));
    QApplication::sendEvent(dlg.List(), &key);
    QTest::qWait(100);
    EXPECT_TRUE(fullMenu);
}

}  // namespace
