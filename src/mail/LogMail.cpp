#include "mail/LogMail.h"

#include <exception>

#include "mail/Attachment.h"
#include "mail/MailErrors.h"
#include "mail/Message.h"
#include "mail/SmtpClient.h"
#include "settings/Presenter.h"

namespace verdal {
namespace {

constexpr size_t kMaxField = 255;

// Cuts to at most `length` bytes without splitting a UTF-8 character.
std::string Cut(const std::string& text, size_t length = kMaxField)
{
    if (text.size() <= length) {
        return text;
    }
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
        --length;
    }
    return text.substr(0, length);
}

void ComposeAddresses(const cLogParameters& log, TmsMessage& message)
{
    message.Clear();
    message.Sender = {Cut(log.SenderName), Cut(log.SenderAddress)};
    message.Recipients.Clear();
    message.Recipients.Add(log.Recipient1Address, log.Recipient1Name);
    if (!log.Recipient2Address.empty()) {
        message.Recipients.Add(log.Recipient2Address, log.Recipient2Name);
    }
    if (!log.Recipient3Address.empty()) {
        message.Recipients.Add(log.Recipient3Address, log.Recipient3Name);
    }
}

void ComposeLogMessage(const cLogParameters& log, TmsMessage& message)
{
    ComposeAddresses(log, message);
    message.Subject = Cut(log.SubjectPrefix + FileNamePart(log.CurrentLogFile));
    message.Body.clear();
    message.Attachments.Clear();
    if (log.AsAttachment) {
        message.Body.push_back("siehe Anhang");
        message.Attachments.Add(log.CurrentLogFile);
    } else {
        message.Body = SplitMailLines(ReadMailFile(log.CurrentLogFile));
    }
}

void ComposeTestMessage(const cLogParameters& log, TmsMessage& message)
{
    ComposeAddresses(log, message);
    message.Subject = Cut(log.SubjectPrefix + "Testnachricht");
    message.Body = {"Dies ist eine Testnachricht von Verdal.",
                    "Die E-Mail-Einstellungen des Logs funktionieren."};
    message.Attachments.Clear();
}

// Returns the server's last reply.
std::string Transmit(const cLogParameters& log, const MailHooks& hooks, bool test = false)
{
    TmsMessage message;
    if (test) {
        ComposeTestMessage(log, message);
    } else {
        ComposeLogMessage(log, message);
    }
    TmsSMTPClient client;
    const std::string server = Cut(log.SmtpServer);
    if (!server.empty() && !SplitServerSetting(server, client.Host, client.Port)) {
        throw EmsError("Ungültige Angabe des SMTP-Servers: " + server);
    }
    client.MailMessage = &message;
    client.Pump = hooks.Pump;
    client.CancelFlag = hooks.CancelFlag;
    client.TimeOut = hooks.TimeOut;
    std::string accepted;  // the reply to the message itself, not the one to QUIT
    client.OnSent = [&client, &accepted] { accepted = client.LastReply(); };
    client.Send();
    return accepted;
}

void ReportFailure(const cLogParameters& log, const std::string& reason)
{
    Message message;
    message.Kind = BoxKind::Error;
    message.Buttons = BoxButtons::Ok;
    message.Text = "Fehler beim Verschicken...\rE-Mail an " + log.Recipient1Name + " <" +
                   log.Recipient1Address + ">\r" + reason;
    Presenter().Show(message);
}

}  // namespace

std::string SendingLogText(const cLogParameters& log)
{
    return "Verschicke Log an " + log.Recipient1Name + " <" + log.Recipient1Address + ">...";
}

bool SendTestMail(const cLogParameters& log, const MailHooks& hooks, std::string& answer)
{
    std::string reason;
    try {
        const std::string reply = Transmit(log, hooks, true);
        answer = "Der Server hat die Testnachricht angenommen.\rSeine Antwort: " + reply;
        return true;
    } catch (const std::exception& e) {
        reason = e.what();
    } catch (...) {
        reason = "Unbekannter Fehler";
    }
    answer = "Die Testnachricht konnte nicht verschickt werden.\r" + reason;
    return false;
}

bool SendLogByMail(cParameters& params, const MailHooks& hooks)
{
    const cLogParameters& log = params.Log;
    std::string reason;
    try {
        Transmit(log, hooks);
        return true;
    } catch (const std::exception& e) {
        reason = e.what();
    } catch (...) {
        reason = "Unbekannter Fehler";
    }
    if (hooks.Failed) {
        hooks.Failed(reason);
    } else {
        ReportFailure(log, reason);
    }
    return false;
}

}  // namespace verdal
