#include "engine/Execute.h"

#include "engine/RunContext.h"
#include "engine/RunFrontEnd.h"
#include "engine/RunLog.h"
#include "platform/FileOps.h"
#include "platform/Security.h"
#include "settings/Parameters.h"

namespace verdal {
namespace {

void SetPhase(const cRunContext& run, const char* caption, size_t count)
{
    if (run.FrontEnd) {
        run.FrontEnd->SetPhase(caption, static_cast<int64_t>(count));
    }
}

void ShowPosition(const cRunContext& run, size_t position)
{
    if (run.FrontEnd) {
        run.FrontEnd->SetPhasePosition(static_cast<int64_t>(position));
        run.FrontEnd->Pump();
    }
}

// Only empty directories go; a failure (not empty, missing) is silent.
void RemoveIfEmpty(cRunContext& run, cLog& log, const std::string& path)
{
    if (RemoveEmptyDirectory(path) == 0) {
        log.Event(kLogDirDeleted, {path});
        ++run.Counters.DirsDeleted;
    }
}

void CreateMirror(cRunContext& run, cLog& log, const std::string& missing,
                  const std::string& existing)
{
    bool created = false;
    if (!DirectoryExists(missing) && DirectoryExists(existing) &&
        CreateDirectoryWithParents(missing, &created, existing) == 0 && created) {
        log.Event(kLogDirCreated, {missing});
        ++run.Counters.DirsCreated;
    }
}

}  // namespace

bool DirectoryExists(const std::string& path)
{
    uint32_t attributes = 0;
    return GetFileAttributesOf(path, attributes) == 0 && (attributes & kAttrDirectory);
}

void RemoveEmptyDirsPass(cRunContext& run, cLog& log)
{
    const cParameters& p = run.Params;
    const bool source = p.DeleteEmptySrcDirs && p.TouchSrc;
    const bool destination = p.DeleteEmptyDestDirs && p.TouchDest;
    if (!p.DeleteEmptySrcDirs && !p.DeleteEmptyDestDirs) {
        return;
    }
    const size_t count = run.SourceDirs.size();
    SetPhase(run, "Suche leere Verzeichnisse...", count);
    // The tables are sorted, so going backwards removes children before their parents.
    for (size_t i = count; i-- > 0;) {
        if (run.PairBlocked(i)) {
            continue;
        }
        if (source) {
            RemoveIfEmpty(run, log, run.SourcePath(run.SourceDirs[i]));
        }
        if (destination) {
            RemoveIfEmpty(run, log, run.DestinationPath(run.DestinationDirs[i]));
        }
        ShowPosition(run, count - i);
    }
    if (destination) {
        RemoveIfEmpty(run, log, run.DestinationPath(run.DestinationBase));
        RemoveIfEmpty(run, log, run.DestinationPath(p.DestinationDirectory));
    }
}

void CreateAllDirsPass(cRunContext& run, cLog& log)
{
    const cParameters& p = run.Params;
    const bool source = p.CreateAllSrcDirs && p.TouchSrc;
    const bool destination = p.CreateAllDestDirs && p.TouchDest;
    if (!p.CreateAllSrcDirs && !p.CreateAllDestDirs) {
        return;
    }
    const size_t count = run.SourceDirs.size();
    SetPhase(run, "Erstelle Verzeichnisse...", count);
    for (size_t i = 0; i < count; ++i) {
        if (run.PairBlocked(i)) {
            continue;
        }
        const std::string sourceDir = run.SourcePath(run.SourceDirs[i]);
        const std::string destinationDir = run.DestinationPath(run.DestinationDirs[i]);
        if (source) {
            CreateMirror(run, log, sourceDir, destinationDir);
        }
        if (destination) {
            CreateMirror(run, log, destinationDir, sourceDir);
        }
        ShowPosition(run, i + 1);
    }
}

void DirPropertiesPass(cRunContext& run)
{
    const cParameters& p = run.Params;
    if (!p.TransferDirProperties || !p.TouchDest) {
        return;
    }
    const size_t count = run.SourceDirs.size();
    SetPhase(run, "Übertrage Verzeichniseigenschaften...", count);
    for (size_t i = 0; i < count; ++i) {
        if (run.PairBlocked(i)) {
            continue;
        }
        const std::string sourceDir = run.SourcePath(run.SourceDirs[i]);
        const std::string destinationDir = run.DestinationPath(run.DestinationDirs[i]);
        TransferSecurity(sourceDir, destinationDir, true, true);
        ShowPosition(run, i + 1);
    }
}

}  // namespace verdal
