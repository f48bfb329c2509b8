#include "engine/Snapshot.h"

#include <charconv>

#include "engine/DirTables.h"
#include "engine/Listing.h"
#include "engine/RunContext.h"
#include "engine/RunFrontEnd.h"
#include "platform/Drives.h"
#include "platform/Paths.h"
#include "platform/TextCase.h"
#include "platform/WinError.h"
#include "settings/LineFile.h"
#include "settings/Parameters.h"

namespace verdal {

namespace {

constexpr const char* kRootsMarker = ":Wurzeln";

int ParseCount(const std::string& line)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (ec != std::errc() || end != line.data() + line.size() || value < 0)
        return 0;
    return value;
}

// Reads one record (directory, count, names) starting at `next`; false at the end of the
// lines.
bool ReadRecord(const std::vector<std::string>& lines, size_t& next, cSnapItem& item)
{
    if (next >= lines.size())
        return false;
    item.Directory = lines[next++];
    const int count = next < lines.size() ? ParseCount(lines[next++]) : 0;
    for (int i = 0; i < count && next < lines.size() && !AbortFlag; ++i) {
        const std::string& name = lines[next++];
        if (!name.empty())
            item.Files.push_back(name);
    }
    return true;
}

// A name holding a line break cannot be kept in a line file; leaving it out makes the next
// run treat the file as new, which copies it rather than deleting anything.
void AppendRecord(const std::string& directory, const cListing& listing,
                  std::vector<std::string>& lines)
{
    lines.push_back(directory);
    const size_t countLine = lines.size();
    lines.emplace_back();
    int count = 0;
    for (const DirEntry& file : listing.Files()) {
        if (file.Name.find_first_of("\r\n") != std::string::npos)
            continue;
        lines.push_back(file.Name);
        ++count;
    }
    lines[countLine] = std::to_string(count);
}

}  // namespace

int cSnapshot::ReadSnapshot(const std::string& path, cRunContext& run)
{
    Clear();
    if (path.empty())
        return kErrSnapshotUnavailable;
    std::vector<std::string> lines;
    const int code = ReadLineFile(path, lines, nullptr, kMaxSnapshotFileBytes);
    if (code != 0 || lines.empty())
        return code;
    const int pairs = ParseCount(lines[0]);
    if (run.FrontEnd)
        run.FrontEnd->SetPhase("Lese Schnappschuß...", pairs);
    size_t next = 1;
    for (int i = 0; i < pairs && next < lines.size(); ++i) {
        auto source = std::make_unique<cSnapItem>();
        ReadRecord(lines, next, *source);
        AddToIndex(sourceIndex_, *source);
        SourceRecords.Add(std::move(source));
        auto destination = std::make_unique<cSnapItem>();
        if (ReadRecord(lines, next, *destination)) {
            AddToIndex(destinationIndex_, *destination);
            DestinationRecords.Add(std::move(destination));
        }
        if (run.FrontEnd)
            run.FrontEnd->SetPhasePosition(i + 1);
        if (run.PumpAndCheckAbort())
            break;
    }
    if (next < lines.size() && lines[next] == kRootsMarker)
        Roots.assign(lines.begin() + static_cast<std::ptrdiff_t>(next) + 1, lines.end());
    return 0;
}

int cSnapshot::WriteSnapshot(const std::string& path, cRunContext& run)
{
    if (path.empty())
        return kErrSnapshotUnavailable;
    // The tables are rebuilt from what the run left on disk, without disturbing the run's own.
    cRunContext fresh(run.Params, run.FrontEnd);
    fresh.SourceNativeRoot = run.SourceNativeRoot;
    fresh.DestinationNativeRoot = run.DestinationNativeRoot;
    fresh.DestinationBase = run.DestinationBase;
    fresh.SearchList.Assign(run.SearchList);
    fresh.ExcludeList.Assign(run.ExcludeList);
    cDirCache sourceCache(run.Params.UseUTC, nullptr, run.SourceNativeRoot);
    cDirCache destinationCache(run.Params.UseUTC, nullptr, run.DestinationNativeRoot);
    BuildDirectoryTables(fresh, sourceCache, destinationCache, &run.CommonSourcePrefix);

    const size_t pairs = fresh.SourceDirs.size();
    if (run.FrontEnd)
        run.FrontEnd->SetPhase("Schreibe Schnappschuß...", static_cast<int64_t>(pairs));
    std::vector<std::string> lines{std::string()};
    size_t written = 0;
    for (size_t i = 0; i < pairs; ++i) {
        if (AbortFlag)
            break;
        const cListing& source = sourceCache.Get(fresh.SourcePath(fresh.SourceDirs[i]));
        const cListing& destination =
            destinationCache.Get(fresh.DestinationPath(fresh.DestinationDirs[i]));
        // A folder that could not be read has no names to record; its name in the table may even
        // be the other side's. Such a pair is left out, as if the run had never seen it.
        if (source.Error() == 0 && destination.Error() == 0) {
            AppendRecord(fresh.SourceDirs[i], source, lines);
            AppendRecord(fresh.DestinationDirs[i], destination, lines);
            ++written;
        }
        if (run.FrontEnd)
            run.FrontEnd->SetPhasePosition(static_cast<int64_t>(i + 1));
        run.PumpAndCheckAbort();
    }
    // A partial snapshot would misdescribe the trees to the next run.
    if (AbortFlag)
        return kErrCancelled;
    lines[0] = std::to_string(written);
    lines.emplace_back(kRootsMarker);
    for (std::string& root : SnapshotRootsOf(run))
        lines.push_back(std::move(root));
    return WriteLineFile(path, lines);
}

std::vector<std::string> SnapshotRootsOf(const cRunContext& run)
{
    const std::string base = JoinNativePath(run.DestinationNativeRoot, run.DestinationBase);
    return {RealPathOf(run.SourceNativeRoot), FileSystemIdOf(run.SourceNativeRoot),
            RealPathOf(base), FileSystemIdOf(base)};
}

void cSnapshot::AddToIndex(Index& index, const cSnapItem& item)
{
    // The first record of a directory answers for it, as a search from the front would.
    const auto [it, added] = index.ByDirectory.try_emplace(item.Directory);
    if (!added)
        return;
    index.ByFoldedDirectory.try_emplace(FoldCase(item.Directory), &it->second);
    for (const std::string& name : item.Files) {
        if (it->second.Exact.insert(name).second)
            it->second.Folded[FoldCase(name)].push_back(name);
    }
}

bool cSnapshot::Lookup(const Index& index, const std::string& directory, const std::string& name,
                       const cListing* own)
{
    const Names* names = nullptr;
    if (const auto exact = index.ByDirectory.find(directory); exact != index.ByDirectory.end())
        names = &exact->second;
    else if (const auto folded = index.ByFoldedDirectory.find(FoldCase(directory));
             folded != index.ByFoldedDirectory.end())
        names = folded->second;
    if (!names)
        return false;
    if (names->Exact.count(name) != 0)
        return true;
    const auto group = names->Folded.find(FoldCase(name));
    if (group == names->Folded.end())
        return false;
    // The same one-to-one rule as the pairing: names with an exact counterpart pair with it.
    size_t recorded = 0;
    for (const std::string& held : group->second)
        recorded += own && own->Dir().FindExact(held) ? 0 : 1;
    size_t present = 1;
    if (own) {
        present = 0;
        for (const DirEntry* entry : own->Dir().FindFolded(name))
            present += names->Exact.count(entry->Name) != 0 ? 0 : 1;
    }
    return recorded == 1 && present <= 1;
}

bool cSnapshot::WasInSource(const std::string& directory, const std::string& name,
                            const cListing* own) const
{
    return Lookup(sourceIndex_, directory, name, own);
}

bool cSnapshot::WasInDestination(const std::string& directory, const std::string& name,
                                 const cListing* own) const
{
    return Lookup(destinationIndex_, directory, name, own);
}

bool cSnapshot::KnewDirectory(bool sourceSide, const std::string& directory) const
{
    return (sourceSide ? sourceIndex_ : destinationIndex_).ByDirectory.count(directory) != 0;
}

bool cSnapshot::KnewFile(bool sourceSide, const std::string& directory,
                         const std::string& name) const
{
    const Index& index = sourceSide ? sourceIndex_ : destinationIndex_;
    const auto it = index.ByDirectory.find(directory);
    return it != index.ByDirectory.end() && it->second.Exact.count(name) != 0;
}

void cSnapshot::Clear()
{
    SourceRecords.Clear();
    DestinationRecords.Clear();
    Roots.clear();
    sourceIndex_ = {};
    destinationIndex_ = {};
}

}  // namespace verdal
