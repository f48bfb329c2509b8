// The macro expander on arbitrary text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/Macros.h"

using namespace verdal;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    HasMacro(text);
    ExpandMacros(text);
    return 0;
}
