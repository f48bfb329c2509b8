#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/TextCodec.h"

namespace verdal {

// Line files (profiles, batch files, snapshots, logs): lines end with CR LF (a bare LF is
// accepted on reading); the bytes are decoded and encoded by the rules of TextCodec.h.

// Splits decoded text into lines; a final line break does not start another (empty) line.
std::vector<std::string> SplitLines(std::string_view text);
// Joins lines, each followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

// Largest profile, batch or options file read: far above any real one.
inline constexpr int64_t kMaxSettingsFileBytes = 16 << 20;
// Largest snapshot read: some millions of names.
inline constexpr int64_t kMaxSnapshotFileBytes = int64_t{512} << 20;

// Reads the file at the native `path` into `lines`, each line decoded on its own (see
// DecodeText). Only a regular file of at most `maxBytes` is read (else 2004 or 2005). Returns
// a Windows error code (0 = success).
int ReadLineFile(const std::string& path, std::vector<std::string>& lines,
                 TextEncoding* encoding = nullptr, int64_t maxBytes = kMaxSettingsFileBytes);
// Writes `lines` atomically (temporary file renamed over `path`). A line holding CR or LF
// would shift every later line on reading, so such input is refused (kErrInvalidName) and
// nothing is written. Returns a Windows error code (0 = success).
int WriteLineFile(const std::string& path, const std::vector<std::string>& lines,
                  TextEncoding* encoding = nullptr);

}  // namespace verdal
