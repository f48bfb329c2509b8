#pragma once

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

namespace verdal::test {

// Runs `body` on a thread of its own in a private mount namespace: whatever it mounts is seen
// nowhere else and goes away with the thread (threads and programs it starts share it).
// Returns why that was not possible (not root, no namespaces); empty when `body` ran.
inline std::string InPrivateMountNamespace(const std::function<void()>& body)
{
    if (::geteuid() != 0)
        return "needs root to mount a file system";
    std::string failure;
    std::thread([&] {
        if (::unshare(CLONE_NEWNS) != 0) {
            failure = std::string("no private mount namespace: ") + std::strerror(errno);
            return;
        }
        // Nothing mounted below may travel back to the shared namespace.
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            failure = std::string("mounts cannot be made private: ") + std::strerror(errno);
            return;
        }
        body();
    }).join();
    return failure;
}

}  // namespace verdal::test
