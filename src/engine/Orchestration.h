#pragma once

#include <cstdint>
#include <string>

#include "engine/RunDriver.h"

namespace verdal {

class cParameters;
class cRunFrontEnd;

// Continuation condition passed for a profile that runs on its own, outside a batch.
constexpr uint8_t kNoBatchCondition = 255;

// Delivers the log of a finished run; the GUI shows, mails and prints, verdal-run mails and
// prints the log's path. `logFile` is the file the run wrote.
class cLogDelivery
{
public:
    virtual ~cLogDelivery() = default;
    virtual void ViewLog(cParameters& /*params*/, const std::string& /*logFile*/) {}
    virtual void SendLogByMail(cParameters& /*params*/, const std::string& /*logFile*/) {}
    virtual void PrintLog(cParameters& /*params*/, const std::string& /*logFile*/) {}
};

// Runs one profile that `params` holds: the run driver, then, after a successful run, the
// run's start time stored as LastUpdate (in memory and in the options file), then the log
// delivered by the flags for the result (2: Viewer2/Email2/Printer2, else the "1" flags).
int RunOneProfile(cParameters& params, cRunFrontEnd& frontEnd, cLogDelivery& delivery,
                  const std::string& profilePath, const std::string& batchFile, uint8_t condition,
                  uint32_t trigger, const RunOptions& options = {});

// What a document run leaves for its caller.
struct DocumentRunResult
{
    int Result = 0;              // the highest result of its runs (0 when nothing ran)
    int Runs = 0;                // profiles that ran
    bool ExitRequested = false;  // the document asks the program to end
    int AfterRunCode = 0;        // 0 none, 1 shut down, 2 log off, 3 power off, 4 restart
};

// The core of a run start: the open profile (FileKind 0) once, or every entry of the open batch
// file (FileKind 1) with its warning override, LastUpdate and continuation condition, the
// beeps after the runs, and the after-run code carried out through the session seam.
// The caller ends the program when ExitRequested is set.
DocumentRunResult RunDocument(cParameters& params, cRunFrontEnd& frontEnd, cLogDelivery& delivery,
                              uint32_t trigger, const RunOptions& options = {});

}  // namespace verdal
