#include "FakeSmtpServer.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace verdal::test {
namespace {

constexpr int kWaitMs = 5000;

int ListenOnLoopback(uint16_t& port, bool listen)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    if (listen) {
        ::listen(fd, 1);
    }
    return fd;
}

bool WaitReadable(int fd)
{
    pollfd pfd{fd, POLLIN, 0};
    return ::poll(&pfd, 1, kWaitMs) > 0;
}

}  // namespace

FakeSmtpServer::FakeSmtpServer(std::string greeting, std::vector<std::string> replies)
    : greeting_(std::move(greeting)), replies_(std::move(replies))
{
    listener_ = ListenOnLoopback(port_, true);
    thread_ = std::thread([this] { Serve(); });
}

FakeSmtpServer::~FakeSmtpServer()
{
    if (thread_.joinable()) {
        thread_.join();
    }
    ::close(listener_);
}

uint16_t FakeSmtpServer::ClosedPort()
{
    uint16_t port = 0;
    ::close(ListenOnLoopback(port, false));
    return port;
}

const std::vector<std::string>& FakeSmtpServer::Received()
{
    if (thread_.joinable()) {
        thread_.join();
    }
    return received_;
}

const std::string& FakeSmtpServer::Data()
{
    Received();
    return data_;
}

bool FakeSmtpServer::ReadLine(int fd, std::string& line)
{
    for (;;) {
        const size_t end = pending_.find("\r\n");
        if (end != std::string::npos) {
            line = pending_.substr(0, end);
            pending_.erase(0, end + 2);
            return true;
        }
        char chunk[4096];
        if (!WaitReadable(fd)) {
            return false;
        }
        const ssize_t n = ::recv(fd, chunk, sizeof(chunk), 0);
        if (n <= 0) {
            return false;
        }
        pending_.append(chunk, static_cast<size_t>(n));
    }
}

void FakeSmtpServer::Write(int fd, const std::string& text)
{
    if (!text.empty()) {
        const std::string line = text + "\r\n";
        (void)::send(fd, line.data(), line.size(), MSG_NOSIGNAL);
    }
}

void FakeSmtpServer::Serve()
{
    if (!WaitReadable(listener_)) {
        return;
    }
    const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) {
        return;
    }
    Write(fd, greeting_);
    bool inData = false;
    size_t next = 0;
    std::string line;
    while (ReadLine(fd, line)) {
        if (inData && line != ".") {
            data_ += line + "\r\n";
            continue;
        }
        received_.push_back(inData ? "<data>" : line);
        inData = false;
        const std::string reply = next < replies_.size() ? replies_[next++] : std::string();
        Write(fd, reply);
        inData = reply.rfind("354", 0) == 0;
    }
    ::close(fd);
}

}  // namespace verdal::test
