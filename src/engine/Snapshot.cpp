#include "engine/Snapshot.h"

#include <charconv>

#include "engine/DirTables.h"
#include "engine/Listing.h"
#include "engine/RunContext.h"
#include "engine/RunFrontEnd.h"
#include "platform/TextCase.h"
#include "platform/WinError.h"
#include "settings/LineFile.h"
#include "settings/Parameters.h"

namespace verdal {

namespace {

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
    const int code = ReadLineFile(path, lines);
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
    cDirCache sourceCache(run.Params.UseUTC, nullptr);
    cDirCache destinationCache(run.Params.UseUTC, nullptr);
    BuildDirectoryTables(fresh, sourceCache, destinationCache, &run.CommonSourcePrefix);

    const size_t pairs = fresh.SourceDirs.size();
    if (run.FrontEnd)
        run.FrontEnd->SetPhase("Schreibe Schnappschuß...", static_cast<int64_t>(pairs));
    std::vector<std::string> lines{std::to_string(pairs)};
    for (size_t i = 0; i < pairs; ++i) {
        if (AbortFlag)
            break;
        AppendRecord(fresh.SourceDirs[i], sourceCache.Get(fresh.SourcePath(fresh.SourceDirs[i])),
                     lines);
        AppendRecord(fresh.DestinationDirs[i],
                     destinationCache.Get(fresh.DestinationPath(fresh.DestinationDirs[i])), lines);
        if (run.FrontEnd)
            run.FrontEnd->SetPhasePosition(static_cast<int64_t>(i + 1));
        run.PumpAndCheckAbort();
    }
    // A partial snapshot would misdescribe the trees to the next run.
    if (AbortFlag)
        return kErrCancelled;
    return WriteLineFile(path, lines);
}

void cSnapshot::AddToIndex(Index& index, const cSnapItem& item)
{
    // The first record of a directory answers for it, as a search from the front would.
    const auto [it, added] = index.try_emplace(FoldCase(item.Directory));
    if (!added)
        return;
    for (const std::string& name : item.Files)
        it->second.insert(FoldCase(name));
}

bool cSnapshot::Lookup(const Index& index, const std::string& directory, const std::string& name)
{
    const auto it = index.find(FoldCase(directory));
    return it != index.end() && it->second.count(FoldCase(name)) != 0;
}

bool cSnapshot::WasInSource(const std::string& directory, const std::string& name) const
{
    return Lookup(sourceIndex_, directory, name);
}

bool cSnapshot::WasInDestination(const std::string& directory, const std::string& name) const
{
    return Lookup(destinationIndex_, directory, name);
}

void cSnapshot::Clear()
{
    SourceRecords.Clear();
    DestinationRecords.Clear();
    sourceIndex_.clear();
    destinationIndex_.clear();
}

}  // namespace verdal
