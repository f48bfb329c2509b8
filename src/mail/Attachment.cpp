#include "mail/Attachment.h"

#include "mail/MailErrors.h"
#include "platform/FileIO.h"
#include "platform/MimeGlobs.h"
#include "platform/TextCase.h"

namespace verdal {
namespace {

struct ExtensionType
{
    const char* Extension;
    const char* Type;
};

// For systems without a MIME database, or extensions it does not know.
constexpr ExtensionType kFallbackTypes[] = {
    {".txt", "text/plain"},      {".log", "text/plain"}, {".htm", "text/html"},
    {".html", "text/html"},      {".rtf", "text/rtf"},   {".eml", "message/rfc822"},
    {".csv", "text/csv"},        {".xml", "text/xml"},   {".pdf", "application/pdf"},
    {".zip", "application/zip"}, {".jpg", "image/jpeg"}, {".jpeg", "image/jpeg"},
    {".png", "image/png"},       {".gif", "image/gif"},  {".vrd", "text/plain"},
    {".vbf", "text/plain"},
};

std::string Extension(const std::string& fileName)
{
    const std::string name = FileNamePart(fileName);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

}  // namespace

const char* TransferEncodingName(TmsTransferEncoding encoding)
{
    switch (encoding) {
        case TmsTransferEncoding::SevenBit:
            return "7 bit";
        case TmsTransferEncoding::QuotedPrintable:
            return "Quoted-Printable";
        case TmsTransferEncoding::Base64:
            break;
    }
    return "Base64";
}

std::string FileNamePart(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ReadMailFile(const std::string& fileName)
{
    std::string bytes;
    if (ReadWholeFile(fileName, bytes) != 0) {
        throw EMessageError("Die Datei " + fileName + " kann nicht gelesen werden.");
    }
    return bytes;
}

std::string ContentTypeForFile(const std::string& fileName)
{
    const std::string fromSystem = MimeTypeFromGlobs(FileNamePart(fileName));
    if (!fromSystem.empty()) {
        return fromSystem;
    }
    const std::string extension = Extension(fileName);
    for (const ExtensionType& entry : kFallbackTypes) {
        if (SameTextCI(entry.Extension, extension)) {
            return entry.Type;
        }
    }
    return "application/octet-stream";
}

TmsTransferEncoding EncodingForContentType(const std::string& contentType)
{
    for (const char* type : {"text/plain", "text/rtf", "text/html"}) {
        if (SameTextCI(type, contentType)) {
            return TmsTransferEncoding::QuotedPrintable;
        }
    }
    return SameTextCI("message/rfc822", contentType) ? TmsTransferEncoding::SevenBit
                                                     : TmsTransferEncoding::Base64;
}

void TmsAttList::Add(const std::string& fileName)
{
    TmsAttItem item;
    item.FileName = fileName;
    item.ContentType = ContentTypeForFile(fileName);
    item.Encoding = EncodingForContentType(item.ContentType);
    item.Content = ReadMailFile(fileName);
    items_.push_back(std::move(item));
}

}  // namespace verdal
