#include "dialogs/TLogDlg.h"

#include <sys/stat.h>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "../mail/SmtpSink.h"
#include "DialogTestEnvironment.h"
#include "dialogs/LogRules.h"
#include "dialogs/TLogEmailDlg.h"
#include "dialogs/TLogPrinterDlg.h"
#include "dialogs/TLogViewerDlg.h"
#include "settings/OptionsFile.h"
#include "support/RecordingPresenter.h"
#include "support/TestDir.h"

using namespace verdal;
using namespace verdal::test;

namespace {

class LogDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetOptionsFilePath(dir.filePath("Verdal50.ini"));
        params.Reset();
        params.Log.Filename = "/var/log/verdal/Log.txt";
        params.Log.Email2 = true;
        params.Log.ViewerKind = 0;
        params.Modified = false;
        savedChoose = LogFileDialogs::Choose;
        savedPrinters = TLogPrinterDlg::PrinterNames;
    }
    void TearDown() override
    {
        LogFileDialogs::Choose = savedChoose;
        TLogPrinterDlg::PrinterNames = savedPrinters;
        SetOptionsFilePath({});
    }

    TestDir dir;
    cParameters params;
    decltype(LogFileDialogs::Choose) savedChoose;
    decltype(TLogPrinterDlg::PrinterNames) savedPrinters;
};

void Press(QWidget* dialog, const char* button)
{
    Control<QPushButton>(dialog, button)->click();
}

}  // namespace

TEST_F(LogDlgTest, Ok_WritesEveryFieldAndMarksModified)
{
    OnNextModal([](QWidget* w) {
        auto* dialog = static_cast<TLogDlg*>(w);
        EXPECT_EQ(dialog->FilenameEdt->text(), QStringLiteral("/var/log/verdal/Log.txt"));
        EXPECT_TRUE(dialog->Email2Chk->isChecked());
        dialog->ActiveChk->setChecked(false);
        dialog->FilenameEdt->setText(QStringLiteral("/tmp/Neu.log"));
        dialog->DateTimeCbo->setCurrentIndex(2);
        dialog->FileInfoCbo->setCurrentIndex(0);
        dialog->DailyChk->setChecked(true);
        dialog->AppendChk->setChecked(false);
        dialog->NormalChk->setChecked(true);
        dialog->Viewer1Chk->setChecked(true);
        dialog->Printer2Chk->setChecked(true);
        dialog->Email2Chk->setChecked(false);
        Press(dialog, "OkBtn");
    });
    ASSERT_TRUE(TLogDlg::Open(nullptr, params, -1));
    const cLogParameters& log = params.Log;
    EXPECT_FALSE(log.Active);
    EXPECT_EQ(log.Filename, "/tmp/Neu.log");
    EXPECT_EQ(log.DateTimeMode, 2);
    EXPECT_EQ(log.FileInfoMode, 0);
    EXPECT_TRUE(log.Daily);
    EXPECT_FALSE(log.Append);
    EXPECT_TRUE(log.SkipNormal);
    EXPECT_TRUE(log.Viewer1 && log.Printer2);
    EXPECT_FALSE(log.Email1 || log.Printer1 || log.Viewer2 || log.Email2);
    EXPECT_TRUE(params.Modified);
}

TEST_F(LogDlgTest, Cancel_LeavesTheBlockUntouched)
{
    const cLogParameters before = params.Log;
    OnNextModal([](QWidget* w) {
        auto* dialog = static_cast<TLogDlg*>(w);
        dialog->FilenameEdt->setText(QStringLiteral("/tmp/anders.txt"));
        dialog->Viewer2Chk->setChecked(true);
        Press(dialog, "CancelBtn");
    });
    EXPECT_FALSE(TLogDlg::Open(nullptr, params, -1));
    EXPECT_EQ(params.Log, before);
    EXPECT_FALSE(params.Modified);
}

TEST_F(LogDlgTest, Browse_StartsAtTheFieldAndTakesTheChoice)
{
    BrowseStart seen;
    QString title;
    LogFileDialogs::Choose = [&](QWidget*, LogFileDialogs::Mode, const QString& t,
                                 const BrowseStart& start, const QString&, const QString&) {
        seen = start;
        title = t;
        return QStringLiteral("/srv/logs/Sicherung.txt");
    };
    TLogDlg dialog;
    dialog.LoadFrom(params);
    Press(&dialog, "BrowseBtn");
    EXPECT_EQ(title, QStringLiteral("Log-Datei"));
    EXPECT_EQ(seen.Directory, QStringLiteral("/var/log/verdal"));
    EXPECT_EQ(seen.Name, QStringLiteral("Log.txt"));
    EXPECT_EQ(dialog.FilenameEdt->text(), QStringLiteral("/srv/logs/Sicherung.txt"));
}

TEST_F(LogDlgTest, SubDialogOk_TakesEffectEvenWhenTheLogDialogIsCancelled)
{
    OnNextModal([](QWidget* w) {
        OnNextModal([](QWidget* sub) {
            Control<QRadioButton>(sub, "WordPadRdo")->click();
            Control<QLineEdit>(sub, "SwitchesEdt")->setText(QStringLiteral("--readonly"));
            Press(sub, "OkBtn");
        });
        Press(w, "ViewerBtn");  // returns once the sub-dialog is closed
        Press(w, "CancelBtn");
    });
    EXPECT_FALSE(TLogDlg::Open(nullptr, params, -1));
    EXPECT_EQ(params.Log.ViewerKind, 3);
    EXPECT_EQ(params.Log.ViewerSwitches, "--readonly");
    EXPECT_TRUE(params.Modified);
}

TEST_F(LogDlgTest, Viewer_SwitchesOnlyForExternalViewers)
{
    TLogViewerDlg dialog;
    dialog.LoadFrom(params);
    EXPECT_TRUE(dialog.BuiltInRdo->isChecked());
    EXPECT_FALSE(dialog.SwitchesEdt->isEnabled());
    dialog.NotepadRdo->click();
    EXPECT_TRUE(dialog.SwitchesEdt->isEnabled());
    dialog.BuiltInRdo->click();
    EXPECT_FALSE(dialog.SwitchesEdt->isEnabled());

    params.Log.ViewerKind = 2;
    TLogViewerDlg external;
    external.LoadFrom(params);
    EXPECT_TRUE(external.QuickViewRdo->isChecked());
    EXPECT_TRUE(external.SwitchesEdt->isEnabled());
}

TEST_F(LogDlgTest, Viewer_ClickIntoOtherSelectsItAndOkStoresIt)
{
    TLogViewerDlg dialog;
    dialog.LoadFrom(params);
    QTest::mouseClick(dialog.OtherEdt, Qt::LeftButton);
    EXPECT_TRUE(dialog.OtherRdo->isChecked());
    EXPECT_TRUE(dialog.SwitchesEdt->isEnabled());
    dialog.OtherEdt->setText(QStringLiteral("/usr/bin/less"));
    dialog.SwitchesEdt->setText(QStringLiteral("-N"));
    dialog.SaveTo(params);
    EXPECT_EQ(params.Log.ViewerKind, 4);
    EXPECT_EQ(params.Log.OtherViewer, "/usr/bin/less");
    EXPECT_EQ(params.Log.ViewerSwitches, "-N");
}

TEST_F(LogDlgTest, Viewer_BrowseTakesOnlyPrograms)
{
    const std::string program = dir.createFile("bin/betrachter", "#!/bin/sh\n");
    const std::string text = dir.createFile("bin/kein-programm.txt", "x");
    ASSERT_EQ(chmod(program.c_str(), 0755), 0);
    QString answer = QString::fromStdString(text);
    LogFileDialogs::Choose = [&](QWidget*, LogFileDialogs::Mode, const QString&, const BrowseStart&,
                                 const QString&, const QString& suffix) {
        EXPECT_TRUE(suffix.isEmpty());  // no ".exe" tacked onto a program name
        return answer;
    };
    RecordingPresenter presenter;
    TLogViewerDlg dialog;
    dialog.LoadFrom(params);
    dialog.BrowseBtn->click();
    EXPECT_TRUE(dialog.OtherEdt->text().isEmpty());
    EXPECT_TRUE(dialog.BuiltInRdo->isChecked());
    ASSERT_EQ(presenter.Messages.size(), 1u);
    answer = QString::fromStdString(program);
    dialog.BrowseBtn->click();
    EXPECT_EQ(dialog.OtherEdt->text(), answer);
    EXPECT_TRUE(dialog.OtherRdo->isChecked());
}

TEST_F(LogDlgTest, Email_OkCopiesTheFieldsCancelDoesNot)
{
    params.Log.SenderName = "Verdal";
    params.Log.Recipient3Address = "c@example.org";
    TLogEmailDlg dialog;
    dialog.LoadFrom(params);
    EXPECT_EQ(dialog.SenderNameEdt->text(), QStringLiteral("Verdal"));
    EXPECT_EQ(dialog.RecipientAddressEdt[2]->text(), QStringLiteral("c@example.org"));
    Control<QLineEdit>(&dialog, "Recipient2NameEdt")->setText(QStringLiteral("Bernd"));
    Control<QLineEdit>(&dialog, "SmtpServerEdt")->setText(QStringLiteral("mail.example.org"));
    Control<QLineEdit>(&dialog, "SubjectPrefixEdt")->setText(QStringLiteral("Log: "));
    dialog.AttachmentChk->setChecked(true);
    cParameters cancelled = params;
    EXPECT_EQ(cancelled.Log, params.Log);  // Cancel writes nothing back
    dialog.SaveTo(params);
    EXPECT_EQ(params.Log.Recipient2Name, "Bernd");
    EXPECT_EQ(params.Log.SmtpServer, "mail.example.org");
    EXPECT_EQ(params.Log.SubjectPrefix, "Log: ");
    EXPECT_TRUE(params.Log.AsAttachment);
    EXPECT_EQ(params.Log.Recipient3Address, "c@example.org");
    EXPECT_TRUE(params.Modified);
}

TEST_F(LogDlgTest, Email_TestReachesTheServerAndShowsItsAnswer)
{
    TestDir spool;
    SmtpSink sink(spool.path());
    if (!sink.Problem().empty()) {
        GTEST_SKIP() << "Kein SMTP-Testserver: " << sink.Problem();
    }
    TLogEmailDlg dialog;
    dialog.LoadFrom(params);
    dialog.SenderAddressEdt->setText(QStringLiteral("verdal@example.org"));
    dialog.RecipientNameEdt[0]->setText(QStringLiteral("Anna"));
    dialog.RecipientAddressEdt[0]->setText(QStringLiteral("anna@example.org"));
    dialog.SubjectPrefixEdt->setText(QStringLiteral("Verdal: "));
    dialog.SmtpServerEdt->setText(QStringLiteral("127.0.0.1:%1").arg(sink.Port()));
    dialog.TestBtn->click();
    EXPECT_TRUE(dialog.TestLbl->text().startsWith(
        QStringLiteral("Der Server hat die Testnachricht angenommen.")))
        << dialog.TestLbl->text().toStdString();
    EXPECT_TRUE(dialog.TestLbl->text().contains(QStringLiteral("250")));
    auto facts = sink.Facts(1);
    EXPECT_EQ(facts["rcpt_tos"], "anna@example.org");
    EXPECT_EQ(facts["subject"], "Verdal: Testnachricht");
    // Testing changes nothing in the document.
    EXPECT_TRUE(params.Log.SmtpServer.empty());
}

TEST_F(LogDlgTest, Email_TestAgainstARefusedConnectionSaysWhy)
{
    TLogEmailDlg dialog;
    dialog.LoadFrom(params);
    dialog.RecipientAddressEdt[0]->setText(QStringLiteral("anna@example.org"));
    dialog.SmtpServerEdt->setText(QStringLiteral("127.0.0.1:1"));
    EXPECT_FALSE(dialog.SendTest());
    EXPECT_TRUE(dialog.TestLbl->text().startsWith(
        QStringLiteral("Die Testnachricht konnte nicht verschickt werden.")))
        << dialog.TestLbl->text().toStdString();
    EXPECT_TRUE(dialog.TestBtn->isEnabled());
}

TEST_F(LogDlgTest, Printer_SelectsTheStoredOneOrTheFirst)
{
    TLogPrinterDlg::PrinterNames = [] {
        return QStringList{QStringLiteral("Büro"), QStringLiteral("Keller")};
    };
    params.Log.PrinterName = "Keller";
    TLogPrinterDlg dialog;
    dialog.LoadFrom(params);
    EXPECT_EQ(dialog.PrinterCbo->currentText(), QStringLiteral("Keller"));
    params.Log.PrinterName = "Verschwunden";
    dialog.LoadFrom(params);
    EXPECT_EQ(dialog.PrinterCbo->currentText(), QStringLiteral("Büro"));

    TLogPrinterDlg::PrinterNames = [] { return QStringList(); };
    dialog.LoadFrom(params);
    dialog.SaveTo(params);
    EXPECT_EQ(params.Log.PrinterName, "");
}

TEST_F(LogDlgTest, Printer_FontChoiceIsStoredAndShownOnTheButton)
{
    TLogPrinterDlg::PrinterNames = [] { return QStringList{QStringLiteral("Büro")}; };
    TLogPrinterDlg dialog;
    dialog.LoadFrom(params);
    QFont offered;
    dialog.ChooseFont = [&](QWidget*, const QFont& initial) -> std::optional<QFont> {
        offered = initial;
        QFont font(QStringLiteral("DejaVu Sans Mono"));
        font.setPointSize(14);
        return font;
    };
    dialog.FontBtn->click();
    EXPECT_EQ(offered.family(), QStringLiteral("Courier New"));
    EXPECT_EQ(offered.pointSize(), 9);
    EXPECT_EQ(dialog.FontBtn->font().pointSize(), 14);
    dialog.SaveTo(params);
    EXPECT_EQ(params.Log.PrinterName, "Büro");
    EXPECT_EQ(params.Log.PrintFontName, "DejaVu Sans Mono");
    EXPECT_EQ(params.Log.PrintFontSize, 14);
}
