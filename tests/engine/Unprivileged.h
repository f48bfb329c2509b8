#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace verdal::test {

// Lets permission bits bite while it lives, also when the tests run as root: the calling
// thread's effective set loses the capabilities that override file permissions (the permitted
// set keeps them, so they come back afterwards). Threads started meanwhile inherit the drop.
class PermissionsBite
{
public:
    PermissionsBite()
    {
        header_.version = _LINUX_CAPABILITY_VERSION_3;
        header_.pid = 0;
        if (syscall(SYS_capget, &header_, saved_) != 0) {
            return;
        }
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        reduced[0].effective &=
            ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
        active_ = syscall(SYS_capset, &header_, reduced) == 0;
    }
    ~PermissionsBite()
    {
        if (active_) {
            syscall(SYS_capset, &header_, saved_);
        }
    }
    PermissionsBite(const PermissionsBite&) = delete;
    PermissionsBite& operator=(const PermissionsBite&) = delete;

private:
    __user_cap_header_struct header_{};
    __user_cap_data_struct saved_[2]{};
    bool active_ = false;
};

}  // namespace verdal::test
