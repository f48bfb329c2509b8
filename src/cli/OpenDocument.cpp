#include "cli/OpenDocument.h"

#include "settings/Macros.h"
#include "settings/Parameters.h"

namespace verdal {

bool OpenDocument(const std::string& file)
{
    cParameters& params = Params();
    params.Reset();
    const std::string path = ExpandMacros(file);
    if (!params.LoadFromFile(path)) {
        return false;
    }
    params.FileName = path;
    return true;
}

}  // namespace verdal
