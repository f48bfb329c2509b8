#pragma once

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace verdal::test {

// A scripted SMTP server on loopback for one connection. It sends `greeting` (lines joined
// with "\r\n"), then answers each line it receives with the next entry of `replies`; an empty
// entry answers nothing. After a reply beginning with "354" the data up to the "." line counts
// as one received entry. Every wait is bounded, so a broken client cannot hang a test.
class FakeSmtpServer
{
public:
    FakeSmtpServer(std::string greeting, std::vector<std::string> replies);
    ~FakeSmtpServer();
    FakeSmtpServer(const FakeSmtpServer&) = delete;
    FakeSmtpServer& operator=(const FakeSmtpServer&) = delete;

    uint16_t Port() const { return port_; }
    // Waits for the conversation to end, then returns every line the client sent.
    const std::vector<std::string>& Received();
    // The data block as the client sent it (dot-stuffed, without the final "." line).
    const std::string& Data();

    // A loopback port on which nobody listens.
    static uint16_t ClosedPort();

private:
    void Serve();
    bool ReadLine(int fd, std::string& line);
    void Write(int fd, const std::string& text);

    int listener_ = -1;
    uint16_t port_ = 0;
    std::string greeting_;
    std::vector<std::string> replies_;
    std::vector<std::string> received_;
    std::string data_;
    std::string pending_;
    std::thread thread_;
};

}  // namespace verdal::test
