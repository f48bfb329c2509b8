#include "cli/RunCommand.h"

#include <istream>
#include <ostream>

#include "cli/Arguments.h"
#include "cli/TerminalFrontEnd.h"
#include "engine/Orchestration.h"
#include "engine/RunDriver.h"
#include "mail/LogMail.h"
#include "platform/Terminal.h"
#include "settings/Macros.h"
#include "settings/Parameters.h"

namespace verdal {
namespace {

// Viewer and printer belong to the desktop program; here the path tells where the log is.
class cTerminalDelivery : public cLogDelivery
{
public:
    explicit cTerminalDelivery(cRunFrontEnd& frontEnd) : frontEnd_(frontEnd) {}

    void SendLogByMail(cParameters& params, const std::string& logFile) override
    {
        params.Log.CurrentLogFile = logFile;
        MailHooks hooks;
        hooks.Pump = [this] { frontEnd_.Pump(); };
        hooks.CancelFlag = &AbortFlag;
        verdal::SendLogByMail(params, hooks);
    }

private:
    cRunFrontEnd& frontEnd_;
};

}  // namespace

int RunFileCommand(const cArguments& args, std::ostream& out, std::ostream& err, std::istream& in)
{
    cParameters& params = Params();
    params.Reset();
    const std::string path = ExpandMacros(args.File);
    if (!params.LoadFromFile(path)) {
        return 3;
    }
    params.FileName = path;

    const bool terminal = StderrIsTerminal();
    cTerminalFrontEnd frontEnd(out, err, terminal, args.DryRun, args.Interactive, in);
    SetFlagsOnInterrupt(&AbortFlag, &InterruptRequest);

    if (args.DryRun) {
        // The profile's own options, and nothing after the run: no log, no LastUpdate.
        if (params.FileKind != 0) {
            err << "verdal-run: --dry-run gilt nur für Profile, nicht für Batch-Dateien.\n";
            return 3;
        }
        params.ReadLastUpdate(path);
        RunOptions options;
        options.DryRun = true;
        options.AllowMassDelete = args.AllowMassDelete;
        return RunProfile(params, frontEnd, path, {}, kNoBatchCondition, 0, options);
    }

    cTerminalDelivery delivery(frontEnd);
    RunOptions options;
    options.AllowMassDelete = args.AllowMassDelete;
    const DocumentRunResult outcome = RunDocument(params, frontEnd, delivery, 0, options);
    if (outcome.Runs > 0 && params.Log.Active) {
        out << "Log: " << params.Log.CurrentLogFile << '\n';
    }
    return outcome.Result;
}

}  // namespace verdal
