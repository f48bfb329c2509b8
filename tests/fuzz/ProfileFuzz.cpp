// The profile readers of every layout on arbitrary bytes, then the writer on what they read.
#include <cstddef>
#include <cstdint>

#include "FuzzInput.h"
#include "settings/DocumentLines.h"
#include "settings/Parameters.h"
#include "settings/ProfileFile.h"

using namespace verdal;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> lines = fuzz::DecodedLines(data, size);
    if (!lines.empty()) {
        lines.erase(lines.begin());  // the layout line; every reader gets the rest
    }
    for (auto read : {&ReadCurrentProfile, &ReadVersion3Profile, &ReadUnversionedProfile}) {
        cParameters p;
        cLineReader reader(lines);
        if (read(reader, p)) {
            ProfileLines(p);
        }
    }
    return 0;
}
