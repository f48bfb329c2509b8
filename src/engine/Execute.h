#pragma once

#include <string>

namespace verdal {

struct cRunContext;
class cLog;

// The passes of a run's execution phase over the sorted candidate list. Every result is
// logged by its event number and counted in run.Counters.

// Deletes every Delete candidate (both existing sides, source first); stops when the abort
// flag is set.
void DeletePass(cRunContext& run, cLog& log);
// Copies Forward and Backward candidates, logs Skip candidates, and deals with failures
// through the interruption dialog. Stops when the abort flag is set. Afterwards every file
// system written to is flushed once.
void CopyPass(cRunContext& run, cLog& log);
// Compares every copied file (mark 256) byte by byte with its origin.
void VerifyPass(cRunContext& run, cLog& log);

// The three directory passes, in this order after the verify pass.
void RemoveEmptyDirsPass(cRunContext& run, cLog& log);
void CreateAllDirsPass(cRunContext& run, cLog& log);
void DirPropertiesPass(cRunContext& run);

// Whether `path` is an existing directory (links are not followed).
bool DirectoryExists(const std::string& path);

}  // namespace verdal
