#pragma once

#include <cstdint>
#include <string>

namespace verdal {

// What stands for a file's security descriptor here: mode bits, owner and group, and the POSIX
// ACLs where the file system has them.
struct SecurityInfo
{
    uint32_t Mode = 0;  // permission bits (07777)
    uint32_t Owner = 0;
    uint32_t Group = 0;
    std::string AccessAcl;   // text of an extended access ACL, empty when the mode says it all
    std::string DefaultAcl;  // text of a directory's default ACL, empty when none

    bool operator==(const SecurityInfo&) const = default;
};

// Reads the security of `path` (a link's own owner; links have no mode or ACL of their own).
int ReadSecurity(const std::string& path, SecurityInfo& info);
// True when both paths can be read and their security differs.
bool SecurityDiffers(const std::string& a, const std::string& b);
// Copies mode and ACLs from `from` to `to`; a file system without ACLs gets the mode alone.
int TransferPermissions(const std::string& from, const std::string& to);
// Copies owner and group; without the right it changes nothing and returns 5.
int TransferOwner(const std::string& from, const std::string& to);
// Both transfers as asked; an owner that cannot be changed is passed over quietly, so the
// result speaks of the permissions only.
int TransferSecurity(const std::string& from, const std::string& to, bool permissions, bool owner);

}  // namespace verdal
