#include "dialogs/ReviewRules.h"

#include <algorithm>

#include "engine/CandidateOrder.h"
#include "engine/RunContext.h"
#include "platform/Process.h"
#include "settings/ErrorText.h"
#include "settings/GermanFormat.h"
#include "settings/Parameters.h"

namespace verdal {
namespace {

constexpr int kCompareSizesDiffer = 2000;
constexpr int kCompareContentsDiffer = 2001;

uint16_t WithAction(uint16_t category, uint16_t action)
{
    return static_cast<uint16_t>((category & ~kActionMask) | action);
}

bool Refused(const cCandidate& c, uint16_t action)
{
    return (action == kForward && !SourceExists(c)) ||
           (action == kBackward && !DestinationExists(c));
}

std::string Megabytes(int64_t bytes)
{
    return FormatNumber(static_cast<double>(bytes) / 1024.0 / 1024.0, 3);
}

}  // namespace

bool SetAction(cCandidate& c, uint16_t action)
{
    if (Refused(c, action) || c.Action() == action) {
        return false;
    }
    c.Category = WithAction(c.Category, action);
    return true;
}

void CycleAction(cCandidate& c)
{
    uint16_t next = kForward;
    switch (c.Action()) {
        case kForward:
            next = kSkip;
            break;
        case kSkip:
            next = kDelete;
            break;
        case kDelete:
            next = kBackward;
            break;
        default:
            next = kForward;
            break;
    }
    if (next == kForward && !SourceExists(c)) {
        next = kSkip;
    } else if (next == kBackward && !DestinationExists(c)) {
        next = kForward;
    }
    c.Category = WithAction(c.Category, next);
}

bool PassesFilters(const cCandidate& c, const cOverviewParameters& view)
{
    uint16_t required = 0;
    required |= view.FilterSizes ? kSizeWarning : 0;
    required |= view.FilterDoubleChange ? kDoubleChange : 0;
    required |= view.FilterPropertiesOnly ? kPropertiesOnly : 0;
    return (c.Category & required) == required;
}

std::vector<ReviewRow> BuildRows(const cFolderList& headers, const cCandidateList& candidates,
                                 const cOverviewParameters& view)
{
    std::vector<ReviewRow> rows;
    rows.reserve(static_cast<size_t>(headers.Count()) + candidates.Count());
    for (int h = 0; h < headers.Count(); ++h) {
        const cFolder& group = headers[h];
        rows.push_back(ReviewRow::Group(h));
        if (!group.Open) {
            continue;
        }
        for (int i = group.First; i <= group.Last && i < candidates.Count(); ++i) {
            if (PassesFilters(candidates[i], view)) {
                rows.push_back(ReviewRow::Item(i));
            }
        }
    }
    rows.shrink_to_fit();
    return rows;
}

int ActionSlot(uint16_t action)
{
    switch (action) {
        case kForward:
            return 0;
        case kSkip:
            return 1;
        case kDelete:
            return 2;
        case kBackward:
            return 3;
        default:
            return -1;
    }
}

ActionCounts CountGroup(const cFolder& group, const cCandidateList& candidates)
{
    ActionCounts counts{};
    for (int i = group.First; i <= group.Last && i < candidates.Count(); ++i) {
        const int slot = ActionSlot(candidates[i].Action());
        if (slot >= 0) {
            ++counts[slot];
        }
    }
    return counts;
}

int GroupOfCandidate(const cFolderList& headers, int index)
{
    const auto& items = headers.Items();
    auto after = std::upper_bound(items.begin(), items.end(), index,
                                  [](int i, const auto& folder) { return i < folder->First; });
    if (after == items.begin()) {
        return -1;
    }
    const int h = static_cast<int>(after - items.begin()) - 1;
    return index <= headers[h].Last ? h : -1;
}

void SortRun(cRunContext& run, int sortingMode, bool reverse, bool openFolders)
{
    SortCandidates(run.Candidates, sortingMode, reverse);
    BuildHeaders(run.Candidates, sortingMode, run.SourceDirs, run.CommonSourcePrefix, openFolders,
                 run.Headers);
}

ReviewEnabling EnablingFor(const ReviewSelection& selection, bool externalConfigured)
{
    ReviewEnabling e;
    e.Actions = selection.Rows > 0;
    e.Open = selection.Candidates > 0;
    const cCandidate* c = selection.Rows == 1 ? selection.Single : nullptr;
    const bool pair = c && SourceExists(*c) && DestinationExists(*c);
    e.CompareInternal = pair && c->Source.Size == c->Destination.Size;
    e.CompareExternal = pair && externalConfigured;
    return e;
}

std::string InternalCompareText(const std::string& source, const std::string& destination,
                                int result)
{
    const std::string files = "Die Dateien\n\n" + source + "\n\nund\n\n" + destination + "\n\n";
    if (result == 0) {
        return files + "sind identisch.";
    }
    if (result == kCompareSizesDiffer || result == kCompareContentsDiffer) {
        return files + "sind NICHT identisch.";
    }
    return files + "konnten nicht verglichen werden:\n\n" + ErrorText(result);
}

std::vector<std::string> ExternalCompareArguments(const std::string& program,
                                                  const std::string& pattern,
                                                  const std::string& source,
                                                  const std::string& destination)
{
    std::vector<std::string> argv{program};
    for (const std::string& part : SplitCommandLine(pattern)) {
        // One pass over "%1" first would let a source name holding "%2" be replaced again.
        std::string arg;
        for (size_t i = 0; i < part.size(); ++i) {
            if (part[i] == '%' && i + 1 < part.size() &&
                (part[i + 1] == '1' || part[i + 1] == '2')) {
                arg += part[i + 1] == '1' ? source : destination;
                ++i;
            } else {
                arg += part[i];
            }
        }
        argv.push_back(arg);
    }
    return argv;
}

std::string RelativeDirText(const std::string& dir)
{
    std::string text = dir.size() > 0 && dir[0] == '\\' ? dir.substr(1) : dir;
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

std::string FreeSpaceText(int64_t free, int64_t projected, bool& missing)
{
    missing = false;
    if (free < 0) {
        return {};
    }
    if (projected >= 0) {
        return Megabytes(projected) + " MB bleiben";
    }
    missing = true;
    return Megabytes(-projected) + " MB fehlen";
}

std::string TransferText(int64_t bytes)
{
    return Megabytes(bytes) + " MB Transfer";
}

cSaveParameters::cSaveParameters(cParameters& params)
    : params_(params),
      oneLine_(params.Overview.OneLineRows),
      reverse_(params.ReverseOrder),
      filterSizes_(params.Overview.FilterSizes),
      filterDouble_(params.Overview.FilterDoubleChange),
      filterProperties_(params.Overview.FilterPropertiesOnly),
      sortingMode_(params.SortingMode)
{}

cSaveParameters::~cSaveParameters()
{
    params_.Overview.OneLineRows = oneLine_;
    params_.ReverseOrder = reverse_;
    params_.Overview.FilterSizes = filterSizes_;
    params_.Overview.FilterDoubleChange = filterDouble_;
    params_.Overview.FilterPropertiesOnly = filterProperties_;
    params_.SortingMode = sortingMode_;
}

}  // namespace verdal
