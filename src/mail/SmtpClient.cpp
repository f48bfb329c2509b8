#include "mail/SmtpClient.h"

#include "mail/MailErrors.h"

namespace verdal {
namespace {

int ReplyCode(const std::string& line)
{
    if (line.size() < 3) {
        return -1;
    }
    int code = 0;
    for (int i = 0; i < 3; ++i) {
        if (line[i] < '0' || line[i] > '9') {
            return -1;
        }
        code = code * 10 + (line[i] - '0');
    }
    return code;
}

bool IsContinued(const std::string& line)
{
    return line.size() > 3 && line[3] == '-';
}

bool ParsePort(const std::string& text, uint16_t& port)
{
    if (text.empty() || text.size() > 5 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    const int value = std::stoi(text);
    port = static_cast<uint16_t>(value);
    return value >= 1 && value <= 65535;
}

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    const size_t last = text.find_last_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

}  // namespace

bool SplitServerSetting(const std::string& setting, std::string& host, uint16_t& port)
{
    const std::string text = Trimmed(setting);
    port = 25;
    std::string portText;
    if (!text.empty() && text[0] == '[') {
        const size_t close = text.find(']');
        if (close == std::string::npos) {
            return false;
        }
        host = text.substr(1, close - 1);
        const std::string rest = text.substr(close + 1);
        if (!rest.empty() && (rest[0] != ':' || !ParsePort(rest.substr(1), port))) {
            return false;
        }
        return !host.empty();
    }
    const size_t colon = text.find(':');
    // Two or more colons: a bare IPv6 address, which has no room for a port.
    if (colon == std::string::npos || text.find(':', colon + 1) != std::string::npos) {
        host = text;
        return !host.empty();
    }
    host = text.substr(0, colon);
    return !host.empty() && ParsePort(text.substr(colon + 1), port);
}

std::string DotStuffed(const std::string& stream)
{
    std::string out;
    out.reserve(stream.size() + stream.size() / 64 + 16);
    bool lineStart = true;
    for (size_t i = 0; i < stream.size(); ++i) {
        const char c = stream[i];
        if (lineStart && c == '.') {
            out += '.';
        }
        if (c == '\n' && (i == 0 || stream[i - 1] != '\r')) {
            out += '\r';  // SMTP lines end with CR LF only
        }
        out += c;
        lineStart = c == '\n';
    }
    return out;
}

void TmsSMTPClient::Check(SocketResult result)
{
    switch (result) {
        case SocketResult::Ok:
            return;
        case SocketResult::TimedOut:
            throw EmsTimedOutError();
        case SocketResult::Canceled:
            throw EmsCanceledError();
        case SocketResult::Error:
            break;
    }
    throw EWinsockError(socket_.LastErrorText());
}

void TmsSMTPClient::SendLine(const std::string& line)
{
    Check(socket_.SendAll(line + "\r\n"));
}

int TmsSMTPClient::ReadReply()
{
    Check(socket_.ReceiveLine(lastReply_));
    const int code = ReplyCode(lastReply_);
    if (code > 0 && IsContinued(lastReply_)) {
        // A last line of just the code ends the reply too; waiting for a blank would hang.
        do {
            Check(socket_.ReceiveLine(lastReply_));
        } while (ReplyCode(lastReply_) != code || (lastReply_.size() > 3 && lastReply_[3] != ' '));
    }
    return code;
}

int TmsSMTPClient::Command(const std::string& line)
{
    SendLine(line);
    return ReadReply();
}

void TmsSMTPClient::Expect(int code, std::initializer_list<int> accepted)
{
    for (const int ok : accepted) {
        if (code == ok) {
            return;
        }
    }
    throw EmsServerError(lastReply_);
}

void TmsSMTPClient::Connect()
{
    socket_.TimeOut = TimeOut;
    socket_.Pump = Pump;
    socket_.CancelFlag = CancelFlag;
    Check(socket_.Connect(Host, Port));
}

void TmsSMTPClient::Greet()
{
    Expect(ReadReply(), {220});
    const std::string domain = HeloDomain.empty() ? LocalHostName() : HeloDomain;
    if (Command("HELO " + domain) != 250) {
        const int code = Command("HELO");
        if (code < 200 || code > 300) {
            throw EmsServerError(lastReply_);
        }
    }
}

std::vector<std::string> TmsSMTPClient::Recipients() const
{
    if (!EnvelopeRecipients.empty() || !MailMessage) {
        return EnvelopeRecipients;
    }
    std::vector<std::string> all;
    for (const TmsAddressList* list :
         {&MailMessage->Recipients, &MailMessage->CC, &MailMessage->BCC}) {
        for (const TmsMailAddress& address : *list) {
            if (!address.Address.empty()) {  // an empty entry is no recipient
                all.push_back(address.Address);
            }
        }
    }
    return all;
}

void TmsSMTPClient::SendEnvelope(const std::vector<std::string>& recipients)
{
    const std::string sender =
        EnvelopeSender.empty() && MailMessage ? MailMessage->Sender.Address : EnvelopeSender;
    CheckMailAddress(sender);
    for (const std::string& address : recipients) {
        CheckMailAddress(address);
    }
    rejected_ = 0;
    Expect(Command("MAIL FROM:<" + sender + ">"), {250});
    for (const std::string& address : recipients) {
        const int code = Command("RCPT TO:<" + address + ">");
        if (code == 250 || code == 251) {
            continue;
        }
        ++rejected_;
        bool ignore = false;
        if (OnAddressRejected) {
            OnAddressRejected(sender, address, lastReply_, ignore);
        }
        if (!ignore) {
            throw EmsServerError(lastReply_);
        }
    }
}

void TmsSMTPClient::SendData(const std::string& stream)
{
    Expect(Command("DATA"), {354});
    const std::string data = DotStuffed(stream);
    Check(socket_.SendAll(data));
    // The end mark needs a line of its own; an extra empty line would change the message.
    if (!data.empty() && data.back() != '\n') {
        SendLine("");
    }
    Expect(Command("."), {250});
    if (OnSent) {
        OnSent();
    }
}

void TmsSMTPClient::Transmit()
{
    std::string encoded;
    if (MailMessage) {
        if (OnPreparing) {
            OnPreparing();
        }
        MailMessage->WriteTo(encoded);
    }
    if (OnSending) {
        OnSending();
    }
    const std::vector<std::string> recipients = Recipients();
    SendEnvelope(recipients);
    if (static_cast<int>(recipients.size()) > rejected_) {
        SendData(PreparedStream ? *PreparedStream : encoded);
    }
}

void TmsSMTPClient::Quit()
{
    Expect(Command("QUIT"), {221});
}

void TmsSMTPClient::Send()
{
    if (Host.empty()) {
        throw EmsError("Host property must be assigned");
    }
    try {
        Connect();
        Greet();
        try {
            Transmit();
        } catch (const EmsServerError&) {
            // Say goodbye politely; the server's complaint is what the caller must see.
            try {
                Quit();
            } catch (const EmsError&) {
            }
            throw;
        }
        Quit();
    } catch (...) {
        socket_.Close();
        throw;
    }
    socket_.Close();
}

}  // namespace verdal
