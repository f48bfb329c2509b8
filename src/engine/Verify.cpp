#include "engine/Execute.h"

#include "engine/RunContext.h"
#include "engine/RunFrontEnd.h"
#include "engine/RunLog.h"
#include "platform/FileCompare.h"
#include "settings/ErrorText.h"
#include "settings/Parameters.h"
#include "settings/ProgramMessages.h"

namespace verdal {
namespace {

// Compares one copied candidate until it is equal, the user lets it be, or the run is aborted.
void VerifyCandidate(cRunContext& run, cLog& log, cCandidate& c)
{
    const bool forward = c.Action() == kForward;
    const std::string from = forward ? run.SourceFile(c) : run.DestinationFile(c);
    const std::string to = forward ? run.DestinationFile(c) : run.SourceFile(c);
    auto pump = [&run]() { return run.PumpAndCheckAbort(); };
    for (;;) {
        const int code = CompareFilesBytewise(from, to, pump);
        if (code == 0) {
            log.Event(kLogVerified, {from}, {to});
            ++run.Counters.Verified;
            c.Category &= ~kToVerify;
            return;
        }
        if (AbortFlag.load()) {
            return;
        }
        log.Event(kLogVerifyFailed, {from}, {to}, code);
        ++run.Counters.Errors;
        if (ShowProgramMessage(kLogVerifyFailed, {from, to, ErrorText(code)}) != BoxResult::Yes) {
            return;
        }
    }
}

}  // namespace

void VerifyPass(cRunContext& run, cLog& log)
{
    const int count = run.Candidates.Count();
    if (run.FrontEnd) {
        run.FrontEnd->SetPhase("Vergleiche Dateien (Verify)...", count);
    }
    for (int i = 0; i < count && !AbortFlag.load(); ++i) {
        cCandidate& c = run.Candidates[i];
        if (c.Category & kToVerify) {
            VerifyCandidate(run, log, c);
        }
        if (run.FrontEnd) {
            run.FrontEnd->SetPhasePosition(i + 1);
        }
    }
}

}  // namespace verdal
