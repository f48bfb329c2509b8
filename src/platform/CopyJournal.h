#pragma once

#include <string>
#include <vector>

namespace verdal {

// The journal of the temporary files a run's copies create: one file per running process,
// locked while it runs, naming each temporary by path, device and inode. A journal whose lock
// is free belongs to a run that was killed; its temporaries that still stand as they were made
// are leftovers. A user's file that merely carries such a name is never in a journal, so it
// is synced like any other.

struct CopyLeftover
{
    std::string Path;
    int Code = 0;  // 0 removed, else the error of the removal
};

// Starts this process's journal in `dir` (made when missing) after taking over the journals of
// ended runs: their leftovers are removed and returned for the log; those that cannot be
// looked at now (an unreadable folder) stay recorded for a later run.
std::vector<CopyLeftover> BeginCopyJournal(const std::string& dir);
// Ends the journal: every temporary of a finished run has been renamed or removed.
void EndCopyJournal();
// True when the file (device, inode) is a temporary that a run still going has recorded: a
// listing leaves it out, as it is no user file and will be gone when that copy ends.
bool IsRunningCopyTemporary(unsigned long long device, unsigned long long inode);
// Records a temporary just created; a no-op when no journal is open.
void RecordCopyTemporary(const std::string& path, unsigned long long device,
                         unsigned long long inode);

}  // namespace verdal
