// The batch-file readers of both layouts on arbitrary bytes, then the writer on what they read.
#include <cstddef>
#include <cstdint>

#include "FuzzInput.h"
#include "settings/BatchFile.h"
#include "settings/DocumentLines.h"
#include "settings/Parameters.h"

using namespace verdal;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> lines = fuzz::DecodedLines(data, size);
    if (!lines.empty()) {
        lines.erase(lines.begin());
    }
    for (auto read : {&ReadCurrentBatch, &ReadVersion3Batch}) {
        cParameters p;
        p.FileKind = 1;
        cLineReader reader(lines);
        if (read(reader, p)) {
            BatchLines(p);
        }
    }
    return 0;
}
