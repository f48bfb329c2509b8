#include "app/LogDelivery.h"

#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <memory>

#include "../mail/SmtpSink.h"
#include "GuiFixture.h"
#include "PdfTools.h"
#include "app/MainWnd.h"
#include "app/RunController.h"
#include "dialogs/TInfoWnd.h"
#include "dialogs/TTimedDlg.h"
#include "settings/Parameters.h"

using namespace verdal;

namespace {

// Notes every window that shows during a run: its class and, for the phase window, its text.
// Modal windows are answered at once (the self-closing message by its OK), so a delivery that
// should not happen cannot hold the test.
class WindowLog : public QObject
{
public:
    WindowLog() { qApp->installEventFilter(this); }
    ~WindowLog() override { qApp->removeEventFilter(this); }

    std::vector<std::string> Shown;

    bool Has(const std::string& entry) const
    {
        return std::find(Shown.begin(), Shown.end(), entry) != Shown.end();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() != QEvent::Show || widget == nullptr || !widget->isWindow()) {
            return false;
        }
        std::string entry = widget->metaObject()->className();
        if (auto* info = qobject_cast<TInfoWnd*>(widget)) {
            entry += ": " + info->TextLbl->text().toStdString();
        } else if (auto* timed = qobject_cast<TTimedDlg*>(widget)) {
            entry += ": " + timed->Line1Lbl->text().toStdString() + " | " +
                     timed->Line2Lbl->text().toStdString() + " | " +
                     timed->Line3Lbl->text().toStdString();
            QTimer::singleShot(0, timed->OkBtn, &QPushButton::click);
        } else if (auto* dialog = qobject_cast<QDialog*>(widget)) {
            QTimer::singleShot(0, dialog, &QDialog::reject);
        }
        Shown.push_back(entry);
        return false;
    }
};

class LogDeliveryTest : public test::GuiTest
{
protected:
    // The window with the example profile, the run's log going to Log.txt in the test folder
    // and every delivery flag off; the log printer writes into a PDF file.
    void OpenProfile()
    {
        window = std::make_unique<TMainWnd>();
        ASSERT_TRUE(window->OpenFile(ExampleProfile()));
        cLogParameters& log = Params().Log;
        log.Viewer1 = log.Email1 = log.Printer1 = false;
        log.Viewer2 = log.Email2 = log.Printer2 = false;
        log.ViewerKind = 0;
        log.SenderName = "Verdal";
        log.SenderAddress = "verdal@example.org";
        log.Recipient1Name = "Anna";
        log.Recipient1Address = "anna@example.org";
        log.SubjectPrefix = "Log: ";
        log.AsAttachment = false;
        auto delivery = std::make_unique<cGuiLogDelivery>(*window);
        delivery->MakePrinter = [this](const std::string& name) {
            printerAsked.push_back(name);
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(QString::fromStdString(dir.filePath("log.pdf")));
            return printer;
        };
        window->Runs().SetDelivery(std::move(delivery));
    }

    void Run()
    {
        WindowLog windows;
        window->Action("GoItm")->trigger();
        shown = windows.Shown;
    }
    bool WasShown(const std::string& entry) const
    {
        return std::find(shown.begin(), shown.end(), entry) != shown.end();
    }
    bool ClassShown(const std::string& prefix) const
    {
        return std::any_of(shown.begin(), shown.end(),
                           [&prefix](const std::string& s) { return s.rfind(prefix, 0) == 0; });
    }

    std::unique_ptr<TMainWnd> window;
    std::vector<std::string> printerAsked;
    std::vector<std::string> shown;
};

}  // namespace

// A run that ends with an error and has only the error mail set mails the log to the server
// and neither shows nor prints it, though the flags for a run without error ask for both.
TEST_F(LogDeliveryTest, RunWithErrors_OnlyEmail2_MailedNeitherShownNorPrinted)
{
    dir.createDir("smtp");
    test::SmtpSink sink(dir.filePath("smtp"));
    if (!sink.Problem().empty()) {
        GTEST_SKIP() << sink.Problem();
    }
    OpenProfile();
    cLogParameters& log = Params().Log;
    log.Viewer1 = log.Printer1 = true;
    log.Email2 = true;
    log.SmtpServer = "127.0.0.1:" + std::to_string(sink.Port());
    // A file size limit below the file to copy makes the copy fail, for root as for anyone;
    // the log stays below it.
    dir.createFile("Quelle/Daten/Gross.bin", std::string(2 << 20, 'x'));
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 1 << 20;
    setrlimit(RLIMIT_FSIZE, &small);

    Run();

    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(window->Runs().LastResult().Result, 2);
    const auto facts = sink.Facts(1);
    ASSERT_FALSE(facts.empty()) << "no mail arrived";
    EXPECT_EQ(facts.at("subject"), "Log: Log.txt");
    ASSERT_EQ(facts.count("body.text"), 1u);  // the log is the body
    EXPECT_NE(facts.at("body.text").find("gestartet von Hand"), std::string::npos);
    EXPECT_TRUE(WasShown("verdal::TInfoWnd: Verschicke Log an Anna <anna@example.org>..."));
    EXPECT_FALSE(ClassShown("verdal::TViewerDlg"));
    EXPECT_FALSE(ClassShown("verdal::TTimedDlg"));
    EXPECT_TRUE(printerAsked.empty());
    EXPECT_TRUE(window->isEnabled());
}

// A refused mail shows the self-closing message with the recipient and the reason; the print
// that follows still happens, into the chosen printer (here a PDF file) in the chosen font.
TEST_F(LogDeliveryTest, RefusedMail_TimedMessage_ThenTheLogIsPrinted)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        GTEST_SKIP() << "poppler-utils ist nicht installiert";
    }
    OpenProfile();
    cLogParameters& log = Params().Log;
    log.Email1 = log.Printer1 = true;
    log.SmtpServer = "127.0.0.1:1";
    log.PrinterName = "Buero";
    log.PrintFontName = "DejaVu Sans Mono";
    log.PrintFontSize = 9;

    Run();

    EXPECT_EQ(window->Runs().LastResult().Result, 0);
    const auto timed = std::find_if(shown.begin(), shown.end(), [](const std::string& s) {
        return s.rfind(
                   "verdal::TTimedDlg: Fehler beim Verschicken... | E-Mail an Anna "
                   "<anna@example.org> | ",
                   0) == 0;
    });
    ASSERT_NE(timed, shown.end());
    EXPECT_GT(timed->size(),
              std::string("verdal::TTimedDlg: Fehler beim Verschicken... | E-Mail an "
                          "Anna <anna@example.org> | ")
                  .size());  // a reason is given
    ASSERT_EQ(printerAsked, std::vector<std::string>{"Buero"});
    EXPECT_TRUE(ClassShown("verdal::TInfoWnd: Drucke Log auf "));
    const QString text = test::PdfText(QString::fromStdString(dir.filePath("log.pdf")));
    EXPECT_TRUE(text.contains(QStringLiteral("gestartet von Hand"))) << text.toStdString();
    EXPECT_TRUE(window->isEnabled());
}

// Viewer kinds 1 to 3 start the desktop's text editor, opener and word processor with the log
// as one argument and the switches after it; here each program is a script that writes down
// how it was called. Without a word processor the start fails with the German message.
TEST_F(LogDeliveryTest, ViewLog_KindsOneToThreeStartTheirPrograms)
{
    const std::string calls = dir.filePath("calls.txt");
    for (const char* name : {"xdg-mime", "gedit", "xdg-open", "lowriter"}) {
        const std::string script =
            std::string("#!/bin/sh\n") + (std::string(name) == "xdg-mime" ? "exit 1\n" : "") +
            "printf '%s|' \"${0##*/}\" \"$@\" >>'" + calls + "'\necho >>'" + calls + "'\n";
        dir.createFile(std::string("bin/") + name, script);
        QFile::setPermissions(QString::fromStdString(dir.filePath(std::string("bin/") + name)),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(dir.filePath("bin")));
    OpenProfile();
    cLogParameters& log = Params().Log;
    log.ViewerSwitches = "-n \"zwei Worte\"";
    // The scripts run detached: wait for their lines.
    auto called = [&](long lines) {
        std::string text;
        for (int i = 0; i < 500; ++i) {
            text = dir.exists("calls.txt") ? dir.readFile("calls.txt") : std::string();
            if (std::count(text.begin(), text.end(), '\n') >= lines) {
                break;
            }
            QTest::qWait(10);
        }
        return text;
    };
    for (int kind : {1, 2, 3}) {
        log.ViewerKind = kind;
        window->Action("ViewerItm")->trigger();
        called(kind);
    }
    const std::string logFile = Params().Log.CurrentLogFile;
    EXPECT_EQ(called(3), "gedit|" + logFile + "|-n|zwei Worte|\nxdg-open|" + logFile +
                             "|-n|zwei Worte|\nlowriter|" + logFile + "|-n|zwei Worte|\n");
    std::remove(dir.filePath("bin/lowriter").c_str());
    window->Action("ViewerItm")->trigger();
    qputenv("PATH", path);
    ASSERT_EQ(presenter->Messages.size(), 1u);
    EXPECT_EQ(presenter->Messages[0].Text.rfind("Konnte WordPad\r\r", 0), 0u);
}
