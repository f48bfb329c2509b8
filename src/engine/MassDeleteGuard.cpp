#include "engine/MassDeleteGuard.h"

#include <string>

#include "engine/RunContext.h"
#include "engine/RunLog.h"
#include "settings/Parameters.h"
#include "settings/ProgramMessages.h"

namespace verdal {
namespace {

constexpr int kMinimumGuardedFiles = 5;

const FileStamp& StampOn(const cCandidate& c, bool source)
{
    return source ? c.Source : c.Destination;
}

bool DeletesOn(const cCandidate& c, bool source)
{
    return c.Action() == kDelete && !(c.Category & kDone) && StampOn(c, source).LastWrite != 0;
}

int DeletionsOnSide(const cRunContext& run, bool source)
{
    int deletions = 0;
    for (const auto& item : run.Candidates.Items()) {
        deletions += DeletesOn(*item, source) ? 1 : 0;
    }
    return deletions;
}

void KeepFilesOnSide(cRunContext& run, bool source)
{
    for (auto& item : run.Candidates.Items()) {
        if (DeletesOn(*item, source)) {
            item->Category = static_cast<uint16_t>((item->Category & ~kActionMask) | kSkip);
        }
    }
}

}  // namespace

void GuardMassDeletion(cRunContext& run, cLog& log, bool allow)
{
    for (const bool source : {true, false}) {
        const int deletions = DeletionsOnSide(run, source);
        const int64_t found = source ? run.SourceFilesFound : run.DestinationFilesFound;
        if (deletions < kMinimumGuardedFiles || 2 * static_cast<int64_t>(deletions) < found) {
            continue;
        }
        const std::string root =
            source ? run.SourcePath(run.CommonSourcePrefix.empty() ? "\\" : run.CommonSourcePrefix)
                   : run.DestinationPath(run.DestinationBase);
        if (allow ||
            ShowProgramMessage(kMsgMassDelete, {root, deletions, found}) == BoxResult::Yes) {
            continue;
        }
        KeepFilesOnSide(run, source);
        log.Event(kLogMassDelete, std::to_string(deletions), root);
        ++run.Counters.Errors;
    }
}

}  // namespace verdal
