#include "settings/Parameters.h"

namespace verdal {

// TODO(model): profile and batch file formats.
bool cParameters::LoadFromFile(const std::string&)
{
    return false;
}
bool cParameters::SaveToFile(const std::string&)
{
    return false;
}

}  // namespace verdal
