#pragma once

namespace verdal {

struct cRunContext;
class cDirCache;

// The scan of a run: builds the directory tables, then lists every directory pair once per
// side and appends a candidate for every file a decision routine accepts. The abort flag stops
// it, keeping what it has.
void Scan(cRunContext& run);

// The file part of the scan, on directory tables already built.
void ScanFiles(cRunContext& run, cDirCache& sourceCache, cDirCache& destinationCache);

}  // namespace verdal
