#pragma once

#include <string>
#include <vector>

namespace verdal {

// One mail address with its display name.
struct TmsMailAddress
{
    std::string Name;
    std::string Address;
};

// An ordered list of addresses (recipients, CC, BCC).
class TmsAddressList
{
public:
    void Add(const std::string& address, const std::string& name = {});
    void Clear() { items_.clear(); }
    int Count() const { return static_cast<int>(items_.size()); }
    const TmsMailAddress& operator[](int index) const { return items_[index]; }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<TmsMailAddress> items_;
};

// The address as a header shows it: name + " <" + address + ">". A name with a dot or another
// character that would split the address list is put in double quotes; a name with non-ASCII
// characters becomes encoded-words.
std::string FormatMailAddress(const TmsMailAddress& address);

// True when `address` can travel in an SMTP command: no blanks, control characters or angle
// brackets (an empty address is usable only as "no address").
bool IsUsableMailAddress(const std::string& address);
// Throws EMessageError naming the address when it is not usable.
void CheckMailAddress(const std::string& address);

}  // namespace verdal
