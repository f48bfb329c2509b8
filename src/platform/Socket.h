#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace verdal {

// Outcome of a socket operation. On Error, LastError() holds a Windows sockets number
// (e.g. 10061) and LastErrorText() its German text.
enum class SocketResult { Ok, Error, TimedOut, Canceled };

// A TCP client connection that never blocks the caller's thread for long: every wait polls in
// short slices, calls Pump() between them, and gives up after TimeOut seconds without progress
// or when the cancel flag is set.
class cClientSocket
{
public:
    cClientSocket() = default;
    ~cClientSocket();
    cClientSocket(const cClientSocket&) = delete;
    cClientSocket& operator=(const cClientSocket&) = delete;

    int TimeOut = 60;                               // seconds without progress
    std::function<void()> Pump;                     // called while waiting
    const std::atomic<bool>* CancelFlag = nullptr;  // set by the caller to break off a wait

    // Connects to a host name or a numeric address.
    SocketResult Connect(const std::string& host, uint16_t port);
    // Writes all of `bytes`.
    SocketResult SendAll(std::string_view bytes);
    // Reads up to the next line feed; the line is returned without CR LF.
    SocketResult ReceiveLine(std::string& line);
    void Close();

    bool Connected() const { return fd_ >= 0; }
    int LastError() const { return lastError_; }
    const std::string& LastErrorText() const { return lastErrorText_; }

private:
    SocketResult WaitFor(short events);
    SocketResult ConnectTo(const void* address, unsigned length, int family);
    SocketResult FailErrno(int err);
    SocketResult Fail(int code, const std::string& text);
    void RestartTimer();
    bool TimedOutNow() const;

    int fd_ = -1;
    int64_t deadlineMs_ = 0;
    std::string buffer_;
    int lastError_ = 0;
    std::string lastErrorText_;
};

// The name of this machine, as a greeting domain.
std::string LocalHostName();

}  // namespace verdal
