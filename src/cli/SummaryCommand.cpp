#include "cli/SummaryCommand.h"

#include <ostream>

#include "cli/Arguments.h"
#include "cli/OpenDocument.h"
#include "settings/Parameters.h"
#include "settings/Summary.h"

namespace verdal {

int RunSummaryCommand(const cArguments& args, std::ostream& out)
{
    if (!OpenDocument(args.File)) {
        return 3;
    }
    cParameters& params = Params();
    // The age line "since the last run" needs the stamp of this profile.
    params.ReadLastUpdate(params.FileName);
    out << SummaryText(*BuildSummary(params));
    out.flush();
    return out ? 0 : 3;
}

}  // namespace verdal
