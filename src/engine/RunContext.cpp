#include "engine/RunContext.h"

#include "engine/RunFrontEnd.h"
#include "platform/Paths.h"

namespace verdal {

cRunContext::cRunContext(cParameters& params, cRunFrontEnd* frontEnd)
    : Params(params), FrontEnd(frontEnd)
{}

std::string cRunContext::SourcePath(const std::string& relativeDir, const std::string& name) const
{
    return JoinNativePath(SourceNativeRoot, relativeDir, name);
}

std::string cRunContext::DestinationPath(const std::string& relativeDir,
                                         const std::string& name) const
{
    return JoinNativePath(DestinationNativeRoot, relativeDir, name);
}

std::string cRunContext::SourceFile(const cCandidate& candidate) const
{
    return SourcePath(SourceDirs[candidate.DirIndex], candidate.SourceFileName());
}

std::string cRunContext::DestinationFile(const cCandidate& candidate) const
{
    return DestinationPath(DestinationDirs[candidate.DirIndex], candidate.DestinationFileName());
}

bool cRunContext::PumpAndCheckAbort() const
{
    if (FrontEnd)
        FrontEnd->Pump();
    return AbortFlag.load();
}

}  // namespace verdal
