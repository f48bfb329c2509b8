#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace verdal {

// The three ways a file is copied: the program's own 128 KiB block loop, the system copy in
// chunks with progress calls (reflinks where the file system offers them), and the plain
// system copy in one go.
enum class CopyMethod { Blocks, RangeChunks, Plain };

// Told the bytes copied since its previous call; the caller pumps its messages there. Returns
// false to interrupt the copy. The plain copy calls it once, after the copy, with the size.
using CopyProgress = std::function<bool(int64_t bytes)>;

// Copies `from` over `to`. The data goes into a temporary file beside `to`, which replaces
// `to` only after success, so a failed or interrupted copy leaves the old target as it was and
// no temporary behind. The target gets the times the source had when the copy began. A
// symbolic link is copied as a link. Results: 0; 1235 interrupted; 32 the source changed
// during the copy; 5 the target is read-only or a directory; else the system's code.
// `targetAbsent` says the caller found no target a moment ago: the copy then spares the look at
// it and puts the new file in place only if the name is still free (else it judges the file
// that appeared as it would any target).
int CopyFileSafe(const std::string& from, const std::string& to, CopyMethod method,
                 const CopyProgress& progress = {}, bool targetAbsent = false);

// Gives the file `path` a second name `kept` in the same folder, keeping its content and times:
// a hard link, or a copy where the file system refuses links (vfat, some network shares). Never
// replaces a file that is there when it is called: 183 when `kept` exists. Else 0 or the
// system's code.
int KeepUnderSecondName(const std::string& path, const std::string& kept);

// Gives the file `path` the name `name` that differs from its own in case only, also on file
// systems that ignore case (by way of a temporary name). Never replaces another file: when
// `name` is taken, the file keeps its old name and 183 is returned.
int RenameCaseOnly(const std::string& path, const std::string& name);

// True for the name of a copy's temporary file (".~verdal-" and six characters). The name alone
// proves nothing: only a temporary recorded in the copy journal is taken for a leftover.
bool IsCopyTemporaryName(std::string_view name);

}  // namespace verdal
