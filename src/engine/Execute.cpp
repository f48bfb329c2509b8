#include "engine/Execute.h"

#include <map>
#include <utility>

#include "engine/Decisions.h"
#include "engine/FolderNames.h"
#include "engine/KeptVersion.h"
#include "engine/RunContext.h"
#include "engine/RunFrontEnd.h"
#include "engine/RunLog.h"
#include "platform/FileCopy.h"
#include "platform/FileOps.h"
#include "platform/FileTimes.h"
#include "platform/Security.h"
#include "platform/WinError.h"
#include "platform/WriteBehind.h"
#include "settings/ErrorText.h"
#include "settings/Parameters.h"
#include "settings/Presenter.h"

namespace verdal {
namespace {

constexpr int kAttrBitReadOnly = 1;

// The two files of a copy: "from" is copied over "to".
struct CopyPair
{
    std::string From, To;
    FileStamp FromStamp, ToStamp;
    std::string ToDir;  // native directory of the target
    bool Forward = true;
};

CopyPair PairOf(const cRunContext& run, const cCandidate& c)
{
    CopyPair pair{run.SourceFile(c),
                  run.DestinationFile(c),
                  c.Source,
                  c.Destination,
                  run.DestinationPath(run.DestinationDirs[c.DirIndex]),
                  true};
    if (c.Action() == kBackward) {
        std::swap(pair.From, pair.To);
        std::swap(pair.FromStamp, pair.ToStamp);
        pair.ToDir = run.SourcePath(run.SourceDirs[c.DirIndex]);
        pair.Forward = false;
    }
    return pair;
}

// Bytes the progress bar counts for a candidate: what a copy would transfer.
int64_t TransferBytes(const cCandidate& c)
{
    if (c.Category & kPropertiesOnly) {
        return 0;
    }
    if (c.Action() == kForward) {
        return c.Source.Size;
    }
    if (c.Action() == kBackward) {
        return c.Destination.Size;
    }
    return 0;
}

FileLabel LabelOf(const std::string& path, const FileStamp& stamp)
{
    const size_t slash = path.rfind('/');
    return FileLabel{path.substr(0, slash + 1), path.substr(slash + 1), stamp};
}

void Pump(const cRunContext& run)
{
    if (run.FrontEnd) {
        run.FrontEnd->Pump();
    }
}

void AddBytesDone(cRunContext& run, int64_t bytes)
{
    run.BytesDone += bytes;
    if (run.FrontEnd) {
        run.FrontEnd->SetBytesDone(run.BytesDone);
    }
}

// Deletes one side's file: a read-only file only when the profile allows overwriting
// read-only files, as the protection would refuse it otherwise.
int DeleteOneFile(const cParameters& params, const std::string& path)
{
    uint32_t attributes = 0;
    const int code = GetFileAttributesOf(path, attributes);
    if (code != 0) {
        return code;
    }
    if (attributes & kAttrReadOnly) {
        if (!(params.Attributes & kAttrBitReadOnly)) {
            return kErrAccessDenied;
        }
        SetFileAttributesOf(path, attributes & ~kAttrReadOnly);
    }
    return DeleteFileOrRecycle(path, params.Recycle);
}

void DeleteCandidate(cRunContext& run, cLog& log, cCandidate& c)
{
    const std::pair<std::string, const FileStamp*> sides[] = {
        {run.SourceFile(c), &c.Source},
        {run.DestinationFile(c), &c.Destination},
    };
    for (const auto& [path, stamp] : sides) {
        if (stamp->LastWrite == 0) {
            continue;
        }
        if (DeleteOneFile(run.Params, path) == 0) {
            log.Event(kLogDeleted, DescribeFile(path, *stamp));
            ++run.Counters.Deleted;
        } else {
            log.Event(kLogDeleteFailed, DescribeFile(path, *stamp));
            ++run.Counters.Errors;
        }
    }
    c.Category |= kDone;
}

void SetCandidateAction(cCandidate& c, uint16_t action)
{
    c.Category = static_cast<uint16_t>((c.Category & ~kActionMask) | action);
}

}  // namespace

void DeletePass(cRunContext& run, cLog& log)
{
    const int count = run.Candidates.Count();
    if (run.FrontEnd) {
        run.FrontEnd->SetPhase("Suche zu löschende Dateien...", count);
    }
    // A stop request (Ctrl+C, the cancel button) ends the deleting at once.
    for (int i = 0; i < count && !AbortFlag.load(); ++i) {
        cCandidate& c = run.Candidates[i];
        if (c.Action() == kDelete && !(c.Category & kDone)) {
            DeleteCandidate(run, log, c);
        }
        if (run.FrontEnd) {
            run.FrontEnd->SetPhasePosition(i + 1);
        }
        Pump(run);
    }
}

namespace {

// The copy pass's state across candidates.
class cCopier
{
public:
    cCopier(cRunContext& run, cLog& log) : run_(run), log_(log), params_(run.Params) {}

    void Run();

private:
    // Returns true when the same candidate is to be processed again.
    bool Process(int index);
    int CopyData(cCandidate& c, const CopyPair& pair);
    void EnsureTargetDirectory(const cCandidate& c, const CopyPair& pair);
    int PrepareTarget(const CopyPair& pair);
    void CarryOverProperties(const CopyPair& pair);
    void FollowSourceName(cCandidate& c, CopyPair& pair);
    bool MustKeepTarget(const cCandidate& c, const CopyPair& pair) const;
    bool KeepTarget(cCandidate& c, const CopyPair& pair);
    void RestoreKeptReadOnly(const cCandidate& c, const CopyPair& pair);
    bool HandleError(int index, const CopyPair& pair, int code);
    void TurnIntoSkip(cCandidate& c);
    void SkipGroupOf(int index);

    cRunContext& run_;
    cLog& log_;
    const cParameters& params_;
    int lastCreatedIndex_ = -1;
    cWriteBehind writeBehind_;
    // Older versions kept, by candidate (a retry keeps none again), with their paths.
    std::map<const cCandidate*, std::string> kept_;
};

void cCopier::Run()
{
    for (int i = 0; i < run_.Candidates.Count() && !AbortFlag.load();) {
        if (!Process(i)) {
            ++i;
        }
        Pump(run_);
    }
    writeBehind_.Finish();
}

bool cCopier::Process(int index)
{
    cCandidate& c = run_.Candidates[index];
    if (c.Category & kDone) {
        return false;
    }
    switch (c.Action()) {
        case kSkip:
            log_.Event(kLogSkipped, DescribeFile(run_.SourceFile(c), c.Source),
                       DescribeFile(run_.DestinationFile(c), c.Destination));
            ++run_.Counters.Skipped;
            c.Category |= kDone;
            return false;
        case kDelete:
            DeleteCandidate(run_, log_, c);
            return false;
        case kForward:
        case kBackward:
            break;
        default:
            return false;
    }
    FollowFolderNames(run_, c.DirIndex, c.Action() == kForward);
    CopyPair pair = PairOf(run_, c);
    if (run_.FrontEnd) {
        run_.FrontEnd->SetCopyLabels(LabelOf(pair.From, pair.FromStamp),
                                     LabelOf(pair.To, pair.ToStamp));
    }
    EnsureTargetDirectory(c, pair);
    if (!KeepTarget(c, pair)) {
        return true;  // now a Skip
    }
    int code = PrepareTarget(pair);
    if (code == 0) {
        code = CopyData(c, pair);
    }
    if (code != 0) {
        return HandleError(index, pair, code);
    }
    CarryOverProperties(pair);
    RestoreKeptReadOnly(c, pair);
    FollowSourceName(c, pair);
    const std::string& root = pair.Forward ? run_.DestinationNativeRoot : run_.SourceNativeRoot;
    writeBehind_.Written(root, TransferBytes(c));
    log_.Event(pair.Forward ? kLogCopiedForward : kLogCopiedBackward,
               DescribeFile(pair.From, pair.FromStamp), DescribeFile(pair.To, pair.ToStamp));
    ++(pair.Forward ? run_.Counters.Forward : run_.Counters.Backward);
    AddBytesDone(run_, TransferBytes(c));
    c.Category |= kDone;
    if (params_.Verify) {
        c.Category |= kToVerify;
    }
    return false;
}

void cCopier::EnsureTargetDirectory(const cCandidate& c, const CopyPair& pair)
{
    if (c.DirIndex == lastCreatedIndex_) {
        return;
    }
    lastCreatedIndex_ = c.DirIndex;
    const bool create = pair.Forward ? params_.CreateDestDirs : params_.CreateSrcDirs;
    bool created = false;
    if (create && !DirectoryExists(pair.ToDir) &&
        CreateDirectoryWithParents(pair.ToDir, &created,
                                   pair.From.substr(0, pair.From.rfind('/'))) == 0 &&
        created) {
        log_.Event(kLogDirCreated, {pair.ToDir});
        ++run_.Counters.DirsCreated;
    }
}

// Both sides were written since the last two-way run and the copy would replace the one edit
// with the other. Equal sizes and times mean equal files: nothing to keep.
bool cCopier::MustKeepTarget(const cCandidate& c, const CopyPair& pair) const
{
    if (!params_.TouchSrc || !params_.TouchDest || !(c.Category & kDoubleChange) ||
        (c.Category & kPropertiesOnly) || pair.ToStamp.LastWrite == 0) {
        return false;
    }
    return pair.FromStamp.Size != pair.ToStamp.Size ||
           CompareTimes(run_, pair.FromStamp.LastWrite, pair.ToStamp.LastWrite) != 0;
}

// The older version stays beside the newer one under a name of its own, an ordinary new file
// that the next run carries to the other side. Without it the target is not overwritten: the
// candidate becomes a Skip and counts as an error.
bool cCopier::KeepTarget(cCandidate& c, const CopyPair& pair)
{
    if (!MustKeepTarget(c, pair) || kept_.count(&c) != 0) {
        return true;
    }
    std::string keptPath;
    const int code = KeepOlderVersion(params_, pair.To, pair.ToStamp, keptPath);
    if (code == 0) {
        kept_[&c] = keptPath;
        log_.Event(kLogOlderVersionKept, pair.To, keptPath.substr(keptPath.rfind('/') + 1));
        ++run_.Counters.Warnings;
        return true;
    }
    log_.Event(kLogOlderVersionNotKept, pair.To, ErrorText(code));
    ++run_.Counters.Errors;
    TurnIntoSkip(c);
    return false;
}

// The kept version shares its file with the target until the copy replaces that, so it lost
// its write protection with the target's; now it is a file of its own and gets it back.
void cCopier::RestoreKeptReadOnly(const cCandidate& c, const CopyPair& pair)
{
    const auto kept = kept_.find(&c);
    if (kept != kept_.end() && (pair.ToStamp.Attributes & kAttrReadOnly)) {
        SetFileAttributesOf(kept->second, pair.ToStamp.Attributes);
    }
}

// A read-only target is only overwritten when the profile allows it. The scan's stamp tells
// whether the target exists and is read-only, which spares a look at the disk per file.
int cCopier::PrepareTarget(const CopyPair& pair)
{
    if (pair.ToStamp.LastWrite == 0 || !(pair.ToStamp.Attributes & kAttrReadOnly)) {
        return 0;
    }
    if (!(params_.Attributes & kAttrBitReadOnly)) {
        return kErrAccessDenied;
    }
    return SetFileAttributesOf(pair.To, pair.ToStamp.Attributes & ~kAttrReadOnly);
}

int cCopier::CopyData(cCandidate& c, const CopyPair& pair)
{
    if (c.Category & kPropertiesOnly) {
        const FileTime time = params_.UseUTC ? pair.FromStamp.LastWrite
                                             : LocalToUtcFileTime(pair.FromStamp.LastWrite);
        return SetFileTimes(pair.To, time, time);
    }
    int64_t fileBytes = 0;
    const CopyProgress progress = [this, &fileBytes](int64_t delta) {
        fileBytes += delta;
        if (run_.FrontEnd) {
            run_.FrontEnd->ReportProgress(delta, fileBytes);
            run_.FrontEnd->Pump();
        }
        return !InterruptRequest.load();
    };
    // The scan saw no target (no stamp): the copy need not look for one again.
    return CopyFileSafe(pair.From, pair.To,
                        params_.MyCopy ? CopyMethod::Blocks : CopyMethod::RangeChunks, progress,
                        pair.ToStamp.LastWrite == 0);
}

// Failures here are ignored: the data arrived, only its metadata may be incomplete. A copy
// carries the source's mode already; only a read-only source must make the target read-only.
void cCopier::CarryOverProperties(const CopyPair& pair)
{
    if (params_.TransferPermissions || params_.TransferOwner) {
        TransferSecurity(pair.From, pair.To, params_.TransferPermissions, params_.TransferOwner);
    }
    if (pair.FromStamp.Attributes & kAttrReadOnly) {
        SetFileAttributesOf(pair.To, pair.FromStamp.Attributes);
    }
}

// A pair matched across a difference in case: the copy takes the name its source has now, so a
// rename that changed only the case reaches the other side. Should that fail, the copy stands
// under its old name.
void cCopier::FollowSourceName(cCandidate& c, CopyPair& pair)
{
    const size_t fromSlash = pair.From.rfind('/') + 1;
    const size_t toSlash = pair.To.rfind('/') + 1;
    const std::string name = pair.From.substr(fromSlash);
    if (pair.To.compare(toSlash, std::string::npos, name) == 0 ||
        run_.CaseRenamedFiles.count(pair.To) || RenameCaseOnly(pair.To, name) != kErrSuccess) {
        return;
    }
    pair.To.replace(toSlash, std::string::npos, name);
    (pair.Forward ? c.DestinationCaseName : c.SourceCaseName) =
        name == c.FileName() ? std::string() : name;
}

void cCopier::TurnIntoSkip(cCandidate& c)
{
    AddBytesDone(run_, TransferBytes(c));
    SetCandidateAction(c, kSkip);
}

// The rest of the failed file's directory, wherever the sort order put its files; each
// candidate's bytes count once, as it is done from now on.
void cCopier::SkipGroupOf(int index)
{
    const int32_t dir = run_.Candidates[index].DirIndex;
    for (const auto& item : run_.Candidates.Items()) {
        cCandidate& c = *item;
        if (c.DirIndex == dir && !(c.Category & kDone) &&
            (c.Action() == kForward || c.Action() == kBackward)) {
            TurnIntoSkip(c);
        }
    }
}

bool cCopier::HandleError(int index, const CopyPair& pair, int code)
{
    cCandidate& c = run_.Candidates[index];
    cRunFrontEnd* frontEnd = run_.FrontEnd;
    if (frontEnd) {
        frontEnd->SetPaused(true);
    }
    log_.Event(kLogCopyFailed, DescribeFile(pair.From, pair.FromStamp),
               DescribeFile(pair.To, pair.ToStamp), code);
    ++run_.Counters.Errors;
    if (params_.Warnings & 128) {
        Presenter().Beep();
    }
    bool again = false;
    if ((params_.Warnings & 64) || InterruptRequest.load()) {
        const int answer = frontEnd
                               ? frontEnd->ShowInterruption(LabelOf(pair.From, pair.FromStamp),
                                                            LabelOf(pair.To, pair.ToStamp), code)
                               : kQuitRun;
        again = true;
        switch (answer) {
            case kRetry:
                break;
            case kNextFile:
                TurnIntoSkip(c);
                break;
            case kNextFolder:
                SkipGroupOf(index);
                break;
            case kDeleteFile:
                AddBytesDone(run_, TransferBytes(c));
                SetCandidateAction(c, kDelete);
                break;
            default:
                AbortFlag = true;
                again = false;
                break;
        }
    } else {
        TurnIntoSkip(c);
        c.Category |= kDone;
    }
    InterruptRequest = false;
    if (frontEnd) {
        frontEnd->SetPaused(false);
    }
    return again;
}

}  // namespace

void CopyPass(cRunContext& run, cLog& log)
{
    cCopier(run, log).Run();
}

}  // namespace verdal
