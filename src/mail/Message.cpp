#include "mail/Message.h"

#include <cstdio>
#include <random>

#include "mail/MailErrors.h"
#include "mail/MimeCoders.h"
#include "platform/Clock.h"
#include "platform/Socket.h"
#include "platform/TimeZone.h"
#include "settings/TextCodec.h"

namespace verdal {
namespace {

constexpr size_t kLongLine = 255;
constexpr const char* kMixed = "multipart/mixed";
constexpr const char* kIndent = "          ";  // header values start in column 11

// How the text part travels.
struct TextForm
{
    std::string Charset;
    bool Quoted = false;
};

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string all;
    for (const std::string& line : lines) {
        all += line;
        all += '\n';
    }
    return all;
}

bool HasControlCharacters(const std::string& text)
{
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 32 && c != '\t' && c != '\n') || u == 127) {
            return true;
        }
    }
    return false;
}

const char* CharSetName(int charSet)
{
    switch (charSet) {
        case kCharSetIso88591:
            return "iso-8859-1";
        case kCharSetIso2022Jp:
            return "iso-2022-jp";
        default:
            return "us-ascii";
    }
}

// Text with umlauts is never declared us-ascii 7bit: it would arrive garbled. It travels
// quoted-printable in the character set its bytes are in (the log is UTF-8 or Windows-1252).
TextForm ChooseTextForm(const std::vector<std::string>& body, int charSet)
{
    const std::string all = JoinLines(body);
    if (!IsAscii(all)) {
        return {IsValidUtf8(all) ? "utf-8" : "windows-1252", true};
    }
    bool longLine = false;
    for (const std::string& line : body) {
        longLine = longLine || line.size() > kLongLine;
    }
    return {CharSetName(charSet),
            longLine || HasControlCharacters(all) || charSet == kCharSetIso88591};
}

void AppendAddressHeader(std::string& out, const char* label, const TmsAddressList& list)
{
    std::vector<std::string> entries;
    for (const TmsMailAddress& address : list) {
        if (!address.Address.empty()) {  // "<>" would be no address at all
            entries.push_back(FormatMailAddress(address));
        }
    }
    if (entries.empty()) {
        return;
    }
    std::string line = label;
    line.resize(10, ' ');
    for (size_t i = 0; i < entries.size(); ++i) {
        out += (i == 0 ? line : std::string(kIndent)) + entries[i];
        out += i + 1 < entries.size() ? ",\r\n" : "\r\n";
    }
}

std::string TwoDigits(int value)
{
    char text[8];
    std::snprintf(text, sizeof(text), "%02d", value % 100);
    return text;
}

// RFC 5322 date: English names by protocol, the local time with its offset.
std::string MailDate(TDateTime now)
{
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const DateTimeParts p = DecodeDateTime(now);
    const int offset = UtcOffsetMinutes(now);
    const int absOffset = offset < 0 ? -offset : offset;
    return std::string(kDays[p.DayOfWeek]) + ", " + TwoDigits(p.Day) + " " + kMonths[p.Month - 1] +
           " " + std::to_string(p.Year) + " " + TwoDigits(p.Hour) + ":" + TwoDigits(p.Minute) +
           ":" + TwoDigits(p.Second) + " " + (offset < 0 ? "-" : "+") + TwoDigits(absOffset / 60) +
           TwoDigits(absOffset % 60);
}

std::mt19937_64& Random()
{
    static std::mt19937_64 generator{std::random_device{}()};
    return generator;
}

std::string MessageIdDomain()
{
    std::string host = LocalHostName();
    for (char& c : host) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.';
        c = plain ? c : '-';
    }
    return host;
}

std::string NewMessageId(TDateTime now)
{
    const DateTimeParts p = DecodeDateTime(now);
    char text[64];
    std::snprintf(text, sizeof(text), "%04d%02d%02d%02d%02d%02d.%016llx", p.Year, p.Month, p.Day,
                  p.Hour, p.Minute, p.Second, static_cast<unsigned long long>(Random()()));
    return "<" + std::string(text) + "@" + MessageIdDomain() + ">";
}

// Eight digits 0..8, drawn again in the unlikely case that the parts contain them.
std::string NewBoundary(const std::string& parts)
{
    std::uniform_int_distribution<int> digit(0, 8);
    std::string boundary;
    do {
        boundary.clear();
        for (int i = 0; i < 8; ++i) {
            boundary += static_cast<char>('0' + digit(Random()));
        }
    } while (parts.find("--" + boundary) != std::string::npos);
    return boundary;
}

std::string WithCrLf(const std::string& content)
{
    std::string out;
    for (const std::string& line : SplitMailLines(content)) {
        out += line + "\r\n";
    }
    if (!content.empty() && content.back() != '\n' && out.size() >= 2) {
        out.resize(out.size() - 2);  // keep a missing last line break missing
    }
    return out;
}

std::string EncodedContent(const TmsAttItem& item)
{
    switch (item.Encoding) {
        case TmsTransferEncoding::QuotedPrintable:
            return QuotedPrintableEncode(item.Content);
        case TmsTransferEncoding::SevenBit:
            return WithCrLf(item.Content);
        case TmsTransferEncoding::Base64:
            break;
    }
    return Base64Encode(item.Content);
}

std::string AttachmentPart(const TmsAttItem& item)
{
    const std::string name = FileNamePart(item.FileName);
    // "7 bit" is the item's name for the encoding; the header needs the MIME token.
    const std::string encoding = item.Encoding == TmsTransferEncoding::SevenBit
                                     ? "7bit"
                                     : TransferEncodingName(item.Encoding);
    return "Content-Type: " + item.ContentType + "; " + MimeParameter("name", name) + "\r\n" +
           "Content-Transfer-Encoding: " + encoding + "\r\n" + "Content-Disposition: attachment; " +
           MimeParameter("filename", name) + "\r\n\r\n" + EncodedContent(item);
}

bool HasAddress(const TmsAddressList& list)
{
    for (const TmsMailAddress& address : list) {
        if (!address.Address.empty()) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<std::string> SplitMailLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const size_t next = end == std::string::npos ? text.size() : end + 1;
        end = end == std::string::npos ? text.size() : end;
        if (end > start && text[end - 1] == '\r' && end < text.size()) {
            --end;
        }
        lines.push_back(text.substr(start, end - start));
        start = next;
    }
    return lines;
}

void TmsMessage::Clear()
{
    Body.clear();
    Attachments.Clear();
    Sender = {};
    Headers.clear();
    Subject.clear();
    Encoding = TmsEncoding::Mime;
    CharSet = kCharSetUsAscii;
}

void TmsMessage::Validate() const
{
    if (Sender.Address.empty()) {
        throw EMessageError("The address of sender is required");
    }
    if (!HasAddress(Recipients) && !HasAddress(CC) && !HasAddress(BCC)) {
        throw EMessageError("At least one Recipient, CC or BCC must be entered");
    }
    CheckMailAddress(Sender.Address);
    for (const TmsAddressList* list : {&Recipients, &CC, &BCC}) {
        for (const TmsMailAddress& address : *list) {
            CheckMailAddress(address.Address);
        }
    }
}

std::string TmsMessage::ContentType() const
{
    const int attachments = Attachments.Count();
    if ((!Body.empty() && attachments > 0) || (Body.empty() && attachments > 1)) {
        return kMixed;
    }
    return Body.empty() && attachments == 1 ? Attachments[0].ContentType : "text/plain";
}

void TmsMessage::WriteHeaderBlock(std::string& out) const
{
    out += "From:     " + FormatMailAddress(Sender) + "\r\n";
    AppendAddressHeader(out, "To:", Recipients);
    AppendAddressHeader(out, "CC:", CC);
    if (ReturnReceipt) {
        out += "Return-Receipt-To: <" + Sender.Address + ">\r\n";
    }
    if (Priority != TmsPriority::Normal) {
        out += Priority == TmsPriority::High ? "X-Priority: 1\r\n" : "X-Priority: 5\r\n";
    }
    for (const std::string& header : Headers) {
        out += EncodeHeaderText(header) + "\r\n";
    }
    if (AddDateAndMessageId) {
        const TDateTime now = Now();
        out += "Date: " + MailDate(now) + "\r\n";
        out += "Message-ID: " + NewMessageId(now) + "\r\n";
    }
    out += "Subject: " + EncodeHeaderText(Subject) + "\r\n";
    out += "Mime-Version: 1.0\r\n";
}

std::string TmsMessage::TextPartHeaders() const
{
    const TextForm form = ChooseTextForm(Body, CharSet);
    return "Content-Type: text/plain; charset=\"" + form.Charset + "\"\r\n" +
           "Content-Transfer-Encoding: " + (form.Quoted ? "quoted-printable" : "7bit") + "\r\n";
}

std::string TmsMessage::EncodedBody() const
{
    const std::string all = JoinLines(Body);
    return ChooseTextForm(Body, CharSet).Quoted ? QuotedPrintableEncode(all) : WithCrLf(all);
}

void TmsMessage::WriteMixed(std::string& out) const
{
    std::vector<std::string> parts{TextPartHeaders() + "\r\n" + EncodedBody()};
    std::string all = parts.front();
    for (const TmsAttItem& item : Attachments) {
        parts.push_back(AttachmentPart(item));
        all += parts.back();
    }
    const std::string boundary = NewBoundary(all);
    out += "Content-Type: multipart/mixed; boundary=\"" + boundary + "\"\r\n\r\n";
    out += "This is a multipart message in MIME format\r\n\r\n";
    out += "--" + boundary + "\r\n" + parts.front();
    for (size_t i = 1; i < parts.size(); ++i) {
        out += "\r\n--" + boundary + "\r\n" + parts[i];
    }
    out += "\r\n--" + boundary + "--\r\n";
}

void TmsMessage::WriteTo(std::string& stream) const
{
    Validate();
    WriteHeaderBlock(stream);
    if (ContentType() == kMixed) {
        WriteMixed(stream);
    } else if (Body.empty() && Attachments.Count() == 1) {
        stream += AttachmentPart(Attachments[0]);
    } else {
        stream += TextPartHeaders() + "\r\n" + EncodedBody();
    }
}

}  // namespace verdal
