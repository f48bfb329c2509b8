#pragma once

#include <sys/types.h>

#include <cstdint>
#include <map>
#include <string>

namespace verdal::test {

// A real SMTP server (Python's aiosmtpd) on loopback that stores every message it receives
// and describes it with Python's email package. The process is ended in the destructor and
// ends itself after a minute in any case.
class SmtpSink
{
public:
    explicit SmtpSink(const std::string& directory);
    ~SmtpSink();
    SmtpSink(const SmtpSink&) = delete;
    SmtpSink& operator=(const SmtpSink&) = delete;

    // Empty when the server runs; otherwise why it could not be started.
    const std::string& Problem() const { return problem_; }
    uint16_t Port() const { return port_; }
    // The facts Python found in the n-th message (counted from 1); empty when none arrived.
    std::map<std::string, std::string> Facts(int n) const;
    std::string RawMessage(int n) const;

private:
    std::string directory_;
    pid_t pid_ = -1;
    uint16_t port_ = 0;
    std::string problem_;
};

}  // namespace verdal::test
