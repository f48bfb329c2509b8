#include "platform/DirectoryCheck.h"

#include <sys/stat.h>

#include <atomic>
#include <memory>
#include <mutex>

namespace verdal {
namespace {

std::mutex gHookMutex;
std::shared_ptr<const std::function<void(const std::string&)>> gHook;
// Spares every look the lock while no test has set a hook.
std::atomic<bool> gHookSet{false};

}  // namespace

void SetPathLookHook(std::function<void(const std::string& path)> hook)
{
    std::lock_guard lock(gHookMutex);
    gHook = hook ? std::make_shared<const std::function<void(const std::string&)>>(std::move(hook))
                 : nullptr;
    gHookSet = gHook != nullptr;
}

void NotifyPathLook(const std::string& path)
{
    if (!gHookSet) {
        return;
    }
    std::shared_ptr<const std::function<void(const std::string&)>> hook;
    {
        std::lock_guard lock(gHookMutex);
        hook = gHook;
    }
    if (hook) {
        (*hook)(path);
    }
}

bool IsExistingDirectory(const std::string& path)
{
    NotifyPathLook(path);
    struct stat st
    {};
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace verdal
