#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QPrinter>

#include "engine/Orchestration.h"

namespace verdal {

class TMainWnd;

// The window program's delivery of a run log: shown by the chosen viewer, mailed with the
// phase window up, printed on the chosen printer. Failures of mail and print are shown in the
// self-closing message window so that an unattended batch goes on.
class cGuiLogDelivery : public cLogDelivery
{
public:
    explicit cGuiLogDelivery(TMainWnd& window) : window_(window) {}

    // The printer of the log: the installed one of that name, else the default printer; none
    // when the system knows no printer. Replaceable (tests print into a PDF file).
    std::function<std::unique_ptr<QPrinter>(const std::string& name)> MakePrinter =
        InstalledPrinter;
    static std::unique_ptr<QPrinter> InstalledPrinter(const std::string& name);

    void ViewLog(cParameters& params, const std::string& logFile) override;
    void SendLogByMail(cParameters& params, const std::string& logFile) override;
    void PrintLog(cParameters& params, const std::string& logFile) override;

    // The menu command: the log file computed afresh, ModalOpen set while it is shown.
    void ViewCurrentLog();

private:
    TMainWnd& window_;
};

// The program and arguments that show `logFile` with viewer kind 1..4 (1 the desktop's text
// editor, 2 the desktop's opener, 3 a word processor, 4 `otherViewer`): the file as one
// argument, then the switches split into arguments, macros expanded in each. Empty when no
// program is known.
std::vector<std::string> ViewerCommand(int kind, const std::string& otherViewer,
                                       const std::string& switches, const std::string& logFile);
// "Notizblock", "Schnellansicht", "WordPad", "Betrachter".
std::string ViewerDisplayName(int kind);

}  // namespace verdal
