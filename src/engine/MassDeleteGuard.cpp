#include "engine/MassDeleteGuard.h"

#include <vector>

#include "engine/RunContext.h"
#include "engine/RunLog.h"
#include "platform/DirList.h"
#include "settings/Parameters.h"
#include "settings/ProgramMessages.h"

namespace verdal {
namespace {

constexpr int kMinimumGuardedFiles = 10;

const FileStamp& StampOn(const cCandidate& c, bool source)
{
    return source ? c.Source : c.Destination;
}

// Deletions that remove this side's file, or -1 when some other action keeps a file on it.
int DeletionsOnSide(const cRunContext& run, bool source)
{
    int deletions = 0;
    for (const auto& item : run.Candidates.Items()) {
        if (StampOn(*item, source).LastWrite == 0) {
            continue;
        }
        if (item->Action() != kDelete) {
            return -1;
        }
        ++deletions;
    }
    return deletions;
}

// Stops at the first file, so a side that does hold files costs a listing or two.
bool HoldsAnyFile(const cRunContext& run, bool source, const std::vector<std::string>& dirs)
{
    for (const std::string& dir : dirs) {
        cDirListing listing;
        listing.Read(source ? run.SourcePath(dir) : run.DestinationPath(dir), run.Params.UseUTC);
        if (!listing.Files().empty()) {
            return true;
        }
    }
    return false;
}

void KeepFilesOnSide(cRunContext& run, bool source)
{
    for (auto& item : run.Candidates.Items()) {
        if (item->Action() == kDelete && StampOn(*item, source).LastWrite != 0) {
            item->Category = static_cast<uint16_t>((item->Category & ~kActionMask) | kSkip);
        }
    }
}

}  // namespace

void GuardMassDeletion(cRunContext& run, cLog& log)
{
    const std::string roots[2] = {
        run.SourcePath(run.CommonSourcePrefix.empty() ? "\\" : run.CommonSourcePrefix),
        run.DestinationPath(run.DestinationBase)};
    for (const bool source : {true, false}) {
        const int deletions = DeletionsOnSide(run, source);
        if (deletions < kMinimumGuardedFiles ||
            HoldsAnyFile(run, !source, source ? run.DestinationDirs : run.SourceDirs)) {
            continue;
        }
        const std::string& root = roots[source ? 0 : 1];
        const std::string& other = roots[source ? 1 : 0];
        if (ShowProgramMessage(kMsgMassDelete, {root, deletions, other}) != BoxResult::Yes) {
            KeepFilesOnSide(run, source);
            log.Event(kLogMassDelete, other);
        }
    }
}

}  // namespace verdal
