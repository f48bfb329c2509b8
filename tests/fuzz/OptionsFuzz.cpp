// The options file on arbitrary bytes: the settings object's defaults, drive letters and
// drive history all read from it.
#include <cstddef>
#include <cstdint>

#include "FuzzInput.h"
#include "settings/OptionsFile.h"
#include "settings/Parameters.h"

using namespace verdal;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SetOptionsFilePath(fuzz::InputFile("Verdal50.ini", data, size));
    cParameters p;
    p.Reset();
    ReadDriveLetters();
    ReadDriveHistory("Source");
    ReadOptionString("Drive Letters", "C:", "");
    return 0;
}
