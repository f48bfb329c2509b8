#include "engine/RunContext.h"

#include "engine/RunFrontEnd.h"

namespace verdal {

cRunContext::cRunContext(cParameters& params, cRunFrontEnd* frontEnd)
    : Params(params), FrontEnd(frontEnd)
{}

std::string JoinNative(const std::string& nativeRoot, const std::string& relativeDir,
                       const std::string& name)
{
    std::string path = nativeRoot;
    if (!path.empty() && path.back() == '/')
        path.pop_back();
    for (char c : relativeDir)
        path += (c == '\\') ? '/' : c;
    if (path.empty() || path.back() != '/')
        path += '/';
    path += name;
    return path;
}

std::string cRunContext::SourcePath(const std::string& relativeDir, const std::string& name) const
{
    return JoinNative(SourceNativeRoot, relativeDir, name);
}

std::string cRunContext::DestinationPath(const std::string& relativeDir,
                                         const std::string& name) const
{
    return JoinNative(DestinationNativeRoot, relativeDir, name);
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
