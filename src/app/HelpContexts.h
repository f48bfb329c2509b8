#pragma once

namespace verdal {

// Topics of the help window; each has the page resources/help/<number>.html. The program
// messages use their own numbers as topics (30001 ...), the internal error 10010.
enum HelpContext : int {
    kHelpContents = 1,
    kHelpMainWindow = 10,
    kHelpRuns = 20,
    kHelpLogDelivery = 40,
    kHelpProgramOptions = 50,
    kHelpTopTwelve = 51,
    kHelpShortcut = 52,
    kHelpApplications = 53,
    kHelpNewFile = 54,
    kHelpAbout = 55,
    kHelpTray = 60,
    kHelpInternalError = 10010,
};

}  // namespace verdal
