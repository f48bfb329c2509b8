#include <QAction>
#include <QPushButton>
#include <QToolButton>
#include <filesystem>

#include "GuiFixture.h"
#include "app/DocumentRules.h"
#include "app/MainWnd.h"
#include "app/RunController.h"
#include "app/StartUp.h"
#include "app/TrayIcon.h"
#include "settings/OptionsFile.h"
#include "settings/Parameters.h"

using namespace verdal;

namespace {

// The main window's document commands, with the file dialogs answered by the test.
class DocumentTest : public test::GuiTest
{
protected:
    void SetUp() override
    {
        test::GuiTest::SetUp();
        window = std::make_unique<TMainWnd>();
        window->SetFileChooser([this](QWidget*, const FileDialogRequest& request) {
            requests.push_back(request);
            return answer;
        });
    }
    void TearDown() override
    {
        window.reset();
        test::GuiTest::TearDown();
    }

    // A small batch file holding `profile` once.
    std::string MakeBatch(const std::string& profile)
    {
        cParameters& params = Params();
        const std::string name = params.FileName;
        params.FileKind = 1;
        params.Reset();
        params.Batch.Profiles.Add(profile, 0);
        const std::string path = dir.filePath("Plan.vbf");
        EXPECT_TRUE(params.SaveToFile(path));
        params.FileKind = 0;
        params.Reset();
        return path;
    }

    std::unique_ptr<TMainWnd> window;
    std::vector<FileDialogRequest> requests;
    QString answer;
};

}  // namespace

TEST(ReopenListTest, SameFileMovesUp_NameInSlotNineIsNotDuplicated)
{
    std::array<std::string, 10> files{};
    for (const char* name : {"/a.vrd", "/b.vrd", "/c.vrd"}) {
        AddToReopenList(files, name);
    }
    AddToReopenList(files, "/A.VRD");  // letter case does not make another file
    EXPECT_EQ(files[1], "/A.VRD");
    EXPECT_EQ(files[2], "/c.vrd");
    EXPECT_EQ(files[3], "/b.vrd");
    EXPECT_EQ(files[4], "");

    for (int slot = 1; slot <= 9; ++slot) {
        files[slot] = "/" + std::to_string(slot) + ".vrd";
    }
    AddToReopenList(files, "/9.vrd");
    EXPECT_EQ(files[1], "/9.vrd");
    EXPECT_EQ(files[2], "/1.vrd");
    EXPECT_EQ(files[9], "/8.vrd");
}

// Opening asks the file dialog with its title and filters, then puts the file at the top of
// the reopen list, in the menu and in the options file at once.
TEST_F(DocumentTest, Open_UsesDialogAndFillsReopenList)
{
    const std::string profile = ExampleProfile();
    answer = QString::fromStdString(profile);
    window->Action("OpenItm")->trigger();

    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].Title, "Datei öffnen");
    EXPECT_EQ(requests[0].Filter, "Profile (*.vrd);;Batch-Dateien (*.vbf);;Alle Dateien (*)");
    EXPECT_EQ(requests[0].SelectedFilter, "Profile (*.vrd)");
    EXPECT_EQ(Params().FileName, profile);
    EXPECT_EQ(window->windowTitle(), QString::fromStdString("Verdal 5 - " + profile));
    EXPECT_EQ(Params().OldFiles[1], profile);
    EXPECT_EQ(ReadOptionString("Old Files", "File1"), profile);
    QAction* first = window->Action("OldItm1");
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->text(), QString::fromStdString("&1 " + profile));
    EXPECT_FALSE(window->Action("OldItm2")->isVisible());

    // With a batch file open the dialog starts on the batch filter, in the file's folder.
    const std::string batch = MakeBatch(profile);
    ASSERT_TRUE(window->OpenFile(batch));
    answer.clear();
    window->OpenDocument();
    EXPECT_EQ(requests.back().SelectedFilter, "Batch-Dateien (*.vbf)");
    EXPECT_EQ(requests.back().Directory, QString::fromStdString(dir.path()));
    EXPECT_EQ(requests.back().FileName, "Plan.vbf");
}

// A file that cannot be read leaves the open document, its name and the list as they were.
TEST_F(DocumentTest, UnreadableFile_KeepsOpenDocument)
{
    const std::string profile = ExampleProfile();
    ASSERT_TRUE(window->OpenFile(profile));
    answer = QString::fromStdString(dir.filePath("fehlt.vrd"));
    window->OpenDocument();
    EXPECT_EQ(Params().FileName, profile);
    ASSERT_FALSE(presenter->Messages.empty());
    EXPECT_EQ(presenter->Messages.back().Text.substr(0, 24), "Fehler beim Lesen von...");
    EXPECT_EQ(Params().OldFiles[1], "");
}

// Save is offered only for a changed document with a name; save-as of a batch file offers
// the batch filter and ".vbf", and the new name becomes the document's.
TEST_F(DocumentTest, SaveAndSaveAs_FollowTheDocument)
{
    const std::string batch = MakeBatch(ExampleProfile());
    ASSERT_TRUE(window->OpenFile(batch));
    EXPECT_FALSE(window->Action("SaveItm")->isEnabled());
    Params().Batch.BeepAfterRun = true;
    Params().Modified = true;
    window->RefreshMenuState();
    EXPECT_TRUE(window->Action("SaveItm")->isEnabled());
    window->Action("SaveItm")->trigger();
    EXPECT_FALSE(Params().Modified);
    EXPECT_FALSE(window->Action("SaveItm")->isEnabled());

    const std::string copy = dir.filePath("Kopie.vbf");
    answer = QString::fromStdString(copy);
    window->Action("SaveAsItm")->trigger();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].Title, "Datei speichern");
    EXPECT_EQ(requests[0].Filter, "Verdal Batch-Dateien (*.vbf);;Alle Dateien (*)");
    EXPECT_EQ(requests[0].DefaultSuffix, "vbf");
    EXPECT_TRUE(dir.exists("Kopie.vbf"));
    EXPECT_EQ(Params().FileName, copy);
    EXPECT_EQ(Params().OldFiles[1], copy);
    EXPECT_EQ(window->windowTitle(), QString::fromStdString("Verdal 5 - " + copy));
}

// A file of the old format is saved only after the question; "Nein" saves nothing and stops
// the command that asked to save the changes.
TEST_F(DocumentTest, OldFormatQuestion_NoKeepsFileAndStopsCommand)
{
    const std::string profile = ExampleProfile();
    ASSERT_TRUE(window->OpenFile(profile));
    const std::string before = dir.readFile("Beispiel.vrd");
    Params().OldFormat = true;
    Params().Modified = true;
    Params().SourceDrive = "/anders";
    presenter->Answers = {BoxResult::Yes, BoxResult::No};  // save the changes? / old format?

    EXPECT_FALSE(window->AskSaveChanges());
    ASSERT_EQ(presenter->Messages.size(), 2u);
    EXPECT_EQ(presenter->Messages[0].Text, "Änderungen an " + profile + " sichern?");
    EXPECT_EQ(presenter->Messages[1].Text,
              profile +
                  " wird im Format Verdal 4.0 gespeichert und ist danach für ältere "
                  "Versionen von Verdal unlesbar. Fortfahren?");
    EXPECT_EQ(dir.readFile("Beispiel.vrd"), before);
    EXPECT_TRUE(Params().Modified);

    presenter->Answers = {BoxResult::Yes};
    EXPECT_TRUE(window->Save());
    EXPECT_NE(dir.readFile("Beispiel.vrd"), before);
    EXPECT_FALSE(Params().OldFormat);
}

// Each answer to "Änderungen sichern?": Cancel and a failed or cancelled save keep the changes
// and the window; No lets it close.
TEST_F(DocumentTest, CloseGuard_EachAnswer)
{
    window->show();
    cParameters& params = Params();
    params.Modified = true;  // an untitled new document

    presenter->Answers = {BoxResult::Cancel};
    EXPECT_FALSE(window->close());
    EXPECT_EQ(presenter->Messages.back().Text, "Änderungen sichern?");

    presenter->Answers = {BoxResult::Yes};  // the save-as dialog is cancelled
    answer.clear();
    EXPECT_FALSE(window->close());
    EXPECT_EQ(requests.size(), 1u);

    presenter->Answers = {BoxResult::Yes};  // a save that fails: its folder does not exist
    answer = QString::fromStdString(dir.filePath("fehlt/Neu.vrd"));
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(params.Modified);
    EXPECT_EQ(params.FileName, "<unbenannt>");
    EXPECT_TRUE(window->isVisible());

    presenter->Answers = {BoxResult::No};
    EXPECT_TRUE(window->close());
}

// The other commands that replace the document stop on the same answers.
TEST_F(DocumentTest, ReopenAndQuickList_StopWhenChangesAreKept)
{
    const std::string profile = ExampleProfile();
    cParameters& params = Params();
    params.OldFiles[1] = profile;
    params.TopProfiles[1] = profile;
    window->RefreshReopenMenu();
    window->RefreshTopMenu();
    params.Modified = true;
    presenter->Answers = {BoxResult::Cancel, BoxResult::Cancel, BoxResult::Cancel};
    window->Action("OldItm1")->trigger();
    window->Action("TopItm13")->trigger();
    window->Action("NewItm")->trigger();
    EXPECT_EQ(presenter->Messages.size(), 3u);
    EXPECT_EQ(params.FileName, "<unbenannt>");
    EXPECT_TRUE(params.Modified);

    presenter->Answers = {BoxResult::No};
    window->Action("OldItm1")->trigger();
    EXPECT_EQ(params.FileName, profile);
    EXPECT_EQ(params.OldFiles[1], profile);  // the order stays
}

// F-keys: an entry without a file is hidden and its keys do nothing; Shift opens without
// running, the plain key opens and runs; a file that cannot be read runs nothing.
TEST_F(DocumentTest, QuickList_KeysOpenAndRun)
{
    const std::string profile = ExampleProfile();
    cParameters& params = Params();
    params.TopDescriptions[3] = "Drei";
    params.TopProfiles[3] = profile;
    params.TopDescriptions[4] = "Kaputt";
    params.TopProfiles[4] = dir.filePath("fehlt.vrd");
    window->RefreshTopMenu();

    QAction* empty = window->Action("TopItm1");
    EXPECT_FALSE(empty->isVisible());
    EXPECT_FALSE(window->Action("TopItm13")->isEnabled());
    EXPECT_EQ(window->Action("TopItm3")->text(), "Drei");
    EXPECT_EQ(window->Action("TopItm3")->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(window->Action("TopItm15")->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F3));
    window->OpenQuickEntry(1);
    window->OpenQuickEntry(13);
    EXPECT_EQ(params.FileName, "<unbenannt>");

    window->Action("TopItm15")->trigger();
    EXPECT_EQ(params.FileName, profile);
    EXPECT_FALSE(dir.exists("Log.txt"));

    window->Action("TopItm4")->trigger();
    EXPECT_EQ(params.FileName, profile);
    EXPECT_FALSE(dir.exists("Log.txt"));

    window->Action("TopItm3")->trigger();
    EXPECT_TRUE(dir.exists("Log.txt"));
    EXPECT_EQ(dir.readFile("Ziel/Sicherung/Brief.txt"), "Hallo");
}

// Folders dropped on a profile: with the marker unless Ctrl, excluded with Shift, once only;
// files by name; the source drive stays. Profiles dropped on a batch keep their full path.
TEST_F(DocumentTest, Drop_FoldersFilesAndProfiles)
{
    ASSERT_TRUE(window->OpenFile(ExampleProfile()));
    const std::string folder = dir.createDir("Quelle/Fotos");
    const std::string file = dir.createFile("Quelle/Notiz.txt", "x");
    cParameters& params = Params();
    const std::string drive = params.SourceDrive;
    const int before = params.SearchDirectories.Count();

    window->DropPaths({QString::fromStdString(folder)}, Qt::NoModifier);
    window->DropPaths({QString::fromStdString(folder)}, Qt::ControlModifier);
    window->DropPaths({QString::fromStdString(folder + "/")}, Qt::NoModifier);
    window->DropPaths({QString::fromStdString(folder)}, Qt::ShiftModifier | Qt::ControlModifier);
    window->DropPaths({QString::fromStdString(file)}, Qt::ShiftModifier);

    EXPECT_EQ(params.SearchDirectories.Count(), before + 1);
    const std::string marked = params.SearchDirectories[params.SearchDirectories.Count() - 1];
    EXPECT_EQ(marked.substr(marked.size() - 8), "\\Fotos\\*");
    EXPECT_EQ(marked.front(), '\\');
    EXPECT_GE(params.ExcludeDirectories.IndexOf(marked.substr(0, marked.size() - 1)), 0);
    EXPECT_GE(params.ExcludeFiles.IndexOf("Notiz.txt"), 0);
    EXPECT_EQ(params.SourceDrive, drive);
    EXPECT_TRUE(params.Modified);

    const std::string other = dir.createFile("Andere.vrd", "x");
    const std::string upper = dir.createFile("Gross.VRD", "x");
    ASSERT_TRUE(window->OpenFile(MakeBatch(ExampleProfile())));
    window->DropPaths({QString::fromStdString(other), QString::fromStdString(upper)},
                      Qt::NoModifier);
    ASSERT_EQ(params.Batch.Profiles.Count(), 2);
    EXPECT_EQ(params.Batch.Profiles[1], other);
    EXPECT_EQ(params.Batch.Profiles.Value(1), 0);
}

TEST(RelativeDirectoryTest, BelowMountPoint)
{
    EXPECT_EQ(RelativeDirectory("/media/anna/STICK/Daten", "/media/anna/STICK"), "\\Daten\\");
    EXPECT_EQ(RelativeDirectory("/srv/a/b", "/"), "\\srv\\a\\b\\");
    EXPECT_EQ(RelativeDirectory("/media/anna/STICK", "/media/anna/STICK"), "\\");
}

// "/mute" counts only as the second argument, in any letter case.
TEST(CommandLineTest, MuteSwitch)
{
    EXPECT_TRUE(ParseCommandLine({"verdal", "/p/a.vrd", "/MUTE"}).Mute);
    EXPECT_TRUE(ParseCommandLine({"verdal", "/p/a.vrd", "/mute"}).Mute);
    const CommandLine alone = ParseCommandLine({"verdal", "/mute"});
    EXPECT_FALSE(alone.Mute);
    EXPECT_EQ(alone.File, "/mute");
    EXPECT_FALSE(ParseCommandLine({"verdal", "a", "/mutex"}).Mute);
    EXPECT_EQ(ParseCommandLine({"verdal"}).File, "");
}

// The start file: a missing one says why and leaves a working window; Reopen takes LastFile;
// only a document that opened there may start itself after opening.
TEST_F(DocumentTest, StartFile_MissingReopenAndRunAfterOpen)
{
    EXPECT_FALSE(window->OpenStartFile(dir.filePath("fehlt.vrd")));
    ASSERT_EQ(presenter->Messages.size(), 1u);
    EXPECT_EQ(presenter->Messages[0].Text.substr(0, 24), "Fehler beim Lesen von...");
    EXPECT_EQ(Params().FileName, "<unbenannt>");
    EXPECT_FALSE(window->DelayArmed());

    const std::string profile = ExampleProfile();
    cParameters& params = Params();
    params.AutoOpen = true;
    ASSERT_TRUE(params.SaveToFile(profile));
    params.Programm.Reopen = true;
    params.Programm.LastFile = profile;
    EXPECT_TRUE(window->OpenStartFile(""));
    EXPECT_EQ(params.FileName, profile);
    EXPECT_TRUE(window->DelayArmed());

    // Opening another file by hand disarms it.
    ASSERT_TRUE(window->OpenFile(profile));
    EXPECT_FALSE(window->DelayArmed());
}

// An options file that cannot be read is reported and never overwritten.
TEST_F(DocumentTest, UnreadableOptionsFile_IsReportedAndKept)
{
    const std::string path = dir.filePath("Verdal50.ini");
    EXPECT_EQ(OptionsFileProblem(path), "");  // missing: the defaults, no message
    std::filesystem::create_directory(path);  // a folder cannot be read as a file
    const std::string problem = OptionsFileProblem(path);
    EXPECT_EQ(problem.substr(0, 18), "Die Optionsdatei\r" + path.substr(0, 1));
    Params().WriteOptions(0);
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

// New asks for the kind; the program options survive a new document; "Abbrechen" keeps all.
TEST_F(DocumentTest, New_ChoosesKindAndKeepsProgramOptions)
{
    cParameters& params = Params();
    params.Programm.Tooltips = false;
    params.Programm.LastFile = "/x/y.vrd";
    test::OnNextModal(
        [](QWidget* dialog) { dialog->findChild<QPushButton*>("BatchBtn")->click(); });
    window->Action("NewItm")->trigger();
    EXPECT_EQ(params.FileKind, 1);
    EXPECT_TRUE(params.Untitled);
    EXPECT_FALSE(params.Programm.Tooltips);
    EXPECT_EQ(params.Programm.LastFile, "/x/y.vrd");
    EXPECT_TRUE(window->Action("BatchItm")->isVisible());
    EXPECT_FALSE(window->Action("SourceItm")->isVisible());

    params.Batch.BeepAfterRun = true;
    test::OnNextModal(
        [](QWidget* dialog) { dialog->findChild<QPushButton*>("CancelBtn")->click(); });
    window->NewDocument();
    EXPECT_EQ(params.FileKind, 1);
    EXPECT_TRUE(params.Batch.BeepAfterRun);
}

// The toolbar follows the document kind; its hints name the keys and follow "Tooltips".
TEST_F(DocumentTest, Toolbar_FollowsKindAndHints)
{
    window->show();
    auto* source = window->findChild<QToolButton*>("SourceBtn");
    auto* batch = window->findChild<QToolButton*>("BatchBtn");
    auto* go1 = window->findChild<QToolButton*>("GoBtn1");
    auto* go2 = window->findChild<QToolButton*>("GoBtn2");
    EXPECT_TRUE(source->isVisible());
    EXPECT_FALSE(batch->isVisible());
    EXPECT_TRUE(go1->isVisible());
    EXPECT_FALSE(go2->isVisible());
    EXPECT_EQ(source->toolTip(), "Hot Key: Alt+Q");
    EXPECT_EQ(go1->toolTip(), "Hot Key: Eingabe");
    EXPECT_EQ(source->size(), QSize(80, 62));
    EXPECT_EQ(window->minimumSize(), QSize(520, 138));

    ASSERT_TRUE(window->OpenFile(MakeBatch(ExampleProfile())));
    QApplication::processEvents();  // the toolbar lays its buttons out later
    EXPECT_FALSE(source->isVisible());
    EXPECT_TRUE(batch->isVisible());
    EXPECT_TRUE(go2->isVisible());
    EXPECT_FALSE(go1->isVisible());

    Params().Programm.Tooltips = false;
    window->RefreshHints();
    EXPECT_EQ(batch->toolTip(), "");
}

// Mute mode: the tray icon's left click does nothing, its "Wiederherstellen" shows the window;
// "Beenden" removes the icon only once the close is accepted.
TEST_F(DocumentTest, Tray_MuteModeAndExit)
{
    TMainWnd mute(true);
    cTrayIcon& tray = mute.Tray();
    mute.OpenStartFile("");
    EXPECT_TRUE(Params().TrayIcon);
    EXPECT_TRUE(Params().Batch.MinimizeToTray);
    EXPECT_FALSE(mute.isVisible());
    tray.Add();
    EXPECT_TRUE(tray.Tip().endsWith(" STUMM"));
    emit tray.Icon()->activated(QSystemTrayIcon::Trigger);
    EXPECT_FALSE(mute.isVisible());
    EXPECT_TRUE(tray.Shown());
    tray.RestoreItm->trigger();
    EXPECT_TRUE(mute.isVisible());
    EXPECT_FALSE(tray.Shown());

    tray.Add();
    Params().Modified = true;
    presenter->Answers = {BoxResult::Cancel};
    tray.ExitItm->trigger();
    EXPECT_TRUE(tray.Shown());
    presenter->Answers = {BoxResult::No};
    tray.ExitItm->trigger();
    EXPECT_FALSE(tray.Shown());
}
