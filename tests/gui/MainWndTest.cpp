#include "app/MainWnd.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

#include "GuiFixture.h"
#include "app/GuiPresenter.h"
#include "app/StartUp.h"
#include "app/Translations.h"
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
