#include "settings/Parameters.h"

namespace verdal {

cParameters::cParameters() = default;

cParameters& Params()
{
    static cParameters instance;
    return instance;
}

FontStyles FontStyleFromInt(int value)
{
    return {(value & 1) != 0, (value & 2) != 0, (value & 4) != 0, (value & 8) != 0};
}

int FontStyleToInt(const FontStyles& styles)
{
    return (styles.Bold ? 1 : 0) | (styles.Italic ? 2 : 0) | (styles.Underline ? 4 : 0) |
           (styles.StrikeOut ? 8 : 0);
}

// TODO(model): Reset and MakeCurrentLogFile.
void cParameters::Reset() {}
void cLogParameters::MakeCurrentLogFile()
{
    CurrentLogFile = Filename;
}

}  // namespace verdal
