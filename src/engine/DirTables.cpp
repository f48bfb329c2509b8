#include "engine/DirTables.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "engine/Listing.h"
#include "engine/RunContext.h"
#include "engine/RunFrontEnd.h"
#include "platform/Paths.h"
#include "platform/TextCase.h"
#include "settings/Parameters.h"

namespace verdal {

namespace {

bool StartsWithCI(const std::string& text, const std::string& prefix)
{
    return text.size() >= prefix.size() && SameTextCI(text.substr(0, prefix.size()), prefix);
}

bool MatchesPattern(const DirectoryPattern& pattern, const std::string& path)
{
    if (pattern.Form == EntryForm::Subtree)
        return true;
    const std::string folded = FoldCase(path);
    const std::string text = FoldCase(pattern.Text);
    // Only the first occurrence after the base counts.
    const size_t pos = folded.find(text, FoldCase(pattern.Base).size());
    if (pos == std::string::npos)
        return false;
    switch (pattern.Form) {
        case EntryForm::StartsWith:
            return folded[pos - 1] == '\\';
        case EntryForm::EndsWith:
            return pos + text.size() < folded.size() && folded[pos + text.size()] == '\\';
        default:
            return true;
    }
}

// Every directory below `base` (the base first), never following symbolic links.
void CollectTree(const cRunContext& run, cDirCache& cache, const std::string& nativeRoot,
                 const std::string& base, std::vector<std::string>& tree)
{
    tree.push_back(base);
    cache.ReadAhead(JoinNativePath(nativeRoot, base));
    for (size_t next = tree.size() - 1; next < tree.size(); ++next) {
        const std::string dir = tree[next];
        for (const DirEntry& sub : cache.Get(JoinNativePath(nativeRoot, dir)).Dirs())
            tree.push_back(dir + sub.Name + "\\");
        if (run.PumpAndCheckAbort())
            return;
    }
}

void RemoveExcluded(std::vector<std::string>& dirs, const std::vector<std::string>& excluded)
{
    if (excluded.empty())
        return;
    std::unordered_set<std::string> folded;
    for (const std::string& entry : excluded)
        folded.insert(FoldCase(entry));
    std::erase_if(dirs, [&](const std::string& d) { return folded.count(FoldCase(d)) != 0; });
}

// The directories of one side: search entries expanded, exclude entries removed.
std::vector<std::string> ExpandSide(cRunContext& run, cDirCache& cache,
                                    const std::string& nativeRoot, bool mapToDestination,
                                    int64_t& step)
{
    auto expandAll = [&](const cStringList& list, std::vector<std::string>& out) {
        for (int i = 0; i < list.Count() && !AbortFlag; ++i) {
            const std::string entry = mapToDestination ? MapToDestination(run, list[i]) : list[i];
            if (HasDotComponent(entry)) {
                if (!mapToDestination)
                    run.RefusedEntries.push_back(entry);
            } else if (!entry.empty()) {
                ExpandDirectoryEntry(run, cache, nativeRoot, entry, out);
            }
            if (run.FrontEnd)
                run.FrontEnd->SetPhasePosition(++step);
        }
    };
    std::vector<std::string> dirs, excluded;
    expandAll(run.SearchList, dirs);
    expandAll(run.ExcludeList, excluded);
    RemoveExcluded(dirs, excluded);
    return dirs;
}

// Names of one case-insensitive group: the source directories found, and the destination
// directories found with their source-relative names.
struct DirGroup
{
    std::vector<std::string> Sources;
    std::vector<std::pair<std::string, std::string>> Destinations;
};

void AddUnique(std::vector<std::string>& list, const std::string& item)
{
    if (std::find(list.begin(), list.end(), item) == list.end())
        list.push_back(item);
}

// Pairs the directories of one group: exact names first; one remaining name on each side
// pairs case-insensitively; the rest, really distinct directories, each get their own pair.
void PairGroup(const cRunContext& run, DirGroup& group,
               std::vector<std::pair<std::string, std::string>>& pairs)
{
    std::vector<std::string> lonelySources;
    for (const std::string& source : group.Sources) {
        auto it = std::find_if(group.Destinations.begin(), group.Destinations.end(),
                               [&](const auto& d) { return d.first == source; });
        if (it == group.Destinations.end()) {
            lonelySources.push_back(source);
            continue;
        }
        pairs.emplace_back(source, it->second);
        group.Destinations.erase(it);
    }
    if (lonelySources.size() == 1 && group.Destinations.size() == 1) {
        pairs.emplace_back(lonelySources.front(), group.Destinations.front().second);
        return;
    }
    for (const std::string& source : lonelySources)
        pairs.emplace_back(source, MapToDestination(run, source));
    for (auto& destination : group.Destinations)
        pairs.push_back(std::move(destination));
}

// The folder above `entry` ("\A\B\" -> "\A\"); empty at the top.
std::string ParentOf(const std::string& entry)
{
    const size_t slash = entry.size() > 1 ? entry.rfind('\\', entry.size() - 2) : std::string::npos;
    return slash == std::string::npos ? std::string() : entry.substr(0, slash + 1);
}

// Puts `child` into the folder `parent` where its own parent differs from it in case only: a
// new folder below a folder renamed that way on the other side goes into the existing folder,
// never into a second one beside it.
void MoveBelow(std::string& child, const std::string& parent)
{
    const std::string own = ParentOf(child);
    if (!own.empty() && own != parent && SameTextCI(own, parent))
        child.replace(0, own.size(), parent);
}

// Gives every folder of a pair the parent folder its parent's pair has on the same side.
void FollowParents(std::vector<std::pair<std::string, std::string>>& pairs)
{
    std::unordered_map<std::string, size_t> bySource, byDestination;
    for (size_t k = 0; k < pairs.size(); ++k) {
        auto& [source, destination] = pairs[k];
        if (auto it = bySource.find(ParentOf(source)); it != bySource.end())
            MoveBelow(destination, pairs[it->second].second);
        if (auto it = byDestination.find(ParentOf(destination)); it != byDestination.end())
            MoveBelow(source, pairs[it->second].first);
        bySource.emplace(source, k);
        byDestination.emplace(destination, k);
    }
}

}  // namespace

DirectoryPattern ParseDirectoryEntry(const std::string& entry)
{
    DirectoryPattern pattern;
    const size_t b = entry.rfind('\\');
    const size_t s = entry.rfind('*');
    pattern.Base = b == std::string::npos ? entry : entry.substr(0, b + 1);
    if (b == std::string::npos || s == std::string::npos || s < b)
        return pattern;
    const size_t last = entry.size() - 1;
    const bool oneStar = std::count(entry.begin(), entry.end(), '*') == 1;
    const size_t s0 = s == 0 ? std::string::npos : entry.rfind('*', s - 1);
    if (oneStar && s == b + 1 && s == last) {
        pattern.Form = EntryForm::Subtree;
    } else if (oneStar && s == last && s > b + 1) {
        pattern.Form = EntryForm::StartsWith;
        pattern.Text = entry.substr(b + 1, s - b - 1);
    } else if (oneStar && s == b + 1 && s < last) {
        pattern.Form = EntryForm::EndsWith;
        pattern.Text = entry.substr(s + 1);
    } else if (s == last && s0 == b + 1 && s0 + 1 < last) {
        pattern.Form = EntryForm::Contains;
        pattern.Text = entry.substr(s0 + 1, s - s0 - 1);
    }
    return pattern;
}

void ExpandDirectoryEntry(const cRunContext& run, cDirCache& cache, const std::string& nativeRoot,
                          const std::string& entry, std::vector<std::string>& out)
{
    if (HasDotComponent(entry))
        return;
    const DirectoryPattern pattern = ParseDirectoryEntry(entry);
    if (pattern.Form == EntryForm::Plain) {
        out.push_back(entry);
        return;
    }
    std::vector<std::string> tree;
    CollectTree(run, cache, nativeRoot, pattern.Base, tree);
    for (const std::string& dir : tree)
        if (MatchesPattern(pattern, dir))
            out.push_back(dir);
}

std::string CommonPrefix(const std::vector<std::string>& entries)
{
    if (entries.empty())
        return {};
    if (entries.size() == 1)
        return entries.front();
    const std::string& first = entries.front();
    size_t n = 32767;
    for (size_t i = 1; i < entries.size(); ++i) {
        const std::string& other = entries[i];
        size_t k = 0;
        while (k < first.size() && k < other.size() &&
               std::tolower(static_cast<unsigned char>(first[k])) ==
                   std::tolower(static_cast<unsigned char>(other[k])))
            ++k;
        n = std::min(n, k);
    }
    const std::string cut = first.substr(0, std::min(n, first.size()));
    const size_t slash = cut.rfind('\\');
    return slash == std::string::npos ? std::string() : cut.substr(0, slash + 1);
}

std::string MapToDestination(const cRunContext& run, const std::string& entry)
{
    if (entry.empty())
        return {};
    if (!run.Params.ShortenPaths)
        return run.DestinationBase + entry.substr(1);
    if (!StartsWithCI(entry, run.CommonSourcePrefix))
        return {};
    return run.DestinationBase + entry.substr(run.CommonSourcePrefix.size());
}

std::string MapToSource(const cRunContext& run, const std::string& entry)
{
    if (!StartsWithCI(entry, run.DestinationBase))
        return {};
    const std::string front = run.Params.ShortenPaths ? run.CommonSourcePrefix : "\\";
    return front + entry.substr(run.DestinationBase.size());
}

void BuildDirectoryTables(cRunContext& run, cDirCache& sourceCache, cDirCache& destinationCache,
                          const std::string* fixedPrefix)
{
    if (run.FrontEnd)
        run.FrontEnd->SetPhase("Suche Verzeichnisse...",
                               2 * (run.SearchList.Count() + run.ExcludeList.Count()));
    int64_t step = 0;
    run.SourceDirs.clear();
    run.DestinationDirs.clear();
    const std::vector<std::string> sources =
        ExpandSide(run, sourceCache, run.SourceNativeRoot, false, step);
    run.CommonSourcePrefix = fixedPrefix ? *fixedPrefix : CommonPrefix(sources);
    const std::vector<std::string> destinations =
        ExpandSide(run, destinationCache, run.DestinationNativeRoot, true, step);

    // A directory found on one side only is still scanned on both.
    std::unordered_map<std::string, DirGroup> groups;
    for (const std::string& source : sources)
        if (!MapToDestination(run, source).empty())
            AddUnique(groups[FoldCase(source)].Sources, source);
    for (const std::string& destination : destinations) {
        const std::string source = MapToSource(run, destination);
        if (source.empty())
            continue;
        auto& list = groups[FoldCase(source)].Destinations;
        if (std::none_of(list.begin(), list.end(),
                         [&](const auto& d) { return d.first == source; }))
            list.emplace_back(source, destination);
    }
    std::vector<std::pair<std::string, std::string>> pairs;
    for (auto& [key, group] : groups)
        PairGroup(run, group, pairs);
    std::sort(pairs.begin(), pairs.end(), [](const auto& a, const auto& b) {
        const int c = CompareTextCI(a.first, b.first);
        return c != 0 ? c < 0 : a.first < b.first;
    });
    FollowParents(pairs);
    for (auto& [source, destination] : pairs) {
        run.SourceDirs.push_back(std::move(source));
        run.DestinationDirs.push_back(std::move(destination));
    }
}

}  // namespace verdal
