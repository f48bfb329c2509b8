#include "cli/SummaryCommand.h"

#include <ostream>

#include "cli/Arguments.h"
#include "settings/Macros.h"
#include "settings/Parameters.h"
#include "settings/Summary.h"

namespace verdal {

int RunSummaryCommand(const cArguments& args, std::ostream& out)
{
    cParameters& params = Params();
    params.Reset();
    const std::string path = ExpandMacros(args.File);
    if (!params.LoadFromFile(path)) {
        return 3;
    }
    params.FileName = path;
    // The age line "since the last run" needs the stamp of this profile.
    params.ReadLastUpdate(path);
    out << SummaryText(*BuildSummary(params));
    out.flush();
    return out ? 0 : 3;
}

}  // namespace verdal
