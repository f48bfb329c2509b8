#include "engine/FolderNames.h"

#include <string>
#include <vector>

#include "engine/RunContext.h"
#include "platform/FileCopy.h"
#include "platform/Paths.h"
#include "platform/TextCase.h"
#include "platform/WinError.h"
#include "settings/Parameters.h"

namespace verdal {
namespace {

// Where each folder name of `dir` ends (at its closing backslash), from `from` on.
std::vector<size_t> ComponentEnds(const std::string& dir, size_t from)
{
    std::vector<size_t> ends;
    for (size_t at = dir.find('\\', from); at != std::string::npos; at = dir.find('\\', at + 1))
        ends.push_back(at);
    return ends;
}

// Length of the part of `dir` above the folders the run pairs (the search prefix or the
// destination base); npos when `dir` does not lie below it.
size_t PrefixLength(const std::string& dir, const std::string& prefix)
{
    return dir.size() >= prefix.size() && SameTextCI(dir.substr(0, prefix.size()), prefix)
               ? prefix.size()
               : std::string::npos;
}

}  // namespace

bool FollowFolderNames(cRunContext& run, int dirIndex, bool forward)
{
    std::vector<std::string>& toTable = forward ? run.DestinationDirs : run.SourceDirs;
    const std::string& from = forward ? run.SourceDirs[dirIndex] : run.DestinationDirs[dirIndex];
    // A rename made on the receiving side since the last run is never taken back.
    const size_t index = static_cast<size_t>(dirIndex);
    if (from == toTable[dirIndex] ||
        (index < run.CaseRenamedSide.size() && run.CaseRenamedSide[index] == (forward ? 2 : 1)))
        return false;
    const std::string sourcePrefix = run.Params.ShortenPaths ? run.CommonSourcePrefix : "\\";
    const size_t fromStart = PrefixLength(from, forward ? sourcePrefix : run.DestinationBase);
    const size_t toStart =
        PrefixLength(toTable[dirIndex], forward ? run.DestinationBase : sourcePrefix);
    if (fromStart == std::string::npos || toStart == std::string::npos ||
        !SameTextCI(from.substr(fromStart), toTable[dirIndex].substr(toStart)))
        return false;
    const std::string& toRoot = forward ? run.DestinationNativeRoot : run.SourceNativeRoot;
    const std::vector<size_t> fromEnds = ComponentEnds(from, fromStart);
    bool renamed = false;
    size_t fromBegin = fromStart;
    size_t toBegin = toStart;
    for (size_t k = 0; k < fromEnds.size(); ++k) {
        const std::string to = toTable[dirIndex];  // a copy: the table changes below
        const size_t toEnd = to.find('\\', toBegin);
        if (toEnd == std::string::npos)
            break;
        const std::string name = from.substr(fromBegin, fromEnds[k] - fromBegin);
        const std::string old = to.substr(toBegin, toEnd - toBegin);
        if (name != old) {
            std::string path = JoinNativePath(toRoot, to.substr(0, toEnd + 1));
            while (path.size() > 1 && path.back() == '/')
                path.pop_back();
            if (RenameCaseOnly(path, name) != kErrSuccess)
                break;
            renamed = true;
            // Every folder below the renamed one is known by the new name from now on.
            const std::string oldPrefix = to.substr(0, toEnd + 1);
            for (std::string& entry : toTable)
                if (entry.compare(0, oldPrefix.size(), oldPrefix) == 0)
                    entry.replace(toBegin, old.size(), name);
        }
        fromBegin = fromEnds[k] + 1;
        toBegin = toBegin + name.size() + 1;
    }
    return renamed;
}

}  // namespace verdal
