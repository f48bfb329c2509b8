#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "settings/GermanFormat.h"
#include "settings/Presenter.h"

namespace verdal {

// Bits of cParameters::Warnings (and of a batch file's WarningFlags): message box and beep
// for four kinds of warning.
enum WarningBit : uint8_t {
    kWarnNoFilesMessage = 0x01,
    kWarnNoFilesBeep = 0x02,
    kWarnSpaceMessage = 0x04,
    kWarnSpaceBeep = 0x08,
    kWarnOtherMessage = 0x10,
    kWarnOtherBeep = 0x20,
    kWarnErrorMessage = 0x40,
    kWarnErrorBeep = 0x80,
};

// Numbers of the program messages.
enum ProgramMessageCode : int {
    kMsgValidDrive = 30001,         // drive
    kMsgInvalidDrive = 30002,       // drive
    kMsgValidDirectory = 30003,     // directory
    kMsgInvalidDirectory = 30004,   // directory
    kMsgLogNotWritable = 30005,     // log path, error code (or its text)
    kMsgNothingToDo = 30007,        //
    kMsgSameSourceAndDest = 30008,  //
    kMsgOverlap = 30009,            //
    kMsgDriveNotReady = 30010,      // drive
    kMsgWrongLabel = 30011,         //
    kMsgAfterMidnight = 30012,      //
    kMsgNoFiles = 30014,            //
    kMsgTooLittleSpace = 30015,     // drive, megabytes (number or text)
    kMsgTooManyEntries = 30016,     // number, number
    kMsgMassDelete = 30017,         // root of the side, deletions, files found there
    kMsgCompareError = 30109,       // first file, second file, error code (or its text)
};

// Shows program message `code` with its arguments through the installed presenter, as the
// Warnings bits of Params() allow: the beep (when its bit is set) sounds first; a message
// whose bit is off is not shown and gives its fixed answer. An unknown code shows nothing and
// returns BoxResult::None. `helpContext` 0 means the message's own number.
BoxResult ShowProgramMessage(int code, std::initializer_list<FormatArg> args = {},
                             int helpContext = 0);

// Reports an unexpected error inside a command: error box with OK and help.
void InternalError(const std::string& errorText, const std::string& routine);

// Reports that an external program could not be started (`code` as for ErrorText); help
// context 0 shows OK alone.
void ShowRunProgramError(const std::string& what, const std::string& commandLine, int code,
                         int helpContext);

}  // namespace verdal
