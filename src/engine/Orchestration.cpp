#include "engine/Orchestration.h"

#include <algorithm>

#include "engine/RunDriver.h"
#include "engine/RunFrontEnd.h"
#include "engine/RunLog.h"
#include "platform/Clock.h"
#include "platform/FileTimes.h"
#include "platform/RunLock.h"
#include "platform/SessionEnd.h"
#include "settings/Macros.h"
#include "settings/Parameters.h"
#include "settings/Presenter.h"

namespace verdal {
namespace {

void Beep()
{
    Presenter().Beep();
}

bool BatchStops(uint8_t condition, int result)
{
    return (condition == 1 && result != kRunOk) || (condition == 2 && result == kRunOk);
}

// A line in the log of the settings in effect, for what happens outside any run.
void LogNote(cParameters& params, int event, const std::string& path)
{
    cLog log(params.Log);
    if (log.Open() == 0) {
        log.Note(event, path);
    }
}

// Reads a batch entry into `params`; a file that cannot be read, or a batch file (which would
// run the previous profile again under its name), leaves `params` as it was.
bool LoadBatchEntry(cParameters& params, const std::string& path)
{
    cParameters entry = params;
    if (!entry.LoadFromFile(path)) {
        LogNote(params, kLogEntryUnreadable, path);
        return false;
    }
    if (entry.FileKind != 0) {
        LogNote(params, kLogBatchInBatch, path);
        Presenter().Show(Message{BoxKind::Error, BoxButtons::Ok,
                                 path + "\r\rist eine Batch-Datei und kein Profil. "
                                        "Batch-Dateien werden nicht aus Batch-Dateien gestartet.",
                                 0});
        return false;
    }
    params = std::move(entry);
    return true;
}

void RunBatch(cParameters& params, cRunFrontEnd& frontEnd, cLogDelivery& delivery, uint32_t trigger,
              const RunOptions& options, DocumentRunResult& outcome)
{
    const bool untitled = params.Untitled;
    const bool modified = params.Modified;
    const std::string batchFile = params.FileName;
    // Reading each profile records it as the last file; the batch file stays the last one.
    const std::string lastFile = params.Programm.LastFile;
    // The entries are copied: reading a profile must not disturb the list being walked.
    const cBatchParameters batch = params.Batch;
    for (int i = 0; i < batch.Profiles.Count(); ++i) {
        const std::string path = ExpandMacros(batch.Profiles[i]);
        const auto condition = static_cast<uint8_t>(batch.Profiles.Value(i));
        if (!LoadBatchEntry(params, path)) {
            // An entry that did not run has failed, for its condition and for the batch.
            outcome.Result = kRunErrors;
            if (BatchStops(condition, kRunErrors)) {
                break;
            }
            continue;
        }
        params.Batch = batch;
        if (batch.OverrideWarnings) {
            params.Warnings = batch.WarningFlags;
        }
        params.ReadLastUpdate(path);
        frontEnd.Pump();
        const int result =
            RunOneProfile(params, frontEnd, delivery, path, batchFile, condition, trigger, options);
        outcome.Result = std::max(outcome.Result, result);
        ++outcome.Runs;
        if (BatchStops(condition, result)) {
            break;
        }
        frontEnd.Pump();
        if (params.AutoBeep) {
            Beep();
        }
    }
    if (batch.BeepAfterRun) {
        Beep();
    }
    params.Untitled = untitled;
    params.Modified = modified;
    params.FileKind = 1;
    params.FileName = batchFile;
    params.Programm.LastFile = lastFile;
}

}  // namespace

int RunOneProfile(cParameters& params, cRunFrontEnd& frontEnd, cLogDelivery& delivery,
                  const std::string& profilePath, const std::string& batchFile, uint8_t condition,
                  uint32_t trigger, const RunOptions& options)
{
    // Two runs of one profile at once would copy and delete in the same folders and overwrite
    // each other's snapshot.
    cRunLock lock;
    if (!profilePath.empty() && lock.TryLock(profilePath) == cRunLock::Outcome::Busy) {
        LogNote(params, kLogProfileBusy, profilePath);
        if ((trigger & 127) == 0) {
            Presenter().Show(Message{BoxKind::Error, BoxButtons::Ok,
                                     "Das Profil " + profilePath +
                                         " läuft bereits.\r\rDieser Lauf wird nicht gestartet.",
                                     0});
        }
        return kRunAborted;
    }
    const FileTime start = DateTimeToFileTime(Now());
    const FileTime startUtc = UtcNow();
    const int result =
        RunProfile(params, frontEnd, profilePath, batchFile, condition, trigger, options);
    if (result == kRunOk) {
        params.LastUpdate = start;
        params.LastUpdateUtc = startUtc;
        params.LastRunEndUtc = SystemUtcNow();
        params.WriteLastUpdate(profilePath);
    }
    // The file the run wrote, even when a daily log name would change at midnight meanwhile.
    const std::string logFile = params.Log.CurrentLogFile;
    const cLogParameters& log = params.Log;
    // A run that wrote no log has nothing to deliver: an older log must not pass for its own.
    if (!log.Active || logFile.empty()) {
        return result;
    }
    const bool failed = result == kRunErrors;
    if (failed ? log.Viewer2 : log.Viewer1) {
        delivery.ViewLog(params, logFile);
    }
    if (failed ? log.Email2 : log.Email1) {
        delivery.SendLogByMail(params, logFile);
    }
    if (failed ? log.Printer2 : log.Printer1) {
        delivery.PrintLog(params, logFile);
    }
    return result;
}

DocumentRunResult RunDocument(cParameters& params, cRunFrontEnd& frontEnd, cLogDelivery& delivery,
                              uint32_t trigger, const RunOptions& options)
{
    DocumentRunResult outcome;
    if (params.FileKind == 0) {
        outcome.AfterRunCode = params.AutoShutdown;
        outcome.ExitRequested = params.AutoExit;
        params.ReadLastUpdate(params.FileName);
        frontEnd.Pump();
        outcome.Result = RunOneProfile(params, frontEnd, delivery, params.FileName, {},
                                       kNoBatchCondition, trigger, options);
        outcome.Runs = 1;
        frontEnd.Pump();
        if (params.AutoBeep) {
            Beep();
        }
    } else if (params.FileKind == 1) {
        outcome.AfterRunCode = params.Batch.ShutdownMode;
        outcome.ExitRequested = params.Batch.ExitAfterRun;
        RunBatch(params, frontEnd, delivery, trigger, options, outcome);
    } else {
        Presenter().Show(Message{BoxKind::Error, BoxButtons::Ok, "Unbekanntes Dateiformat!", 0});
        return outcome;
    }
    if (outcome.AfterRunCode != 0) {
        EndSession(outcome.AfterRunCode);
    }
    return outcome;
}

}  // namespace verdal
