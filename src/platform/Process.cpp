#include "platform/Process.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>

#include "platform/FileIO.h"
#include "platform/WinError.h"

namespace verdal {
namespace {

constexpr int kStartedOk = 33;

std::vector<char*> ArgvPointers(const std::vector<std::string>& argv)
{
    std::vector<char*> pointers;
    for (const std::string& arg : argv) {
        pointers.push_back(const_cast<char*>(arg.c_str()));
    }
    pointers.push_back(nullptr);
    return pointers;
}

void RedirectToNull(int fd, int flags)
{
    const int null = ::open("/dev/null", flags);
    if (null >= 0) {
        ::dup2(null, fd);
        ::close(null);
    }
}

// In the child: runs the program or reports errno through `errorPipe` and exits.
[[noreturn]] void ExecOrReport(char* const* argv, int errorPipe)
{
    ::execvp(argv[0], argv);
    const int err = errno;
    if (errorPipe >= 0) {
        [[maybe_unused]] const ssize_t n = ::write(errorPipe, &err, sizeof err);
    }
    ::_exit(127);
}

int WaitChild(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// Reads everything from `fd` until EOF or the deadline; false on time-out.
bool ReadUntilEof(int fd, std::string* output, std::chrono::steady_clock::time_point deadline)
{
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd pfd{fd, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready == 0) {
            return false;
        }
        if (ready < 0) {
            return true;  // nothing more to read from a broken pipe
        }
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return true;
        }
        if (output) {
            output->append(buffer, static_cast<size_t>(n));
        }
    }
}

std::string ReadProcText(const std::string& path)
{
    std::string text;
    ReadWholeFile(path, text);
    return text;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view line)
{
    std::vector<std::string> args;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) {
            ++i;
        }
        if (i == line.size()) {
            break;
        }
        std::string arg;
        bool quoted = false;
        for (; i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t')); ++i) {
            size_t slashes = 0;
            while (i < line.size() && line[i] == '\\') {
                ++slashes;
                ++i;
            }
            if (i < line.size() && line[i] == '"') {
                arg.append(slashes / 2, '\\');
                if (slashes % 2 == 1) {
                    arg += '"';
                } else if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                    arg += '"';
                    ++i;
                } else {
                    quoted = !quoted;
                }
            } else {
                arg.append(slashes, '\\');
                if (i == line.size() || (!quoted && (line[i] == ' ' || line[i] == '\t'))) {
                    break;
                }
                arg += line[i];
            }
        }
        args.push_back(std::move(arg));
    }
    return args;
}

int StartDetached(const std::vector<std::string>& argv)
{
    if (argv.empty() || argv[0].empty()) {
        return kErrFileNotFound;
    }
    std::vector<char*> pointers = ArgvPointers(argv);
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        return WinErrorFromErrno(errno);
    }
    const pid_t child = ::fork();
    if (child < 0) {
        const int err = errno;
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        return WinErrorFromErrno(err);
    }
    if (child == 0) {
        // The middle process ends at once, so the program is adopted by init and never
        // lingers as our zombie.
        ::close(pipeFds[0]);
        ::setsid();
        if (::fork() != 0) {
            ::_exit(0);
        }
        RedirectToNull(STDIN_FILENO, O_RDONLY);
        ExecOrReport(pointers.data(), pipeFds[1]);
    }
    ::close(pipeFds[1]);
    WaitChild(child);
    int err = 0;
    ssize_t n = 0;
    while ((n = ::read(pipeFds[0], &err, sizeof err)) < 0 && errno == EINTR) {
    }
    ::close(pipeFds[0]);
    return n == static_cast<ssize_t>(sizeof err) ? WinErrorFromErrno(err) : kStartedOk;
}

int StartCommandLine(std::string_view commandLine)
{
    return StartDetached(SplitCommandLine(commandLine));
}

int OpenWithDesktop(const std::string& path)
{
    return StartDetached({"xdg-open", path});
}

std::optional<int> RunCommand(const std::vector<std::string>& argv, std::string* output,
                              int timeoutMs)
{
    if (argv.empty() || FindProgram(argv[0]).empty()) {
        return std::nullopt;
    }
    std::vector<char*> pointers = ArgvPointers(argv);
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        return std::nullopt;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        return std::nullopt;
    }
    if (child == 0) {
        ::dup2(pipeFds[1], STDOUT_FILENO);
        RedirectToNull(STDIN_FILENO, O_RDONLY);
        RedirectToNull(STDERR_FILENO, O_WRONLY);
        ExecOrReport(pointers.data(), -1);
    }
    ::close(pipeFds[1]);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    const bool finished = ReadUntilEof(pipeFds[0], output, deadline);
    ::close(pipeFds[0]);
    if (!finished) {
        ::kill(child, SIGKILL);
    }
    const int status = WaitChild(child);
    if (!finished || !WIFEXITED(status)) {
        return std::nullopt;
    }
    return WEXITSTATUS(status);
}

std::string FindProgram(std::string_view name)
{
    if (name.find('/') != std::string_view::npos) {
        return ::access(std::string(name).c_str(), X_OK) == 0 ? std::string(name) : "";
    }
    const char* path = std::getenv("PATH");
    std::string_view dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    while (!dirs.empty()) {
        const size_t colon = dirs.find(':');
        const std::string_view dir = dirs.substr(0, colon);
        const std::string candidate =
            std::string(dir.empty() ? "." : dir) + "/" + std::string(name);
        struct stat st
        {};
        if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        dirs = colon == std::string_view::npos ? std::string_view() : dirs.substr(colon + 1);
    }
    return {};
}

std::vector<ProcessInfo> ListProcesses()
{
    std::vector<ProcessInfo> processes;
    DIR* proc = ::opendir("/proc");
    if (!proc) {
        return processes;
    }
    while (const dirent* entry = ::readdir(proc)) {
        const std::string name = entry->d_name;
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        ProcessInfo info;
        info.Pid = std::atoi(name.c_str());
        info.Name = ReadProcText("/proc/" + name + "/comm");
        if (info.Name.empty()) {
            continue;  // ended while we looked
        }
        if (info.Name.back() == '\n') {
            info.Name.pop_back();
        }
        info.CommandLine = ReadProcText("/proc/" + name + "/cmdline");
        while (!info.CommandLine.empty() && info.CommandLine.back() == '\0') {
            info.CommandLine.pop_back();
        }
        for (char& c : info.CommandLine) {
            if (c == '\0') {
                c = ' ';
            }
        }
        processes.push_back(std::move(info));
    }
    ::closedir(proc);
    return processes;
}

}  // namespace verdal
