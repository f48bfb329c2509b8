#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "GuiFixture.h"
#include "app/MainWnd.h"
#include "dialogs/DialogServices.h"
#include "dialogs/JpegImage.h"
#include "dialogs/NewTreeView.h"
#include "dialogs/SmallDialogRules.h"
#include "dialogs/TAboutDlg.h"
#include "dialogs/TAppsDlg.h"
#include "dialogs/TProfileDlg.h"
#include "dialogs/TProgrammDlg.h"
#include "dialogs/TShortcutDlg.h"
#include "dialogs/TTimedDlg.h"
#include "dialogs/TTopTwelveDlg.h"
#include "settings/OptionsFile.h"
#include "settings/Parameters.h"

using namespace verdal;

namespace {

class SmallDialogsTest : public test::GuiTest
{};

template <typename T>
T* Child(QWidget* parent, const char* name)
{
    T* child = parent->findChild<T*>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

}  // namespace

TEST(SmallDialogRulesTest, InsertAtCaretAndBrowseStart)
{
    int caret = 3;
    EXPECT_EQ(InsertAtCaret("-a -b", caret, "%1"), "-a %1-b");
    EXPECT_EQ(caret, 5);
    caret = 99;
    EXPECT_EQ(InsertAtCaret("x", caret, "%2"), "x%2");
    EXPECT_EQ(caret, 3);

    EXPECT_EQ(BrowseStartOf("/usr/bin/meld").Directory, "/usr/bin");
    EXPECT_EQ(BrowseStartOf("/usr/bin/meld").Name, "meld");
    EXPECT_EQ(BrowseStartOf("/meld").Directory, "/");
    EXPECT_EQ(BrowseStartOf("meld").Directory, "");
    EXPECT_EQ(BrowseStartOf("a|b/c").Name, "");

    EXPECT_EQ(LauncherPath("/home/a/Desktop/", "/Jobs/Daten.vrd"),
              "/home/a/Desktop/Daten.vrd.desktop");
    EXPECT_EQ(LauncherArguments("/Jobs/Daten.vrd", true), "\"/Jobs/Daten.vrd\" /mute");
    EXPECT_EQ(SystemLine("linux", "6.1.0-18-amd64", "Debian GNU/Linux 12 (bookworm)", "x86_64"),
              "Linux Version 6.1 Build 0 Debian GNU/Linux 12 (bookworm) (x86_64)");
}

// OK copies the program options back, marks the document and writes the options file;
// Cancel changes nothing. "%1" goes in at the caret; a typed double quote is dropped.
TEST_F(SmallDialogsTest, ProgrammDlg_OkCancelCaretAndQuotes)
{
    TMainWnd window;
    cParameters& params = Params();
    params.Programm.CompareB = "-a -b";

    test::OnNextModal([](QWidget* dialog) {
        Child<QCheckBox>(dialog, "SplashChk")->setChecked(false);
        dialog->findChild<QPushButton*>("CancelBtn")->click();
    });
    EXPECT_FALSE(window.OpenDialog("PROGRAM"));
    EXPECT_TRUE(params.Programm.Splash);
    EXPECT_FALSE(params.Modified);

    test::OnNextModal([](QWidget* dialog) {
        Child<QCheckBox>(dialog, "SplashChk")->setChecked(false);
        Child<QCheckBox>(dialog, "TooltipsChk")->setChecked(false);
        auto* parameters = Child<QLineEdit>(dialog, "CompareBEdt");
        parameters->setCursorPosition(3);
        Child<QPushButton>(dialog, "SourceVarBtn")->click();
        auto* program = Child<QLineEdit>(dialog, "CompareAEdt");
        program->setFocus();
        QTest::keyClicks(program, "me\"ld");
        Child<QPushButton>(dialog, "OkBtn")->click();
    });
    EXPECT_TRUE(window.OpenDialog("PROGRAM"));
    EXPECT_FALSE(params.Programm.Splash);
    EXPECT_EQ(params.Programm.CompareB, "-a %1-b");
    EXPECT_EQ(params.Programm.CompareA, "meld");
    EXPECT_TRUE(params.Modified);
    EXPECT_EQ(ReadOptionInt("Program Options", "Splash", 1), 0);
    // The window's hints follow the new choice at once.
    EXPECT_EQ(window.ProfileTree()->toolTip(), "");
}

// The twelve rows go back on OK (and into the options file), the menu follows; the browse
// button works only for a file field with the focus.
TEST_F(SmallDialogsTest, TopTwelveDlg_OkCancelAndBrowseEnabling)
{
    TMainWnd window;
    window.show();
    cParameters& params = Params();
    test::OnNextModal([](QWidget* dialog) {
        Child<QLineEdit>(dialog, "DescriptionEdt2")->setText("Zwei");
        dialog->findChild<QPushButton*>("CancelBtn")->click();
    });
    window.Action("TopTwelveItm")->trigger();
    EXPECT_EQ(params.TopDescriptions[2], "");

    bool enabledInDescription = true, enabledInFile = false;
    test::OnNextModal([&](QWidget* dialog) {
        auto* browse = Child<QPushButton>(dialog, "BrowseBtn");
        // Focus moves only inside the active window; make it so at once.
        QApplication::setActiveWindow(dialog);
        Child<QLineEdit>(dialog, "DescriptionEdt2")->setFocus();
        enabledInDescription = browse->isEnabled();
        Child<QLineEdit>(dialog, "DescriptionEdt2")->setText("Zwei");
        Child<QLineEdit>(dialog, "FileEdt2")->setFocus();
        enabledInFile = browse->isEnabled();
        Child<QLineEdit>(dialog, "FileEdt2")->setText("/p/zwei.vrd");
        Child<QPushButton>(dialog, "OkBtn")->click();
    });
    window.Action("TopTwelveItm")->trigger();
    EXPECT_FALSE(enabledInDescription);
    EXPECT_TRUE(enabledInFile);
    EXPECT_EQ(params.TopDescriptions[2], "Zwei");
    EXPECT_EQ(params.TopProfiles[2], "/p/zwei.vrd");
    EXPECT_EQ(ReadOptionString("Top Twelve", "Profile2"), "/p/zwei.vrd");
    EXPECT_TRUE(window.Action("TopItm2")->isVisible());
    EXPECT_EQ(window.Action("TopItm2")->text(), "Zwei");
}

// A launcher on the desktop is named after the document and starts the program with the
// quoted document path and "/mute"; Cancel writes nothing; "Nein" to the test starts nothing.
TEST_F(SmallDialogsTest, ShortcutDlg_WritesDesktopLauncher)
{
    TMainWnd window;
    const std::string profile = ExampleProfile();
    ASSERT_TRUE(window.OpenFile(profile));
    std::vector<std::vector<std::string>> started;
    const auto previous = DialogServices::StartProgram;
    DialogServices::StartProgram = [&started](const std::vector<std::string>& argv) {
        started.push_back(argv);
        return 33;
    };

    test::OnNextModal(
        [](QWidget* dialog) { dialog->findChild<QPushButton*>("CancelBtn")->click(); });
    EXPECT_FALSE(window.OpenDialog("SHORTCUT"));

    std::string launcher;
    presenter->Answers = {BoxResult::No};
    test::OnNextModal([&launcher](QWidget* dialog) {
        auto* shortcut = static_cast<TShortcutDlg*>(dialog);
        EXPECT_FALSE(shortcut->FolderEdt->isEnabled());
        EXPECT_TRUE(shortcut->AutomationBtn->isEnabled());
        EXPECT_EQ(shortcut->TextLbl->text(),
                  "Lassen Sie eine Verknüpfung erstellen, um Verdal mit diesem Profil zu starten.");
        shortcut->MuteChk->setChecked(true);
        shortcut->SetProgram("/opt/verdal/bin/verdal");
        shortcut->OkBtn->click();
        launcher = shortcut->LauncherFile();
    });
    EXPECT_TRUE(window.OpenDialog("SHORTCUT"));
    EXPECT_EQ(launcher.substr(launcher.size() - 21), "/Beispiel.vrd.desktop");
    QFile file(QString::fromStdString(launcher));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    // The path is one argument of the Exec line (quoted there only when it needs it).
    EXPECT_TRUE(text.contains(
        QString::fromStdString("Exec=/opt/verdal/bin/verdal " + profile + " /mute\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains("Path=/opt/verdal/bin"));
    EXPECT_EQ(presenter->Messages.back().Text,
              "Die Verknüpfung wurde erstellt.\r\rWollen Sie sie jetzt testen?");
    EXPECT_TRUE(started.empty());
    DialogServices::StartProgram = previous;
}

// The chosen folder is used only with the third choice; from the options dialog the
// automation question is off.
TEST_F(SmallDialogsTest, ShortcutDlg_OtherFolderAndFromOptions)
{
    Params().FileName = dir.filePath("Plan.vbf");
    Params().FileKind = 1;
    TShortcutDlg dialog(nullptr, true);
    dialog.LoadFrom(Params());
    EXPECT_FALSE(dialog.AutomationBtn->isEnabled());
    EXPECT_TRUE(dialog.TextLbl->text().contains("dieser Batch-Datei"));
    dialog.OtherRdo->setChecked(true);
    EXPECT_TRUE(dialog.FolderEdt->isEnabled());
    EXPECT_TRUE(dialog.BrowseBtn->isEnabled());
    dialog.FolderEdt->setText(QString::fromStdString(dir.filePath("Gruppe")));
    ASSERT_TRUE(dialog.CreateLauncher());
    EXPECT_TRUE(dir.exists("Gruppe/Plan.vbf.desktop"));
    dialog.AutostartRdo->setChecked(true);
    EXPECT_FALSE(dialog.FolderEdt->isEnabled());
    EXPECT_EQ(dialog.TargetFolder().substr(dialog.TargetFolder().size() - 10), "/autostart");
}

// A click on a title copies it into the field; OK gives the field, Cancel nothing; the
// program's own caption is always offered.
TEST_F(SmallDialogsTest, AppsDlg_ClickCopiesTitle)
{
    const QStringList titles = TAppsDlg::AvailableTitles("Verdal 5 - Test");
    EXPECT_TRUE(titles.contains("Verdal 5 - Test"));
    EXPECT_EQ(titles.count("Verdal 5 - Test"), 1);

    test::OnNextModal([](QWidget* dialog) {
        auto* list = Child<QListWidget>(dialog, "AppsLst");
        ASSERT_GT(list->count(), 0);
        list->setCurrentRow(list->count() - 1);
        auto* field = Child<QLineEdit>(dialog, "SelectedEdt");
        EXPECT_EQ(field->text(), "Verdal 5 - Test");
        field->setText("Verdal 5");
        Child<QPushButton>(dialog, "OkBtn")->click();
    });
    EXPECT_EQ(TAppsDlg::Pick(nullptr, "alt", "Verdal 5 - Test"), "Verdal 5");
    test::OnNextModal([](QWidget* dialog) { Child<QPushButton>(dialog, "CancelBtn")->click(); });
    EXPECT_EQ(TAppsDlg::Pick(nullptr, "alt", "Verdal 5 - Test"), "");
}

// The about box names program, version and system and shows its picture (decoded by libjpeg).
TEST_F(SmallDialogsTest, AboutDlg_ShowsNameVersionAndSystem)
{
    TAboutDlg dialog;
    EXPECT_EQ(dialog.NameLbl->text(), "Verdal 5");
    EXPECT_EQ(dialog.VersionLbl->text(), "Version " VERDAL_VERSION);
    EXPECT_TRUE(dialog.SystemLbl->text().contains(" Version "))
        << dialog.SystemLbl->text().toStdString();
    EXPECT_FALSE(dialog.PictureLbl->pixmap().isNull());
}

TEST_F(SmallDialogsTest, Jpeg_DecodesPicturesAndRefusesOtherData)
{
    const QImage splash = LoadJpeg(":/pictures/splash.jpg");
    EXPECT_EQ(splash.size(), QSize(480, 280));
    EXPECT_TRUE(DecodeJpeg(QByteArray("kein Bild")).isNull());
    EXPECT_TRUE(DecodeJpeg(QByteArray()).isNull());
    EXPECT_TRUE(DecodeJpeg(QByteArray("\xFF\xD8\xFF\xE0 kaputt", 12)).isNull());
}

// The timed message closes itself when its count reaches 0; OK closes it earlier.
TEST_F(SmallDialogsTest, TimedDlg_ClosesItselfAfterItsCount)
{
    TMainWnd window;
    ASSERT_TRUE(window.OpenFile(ExampleProfile()));
    TTimedDlg dialog("Fehler beim Drucken...", "Drucker", "kaputt");
    EXPECT_EQ(dialog.windowTitle(), "Verdal 5 - Beispiel.vrd");
    EXPECT_EQ(dialog.Remaining(), 30);
    EXPECT_EQ(dialog.CountLbl->text(), "30");
    dialog.show();
    for (int i = 0; i < 29; ++i) {
        dialog.Tick();
    }
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.CountLbl->text(), "1");
    dialog.Tick();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

// The profile window shows a profile read-only; the open document is not touched.
TEST_F(SmallDialogsTest, ProfileDlg_ShowsProfileWithoutTouchingDocument)
{
    const std::string profile = ExampleProfile();
    Params().FileName = "/offen.vbf";
    TProfileDlg window(profile);
    ASSERT_TRUE(window.Load());
    EXPECT_EQ(window.windowTitle(), QString::fromStdString(profile));
    EXPECT_EQ(window.ProfileTree->topLevelItem(0)->text(0), "Quelle");
    EXPECT_EQ(Params().FileName, "/offen.vbf");
    TProfileDlg missing(dir.filePath("fehlt.vrd"));
    EXPECT_FALSE(missing.Load());
}
