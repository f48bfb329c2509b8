#include <QPushButton>
#include <QTreeWidget>
#include <chrono>
#include <memory>
#include <thread>

#include "DriveDialogFixture.h"
#include "dialogs/TNetBrowserDlg.h"

using namespace verdal;

namespace {

class DriveControlsTest : public test::DriveDialogFixture
{
protected:
    static QStringList Items(const TDriveList& list)
    {
        QStringList items;
        for (int i = 0; i < list.count(); ++i) {
            items << list.itemText(i);
        }
        return items;
    }
};

}  // namespace

TEST_F(DriveControlsTest, DriveList_VanishedDriveSelectsTheFirstEntry)
{
    TDriveList list;
    list.SetDrillDepth(0);
    QStringList changed;
    QObject::connect(&list, &TDriveList::DriveChanged, [&](const QString& d) { changed << d; });
    EXPECT_TRUE(list.SelectDrive(QString::fromStdString(destRoot)));
    EXPECT_EQ(list.CurrentDrive().toStdString(), destRoot);
    EXPECT_FALSE(list.SelectDrive(QString::fromStdString(dir.filePath("Weg"))));
    EXPECT_EQ(list.CurrentDrive().toStdString(), sourceRoot);
    ASSERT_EQ(changed.count(), 2);
    EXPECT_EQ(changed.at(1).toStdString(), sourceRoot);
    EXPECT_EQ(shareLookups, 0);  // no network search with depth 0
    EXPECT_EQ(Items(list).size(), 2);
}

TEST_F(DriveControlsTest, DriveList_ExistingUnlistedDriveIsAddedByHand)
{
    const std::string other = dir.createDir("Anderswo");
    TDriveList list;
    list.SetDrillDepth(0);
    list.SetIniPrefix("Src");
    EXPECT_TRUE(list.SelectDrive(QString::fromStdString(other)));
    EXPECT_EQ(list.CurrentDrive().toStdString(), other);
    EXPECT_EQ(ReadDriveHistory("Src"), std::vector<std::string>{other});
}

TEST_F(DriveControlsTest, DriveList_SixthHandAddedDriveDropsTheOldest)
{
    {
        TDriveList list;
        list.SetDrillDepth(0);
        list.SetIniPrefix("Dest");
        EXPECT_FALSE(list.AddDriveByHand("CD"));
        EXPECT_FALSE(list.AddDriveByHand("\\\\server"));
        for (const char* drive : {"c:", "D:", "E:", "\\\\nas\\a", "\\\\nas\\b", "F:"}) {
            EXPECT_TRUE(list.AddDriveByHand(drive)) << drive;
            EXPECT_EQ(list.CurrentDrive(), drive);
        }
        EXPECT_EQ(list.HandAdded(), (QStringList{"F:", "\\\\nas\\b", "\\\\nas\\a", "E:", "D:"}));
        // Adding one again moves it to the top without a second copy.
        EXPECT_TRUE(list.AddDriveByHand("e:"));
        EXPECT_EQ(list.HandAdded(), (QStringList{"e:", "F:", "\\\\nas\\b", "\\\\nas\\a", "D:"}));
        EXPECT_EQ(Items(list).size(), 2 + 5);
    }
    EXPECT_EQ(ReadDriveHistory("Dest"),
              (std::vector<std::string>{"e:", "F:", "\\\\nas\\b", "\\\\nas\\a", "D:"}));
    TDriveList again;
    again.SetIniPrefix("Dest");
    EXPECT_EQ(again.HandAdded().size(), 5);
    again.findChild<QAction*>("ClearHandAddedItm")->trigger();
    EXPECT_TRUE(ReadDriveHistory("Dest").empty());
}

TEST_F(DriveControlsTest, DriveList_NetworkSharesOnlyWithDepth)
{
    TDriveList list;
    list.SetDrillDepth(3);
    list.Fill();
    EXPECT_EQ(shareLookups, 1);
    EXPECT_EQ(Items(list), (QStringList{QString::fromStdString(sourceRoot),
                                        QString::fromStdString(destRoot), "\\\\nas\\fotos"}));
}

TEST_F(DriveControlsTest, DirectoryTree_ReadsADirectoryOnlyWhenExpanded)
{
    dir.createDir("Quelle/Daten/Briefe/2026");
    dir.createDir("Quelle/Daten/Fotos");
    dir.createDir("Quelle/Musik");
    TDirectoryTree tree;
    QStringList changed;
    QObject::connect(&tree, &TDirectoryTree::PathChanged, [&](const QString& p) { changed << p; });
    tree.SetDrive(QString::fromStdString(sourceRoot));
    EXPECT_EQ(dirListings, 1);
    QTreeWidgetItem* root = tree.topLevelItem(0);
    ASSERT_EQ(root->childCount(), 2);
    EXPECT_EQ(root->child(0)->text(0), "Daten");
    EXPECT_EQ(root->child(0)->childCount(), 0);

    EXPECT_TRUE(tree.SelectPath("\\Daten\\Briefe\\"));
    EXPECT_EQ(dirListings, 2);  // Daten only; Briefe is selected, not expanded
    EXPECT_EQ(tree.SelectedPath(), "\\Daten\\Briefe\\");
    EXPECT_EQ(changed, QStringList{"\\Daten\\Briefe\\"});

    tree.currentItem()->setExpanded(true);
    EXPECT_EQ(dirListings, 3);
    EXPECT_EQ(tree.SelectedPath(), "\\Daten\\Briefe\\");
    tree.setCurrentItem(tree.currentItem()->child(0));
    ASSERT_EQ(changed.count(), 2);
    EXPECT_EQ(changed.at(1), "\\Daten\\Briefe\\2026\\");

    EXPECT_FALSE(tree.SelectPath("\\Daten\\Fehlt\\"));
    EXPECT_EQ(tree.SelectedPath(), "\\Daten\\");
}

TEST_F(DriveControlsTest, DirectoryTree_HangingDirectoryShowsAsUnreadable)
{
    dir.createDir("Quelle/Netz/innen");
    auto release = std::make_shared<std::atomic<bool>>(false);
    SetEntryNamesObserver([release](const std::string& path, NameKind) {
        while (path.find("/Netz") != std::string::npos && !*release) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
    TDirectoryTree::SetReadTimeout(100);
    TDirectoryTree tree;
    tree.SetDrive(QString::fromStdString(sourceRoot));
    const auto start = std::chrono::steady_clock::now();
    tree.SelectPath("\\Netz\\innen\\");
    *release = true;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_TRUE(tree.IsUnreadable("\\Netz\\"));
    EXPECT_FALSE(tree.IsUnreadable("\\"));
    EXPECT_EQ(tree.SelectedPath(), "\\Netz\\");
}

TEST_F(DriveControlsTest, DirectoryTree_MissingDriveIsUnreadable)
{
    TDirectoryTree tree;
    tree.SetDrive(QString::fromStdString(dir.filePath("Weg")));
    EXPECT_TRUE(tree.IsUnreadable("\\"));
    EXPECT_EQ(tree.topLevelItem(0)->childCount(), 0);
}

TEST_F(DriveControlsTest, NetBrowser_OffersSharesOfTheExpandedHost)
{
    int shareReads = 0;
    TNetBrowserDlg::SetNetworkSource(
        [] {
            return std::vector<std::string>{"nas", "pc"};
        },
        [&shareReads](const std::string& host) {
            ++shareReads;
            return std::vector<std::string>{"\\\\" + host + "\\fotos", "\\\\" + host + "\\musik"};
        });
    {
        TNetBrowserDlg browser;
        EXPECT_EQ(browser.windowTitle(), "Netzwerk durchsuchen");
        auto* tree = Find<QTreeWidget>(browser, "NetTree");
        auto* ok = Find<QPushButton>(browser, "OkBtn");
        ASSERT_EQ(tree->topLevelItemCount(), 2);
        EXPECT_EQ(shareReads, 0);
        tree->setCurrentItem(tree->topLevelItem(0));
        EXPECT_FALSE(ok->isEnabled());
        tree->topLevelItem(0)->setExpanded(true);
        EXPECT_EQ(shareReads, 1);
        ASSERT_EQ(tree->topLevelItem(0)->childCount(), 2);
        tree->setCurrentItem(tree->topLevelItem(0)->child(1));
        EXPECT_TRUE(ok->isEnabled());
        EXPECT_EQ(browser.SelectedName(), "\\\\nas\\musik");
        browser.findChild<QAction*>("RebuildItm")->trigger();
        EXPECT_EQ(tree->topLevelItem(0)->childCount(), 0);
    }
    TNetBrowserDlg::SetNetworkSource({}, {});
}

TEST_F(DriveControlsTest, NetBrowser_EmptyNetworkWithoutTools)
{
    TNetBrowserDlg::SetNetworkSource([] { return std::vector<std::string>{}; }, {});
    TNetBrowserDlg browser;
    EXPECT_EQ(Find<QTreeWidget>(browser, "NetTree")->topLevelItemCount(), 0);
    EXPECT_FALSE(Find<QPushButton>(browser, "OkBtn")->isEnabled());
    TNetBrowserDlg::SetNetworkSource({}, {});
}
