#include "engine/Listing.h"

#include <utility>

#include "platform/Paths.h"

namespace verdal {

void cListing::Read(const std::string& nativeDir, bool useUtc, const std::string& root)
{
    dir_.Read(nativeDir, useUtc, true, root);
}

cDirCache::cDirCache(bool useUtc, std::vector<std::string>* unnamable, std::string root)
    : useUtc_(useUtc), root_(std::move(root)), unnamable_(unnamable)
{}

const cListing& cDirCache::Get(const std::string& nativeDir)
{
    auto& slot = listings_[nativeDir];
    if (!slot) {
        slot = std::make_unique<cListing>();
        cDirListing ahead;
        int code = 0;
        if (readAhead_ && readAhead_->Take(nativeDir, ahead, code))
            slot->Adopt(std::move(ahead));
        else
            slot->Read(nativeDir, useUtc_, root_);
        if (unnamable_)
            for (const std::string& name : slot->Unnamable())
                unnamable_->push_back(JoinNativePath(nativeDir, {}, name));
    }
    return *slot;
}

void cDirCache::ReadAhead(const std::string& nativeDir)
{
    if (!readAhead_)
        readAhead_ = std::make_unique<cDirReadAhead>(useUtc_, root_);
    readAhead_->WalkTree(nativeDir);
}

}  // namespace verdal
