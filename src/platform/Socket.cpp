#include "platform/Socket.h"

#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace verdal {
namespace {

// Short enough that a GUI pumped from the wait loop stays responsive.
constexpr int kPollSliceMs = 50;
// A reply line longer than this is not SMTP; refuse it rather than grow without bound.
constexpr size_t kMaxLineLength = 65536;
constexpr size_t kReceiveChunk = 16384;

struct SocketErrorInfo
{
    int Errno;
    int Code;
    const char* Text;
};

// Linux errors under the Windows sockets numbers the program reports.
constexpr SocketErrorInfo kSocketErrors[] = {
    {EACCES, 10013, "Zugriff verweigert"},
    {EMFILE, 10024, "Zu viele offene Sockets"},
    {EADDRNOTAVAIL, 10049, "Adresse nicht verfügbar"},
    {ENETDOWN, 10050, "Netzwerk ausgefallen"},
    {ENETUNREACH, 10051, "Netzwerk nicht erreichbar"},
    {ECONNABORTED, 10053, "Verbindung abgebrochen"},
    {ECONNRESET, 10054, "Verbindung vom Server zurückgesetzt"},
    {EPIPE, 10054, "Verbindung vom Server zurückgesetzt"},
    {ETIMEDOUT, 10060, "Zeitüberschreitung beim Verbinden"},
    {ECONNREFUSED, 10061, "Verbindung abgelehnt"},
    {EHOSTDOWN, 10064, "Host nicht in Betrieb"},
    {EHOSTUNREACH, 10065, "Host nicht erreichbar"},
};

constexpr int kCodeMessageSize = 10040;
constexpr int kCodeNotConnected = 10057;
constexpr int kCodeShutdown = 10058;
constexpr int kCodeHostNotFound = 11001;
constexpr int kCodeTryAgain = 11002;

int64_t NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::string Bracketed(int code, const std::string& text)
{
    return "[" + std::to_string(code) + "] " + text;
}

}  // namespace

cClientSocket::~cClientSocket()
{
    Close();
}

void cClientSocket::Close()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    buffer_.clear();
}

SocketResult cClientSocket::Fail(int code, const std::string& text)
{
    lastError_ = code;
    lastErrorText_ = Bracketed(code, text);
    return SocketResult::Error;
}

SocketResult cClientSocket::FailErrno(int err)
{
    for (const SocketErrorInfo& info : kSocketErrors) {
        if (info.Errno == err) {
            return Fail(info.Code, info.Text);
        }
    }
    return Fail(10000 + err, std::strerror(err));
}

void cClientSocket::RestartTimer()
{
    deadlineMs_ = NowMs() + static_cast<int64_t>(TimeOut) * 1000;
}

bool cClientSocket::TimedOutNow() const
{
    return NowMs() > deadlineMs_;
}

// Completion first, then a socket error, the time-out and the cancel flag, in that order.
SocketResult cClientSocket::WaitFor(short events)
{
    for (;;) {
        pollfd pfd{fd_, events, 0};
        const int n = ::poll(&pfd, 1, kPollSliceMs);
        if (n > 0) {
            return SocketResult::Ok;  // readiness or an error: the following call reports it
        }
        if (n < 0 && errno != EINTR) {
            return FailErrno(errno);
        }
        if (TimedOutNow()) {
            return SocketResult::TimedOut;
        }
        if (CancelFlag && CancelFlag->load()) {
            return SocketResult::Canceled;
        }
        if (Pump) {
            Pump();
        }
    }
}

SocketResult cClientSocket::ConnectTo(const void* address, unsigned length, int family)
{
    fd_ = ::socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd_ < 0) {
        return FailErrno(errno);
    }
    if (::connect(fd_, static_cast<const sockaddr*>(address), length) == 0) {
        return SocketResult::Ok;
    }
    if (errno != EINPROGRESS) {
        return FailErrno(errno);
    }
    const SocketResult waited = WaitFor(POLLOUT);
    if (waited != SocketResult::Ok) {
        return waited;
    }
    int err = 0;
    socklen_t len = sizeof(err);
    if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &err, &len) < 0) {
        err = errno;
    }
    return err == 0 ? SocketResult::Ok : FailErrno(err);
}

SocketResult cClientSocket::Connect(const std::string& host, uint16_t port)
{
    Close();
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int rc = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
    if (rc != 0) {
        return rc == EAI_AGAIN
                   ? Fail(kCodeTryAgain, "Namensauflösung zurzeit nicht möglich: " + host)
                   : Fail(kCodeHostNotFound, "Host nicht gefunden: " + host);
    }
    RestartTimer();
    SocketResult result = SocketResult::Error;
    // Try every address the name has (IPv6 and IPv4) until one accepts.
    for (addrinfo* ai = found; ai; ai = ai->ai_next) {
        result = ConnectTo(ai->ai_addr, ai->ai_addrlen, ai->ai_family);
        if (result == SocketResult::Ok) {
            break;
        }
        Close();
        if (result != SocketResult::Error) {
            break;  // a time-out or cancel applies to the whole connect
        }
    }
    ::freeaddrinfo(found);
    return result;
}

SocketResult cClientSocket::SendAll(std::string_view bytes)
{
    if (fd_ < 0) {
        return Fail(kCodeNotConnected, "Keine Verbindung");
    }
    RestartTimer();
    while (!bytes.empty()) {
        // MSG_NOSIGNAL: a server that hangs up must give an error, not end the program.
        const ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n > 0) {
            bytes.remove_prefix(static_cast<size_t>(n));
            RestartTimer();
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            return FailErrno(errno);
        }
        const SocketResult waited = WaitFor(POLLOUT);
        if (waited != SocketResult::Ok) {
            return waited;
        }
    }
    return SocketResult::Ok;
}

SocketResult cClientSocket::ReceiveLine(std::string& line)
{
    if (fd_ < 0) {
        return Fail(kCodeNotConnected, "Keine Verbindung");
    }
    RestartTimer();
    for (;;) {
        const size_t end = buffer_.find('\n');
        if (end != std::string::npos) {
            line.assign(buffer_, 0, end);
            buffer_.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            return SocketResult::Ok;
        }
        if (buffer_.size() > kMaxLineLength) {
            return Fail(kCodeMessageSize, "Antwortzeile des Servers zu lang");
        }
        char chunk[kReceiveChunk];
        const ssize_t n = ::recv(fd_, chunk, sizeof(chunk), 0);
        if (n > 0) {
            buffer_.append(chunk, static_cast<size_t>(n));
            RestartTimer();
            continue;
        }
        if (n == 0) {
            return Fail(kCodeShutdown, "Verbindung vom Server geschlossen");
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            return FailErrno(errno);
        }
        const SocketResult waited = WaitFor(POLLIN);
        if (waited != SocketResult::Ok) {
            return waited;
        }
    }
}

std::string LocalHostName()
{
    char name[256] = {};
    if (::gethostname(name, sizeof(name) - 1) != 0 || name[0] == '\0') {
        return "localhost";
    }
    return name;
}

}  // namespace verdal
