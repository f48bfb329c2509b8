#pragma once

#include <cstdint>
#include <string>

namespace verdal {

// Single-file and directory operations on native paths. Results are Windows error codes
// (0 = success). Links are never followed.

// Attributes (kAttr* bits) of a path: read-only = no owner write bit, hidden = leading dot.
int GetFileAttributesOf(const std::string& path, uint32_t& attributes);
// Sets read-only (clears every write bit) or clears it (gives the owner write). Hidden follows
// the name and system does not exist here, so those bits are left alone; links are skipped.
int SetFileAttributesOf(const std::string& path, uint32_t attributes);

// Creates `path` with all missing parents; `created` tells whether anything was made. With a
// `model` (the directory `path` mirrors) each new directory is no more open than its counterpart
// there, matched from the end of both paths; the owner always keeps full access.
int CreateDirectoryWithParents(const std::string& path, bool* created = nullptr,
                               const std::string& model = {});
// Removes `path` when it is an empty directory.
int RemoveEmptyDirectory(const std::string& path);
// Renames a file or directory; fails with 183 when `to` exists.
int MoveNoReplace(const std::string& from, const std::string& to);

// Deletes a file (or link) for good.
int DeleteFilePlain(const std::string& path);
// Moves a file into the desktop trash; a file that cannot be trashed stays where it is.
int MoveToTrash(const std::string& path);
// MoveToTrash when `recycle`, else DeleteFilePlain.
int DeleteFileOrRecycle(const std::string& path, bool recycle);

// Flushes the file system that holds `path` (one call per written file system after a run).
int SyncFileSystem(const std::string& path);

}  // namespace verdal
