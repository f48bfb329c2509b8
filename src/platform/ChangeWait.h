#pragma once

#include <string>

namespace verdal {

// Renames `from` to `to` without ever replacing an existing `to` (the result is then 183,
// "already exists"). Works for files and directories; returns a Windows error code.
int RenameNoReplace(const std::string& from, const std::string& to);

// Watches one directory (not its subtree) for subdirectories that appear, vanish or are
// renamed, so a caller can let a slow drive settle after changing a directory name.
class cChangeWatch
{
public:
    explicit cChangeWatch(const std::string& directory);
    ~cChangeWatch();
    cChangeWatch(const cChangeWatch&) = delete;
    cChangeWatch& operator=(const cChangeWatch&) = delete;

    // False when the directory could not be watched; Wait then returns at once.
    bool Armed() const { return fd_ >= 0; }
    // Waits up to `milliseconds` for a change; true when one arrived.
    bool Wait(int milliseconds);

private:
    int fd_ = -1;
};

}  // namespace verdal
