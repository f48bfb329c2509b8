#include "engine/RunDriver.h"

#include "engine/CandidateOrder.h"
#include "engine/Decisions.h"
#include "engine/DirTables.h"
#include "engine/Execute.h"
#include "engine/MassDeleteGuard.h"
#include "engine/RunContext.h"
#include "engine/RunFrontEnd.h"
#include "engine/RunLog.h"
#include "engine/RunStatistics.h"
#include "engine/Scan.h"
#include "platform/Clock.h"
#include "platform/CopyJournal.h"
#include "platform/DirectoryCheck.h"
#include "platform/Drives.h"
#include "platform/FileTimes.h"
#include "platform/MountPoints.h"
#include "platform/Paths.h"
#include "platform/TextCase.h"
#include "platform/VolumeActions.h"
#include "platform/WinError.h"
#include "settings/ErrorText.h"
#include "settings/GermanFormat.h"
#include "settings/Macros.h"
#include "settings/OptionsFile.h"
#include "settings/Parameters.h"
#include "settings/ProgramMessages.h"

namespace verdal {
namespace {

constexpr int kVerifyPauseMs = 1000;
constexpr int kGenerationsVariation = 4;

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

// Root and relative text joined without adding a separator, so that prefix tests of a cut
// entry ("\\Daten\\ab") keep their meaning.
std::string NativeText(const std::string& nativeRoot, const std::string& relative)
{
    std::string text = nativeRoot;
    if (!text.empty() && text.back() == '/') {
        text.pop_back();
    }
    for (char c : relative) {
        text += c == '\\' ? '/' : c;
    }
    return text;
}

// One run from its checks to its summary; the steps keep the order the program has always
// used, so that messages and log lines appear in the same sequence.
class cRunDriver
{
public:
    cRunDriver(cParameters& params, cRunFrontEnd& frontEnd, const RunOptions& options)
        : params_(params),
          frontEnd_(frontEnd),
          options_(options),
          run_(params, &frontEnd),
          log_(params.Log)
    {}

    int Run(const std::string& profilePath, const std::string& batchFile, uint8_t condition,
            uint32_t trigger);

private:
    void Prepare(const std::string& profilePath);
    void OpenLog();
    bool Stop(int event, int message, const LogFileInfo& text = {});
    bool Checks();
    bool NothingToDo() const;
    void MidnightRule();
    bool LabelWrong() const;
    bool Identical() const;
    bool Overlaps() const;
    bool RealPathsOverlap() const;
    bool EntriesLeaveRoots();
    bool WaitForDrive(const std::string& drive, std::string& nativeRoot, int64_t& freeSpace,
                      const std::vector<std::string>& folders);
    void ReadSnapshot();
    bool EnoughSpace();
    bool SpaceOnDrive(const std::string& nativeRoot, int64_t projected, int64_t& freeSpace);
    void ScanAndSort();
    void ReportUnseen();
    void TakeOverCopyJournals();
    void Review();
    void Execute();
    void CarryOut();
    void RotateNow();
    void WriteSnapshot();
    bool SnapshotMode() const { return params_.OrphanModeB == kOrphanSnapshot; }
    int Finish();
    std::string SnapshotPath() const { return run_.ProfilePath + ".lst"; }

    cParameters& params_;
    cRunFrontEnd& frontEnd_;
    RunOptions options_;
    cRunContext run_;
    cLog log_;
    LogRunInfo info_;
    bool nothingFound_ = false;
    bool snapshotUnread_ = true;
    bool rotationPending_ = false;
    RunStatistics statistics_;
};

void cRunDriver::Prepare(const std::string& profilePath)
{
    run_.ProfilePath = profilePath;
    run_.SourceRoot = ExpandMacros(params_.SourceDrive);
    run_.DestinationRoot = ExpandMacros(params_.DestinationDrive);
    for (int i = 0; i < params_.SearchDirectories.Count(); ++i) {
        run_.SearchList.Add(ExpandMacros(params_.SearchDirectories[i]));
    }
    for (int i = 0; i < params_.ExcludeDirectories.Count(); ++i) {
        run_.ExcludeList.Add(ExpandMacros(params_.ExcludeDirectories[i]));
    }
    ResolveDriveRoot(run_.SourceRoot, run_.SourceNativeRoot);
    ResolveDriveRoot(run_.DestinationRoot, run_.DestinationNativeRoot);
    params_.MidnightShift = 0;
    AbortFlag = false;
    InterruptRequest = false;
}

void cRunDriver::OpenLog()
{
    if (options_.DryRun) {
        return;
    }
    const int code = log_.Open();
    if (code != 0 && ShowProgramMessage(kMsgLogNotWritable, {log_.FileName(), ErrorText(code)}) ==
                         BoxResult::No) {
        AbortFlag = true;
    }
    log_.Header(info_);
}

// Logs a check's failure, shows its message and ends the run.
bool cRunDriver::Stop(int event, int message, const LogFileInfo& text)
{
    log_.Event(event, text);
    ShowProgramMessage(message);
    AbortFlag = true;
    return false;
}

bool cRunDriver::NothingToDo() const
{
    const int masks = params_.CompareFiles.Count() +
                      params_.EnforceFiles.Count() * (params_.TouchDest ? 1 : 0) +
                      params_.DeleteFiles.Count() * (params_.TouchSrc && params_.TouchDest);
    return masks * run_.SearchList.Count() == 0;
}

void cRunDriver::MidnightRule()
{
    if ((params_.AgeMode & 3) != 1 || params_.RelativeAge != 0) {
        return;
    }
    if (DecodeDateTime(Now()).Hour < params_.MidnightHours &&
        ShowProgramMessage(kMsgAfterMidnight) == BoxResult::Yes) {
        log_.Event(kLogMidnight);
        params_.MidnightShift = 1.0;
    }
}

bool cRunDriver::LabelWrong() const
{
    if (params_.DiskLabel.empty() || !IsExistingDirectory(run_.DestinationNativeRoot)) {
        return false;
    }
    // A medium without a label is the wrong medium too; only an unknown mount is not judged.
    const DriveInfo info = DriveInfoOf(run_.DestinationNativeRoot);
    return !info.Root.empty() && !SameTextCI(info.Label, ExpandMacros(params_.DiskLabel));
}

bool cRunDriver::Identical() const
{
    return run_.SameDrive && params_.DestinationDirectory == "\\" && !params_.ShortenPaths &&
           params_.Variation == 0;
}

// Besides the drive texts, the native paths are compared: two different drive texts may name
// nested directories ("/" and "/srv/sicherung"), and a destination inside a searched tree
// would copy the backup into itself.
bool cRunDriver::Overlaps() const
{
    if (run_.SourceNativeRoot.empty() || run_.DestinationNativeRoot.empty()) {
        return false;
    }
    const std::string base = NativeText(run_.DestinationNativeRoot, run_.DestinationBase);
    for (int i = 0; i < run_.SearchList.Count(); ++i) {
        const std::string& entry = run_.SearchList[i];
        if (!entry.empty() && entry.back() == '*') {
            const std::string cut =
                NativeText(run_.SourceNativeRoot, entry.substr(0, entry.size() - 1));
            if (StartsWith(cut, base) || StartsWith(base, cut)) {
                return true;
            }
        } else if (SameTextCI(NativeText(run_.SourceNativeRoot, entry), base)) {
            return true;
        }
    }
    return false;
}

// Two names for one place: a destination reached through a link inside the source (or the
// other way round) overlaps although the texts differ.
bool cRunDriver::RealPathsOverlap() const
{
    if (run_.SourceNativeRoot.empty() || run_.DestinationNativeRoot.empty()) {
        return false;
    }
    const std::string base =
        RealPathOf(JoinNativePath(run_.DestinationNativeRoot, run_.DestinationBase));
    if (base.empty()) {
        return false;
    }
    const auto within = [](const std::string& inner, const std::string& outer) {
        return inner.compare(0, outer.size(), outer) == 0 &&
               (inner.size() == outer.size() || inner[outer.size()] == '/' || outer == "/");
    };
    for (int i = 0; i < run_.SearchList.Count(); ++i) {
        std::string entry = run_.SearchList[i];
        const bool subtree = !entry.empty() && entry.back() == '*';
        entry = ParseDirectoryEntry(entry).Base;
        const std::string real = RealPathOf(JoinNativePath(run_.SourceNativeRoot, entry));
        if (real.empty()) {
            continue;
        }
        const std::string a =
            real.size() > 1 && real.back() == '/' ? real.substr(0, real.size() - 1) : real;
        const std::string b =
            base.size() > 1 && base.back() == '/' ? base.substr(0, base.size() - 1) : base;
        if (a == b || within(b, a) || (subtree && within(a, b))) {
            return true;
        }
    }
    return false;
}

// A "." or ".." or an empty component would lead the run out of its roots.
bool cRunDriver::EntriesLeaveRoots()
{
    const auto leaves = [](const std::string& entry) {
        return HasDotComponent(entry) || entry.find("\\\\") != std::string::npos;
    };
    std::vector<std::string> entries{ExpandMacros(params_.DestinationDirectory)};
    for (int i = 0; i < run_.SearchList.Count(); ++i) {
        entries.push_back(run_.SearchList[i]);
    }
    for (int i = 0; i < run_.ExcludeList.Count(); ++i) {
        entries.push_back(run_.ExcludeList[i]);
    }
    for (const std::string& entry : entries) {
        if (leaves(entry)) {
            log_.Event(kLogInvalidDirectory, entry);
            ShowProgramMessage(kMsgInvalidDirectory, {entry});
            AbortFlag = true;
            return true;
        }
    }
    return false;
}

// A drive counts as ready only when the folders the run works in do not lie below a mount
// point that the system should have mounted: the empty folder beneath an unmounted disk would
// look like a drive whose files were all deleted.
bool cRunDriver::WaitForDrive(const std::string& drive, std::string& nativeRoot, int64_t& freeSpace,
                              const std::vector<std::string>& folders)
{
    for (;;) {
        freeSpace = ResolveDriveRoot(drive, nativeRoot) == 0 ? FreeSpace(nativeRoot) : -2;
        std::string shown = nativeRoot.empty() ? drive : nativeRoot;
        for (size_t i = 0; freeSpace != -2 && i < folders.size(); ++i) {
            const std::string unmounted =
                UnmountedMountPointOf(JoinNativePath(nativeRoot, folders[i]));
            if (!unmounted.empty()) {
                shown = unmounted;
                freeSpace = -2;
            }
        }
        if (freeSpace != -2) {
            return true;
        }
        log_.Event(kLogNotReady, shown);
        if (ShowProgramMessage(kMsgDriveNotReady, {shown}) != BoxResult::Yes) {
            AbortFlag = true;
            return false;
        }
    }
}

bool cRunDriver::Checks()
{
    if (NothingToDo()) {
        return Stop(kLogNothingToDo, kMsgNothingToDo);
    }
    if (EntriesLeaveRoots()) {
        return false;
    }
    MidnightRule();
    if (LabelWrong()) {
        return Stop(kLogWrongLabel, kMsgWrongLabel);
    }
    run_.SameDrive =
        SameTextCI(run_.SourceRoot, run_.DestinationRoot) ||
        (!run_.SourceNativeRoot.empty() && run_.SourceNativeRoot == run_.DestinationNativeRoot);
    if (Identical()) {
        return Stop(kLogIdentical, kMsgSameSourceAndDest);
    }
    if (params_.Variation == kGenerationsVariation && !options_.DryRun) {
        // The generations are renamed only once the run is sure to happen (RotateNow); until
        // then the run looks at the folder that the rotation makes the newest generation.
        run_.DestinationBase = ExpandMacros(params_.DestinationDirectory) + "Vater\\";
        rotationPending_ = true;
    } else if (options_.DryRun && params_.Variation == kGenerationsVariation) {
        // Rotating the generations renames folders; a dry run looks at the folder that the
        // rotation would make the newest generation instead.
        run_.DestinationBase = ExpandMacros(params_.DestinationDirectory) +
                               (params_.EightThree ? "Grossvtr\\" : "Grossvater\\");
    } else {
        params_.MakeDestinationBase();
        run_.DestinationBase = params_.DestinationBase;
    }
    if (Overlaps()) {
        return Stop(kLogOverlap, kMsgOverlap);
    }
    std::vector<std::string> searchBases;
    for (int i = 0; i < run_.SearchList.Count(); ++i) {
        searchBases.push_back(ParseDirectoryEntry(run_.SearchList[i]).Base);
    }
    if (!WaitForDrive(run_.SourceRoot, run_.SourceNativeRoot, run_.SourceFree, searchBases)) {
        return false;
    }
    if (params_.OfferFormat && !options_.DryRun) {
        verdal::OfferFormat();
    }
    if (!WaitForDrive(run_.DestinationRoot, run_.DestinationNativeRoot, run_.DestinationFree,
                      {run_.DestinationBase})) {
        return false;
    }
    return !RealPathsOverlap() || Stop(kLogOverlap, kMsgOverlap);
}

void cRunDriver::ReadSnapshot()
{
    frontEnd_.SetPhase("Lese Schnappschuß...", 0);
    const int code = run_.Snapshot.ReadSnapshot(SnapshotPath(), run_);
    log_.Event(kLogSnapshotRead, SnapshotPath(), {}, code);
    snapshotUnread_ = code != 0;
    // Made for other folders, another medium or by an older version: its records cannot tell
    // a deletion here from a file that was never here, so the run acts as a first one.
    if (code == 0 && run_.Snapshot.Roots != SnapshotRootsOf(run_)) {
        log_.Event(kLogForeignSnapshot, SnapshotPath());
        run_.Snapshot.Clear();
        snapshotUnread_ = true;
    }
}

bool cRunDriver::SpaceOnDrive(const std::string& nativeRoot, int64_t projected, int64_t& freeSpace)
{
    if (projected >= 0 || freeSpace == -1) {
        return true;
    }
    const std::string megabytes =
        FormatNumber(static_cast<double>(-projected) / 1024.0 / 1024.0, 3);
    log_.Event(kLogLowSpace, nativeRoot, megabytes);
    if (ShowProgramMessage(kMsgTooLittleSpace, {nativeRoot, megabytes}) != BoxResult::Yes) {
        AbortFlag = true;
        return false;
    }
    freeSpace = FreeSpace(nativeRoot);
    return true;
}

bool cRunDriver::EnoughSpace()
{
    if (!SpaceOnDrive(run_.SourceNativeRoot, run_.SourceProjected, run_.SourceFree)) {
        return false;
    }
    return run_.SameDrive || SpaceOnDrive(run_.DestinationNativeRoot, run_.DestinationProjected,
                                          run_.DestinationFree);
}

void cRunDriver::Execute()
{
    GuardMassDeletion(run_, log_, options_.AllowMassDelete);
    DeletePass(run_, log_);
    frontEnd_.ShowProgressWindow(true, statistics_.BytesToCopy);
    CopyPass(run_, log_);
    frontEnd_.ShowProgressWindow(false, statistics_.BytesToCopy);
    if (params_.Verify && !AbortFlag.load()) {
        frontEnd_.Wait(kVerifyPauseMs);
        VerifyPass(run_, log_);
    }
}

void cRunDriver::WriteSnapshot()
{
    frontEnd_.SetPhase("Schreibe Schnappschuß...", 0);
    const int code = run_.Snapshot.WriteSnapshot(SnapshotPath(), run_);
    log_.Event(kLogSnapshotWritten, SnapshotPath(), {}, code);
    // The next two-way run would judge deletions by an old snapshot: not a success.
    if (code != 0 && code != kErrCancelled) {
        ++run_.Counters.Errors;
    }
}

int cRunDriver::Finish()
{
    EndCopyJournal();
    int result = kRunOk;
    if (AbortFlag.load()) {
        log_.Event(kLogAborted);
        result = kRunAborted;
    }
    if (run_.Counters.Errors > 0) {
        result = kRunErrors;
    }
    frontEnd_.ShowPhaseWindow(false);
    run_.Snapshot.Clear();
    run_.Headers.Clear();
    run_.Candidates.Clear();
    run_.SourceDirs.clear();
    run_.DestinationDirs.clear();
    log_.Summary(run_.Counters, params_.Verify);
    log_.Closing(info_);
    log_.Close();
    return result;
}

void cRunDriver::ScanAndSort()
{
    if (SnapshotMode()) {
        ReadSnapshot();
    }
    if (!AbortFlag.load()) {
        Scan(run_);
        ReportUnseen();
    }
    for (const RunConflict& conflict : run_.Conflicts) {
        log_.Event(kLogConflict, conflict.Path, conflict.Reason);
        ++run_.Counters.Warnings;
    }
    // The snapshot's records serve the decisions only.
    run_.Snapshot.Clear();
    if (!run_.Candidates.Empty()) {
        SortCandidates(run_.Candidates, params_.SortingMode, params_.ReverseOrder);
        BuildHeaders(run_.Candidates, params_.SortingMode, run_.SourceDirs, run_.CommonSourcePrefix,
                     params_.Overview.OpenFolders, run_.Headers);
    }
    statistics_ = ComputeStatistics(run_);
    ProjectFreeSpace(run_, statistics_);
}

// What the scan could not see or could not express is never left out in silence: an
// unreadable folder is an error (its files may not be judged), the rest are warnings.
void cRunDriver::ReportUnseen()
{
    RunCounters& counters = run_.Counters;
    for (const auto& [path, code] : run_.UnreadableDirs) {
        log_.Event(kLogUnreadable, path, ErrorText(code));
        ++counters.Errors;
    }
    for (const std::string& path : run_.LinkedDirs) {
        log_.Event(kLogLinkedDir, path);
        ++counters.Warnings;
    }
    for (const std::string& path : run_.UnnamableEntries) {
        log_.Event(kLogUnnamable, path);
        ++counters.Warnings;
    }
    for (const std::string& path : run_.CaseUnchecked) {
        log_.Event(kLogCaseUnchecked, path);
    }
}

// Temporaries a killed run left are known by the journal, never by their names alone.
void cRunDriver::TakeOverCopyJournals()
{
    for (const CopyLeftover& leftover : BeginCopyJournal(OptionsDirectory() + "kopierjournal")) {
        if (leftover.Code == 0) {
            log_.Event(kLogLeftoverRemoved, leftover.Path);
        } else {
            log_.Event(kLogLeftoverKept, leftover.Path, ErrorText(leftover.Code));
            ++run_.Counters.Warnings;
        }
    }
}

void cRunDriver::Review()
{
    if (AbortFlag.load()) {
        return;
    }
    if (run_.SameDrive && params_.ShortenPaths &&
        SameTextCI(run_.CommonSourcePrefix, run_.DestinationBase)) {
        Stop(kLogIdentical, kMsgSameSourceAndDest);
        return;
    }
    if (run_.Candidates.Empty()) {
        log_.Event(kLogNoFiles);
        ShowProgramMessage(kMsgNoFiles);
        nothingFound_ = true;
        return;
    }
    if (EnoughSpace() && (options_.DryRun || params_.ShowOverview)) {
        if (!frontEnd_.ShowReviewList(run_)) {
            AbortFlag = true;
        }
        // The list may have changed actions: the progress bar needs the bytes they copy.
        statistics_ = ComputeStatistics(run_);
    }
}

// Renames the generations and moves the run's destination tables onto the new names.
void cRunDriver::RotateNow()
{
    const std::string before = run_.DestinationBase;
    params_.MakeDestinationBase();
    run_.DestinationBase = params_.DestinationBase;
    for (std::string& dir : run_.DestinationDirs) {
        if (StartsWith(dir, before)) {
            dir = run_.DestinationBase + dir.substr(before.size());
        }
    }
    rotationPending_ = false;
}

void cRunDriver::CarryOut()
{
    if (!AbortFlag.load() && rotationPending_) {
        RotateNow();
    }
    if (!AbortFlag.load() && !nothingFound_) {
        Execute();
    }
    if (!AbortFlag.load()) {
        RemoveEmptyDirsPass(run_, log_);
        CreateAllDirsPass(run_, log_);
        DirPropertiesPass(run_);
    }
    // The first run writes a snapshot even when it found nothing to do.
    if (!AbortFlag.load() && SnapshotMode() && (!nothingFound_ || snapshotUnread_)) {
        WriteSnapshot();
    }
    if (!AbortFlag.load() && params_.EjectDisk) {
        EjectDrive(run_.DestinationNativeRoot);
    }
}

int cRunDriver::Run(const std::string& profilePath, const std::string& batchFile, uint8_t condition,
                    uint32_t trigger)
{
    Prepare(profilePath);
    info_ = LogRunInfo{profilePath, batchFile, condition, static_cast<int>(trigger & 127),
                       ExpandMacros(params_.AppName)};
    OpenLog();
    if (!options_.DryRun) {
        TakeOverCopyJournals();
    }
    if (!AbortFlag.load()) {
        frontEnd_.ShowPhaseWindow(true);
    }
    if (!AbortFlag.load() && Checks()) {
        SetAgeWindow(run_);
        ScanAndSort();
        Review();
        if (options_.DryRun) {
            frontEnd_.ShowPhaseWindow(false);
            return AbortFlag.load() ? kRunAborted : kRunOk;
        }
        CarryOut();
    }
    return Finish();
}

}  // namespace

int RunProfile(cParameters& params, cRunFrontEnd& frontEnd, const std::string& profilePath,
               const std::string& batchFile, uint8_t condition, uint32_t trigger,
               const RunOptions& options)
{
    cRunDriver driver(params, frontEnd, options);
    return driver.Run(profilePath, batchFile, condition, trigger);
}

}  // namespace verdal
