#include "dialogs/ExpressRules.h"

#include <algorithm>

#include "platform/Paths.h"
#include "settings/Parameters.h"

namespace verdal {

std::vector<std::string> SplitMasks(const std::string& text)
{
    std::vector<std::string> masks;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(' ', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        if (end > start) {
            masks.push_back(text.substr(start, end - start));
        }
        start = end + 1;
    }
    return masks;
}

std::string JoinMasks(const cStringList& masks)
{
    std::string text;
    for (const auto& item : masks.Items()) {
        text += item.Text + " ";
    }
    return text;
}

SearchEntry SearchEntryOf(const cStringList& searchDirectories)
{
    SearchEntry entry;
    if (searchDirectories.Empty()) {
        return entry;
    }
    entry.Directory = searchDirectories[0];
    if (!entry.Directory.empty() && entry.Directory.back() == '*') {
        entry.Directory.pop_back();
        entry.Subdirectories = true;
    }
    if (entry.Directory.empty()) {
        entry.Directory = "\\";
    }
    return entry;
}

std::string SearchEntryText(const SearchEntry& entry)
{
    std::string text = entry.Directory;
    if (entry.Subdirectories && (text.empty() || text.back() != '*')) {
        text += '*';
    }
    return text;
}

void SetTouchFlags(cParameters& p, ExpressJob job)
{
    p.TouchSrc = job != ExpressJob::Backup;
    p.TouchDest = job != ExpressJob::Restore;
}

void ApplyExpressDefaults(cParameters& p)
{
    p.Variation = 0;
    p.EightThree = false;
    p.DiskLabel.clear();
    p.OfferFormat = false;
    p.EjectDisk = false;
    p.Attributes = 0;
    p.ShortenPaths = true;
    p.CreateSrcDirs = true;
    p.CreateDestDirs = true;
    p.DeleteEmptySrcDirs = false;
    p.DeleteEmptyDestDirs = false;
    p.CreateAllSrcDirs = false;
    p.CreateAllDestDirs = false;
    p.TransferDirProperties = false;
    p.AgeMode = 0;
    p.OrphanModeD1 = 0;
    p.OrphanModeD2 = 1;
    p.OrphanModeB = 4;
    p.OrphanModeS1 = 3;
    p.OrphanModeS2 = 1;
    p.ListSkip = false;
    p.EnforceBackward = false;
    p.ReverseOrder = false;
    p.SortingMode = 0;
    p.MidnightHours = 2;
    p.CheckSizes = 3;
    p.CompareProperties = false;
    p.Verify = false;
    p.Warnings = 0x55;
    p.AutoOpen = false;
    p.AutoApp = false;
    p.AutoSense = false;
    p.AutoHook = false;
    p.AutoBeep = false;
    p.AutoExit = false;
    p.AutoShutdown = 0;
    p.BrowseNetwork = false;
    p.DiskInfo = false;
    p.TimeDifference = 2;
    p.IgnoreDST = true;
    p.UseUTC = false;
    p.MyCopy = true;
    p.TransferPermissions = false;
    p.TransferOwner = false;
    p.Recycle = true;
    p.TrayIcon = false;
}

}  // namespace verdal
