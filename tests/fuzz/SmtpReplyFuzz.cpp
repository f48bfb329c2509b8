// The SMTP client's reply parsing: a loopback server sends the input as everything it has to
// say, then closes its side; the client reads its replies from that stream.
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <thread>

#include "mail/Message.h"
#include "mail/SmtpClient.h"

using namespace verdal;

namespace {

int Listener(uint16_t& port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    ::listen(fd, 4);
    return fd;
}

// Answers one connection with `bytes`, then reads until the client has gone.
void Serve(int listener, const std::string& bytes)
{
    pollfd wait{listener, POLLIN, 0};
    if (::poll(&wait, 1, 5000) <= 0) {
        return;
    }
    const int fd = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) {
        return;
    }
    (void)::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    ::shutdown(fd, SHUT_WR);
    char chunk[4096];
    pollfd readable{fd, POLLIN, 0};
    while (::poll(&readable, 1, 5000) > 0 && ::recv(fd, chunk, sizeof chunk, 0) > 0) {
    }
    ::close(fd);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static uint16_t port = 0;
    static const int listener = Listener(port);
    std::thread server(Serve, listener, std::string(reinterpret_cast<const char*>(data), size));

    {  // the client closes its connection when it goes, which ends the server
        TmsMessage message;
        message.Sender = {"Verdal", "verdal@example.org"};
        message.Recipients.Add("anna@example.org", "Anna");
        message.CC.Add("bert@example.org", "Bert");
        message.Subject = "Log";
        message.Body = {"Zeile 1", ".", "Zeile 3"};
        TmsSMTPClient client;
        client.Host = "127.0.0.1";
        client.Port = port;
        client.HeloDomain = "client.test";
        client.MailMessage = &message;
        client.TimeOut = 5;
        client.OnAddressRejected = [](const std::string&, const std::string&, const std::string&,
                                      bool& ignore) { ignore = true; };
        try {
            client.Send();
        } catch (const std::exception&) {
            // Refusals and broken replies end the dialogue with an error: that is the contract.
        }
    }
    server.join();
    return 0;
}
