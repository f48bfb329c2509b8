#pragma once

#include <string>
#include <vector>

#include "mail/Attachment.h"
#include "mail/MailAddress.h"

namespace verdal {

enum class TmsPriority { High, Normal, Low };
enum class TmsEncoding { Mime, UUEncode };  // only MIME is written
// Character sets the plain text may declare.
enum TmsCharSet : int { kCharSetUsAscii = 0, kCharSetIso88591 = 1, kCharSetIso2022Jp = 2 };

// An e-mail message: sender, recipients, subject, body lines and attachments. It writes itself
// in RFC 822 form with MIME parts, as the SMTP client transmits it after DATA.
class TmsMessage
{
public:
    TmsMailAddress Sender;
    std::string Subject;
    std::vector<std::string> Body;
    TmsAttList Attachments;
    std::vector<std::string> Headers;  // extra header lines
    TmsAddressList Recipients, CC, BCC;
    bool ReturnReceipt = false;
    TmsPriority Priority = TmsPriority::Normal;
    TmsEncoding Encoding = TmsEncoding::Mime;
    int CharSet = kCharSetUsAscii;
    // Date and Message-ID headers; mail without them is often scored as spam.
    bool AddDateAndMessageId = true;

    // Empties body, attachments, sender, extra headers and subject; resets encoding and charset.
    void Clear();
    // Throws EMessageError when the sender's address or every recipient address is missing,
    // or an address cannot travel in an SMTP command.
    void Validate() const;
    // "multipart/mixed", the single attachment's type, or "text/plain".
    std::string ContentType() const;
    // Validates, then appends the whole message (CR LF lines) to `stream`.
    void WriteTo(std::string& stream) const;

private:
    void WriteHeaderBlock(std::string& out) const;
    void WriteMixed(std::string& out) const;
    std::string TextPartHeaders() const;
    std::string EncodedBody() const;
};

// The body as lines: the text split at line feeds (a CR before it dropped).
std::vector<std::string> SplitMailLines(const std::string& text);

}  // namespace verdal
