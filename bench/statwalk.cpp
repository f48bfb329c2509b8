// The least any sync must do to find a tree unchanged: list every directory and stat every
// entry, on all cores, and nothing else. The benchmark times it as a second floor beside
// `find -printf ''`, which lists without a single stat.
// Usage: statwalk DIR...
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

std::mutex g_mutex;
std::condition_variable g_wake;
std::deque<std::string> g_queue;
int g_busy = 0;
std::atomic<long> g_entries{0};

void ReadOne(const std::string& path, std::vector<std::string>& subdirs)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = fd >= 0 ? ::fdopendir(fd) : nullptr;
    if (!dir) {
        return;
    }
    while (const dirent* e = ::readdir(dir)) {
        const std::string_view name = e->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        struct stat st;
        if (::fstatat(fd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode)) {
            subdirs.push_back(path + "/" + e->d_name);
        }
        ++g_entries;
    }
    ::closedir(dir);
}

void Work()
{
    std::vector<std::string> subdirs;
    std::unique_lock lock(g_mutex);
    for (;;) {
        g_wake.wait(lock, [] { return !g_queue.empty() || g_busy == 0; });
        if (g_queue.empty()) {
            return;
        }
        const std::string path = std::move(g_queue.front());
        g_queue.pop_front();
        ++g_busy;
        lock.unlock();
        subdirs.clear();
        ReadOne(path, subdirs);
        lock.lock();
        for (std::string& s : subdirs) {
            g_queue.push_back(std::move(s));
        }
        --g_busy;
        g_wake.notify_all();
    }
}

}  // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        g_queue.emplace_back(argv[i]);
    }
    std::vector<std::thread> threads;
    for (unsigned t = 1; t < std::thread::hardware_concurrency(); ++t) {
        threads.emplace_back(Work);
    }
    Work();
    for (std::thread& t : threads) {
        t.join();
    }
    std::printf("%ld\n", g_entries.load());
    return 0;
}
