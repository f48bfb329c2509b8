#pragma once

#include <string>
#include <vector>

namespace verdal {

// Transfer encodings of an attachment, with the names its header uses.
enum class TmsTransferEncoding { SevenBit = 0, Base64 = 1, QuotedPrintable = 2 };
const char* TransferEncodingName(TmsTransferEncoding encoding);

// A file attached to a message; its content is read when the item is added.
struct TmsAttItem
{
    std::string FileName;  // native path as given
    std::string ContentType;
    TmsTransferEncoding Encoding = TmsTransferEncoding::Base64;
    std::string Content;
};

// The attachments of a message, in order.
class TmsAttList
{
public:
    // Reads the file at once; throws EMessageError when it cannot be read.
    void Add(const std::string& fileName);
    void Clear() { items_.clear(); }
    int Count() const { return static_cast<int>(items_.size()); }
    const TmsAttItem& operator[](int index) const { return items_[index]; }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<TmsAttItem> items_;
};

// The content type of a file by its extension: the system's MIME database, then a fixed table,
// then "application/octet-stream".
std::string ContentTypeForFile(const std::string& fileName);
// Plain, RTF and HTML text travel quoted-printable, a mail as it is, everything else Base64.
TmsTransferEncoding EncodingForContentType(const std::string& contentType);

// The whole file for a message; throws EMessageError with a German text when it cannot be read.
std::string ReadMailFile(const std::string& fileName);
// The name after the last "/" or "\".
std::string FileNamePart(const std::string& path);

}  // namespace verdal
