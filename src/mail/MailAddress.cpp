#include "mail/MailAddress.h"

#include "mail/MailErrors.h"
#include "mail/MimeCoders.h"

namespace verdal {
namespace {

// Characters that end a plain word in an address header (RFC 5322 "specials").
constexpr const char* kSpecials = "()<>[]:;@\\,.\"";

std::string QuotedName(const std::string& name)
{
    std::string out = "\"";
    for (const char c : name) {
        if (c == '"' || c == '\\') {
            out += '\\';
        }
        out += c;
    }
    return out + "\"";
}

std::string HeaderName(const std::string& name)
{
    if (!IsAscii(name)) {
        return EncodeHeaderText(name);
    }
    const std::string clean = EncodeHeaderText(name);  // line breaks become blanks
    return clean.find_first_of(kSpecials) == std::string::npos ? clean : QuotedName(clean);
}

}  // namespace

void TmsAddressList::Add(const std::string& address, const std::string& name)
{
    items_.push_back({name, address});
}

std::string FormatMailAddress(const TmsMailAddress& address)
{
    return HeaderName(address.Name) + " <" + address.Address + ">";
}

bool IsUsableMailAddress(const std::string& address)
{
    for (const char c : address) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= ' ' || u == 127 || c == '<' || c == '>') {
            return false;
        }
    }
    return true;
}

void CheckMailAddress(const std::string& address)
{
    if (!IsUsableMailAddress(address)) {
        throw EMessageError("Ungültige E-Mail-Adresse: \"" + EncodeHeaderText(address) + "\"");
    }
}

}  // namespace verdal
