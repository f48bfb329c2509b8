#include "engine/Listing.h"

#include "engine/ListingNative.h"
#include "platform/TextCase.h"

namespace verdal {

void cListing::BuildIndex()
{
    exact_.clear();
    folded_.clear();
    exact_.reserve(Files.size());
    folded_.reserve(Files.size());
    for (int i = 0; i < static_cast<int>(Files.size()); ++i) {
        Files[i].Folded = FoldCase(Files[i].Name);
        exact_.emplace(Files[i].Name, i);
        folded_.emplace(Files[i].Folded, i);
    }
}

const ListedFile* cListing::FindExact(const std::string& name) const
{
    const auto it = exact_.find(name);
    return it == exact_.end() ? nullptr : &Files[it->second];
}

const ListedFile* cListing::FindPartner(const std::string& name, const cListing& own) const
{
    if (const ListedFile* exact = FindExact(name))
        return exact;
    const auto [first, last] = folded_.equal_range(FoldCase(name));
    for (auto it = first; it != last; ++it) {
        const ListedFile& candidate = Files[it->second];
        if (!own.FindExact(candidate.Name))
            return &candidate;
    }
    return nullptr;
}

cDirCache::cDirCache(bool useUtc, std::vector<std::string>* unnamable)
    : useUtc_(useUtc), unnamable_(unnamable)
{}

const cListing& cDirCache::Get(const std::string& nativeDir)
{
    auto& slot = listings_[nativeDir];
    if (!slot) {
        slot = std::make_unique<cListing>();
        ReadNativeDirectory(nativeDir, useUtc_, *slot, unnamable_);
        slot->BuildIndex();
    }
    return *slot;
}

namespace {

// Length of the UTF-8 sequence that starts with `lead`.
size_t CodePointLength(unsigned char lead)
{
    if (lead < 0xC0)
        return 1;
    if (lead < 0xE0)
        return 2;
    return lead < 0xF0 ? 3 : 4;
}

bool MatchFolded(std::string_view name, std::string_view mask)
{
    size_t n = 0, m = 0;
    size_t starMask = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() && mask[m] == '?') {
            n += CodePointLength(static_cast<unsigned char>(name[n]));
            ++m;
        } else if (m < mask.size() && mask[m] == name[n]) {
            ++n;
            ++m;
        } else if (starMask != std::string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

}  // namespace

bool MatchesFoldedMask(std::string_view foldedName, std::string_view foldedMask)
{
    if (foldedMask == "*.*" || foldedMask == "*")
        return true;
    // "name." asks for names without an extension.
    if (!foldedMask.empty() && foldedMask.back() == '.') {
        if (foldedName.find('.') != std::string_view::npos)
            return false;
        foldedMask.remove_suffix(1);
    }
    return MatchFolded(foldedName, foldedMask);
}

bool MatchesMask(std::string_view name, std::string_view mask)
{
    return MatchesFoldedMask(FoldCase(name), FoldCase(mask));
}

}  // namespace verdal
