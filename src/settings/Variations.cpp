#include "settings/Parameters.h"

namespace verdal {

// TODO(variations): the six destination variations.
void cParameters::MakeDestinationBase()
{
    DestinationBase = DestinationDirectory;
}

}  // namespace verdal
