#include "platform/Security.h"

#include <acl/libacl.h>
#include <sys/acl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include "platform/WinError.h"

namespace verdal {
namespace {

// Text of an ACL, or empty when the file has none beyond its mode.
std::string AclText(const std::string& path, acl_type_t type)
{
    acl_t acl = ::acl_get_file(path.c_str(), type);
    if (!acl) {
        return {};
    }
    std::string text;
    const bool minimal = type == ACL_TYPE_ACCESS && ::acl_equiv_mode(acl, nullptr) == 0;
    if (!minimal && (type == ACL_TYPE_ACCESS || ::acl_entries(acl) > 0)) {
        if (char* raw = ::acl_to_any_text(acl, nullptr, ',', TEXT_NUMERIC_IDS)) {
            text = raw;
            ::acl_free(raw);
        }
    }
    ::acl_free(acl);
    return text;
}

bool NoAclSupport(int err)
{
    return err == ENOTSUP || err == EOPNOTSUPP || err == ENOSYS;
}

int CopyAcl(const std::string& from, const std::string& to, acl_type_t type)
{
    acl_t acl = ::acl_get_file(from.c_str(), type);
    if (!acl) {
        return NoAclSupport(errno) ? kErrSuccess : WinErrorFromErrno(errno);
    }
    const int result = ::acl_set_file(to.c_str(), type, acl);
    const int err = errno;
    ::acl_free(acl);
    return result == 0 || NoAclSupport(err) ? kErrSuccess : WinErrorFromErrno(err);
}

}  // namespace

int ReadSecurity(const std::string& path, SecurityInfo& info)
{
    struct stat st
    {};
    if (::lstat(path.c_str(), &st) != 0) {
        return WinErrorFromErrno(errno);
    }
    info = SecurityInfo{};
    info.Owner = st.st_uid;
    info.Group = st.st_gid;
    if (S_ISLNK(st.st_mode)) {
        return kErrSuccess;
    }
    info.Mode = st.st_mode & 07777;
    info.AccessAcl = AclText(path, ACL_TYPE_ACCESS);
    if (S_ISDIR(st.st_mode)) {
        info.DefaultAcl = AclText(path, ACL_TYPE_DEFAULT);
    }
    return kErrSuccess;
}

bool SecurityDiffers(const std::string& a, const std::string& b)
{
    SecurityInfo infoA, infoB;
    if (ReadSecurity(a, infoA) != kErrSuccess || ReadSecurity(b, infoB) != kErrSuccess) {
        return false;
    }
    return !(infoA == infoB);
}

int TransferPermissions(const std::string& from, const std::string& to)
{
    struct stat source
    {
    }, target{};
    if (::lstat(from.c_str(), &source) != 0 || ::lstat(to.c_str(), &target) != 0) {
        return WinErrorFromErrno(errno);
    }
    if (S_ISLNK(source.st_mode) || S_ISLNK(target.st_mode)) {
        return kErrSuccess;
    }
    if (::chmod(to.c_str(), source.st_mode & 07777) != 0) {
        return WinErrorFromErrno(errno);
    }
    // The access ACL carries the mode too; setting it after chmod keeps any extra entries.
    if (const int code = CopyAcl(from, to, ACL_TYPE_ACCESS)) {
        return code;
    }
    if (S_ISDIR(source.st_mode) && S_ISDIR(target.st_mode)) {
        return CopyAcl(from, to, ACL_TYPE_DEFAULT);
    }
    return kErrSuccess;
}

int TransferOwner(const std::string& from, const std::string& to)
{
    struct stat source
    {};
    if (::lstat(from.c_str(), &source) != 0) {
        return WinErrorFromErrno(errno);
    }
    if (::lchown(to.c_str(), source.st_uid, source.st_gid) != 0) {
        return WinErrorFromErrno(errno);
    }
    return kErrSuccess;
}

int TransferSecurity(const std::string& from, const std::string& to, bool permissions, bool owner)
{
    if (owner) {
        TransferOwner(from, to);
    }
    return permissions ? TransferPermissions(from, to) : kErrSuccess;
}

}  // namespace verdal
