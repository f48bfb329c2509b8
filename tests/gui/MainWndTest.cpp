#include "app/MainWnd.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>

#include "GuiFixture.h"
#include "app/GuiPresenter.h"
#include "app/LogDelivery.h"
#include "app/StartUp.h"
#include "app/Translations.h"
#include "app/TrayIcon.h"
#include "dialogs/NewTreeView.h"
#include "settings/OptionsFile.h"
#include "settings/Parameters.h"

using namespace verdal;

namespace {

class MainWndTest : public test::GuiTest
{
protected:
    static QStringList TopLevelTexts(const QTreeWidget& tree)
    {
        QStringList texts;
        for (int i = 0; i < tree.topLevelItemCount(); ++i) {
            texts << tree.topLevelItem(i)->text(0);
        }
        return texts;
    }
};

}  // namespace

TEST_F(MainWndTest, OpenedProfile_ShowsCaptionAndTree)
{
    TMainWnd window;
    const std::string path = VERDAL_SOURCE_DIR "/resources/examples/Beispiel.vrd";
    ASSERT_TRUE(window.OpenFile(path));

    EXPECT_EQ(window.windowTitle(), QString::fromStdString("Verdal 5 - " + path));
    const TNewTreeView* tree = window.findChild<TNewTreeView*>(QStringLiteral("ProfileTree"));
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(TopLevelTexts(*tree),
              (QStringList{"Quelle", "Ziel", "Optionen", "Übersicht", "Log", "Zeitplaner..."}));
    const QTreeWidgetItem* source = tree->topLevelItem(0);
    EXPECT_TRUE(source->isExpanded());
    EXPECT_EQ(tree->currentItem(), source);
    EXPECT_EQ(source->child(0)->text(0), "Laufwerk: /tmp/verdal-demo/Quelle");
    EXPECT_EQ(source->child(1)->child(0)->text(0), "\\Daten\\*");
    EXPECT_EQ(TNewTreeView::NodeOf(source), Params().Groups.Source);
}

TEST_F(MainWndTest, OpenedBatchFile_ExpandsBatchGroup)
{
    TMainWnd window;
    ASSERT_TRUE(window.OpenFile(VERDAL_SOURCE_DIR "/resources/examples/Beispiel.vbf"));
    const TNewTreeView* tree = window.ProfileTree();
    EXPECT_EQ(TopLevelTexts(*tree), (QStringList{"Batch", "Zeitplaner..."}));
    EXPECT_TRUE(tree->topLevelItem(0)->isExpanded());
}

TEST_F(MainWndTest, MessageBox_HasGermanButtons)
{
    if (!test::GuiTranslated()) {
        GTEST_SKIP() << "Qt's German translation is not installed";
    }
    cGuiPresenter presenter;
    QString yesText, noText;
    bool sawBox = false;
    // Answers the box once it is up, after reading its button texts. No assertion in here: a
    // failed one would return before the box is closed and leave the test waiting for ever.
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* box = qobject_cast<QMessageBox*>(modal);
        sawBox = box != nullptr;
        if (!box) {
            if (modal) {
                modal->close();
            }
            return;
        }
        yesText = box->button(QMessageBox::Yes)->text().remove('&');
        noText = box->button(QMessageBox::No)->text().remove('&');
        box->button(QMessageBox::No)->click();
    });
    const BoxResult result =
        presenter.Show({BoxKind::Confirmation, BoxButtons::YesNoHelp, "Weiter?\rWirklich?", 0});
    ASSERT_TRUE(sawBox);
    EXPECT_EQ(result, BoxResult::No);
    EXPECT_EQ(yesText, "Ja");
    EXPECT_EQ(noText, "Nein");
}

TEST_F(MainWndTest, DesktopIdentity_NamesTheMenuEntryAndFindsTheIcon)
{
    SetDesktopIdentity();
    EXPECT_EQ(QGuiApplication::desktopFileName(), "verdal");
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    EXPECT_FALSE(QApplication::windowIcon().pixmap(32, 32).isNull());
    QApplication::setWindowIcon(QIcon());
}

// The two "Hilfe" items hand their addresses to the desktop and say so when it fails.
TEST_F(MainWndTest, HelpItems_ReportDesktopFailure)
{
    TMainWnd window;
    QStringList opened;
    bool works = true;
    window.SetUrlOpener([&](const QString& url) {
        opened << url;
        return works;
    });
    window.Action("WebItm")->trigger();
    EXPECT_TRUE(presenter->Messages.empty());
    works = false;
    window.Action("WebItm")->trigger();
    window.Action("MailItm")->trigger();
    ASSERT_EQ(opened.size(), 3);
    EXPECT_TRUE(opened[2].startsWith("mailto:"));
    ASSERT_EQ(presenter->Messages.size(), 2u);
    EXPECT_EQ(presenter->Messages[0].Text,
              "Kann Web-Browser nicht starten. Stellen Sie sicher, daß er auf Ihrem System "
              "ordnungsgemäß eingerichtet ist.");
    EXPECT_EQ(presenter->Messages[1].Text.substr(0, 30), "Kann Mail-Client nicht starten");
    EXPECT_EQ(presenter->Messages[1].Kind, BoxKind::Error);
}

// Every command has its caption and key; every control of the window can be named by a
// screen reader.
TEST_F(MainWndTest, Commands_HaveKeysAndControlsHaveNames)
{
    TMainWnd window;
    const std::pair<const char*, QKeySequence> keys[] = {
        {"NewItm", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"SaveAsItm", QKeySequence(Qt::CTRL | Qt::Key_A)},
        {"ShortcutItm", QKeySequence(Qt::CTRL | Qt::Key_V)},
        {"ViewerItm", QKeySequence(Qt::CTRL | Qt::Key_L)},
        {"OverviewItm", QKeySequence(Qt::ALT | Qt::Key_Udiaeresis)},
        {"SchedulerItm", QKeySequence(Qt::ALT | Qt::Key_A)},
        {"GoItm", QKeySequence(Qt::Key_Return)},
    };
    for (const auto& [name, key] : keys) {
        ASSERT_NE(window.Action(name), nullptr) << name;
        EXPECT_EQ(window.Action(name)->shortcut(), key) << name;
    }
    EXPECT_EQ(window.Action("GoItm")->text(), "Lo&s!");
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (control->focusPolicy() != Qt::NoFocus && control->isWidgetType() &&
            !control->objectName().isEmpty()) {
            EXPECT_FALSE(control->accessibleName().isEmpty())
                << control->objectName().toStdString();
        }
    }
    window.ProfileTree()->collapseAll();
    window.Action("ExpandItm")->trigger();
    EXPECT_TRUE(window.ProfileTree()->topLevelItem(0)->isExpanded());
    window.Action("CollapseItm")->trigger();
    EXPECT_FALSE(window.ProfileTree()->topLevelItem(0)->isExpanded());
}

// The end of a run may close the program only without unsaved changes; otherwise the status
// bar says why and the window stays.
TEST_F(MainWndTest, ExitAfterRun_KeepsUnsavedChanges)
{
    TMainWnd window;
    window.show();
    Params().Modified = true;
    window.ExitAfterRun();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.statusBar()->currentMessage().contains("ungesicherte"));
    EXPECT_TRUE(presenter->Messages.empty());
}

// Without a notification area a document that asks for the tray minimises normally; a
// placement saved on a screen that is gone comes back on screen.
TEST_F(MainWndTest, TrayLessMinimiseAndPlacementOffScreen)
{
    TMainWnd window;
    ASSERT_FALSE(window.Tray().Available());
    Params().TrayIcon = true;
    window.show();
    window.showMinimized();
    QApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.Tray().Shown());

    cWindowPos& pos = Params().WindowPositions[kWinMain];
    pos = {-30000, -30000, -29400, -29600, false};
    window.ApplyPlacement();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.intersects(QRect(window.pos(), window.size())));
    EXPECT_EQ(window.size(), QSize(600, 400));
}

// "&Log ansehen...": the other viewer gets the log as one argument and the switches after it;
// without a viewer program the box says so and nothing starts.
TEST_F(MainWndTest, ViewLog_OtherViewer)
{
    const auto argv = ViewerCommand(4, "/usr/bin/less", "-N \"-P a b\"", "/tmp/mein log.txt");
    EXPECT_EQ(argv,
              (std::vector<std::string>{"/usr/bin/less", "/tmp/mein log.txt", "-N", "-P a b"}));
    EXPECT_EQ(ViewerDisplayName(1), "Notizblock");

    TMainWnd window;
    Params().Log.ViewerKind = 4;
    Params().Log.OtherViewer.clear();
    window.Action("ViewerItm")->trigger();
    ASSERT_EQ(presenter->Messages.size(), 1u);
    EXPECT_EQ(presenter->Messages[0].Text, "Kein Betrachter angegeben.");
    EXPECT_EQ(presenter->Messages[0].Buttons, BoxButtons::OkHelp);
    EXPECT_FALSE(window.ModalOpen());
}
