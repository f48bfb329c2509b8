#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "cli/RunCommand.h"
#include "cli/SummaryCommand.h"
#include "settings/OptionsFile.h"
#include "settings/Presenter.h"
#include "settings/TerminalPresenter.h"

using namespace verdal;

int main(int argc, char** argv)
{
    const cArguments args = ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
    switch (args.Mode) {
        case CliMode::Help:
            std::cout << UsageText();
            return 0;
        case CliMode::Version:
            std::printf("verdal-run %s\n", VERDAL_VERSION);
            return 0;
        case CliMode::Invalid:
            std::cerr << "verdal-run: " << args.Error << "\n\n" << UsageText();
            return 3;
        default:
            break;
    }

    if (!args.IniPath.empty()) {
        SetOptionsFilePath(args.IniPath);
    }
    ApplyDriveLetters();
    cTerminalPresenter presenter(args.Interactive);
    SetPresenter(&presenter);

    int code = 3;
    if (args.Mode == CliMode::Summary) {
        code = RunSummaryCommand(args, std::cout);
    } else {
        code = RunFileCommand(args, std::cout, std::cerr, std::cin);
    }
    SetPresenter(nullptr);
    return code;
}
