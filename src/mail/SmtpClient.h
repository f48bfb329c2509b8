#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "mail/Message.h"
#include "platform/Socket.h"

namespace verdal {

// Sends one message per connection through an SMTP server: greeting, HELO, MAIL FROM, RCPT TO,
// DATA, QUIT. Send() throws EmsError and its kinds on any failure and returns normally once the
// server has accepted the message. Waiting keeps calling Pump.
class TmsSMTPClient
{
public:
    std::string Host;  // host name or numeric address
    uint16_t Port = 25;
    int TimeOut = 60;  // seconds without progress
    TmsMessage* MailMessage = nullptr;
    std::string HeloDomain;                       // empty: this machine's name
    std::string EnvelopeSender;                   // empty: the message's sender address
    std::vector<std::string> EnvelopeRecipients;  // empty: recipients, CC and BCC
    const std::string* PreparedStream = nullptr;  // sent instead of the encoded message
    std::function<void()> Pump;
    const std::atomic<bool>* CancelFlag = nullptr;

    std::function<void()> OnPreparing, OnSending, OnSent;
    // A rejected recipient; setting `ignore` goes on with the others.
    std::function<void(const std::string& sender, const std::string& address,
                       const std::string& reply, bool& ignore)>
        OnAddressRejected;

    void Send();
    int RejectedCount() const { return rejected_; }
    const std::string& LastReply() const { return lastReply_; }

private:
    void Connect();
    void Greet();
    void Transmit();
    void SendEnvelope(const std::vector<std::string>& recipients);
    void SendData(const std::string& stream);
    void Quit();
    void SendLine(const std::string& line);
    int ReadReply();
    int Command(const std::string& line);
    void Expect(int code, std::initializer_list<int> accepted);
    void Check(SocketResult result);
    std::vector<std::string> Recipients() const;

    cClientSocket socket_;
    std::string lastReply_;
    int rejected_ = 0;
};

// Splits the SMTP server setting "host" or "host:port" ("[::1]:25" for IPv6). Returns false for
// an empty host or a port that is not a number from 1 to 65535.
bool SplitServerSetting(const std::string& setting, std::string& host, uint16_t& port);

// SMTP transmission of message text: every line that begins with "." gets a second one, so the
// server does not take it for the end of the data or drop the dot.
std::string DotStuffed(const std::string& stream);

}  // namespace verdal
