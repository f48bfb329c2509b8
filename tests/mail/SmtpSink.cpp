#include "SmtpSink.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

extern char** environ;

namespace verdal::test {
namespace {

constexpr const char* kPython = "/usr/bin/python3";
constexpr int kStartTimeoutMs = 15000;

std::string Unescape(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
    }
    return out;
}

std::string ReadFirstLine(int fd)
{
    std::string line;
    pollfd pfd{fd, POLLIN, 0};
    char c = 0;
    while (::poll(&pfd, 1, kStartTimeoutMs) > 0 && ::read(fd, &c, 1) == 1 && c != '\n') {
        line += c;
    }
    return line;
}

}  // namespace

SmtpSink::SmtpSink(const std::string& directory) : directory_(directory)
{
    if (::access(kPython, X_OK) != 0) {
        problem_ = std::string(kPython) + " ist nicht installiert";
        return;
    }
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        problem_ = "pipe() fehlgeschlagen";
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    const std::string script = std::string(VERDAL_SOURCE_DIR) + "/tests/mail/smtp_sink.py";
    std::string lifetime = "60";
    char* argv[] = {const_cast<char*>(kPython), const_cast<char*>(script.c_str()),
                    directory_.data(), lifetime.data(), nullptr};
    const int rc = posix_spawn(&pid_, kPython, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (rc != 0) {
        pid_ = -1;
        problem_ = "python3 konnte nicht gestartet werden";
    } else {
        const std::string line = ReadFirstLine(fds[0]);
        const int port = line.empty() || line.find_first_not_of("0123456789") != std::string::npos
                             ? 0
                             : std::stoi(line);
        port_ = static_cast<uint16_t>(port);
        if (port_ == 0) {
            problem_ = line == "NOAIOSMTPD" ? "python3-aiosmtpd ist nicht installiert"
                                            : "SMTP-Testserver meldet keinen Port: " + line;
        }
    }
    ::close(fds[0]);
}

SmtpSink::~SmtpSink()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
}

std::map<std::string, std::string> SmtpSink::Facts(int n) const
{
    std::map<std::string, std::string> facts;
    std::ifstream in(directory_ + "/" + std::to_string(n) + ".facts");
    std::string line;
    while (std::getline(in, line)) {
        const size_t tab = line.find('\t');
        if (tab != std::string::npos) {
            facts[line.substr(0, tab)] = Unescape(line.substr(tab + 1));
        }
    }
    return facts;
}

std::string SmtpSink::RawMessage(int n) const
{
    std::ifstream in(directory_ + "/" + std::to_string(n) + ".eml", std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace verdal::test
