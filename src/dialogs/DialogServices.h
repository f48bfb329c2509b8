#pragma once

#include <functional>
#include <string>
#include <vector>

class QPushButton;
class QWidget;

namespace verdal {

// What the run windows ask of the desktop, replaceable so that tests record instead of
// starting programs: help at a context number, opening a file with its program, and starting
// a program with an argument list (the launcher's convention: 32 or more is success).
struct DialogServices
{
    static std::function<void(QWidget* parent, int helpContext)> ShowHelp;
    static std::function<int(const std::string& path)> OpenFile;
    static std::function<int(const std::vector<std::string>& argv)> StartProgram;
};

// The "Hilfe" button of a dialog (object name "HelpBtn"): opens the help at `helpContext`.
QPushButton* HelpButton(QWidget* owner, int helpContext);

}  // namespace verdal
