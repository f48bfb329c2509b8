#include "app/LogDelivery.h"

#include <QCoreApplication>
#include <QFile>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <atomic>

#include "app/DialogRegistry.h"
#include "app/HelpContexts.h"
#include "app/MainWnd.h"
#include "dialogs/TInfoWnd.h"
#include "dialogs/TTimedDlg.h"
#include "mail/LogMail.h"
#include "platform/Process.h"
#include "print/PrintLog.h"
#include "settings/Macros.h"
#include "settings/Parameters.h"
#include "settings/ProgramMessages.h"

namespace verdal {
namespace {

// The program of a desktop entry's Exec line, without its field codes.
std::string ProgramOfDesktopEntry(const QString& id)
{
    const QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, id,
                                                QStandardPaths::LocateFile);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return {};
    }
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1String("Exec="))) {
            const auto argv = SplitCommandLine(line.mid(5).toStdString());
            return argv.empty() ? std::string() : argv.front();
        }
    }
    return {};
}

std::string TextEditorProgram()
{
    std::string id;
    if (RunCommand({"xdg-mime", "query", "default", "text/plain"}, &id, 3000) == 0) {
        const std::string program = ProgramOfDesktopEntry(QString::fromStdString(id).trimmed());
        if (!program.empty()) {
            return program;
        }
    }
    for (const char* name : {"gnome-text-editor", "gedit", "kate", "mousepad", "xed", "pluma"}) {
        if (const std::string found = FindProgram(name); !found.empty()) {
            return found;
        }
    }
    return FindProgram("xdg-open");
}

std::string WordProcessorProgram()
{
    for (const char* name : {"lowriter", "abiword", "calligrawords"}) {
        if (const std::string found = FindProgram(name); !found.empty()) {
            return found;
        }
    }
    return {};
}

std::string JoinForMessage(const std::vector<std::string>& argv)
{
    std::string text;
    for (const std::string& arg : argv) {
        if (!text.empty()) {
            text += ' ';
        }
        text += arg.find(' ') == std::string::npos ? arg : "\"" + arg + "\"";
    }
    return text;
}

// The main window stays disabled while a mail or print delivery works.
class cDisabledWindow
{
public:
    explicit cDisabledWindow(QWidget& window) : window_(window), was_(window.isEnabled())
    {
        window_.setEnabled(false);
    }
    ~cDisabledWindow() { window_.setEnabled(was_); }

private:
    QWidget& window_;
    bool was_;
};

}  // namespace

std::string ViewerDisplayName(int kind)
{
    switch (kind) {
        case 1:
            return "Notizblock";
        case 2:
            return "Schnellansicht";
        case 3:
            return "WordPad";
        default:
            return "Betrachter";
    }
}

std::vector<std::string> ViewerCommand(int kind, const std::string& otherViewer,
                                       const std::string& switches, const std::string& logFile)
{
    std::string program;
    switch (kind) {
        case 1:
            program = TextEditorProgram();
            break;
        case 2:
            program = FindProgram("xdg-open");
            break;
        case 3:
            program = WordProcessorProgram();
            break;
        default:
            program = ExpandMacros(otherViewer);
            break;
    }
    if (program.empty()) {
        return {};
    }
    std::vector<std::string> argv{program, logFile};
    for (const std::string& part : SplitCommandLine(switches)) {
        argv.push_back(ExpandMacros(part));
    }
    return argv;
}

void cGuiLogDelivery::ViewLog(cParameters& params, const std::string& logFile)
{
    const cLogParameters& log = params.Log;
    if (log.ViewerKind == 0) {
        if (window_.Dialogs().Available("VIEWER")) {
            params.Log.CurrentLogFile = logFile;
            window_.OpenDialog("VIEWER");
            return;
        }
        // Without the built-in viewer the desktop shows the file.
        const int code = OpenWithDesktop(logFile);
        if (code < 32) {
            ShowRunProgramError("Betrachter", logFile, code, kHelpLogDelivery);
        }
        return;
    }
    if (log.ViewerKind == 4 && log.OtherViewer.empty()) {
        Presenter().Show(
            {BoxKind::Error, BoxButtons::OkHelp, "Kein Betrachter angegeben.", kHelpLogDelivery});
        return;
    }
    const auto argv = ViewerCommand(log.ViewerKind, log.OtherViewer, log.ViewerSwitches, logFile);
    const int code = argv.empty() ? 2 : StartDetached(argv);
    if (code < 32) {
        ShowRunProgramError(ViewerDisplayName(log.ViewerKind),
                            argv.empty() ? logFile : JoinForMessage(argv), code, kHelpLogDelivery);
    }
}

void cGuiLogDelivery::ViewCurrentLog()
{
    bool& modal = window_.ModalOpenFlag();
    modal = true;
    cParameters& params = Params();
    params.Log.MakeCurrentLogFile();
    ViewLog(params, params.Log.CurrentLogFile);
    modal = false;
}

void cGuiLogDelivery::SendLogByMail(cParameters& params, const std::string& logFile)
{
    cDisabledWindow disabled(window_);
    std::atomic<bool> cancel{false};
    TInfoWnd info;
    info.SetText(QString::fromStdString(SendingLogText(params.Log)));
    info.SetCancelHandler([&cancel] { cancel = true; });
    info.ApplyPlacement();
    if (!window_.Mute()) {
        info.show();
    }
    QCoreApplication::processEvents();
    params.Log.CurrentLogFile = logFile;
    MailHooks hooks;
    hooks.Pump = [] { QCoreApplication::processEvents(); };
    hooks.CancelFlag = &cancel;
    std::string failure;
    bool failed = false;
    hooks.Failed = [&failure, &failed](const std::string& reason) {
        failure = reason;
        failed = true;
    };
    verdal::SendLogByMail(params, hooks);
    info.close();
    QCoreApplication::processEvents();
    if (failed) {
        // The self-closing window, so that an unattended run goes on after a refused mail.
        const cLogParameters& log = params.Log;
        ShowTimedMessage(QStringLiteral("Fehler beim Verschicken..."),
                         QString::fromStdString("E-Mail an " + log.Recipient1Name + " <" +
                                                log.Recipient1Address + ">"),
                         QString::fromStdString(failure), &window_);
    }
}

std::unique_ptr<QPrinter> cGuiLogDelivery::InstalledPrinter(const std::string& name)
{
    QPrinterInfo chosen = QPrinterInfo::printerInfo(QString::fromStdString(name));
    if (chosen.isNull()) {
        chosen = QPrinterInfo::defaultPrinter();
    }
    return chosen.isNull() ? nullptr : std::make_unique<QPrinter>(chosen);
}

void cGuiLogDelivery::PrintLog(cParameters& params, const std::string& logFile)
{
    const cLogParameters& log = params.Log;
    const std::unique_ptr<QPrinter> printer = MakePrinter(log.PrinterName);
    const QString printerName = !printer
                                    ? QString::fromStdString(log.PrinterName)
                                    : (printer->printerName().isEmpty() ? printer->outputFileName()
                                                                        : printer->printerName());
    cDisabledWindow disabled(window_);
    TInfoWnd info;
    info.SetText(QStringLiteral("Drucke Log auf %1...").arg(printerName));
    info.ApplyPlacement();
    if (!window_.Mute()) {
        info.show();
    }
    QCoreApplication::processEvents();
    const QString failure =
        printer ? PrintLogFile(*printer, QString::fromStdString(logFile),
                               QFont(QString::fromStdString(log.PrintFontName), log.PrintFontSize))
                : QStringLiteral("Kein Drucker installiert.");
    info.close();
    if (!failure.isEmpty()) {
        ShowTimedMessage(QStringLiteral("Fehler beim Drucken..."), printerName, failure, &window_);
    }
}

}  // namespace verdal
