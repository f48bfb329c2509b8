#include "engine/Scan.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "engine/Decisions.h"
#include "engine/DirTables.h"
#include "engine/Listing.h"
#include "engine/RunContext.h"
#include "engine/RunFrontEnd.h"
#include "platform/FolderCase.h"
#include "platform/Paths.h"
#include "platform/TextCase.h"
#include "platform/Wildcard.h"
#include "settings/Macros.h"
#include "settings/Parameters.h"

namespace verdal {

namespace {

using FoldedSet = std::unordered_set<std::string_view>;
using Routine = bool (*)(const cRunContext&, const DecisionInput&, Decision&);

// The four mask lists of the profile, date macros expanded.
struct MaskLists
{
    cStringList Compare, Enforce, Delete, Exclude;
};

// Whether each side's folders ignore case; each may probe its root once per run.
struct CaseJudges
{
    cFolderCaseJudge Source, Destination;
};

cStringList Expanded(const cStringList& masks)
{
    cStringList expanded(false);
    for (int i = 0; i < masks.Count(); ++i)
        expanded.Add(ExpandMacros(masks[i]));
    return expanded;
}

// The files of a listing matching any of the masks. A file matched by several masks is taken
// once, so it is decided once and never copied or deleted twice.
std::vector<const DirEntry*> Matching(const cListing& listing, const cStringList& masks)
{
    std::vector<const DirEntry*> result;
    if (masks.Empty())
        return result;
    const std::vector<DirEntry>& files = listing.Files();
    std::vector<bool> taken(files.size(), false);
    for (int m = 0; m < masks.Count(); ++m) {
        for (size_t i = 0; i < files.size(); ++i) {
            if (!taken[i] && MatchesWildcard(files[i].Name, masks[m])) {
                taken[i] = true;
                result.push_back(&files[i]);
            }
        }
    }
    return result;
}

FoldedSet NamesOf(const cListing& listing, const std::vector<const DirEntry*>& files)
{
    FoldedSet names;
    for (const DirEntry* file : files)
        names.insert(listing.FoldedName(*file));
    return names;
}

// The matched files of one side of a directory pair, by mask list.
struct SideFiles
{
    std::vector<const DirEntry*> Compare, Enforce, Delete, Exclude;
    FoldedSet EnforceNames, DeleteNames, ExcludeNames;

    SideFiles(const cListing& listing, const MaskLists& masks)
        : Compare(Matching(listing, masks.Compare)),
          Enforce(Matching(listing, masks.Enforce)),
          Delete(Matching(listing, masks.Delete)),
          Exclude(Matching(listing, masks.Exclude)),
          EnforceNames(NamesOf(listing, Enforce)),
          DeleteNames(NamesOf(listing, Delete)),
          ExcludeNames(NamesOf(listing, Exclude))
    {}
};

class PairScanner
{
public:
    PairScanner(cRunContext& run, int index, const cListing& source, const cListing& destination)
        : run_(run), index_(index), source_(source), destination_(destination)
    {}

    // Which sides keep names without regard to case (FAT, SMB, case-folded folders).
    void SetCaseBlind(bool source, bool destination)
    {
        sourceCaseBlind_ = source;
        destinationCaseBlind_ = destination;
    }

    // Runs `routine` on each file of `listing` not named in one of the `without` sets; false
    // when aborted.
    bool Decide(const cListing& listing, const std::vector<const DirEntry*>& files,
                std::initializer_list<const FoldedSet*> without, Routine routine)
    {
        // Folding a name costs more than the usual empty sets ask for.
        const bool anyLeft = std::any_of(without.begin(), without.end(),
                                         [](const FoldedSet* set) { return !set->empty(); });
        for (const DirEntry* file : files) {
            bool left = false;
            if (anyLeft) {
                const std::string& folded = listing.FoldedName(*file);
                for (const FoldedSet* set : without)
                    left = left || set->count(folded) != 0;
            }
            if (!left) {
                const bool onSource = &listing == &source_;
                ++(onSource ? run_.SourceFilesFound : run_.DestinationFilesFound);
                const cListing& other = onSource ? destination_ : source_;
                if (other.HasFolderFor(file->Name, listing))
                    ReportConflict(*file, "gegenüber steht ein Verzeichnis gleichen Namens");
                else if (const DirEntry* winner = CaseBlindWinner(listing, other, *file))
                    ReportConflict(*file, "trifft gegenüber auf denselben Namen wie \"" +
                                              winner->Name +
                                              "\" (Groß- und Kleinschreibung werden dort "
                                              "nicht unterschieden)");
                else
                    DecideOne(*file, routine);
            }
            if (run_.PumpAndCheckAbort())
                return false;
        }
        return true;
    }

private:
    // On a side that ignores case, names of the other side that differ only in case would
    // land on one file. One of them keeps the name: the one that side already holds, else the
    // first listed. Returns it when `file` is another one; null when `file` may go ahead.
    const DirEntry* CaseBlindWinner(const cListing& own, const cListing& other,
                                    const DirEntry& file) const
    {
        if (!(&own == &source_ ? destinationCaseBlind_ : sourceCaseBlind_))
            return nullptr;
        const std::vector<const DirEntry*> variants = own.Dir().FindFolded(file.Name);
        if (variants.size() < 2)
            return nullptr;
        const DirEntry* winner = *std::min_element(
            variants.begin(), variants.end(),
            [](const DirEntry* a, const DirEntry* b) { return a->Name < b->Name; });
        for (const DirEntry* variant : variants)
            if (other.Dir().FindExact(variant->Name))
                winner = variant;
        return winner == &file ? nullptr : winner;
    }

    void DecideOne(const DirEntry& file, Routine routine)
    {
        const DecisionInput in{file, source_, destination_, run_.SourceDirs[index_],
                               run_.DestinationDirs[index_]};
        Decision d;
        if (!routine(run_, in, d)) {
            if (!d.Conflict.empty())
                ReportConflict(file, d.Conflict);
            return;
        }
        std::string name, ext;
        SplitFileName(file.Name, name, ext);
        cCandidate& c = run_.Candidates.Emplace(d.Category, d.Destination, d.Source,
                                                std::move(name), std::move(ext), index_);
        if (d.SourceName != file.Name)
            c.SourceCaseName = d.SourceName;
        if (d.DestinationName != file.Name)
            c.DestinationCaseName = d.DestinationName;
        if (d.SourceName != d.DestinationName)
            NoteCaseRename(d);
    }

    // The side whose name the snapshot does not know, while it knows the other's, renamed the
    // file since the last run.
    void NoteCaseRename(const Decision& d)
    {
        const std::string& sourceDir = run_.SourceDirs[index_];
        const std::string& destinationDir = run_.DestinationDirs[index_];
        const bool source = run_.Snapshot.KnewFile(true, sourceDir, d.SourceName);
        if (source == run_.Snapshot.KnewFile(false, destinationDir, d.DestinationName))
            return;
        // Only a side the last run saw the file on, by another case, renamed it: a side the
        // last run could not read left no names to go by.
        const bool renamerKnewIt =
            source ? run_.Snapshot.WasInDestination(destinationDir, d.DestinationName)
                   : run_.Snapshot.WasInSource(sourceDir, d.SourceName);
        if (!renamerKnewIt)
            return;
        run_.CaseRenamedFiles.insert(source
                                         ? run_.DestinationPath(destinationDir, d.DestinationName)
                                         : run_.SourcePath(sourceDir, d.SourceName));
    }

    void ReportConflict(const DirEntry& file, const std::string& reason)
    {
        const bool onSource = &file >= source_.Files().data() &&
                              &file < source_.Files().data() + source_.Files().size();
        std::string path = onSource ? run_.SourcePath(run_.SourceDirs[index_], file.Name)
                                    : run_.DestinationPath(run_.DestinationDirs[index_], file.Name);
        // A file matched by several routines is reported once.
        for (const RunConflict& known : run_.Conflicts)
            if (known.Path == path)
                return;
        run_.Conflicts.push_back(RunConflict{std::move(path), reason});
    }

    cRunContext& run_;
    int index_;
    const cListing& source_;
    const cListing& destination_;
    bool sourceCaseBlind_ = false;
    bool destinationCaseBlind_ = false;
};

// One directory pair; false when aborted.
bool ScanPair(cRunContext& run, int index, const cListing& sourceListing,
              const cListing& destinationListing, const MaskLists& masks, CaseJudges& judges)
{
    const cParameters& p = run.Params;
    const SideFiles src(sourceListing, masks);
    const SideFiles dst(destinationListing, masks);
    PairScanner scanner(run, index, sourceListing, destinationListing);
    // Only a side that receives copies needs the look at its file system.
    scanner.SetCaseBlind(
        p.TouchSrc && judges.Source.IgnoresCase(run.SourcePath(run.SourceDirs[index])),
        p.TouchDest &&
            judges.Destination.IgnoresCase(run.DestinationPath(run.DestinationDirs[index])));
    if (!scanner.Decide(sourceListing, src.Compare,
                        {&src.ExcludeNames, &src.DeleteNames, &src.EnforceNames}, CompareForward) ||
        !scanner.Decide(destinationListing, dst.Compare,
                        {&dst.ExcludeNames, &dst.DeleteNames, &dst.EnforceNames}, CompareBackward))
        return false;
    if (p.TouchDest) {
        if (!scanner.Decide(sourceListing, src.Enforce, {&src.ExcludeNames, &src.DeleteNames},
                            EnforceForward))
            return false;
        if (p.EnforceBackward &&
            !scanner.Decide(destinationListing, dst.Enforce, {&dst.ExcludeNames, &dst.DeleteNames},
                            EnforceDelete))
            return false;
    }
    if (p.TouchSrc && p.TouchDest) {
        if (!scanner.Decide(sourceListing, src.Delete, {&src.ExcludeNames}, DeleteFromSource) ||
            !scanner.Decide(destinationListing, dst.Delete, {&dst.ExcludeNames},
                            DeleteFromDestination))
            return false;
    }
    return true;
}

// Records a directory that was not read whole; true when it was not.
bool NoteUnseen(cRunContext& run, const cListing& listing, std::string nativeDir)
{
    if (nativeDir.size() > 1 && nativeDir.back() == '/')
        nativeDir.pop_back();
    if (listing.ThroughLink()) {
        run.LinkedDirs.push_back(nativeDir);
        return true;
    }
    if (listing.Error() != 0) {
        run.UnreadableDirs.emplace_back(nativeDir, listing.Error());
        return true;
    }
    return false;
}

// True when the last folder of `relativeDir` stands in its parent under exactly that name.
bool ListedExactly(cDirCache& cache, const std::string& nativeRoot, const std::string& relativeDir)
{
    const size_t end = relativeDir.find_last_not_of('\\');
    if (end == std::string::npos)
        return true;
    const size_t start = relativeDir.rfind('\\', end) + 1;
    const std::string parent = JoinNativePath(nativeRoot, relativeDir.substr(0, start));
    return cache.Get(parent).Dir().FindExact(relativeDir.substr(start, end + 1 - start), true);
}

// Where a side ignores case, folders of the other side that differ only in case ("Foto",
// "foto") would merge into one. The pair whose folder that side holds by its exact name (else
// the first) goes ahead; the others and everything below them are blocked and logged. The
// folder that would hold the twins decides, as a case-blind file system may sit further down.
void BlockCaseTwins(cRunContext& run, cDirCache& cache, bool destination, cFolderCaseJudge& judge)
{
    const std::vector<std::string>& dirs = destination ? run.DestinationDirs : run.SourceDirs;
    const std::string& root = destination ? run.DestinationNativeRoot : run.SourceNativeRoot;
    std::unordered_map<std::string, std::vector<size_t>> groups;
    for (size_t i = 0; i < dirs.size(); ++i)
        groups[FoldCase(dirs[i])].push_back(i);
    std::vector<const std::vector<size_t>*> twins;
    for (const auto& [folded, members] : groups) {
        if (members.size() < 2)
            continue;
        const std::string& twin = dirs[members.front()];
        const size_t parentEnd = twin.size() > 1 ? twin.rfind('\\', twin.size() - 2) : 0;
        if (judge.IgnoresCase(JoinNativePath(root, twin.substr(0, parentEnd + 1))))
            twins.push_back(&members);
    }
    // Parents first, so that below a blocked folder nothing is chosen again.
    std::sort(twins.begin(), twins.end(), [&](const auto* a, const auto* b) {
        return dirs[a->front()].size() < dirs[b->front()].size();
    });
    std::vector<std::string> losers;
    auto lost = [&](size_t i) {
        return std::any_of(losers.begin(), losers.end(), [&](const std::string& loser) {
            return dirs[i].compare(0, loser.size(), loser) == 0;
        });
    };
    for (const std::vector<size_t>* members : twins) {
        std::vector<size_t> open;
        std::copy_if(members->begin(), members->end(), std::back_inserter(open),
                     [&](size_t i) { return !lost(i); });
        if (open.size() < 2)
            continue;
        size_t winner = open.front();
        for (const size_t i : open)
            if (ListedExactly(cache, root, dirs[i])) {
                winner = i;
                break;
            }
        for (const size_t i : open)
            if (dirs[i] != dirs[winner])
                losers.push_back(dirs[i]);
    }
    for (size_t i = 0; i < dirs.size(); ++i) {
        if (!lost(i))
            continue;
        run.BlockedPairs[i] = true;
        const std::string other = destination ? run.SourcePath(run.SourceDirs[i])
                                              : run.DestinationPath(run.DestinationDirs[i]);
        run.Conflicts.push_back(
            RunConflict{other,
                        "Verzeichnis trifft gegenüber auf ein gleichnamiges (Groß- und "
                        "Kleinschreibung werden dort nicht unterschieden)"});
    }
}

void ScanFilesWith(cRunContext& run, cDirCache& sourceCache, cDirCache& destinationCache,
                   CaseJudges& judges)
{
    const cParameters& p = run.Params;
    const MaskLists masks{Expanded(p.CompareFiles), Expanded(p.EnforceFiles),
                          Expanded(p.DeleteFiles), Expanded(p.ExcludeFiles)};
    if (run.FrontEnd)
        run.FrontEnd->SetPhase("Suche Dateien...", static_cast<int64_t>(run.SourceDirs.size()));
    run.BlockedPairs.assign(run.SourceDirs.size(), false);
    if (p.TouchDest)
        BlockCaseTwins(run, destinationCache, true, judges.Destination);
    if (p.TouchSrc)
        BlockCaseTwins(run, sourceCache, false, judges.Source);
    for (size_t i = 0; i < run.SourceDirs.size(); ++i) {
        const std::string sourceDir = run.SourcePath(run.SourceDirs[i]);
        const std::string destinationDir = run.DestinationPath(run.DestinationDirs[i]);
        const cListing& source = sourceCache.Get(sourceDir);
        const cListing& destination = destinationCache.Get(destinationDir);
        // What cannot be seen on one side must not look like files missing there.
        const bool blocked =
            NoteUnseen(run, source, sourceDir) | NoteUnseen(run, destination, destinationDir);
        if (blocked)
            run.BlockedPairs[i] = true;
        if (!run.BlockedPairs[i] &&
            !ScanPair(run, static_cast<int>(i), source, destination, masks, judges))
            return;
        if (run.FrontEnd)
            run.FrontEnd->SetPhasePosition(static_cast<int64_t>(i + 1));
        if (run.PumpAndCheckAbort())
            return;
    }
}

// Which side renamed the folders of a pair in case only since the last run: the one whose
// name the snapshot does not know while it knows the other side's.
void NoteCaseRenames(cRunContext& run)
{
    run.CaseRenamedSide.assign(run.SourceDirs.size(), 0);
    for (size_t i = 0; i < run.SourceDirs.size(); ++i) {
        const bool source = run.Snapshot.KnewDirectory(true, run.SourceDirs[i]);
        const bool destination = run.Snapshot.KnewDirectory(false, run.DestinationDirs[i]);
        if (source != destination)
            run.CaseRenamedSide[i] = source ? 2 : 1;
    }
}

CaseJudges JudgesOf(const cRunContext& run)
{
    return CaseJudges{cFolderCaseJudge(run.SourceNativeRoot),
                      cFolderCaseJudge(run.DestinationNativeRoot)};
}

}  // namespace

void ScanFiles(cRunContext& run, cDirCache& sourceCache, cDirCache& destinationCache)
{
    CaseJudges judges = JudgesOf(run);
    ScanFilesWith(run, sourceCache, destinationCache, judges);
}

void Scan(cRunContext& run)
{
    // The roots and the destination's base folder are probed, where needed, before anything is
    // listed; file systems met later are probed on the way (listings leave the probe out).
    CaseJudges judges = JudgesOf(run);
    if (run.Params.TouchSrc)
        judges.Source.IgnoresCase(run.SourceNativeRoot);
    if (run.Params.TouchDest) {
        judges.Destination.IgnoresCase(run.DestinationNativeRoot);
        judges.Destination.IgnoresCase(
            JoinNativePath(run.DestinationNativeRoot, run.DestinationBase));
    }
    cDirCache sourceCache(run.Params.UseUTC, &run.UnnamableEntries, run.SourceNativeRoot);
    cDirCache destinationCache(run.Params.UseUTC, &run.UnnamableEntries, run.DestinationNativeRoot);
    BuildDirectoryTables(run, sourceCache, destinationCache);
    NoteCaseRenames(run);
    if (!AbortFlag)
        ScanFilesWith(run, sourceCache, destinationCache, judges);
    for (const cFolderCaseJudge* judge : {&judges.Source, &judges.Destination})
        run.CaseUnchecked.insert(run.CaseUnchecked.end(), judge->Unchecked().begin(),
                                 judge->Unchecked().end());
}

}  // namespace verdal
