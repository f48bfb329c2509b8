// The snapshot reader on arbitrary bytes, then lookups in what it read.
#include <cstddef>
#include <cstdint>

#include "FuzzInput.h"
#include "engine/RunContext.h"
#include "engine/Snapshot.h"
#include "settings/Parameters.h"

using namespace verdal;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    cParameters params;
    cRunContext run(params, nullptr);
    cSnapshot snapshot;
    snapshot.ReadSnapshot(fuzz::InputFile("Snapshot.lst", data, size), run);
    for (int i = 0; i < snapshot.SourceRecords.Count(); ++i) {
        const cSnapItem& item = snapshot.SourceRecords[i];
        for (const std::string& name : item.Files) {
            snapshot.WasInSource(item.Directory, name);
            snapshot.WasInDestination(item.Directory, name);
        }
    }
    snapshot.WasInSource("\\", "a.txt");
    return 0;
}
