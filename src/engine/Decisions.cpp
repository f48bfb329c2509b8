#include "engine/Decisions.h"

#include <cmath>
#include <cstdlib>

#include "engine/Listing.h"
#include "engine/RunContext.h"
#include "platform/Clock.h"
#include "platform/FileTimes.h"
#include "platform/Security.h"
#include "settings/GermanFormat.h"
#include "settings/Parameters.h"

namespace verdal {

namespace {

enum class Touch { None, Forward, Both, Backward };

Touch TouchMode(const cParameters& p)
{
    if (p.TouchSrc && p.TouchDest)
        return Touch::Both;
    if (p.TouchDest)
        return Touch::Forward;
    return p.TouchSrc ? Touch::Backward : Touch::None;
}

uint16_t SkipOrNothing(const cRunContext& run)
{
    return run.Params.ListSkip ? kSkip : 0;
}

bool PassesAgeWindow(const cRunContext& run, FileTime time)
{
    // No limit means no window, whichever direction was chosen.
    if (run.AgeLimit == 0)
        return true;
    return run.AgeOlderThan ? time < run.AgeLimit : time >= run.AgeLimit;
}

// Common steps: the age window on this side, then the partner file on the other side.
// Returns false when the file is outside the age window.
bool Prepare(const cRunContext& run, const DecisionInput& in, bool onSource, Decision& out,
             bool& otherPresent)
{
    if (!PassesAgeWindow(run, in.File.Stamp.LastWrite))
        return false;
    const cListing& own = onSource ? in.Source : in.Destination;
    const cListing& other = onSource ? in.Destination : in.Source;
    bool conflict = false;
    const DirEntry* partner = other.FindPartner(in.File.Name, own, &conflict);
    if (conflict) {
        out.Conflict = "Namen unterscheiden sich nur in Groß-/Kleinschreibung";
        return false;
    }
    otherPresent = partner != nullptr;
    const FileStamp partnerStamp = partner ? partner->Stamp : FileStamp{};
    const std::string& partnerName = partner ? partner->Name : in.File.Name;
    out.Source = onSource ? in.File.Stamp : partnerStamp;
    out.Destination = onSource ? partnerStamp : in.File.Stamp;
    out.SourceName = onSource ? in.File.Name : partnerName;
    out.DestinationName = onSource ? partnerName : in.File.Name;
    return true;
}

// Hidden and system files take part only when the profile's Attributes allow them.
bool PassesAttributeFilter(const cRunContext& run, const Decision& d)
{
    const uint32_t both = d.Source.Attributes | d.Destination.Attributes;
    for (uint32_t bit : {uint32_t{kAttrHidden}, uint32_t{kAttrSystem}})
        if ((both & bit) && !(run.Params.Attributes & bit))
            return false;
    return true;
}

// Start of the last successful run, UTC; 0 when there was none. Kept in UTC so that a change
// of daylight saving time between two runs cannot make a fresh edit look old.
FileTime LastRunUtc(const cRunContext& run)
{
    const cParameters& p = run.Params;
    if (p.LastUpdateUtc != 0)
        return p.LastUpdateUtc;
    return (p.LastUpdate >> 32) == 0 ? 0 : LocalToUtcFileTime(p.LastUpdate);
}

FileTime StampTimeToUtc(const cRunContext& run, FileTime time)
{
    return run.Params.UseUTC ? time : LocalToUtcFileTime(time);
}

// Written since the last successful run: by the last-write time, or by the change time after
// the end of that run (the run's own copies change files until it ends), so that a file put
// back with an old last-write time (a restore, cp -p) still counts as changed. Without a
// recorded end (stamps of older versions) only the last-write time can tell. With one, a
// last-write time ahead of now proves nothing (a clock that was ahead, or went back since):
// the change time decides.
bool ChangedSinceLastRun(const cRunContext& run, const FileStamp& stamp)
{
    const FileTime last = LastRunUtc(run);
    if (last == 0)
        return false;
    const FileTime end = run.Params.LastRunEndUtc;
    const FileTime written = StampTimeToUtc(run, stamp.LastWrite);
    if (written >= last && (end == 0 || written <= UtcNow()))
        return true;
    return end != 0 && stamp.Changed >= end;
}

// In a two-way run, the side of a pair that alone was written since the last run holds the
// newer content whatever the times say: a file moved or restored onto the name keeps its old
// time, and an edit after the clock went back gets an older one. +1 the source, -1 the
// destination, 0 both or neither.
int OnlyChangedSide(const cRunContext& run, uint16_t category, const Decision& d)
{
    const uint16_t action = category & kActionMask;
    if (TouchMode(run.Params) != Touch::Both || (action != kForward && action != kBackward))
        return 0;
    const bool source = ChangedSinceLastRun(run, d.Source);
    const bool destination = ChangedSinceLastRun(run, d.Destination);
    return source == destination ? 0 : (source ? 1 : -1);
}

// Adds the size warning and double-change flags and stores the category.
bool Finish(const cRunContext& run, uint16_t category, int64_t thisSize, int64_t otherSize,
            const FileStamp& other, Decision& out)
{
    if (SizeWarning(run, thisSize, otherSize))
        category |= kSizeWarning;
    if (ChangedSinceLastRun(run, other))
        category |= kDoubleChange;
    out.Category = category;
    return true;
}

// Orphan code 5: a file on one side only that the other side held at the last snapshot was
// deleted there. It is deleted here too, unless it was written since the last successful run:
// then deleting it would lose that change, so it is copied back instead and flagged.
uint16_t SnapshotOrphan(const cRunContext& run, bool wasOnOtherSide, const FileStamp& stamp,
                        uint16_t copyAction)
{
    if (!wasOnOtherSide)
        return copyAction;
    return ChangedSinceLastRun(run, stamp) || LastRunUtc(run) == 0
               ? uint16_t(copyAction | kDoubleChange)
               : uint16_t{kDelete};
}

// The action for a file found on one side only, by the orphan code of the touch mode. A code
// never changes a side the touch mode leaves alone.
uint16_t OrphanAction(const cRunContext& run, const DecisionInput& in, bool onSource)
{
    const cParameters& p = run.Params;
    const Touch touch = TouchMode(p);
    uint8_t code = p.OrphanModeB;
    if (touch == Touch::Forward)
        code = onSource ? p.OrphanModeD1 : p.OrphanModeD2;
    else if (touch == Touch::Backward)
        code = onSource ? p.OrphanModeS2 : p.OrphanModeS1;
    const uint16_t copy = onSource ? kForward : kBackward;
    const bool mayCopy = onSource ? p.TouchDest : p.TouchSrc;
    const bool mayDelete = onSource ? p.TouchSrc : p.TouchDest;
    switch (code) {
        case kOrphanSkip:
            return SkipOrNothing(run);
        case kOrphanDelete:
            return mayDelete ? kDelete : 0;
        case kOrphanForward:
            return touch == Touch::Forward && onSource ? copy : 0;
        case kOrphanBackward:
            return touch == Touch::Backward && !onSource ? copy : 0;
        case kOrphanForwardOrBackward:
            return touch == Touch::Both ? copy : 0;
        case kOrphanOnlyOrphans:
            return mayCopy ? copy : 0;
        case kOrphanSnapshot: {
            if (touch != Touch::Both)
                return 0;
            const bool held =
                onSource
                    ? run.Snapshot.WasInDestination(in.DestinationDir, in.File.Name, &in.Source)
                    : run.Snapshot.WasInSource(in.SourceDir, in.File.Name, &in.Destination);
            return SnapshotOrphan(run, held, in.File.Stamp, copy);
        }
        default:
            return 0;
    }
}

// The category of a compared file before its time test, 0 for none: a file on one side only
// by the orphan mode, a pair by the touch mode (the only-orphans modes merely list pairs).
uint16_t CompareCategory(const cRunContext& run, const DecisionInput& in, bool forward,
                         bool otherPresent)
{
    if (!otherPresent)
        return OrphanAction(run, in, forward);
    const cParameters& p = run.Params;
    if (!(forward ? p.TouchDest : p.TouchSrc))
        return 0;
    const Touch touch = TouchMode(p);
    const bool onlyOrphans =
        (touch == Touch::Both && p.OrphanModeB == kOrphanOnlyOrphans) ||
        (forward ? touch == Touch::Forward && p.OrphanModeD1 == kOrphanOnlyOrphans
                 : touch == Touch::Backward && p.OrphanModeS1 == kOrphanOnlyOrphans);
    if (onlyOrphans)
        return SkipOrNothing(run);
    return forward ? kForward : kBackward;
}

// Attributes or security differ although times and sizes are equal.
bool PropertiesDiffer(const cRunContext& run, const DecisionInput& in, const Decision& d)
{
    return d.Source.Attributes != d.Destination.Attributes ||
           SecurityDiffers(run.SourcePath(in.SourceDir, d.SourceName),
                           run.DestinationPath(in.DestinationDir, d.DestinationName));
}

std::string DescribeStamp(const FileStamp& stamp)
{
    return FormatDateTime("ddddd tt", FileTimeToDateTime(stamp.LastWrite)) + ", " +
           FormatNumber(static_cast<double>(stamp.Size), 0) + " Bytes";
}

// In a two-way run a pair whose times cannot say which side is newer is not guessed at: equal
// times with different sizes (within the tolerance or an hour apart), or a time more than a
// day in the future. Both files stay as they are and the pair is logged with both stamps.
bool TwoWayConflict(const cRunContext& run, uint16_t category, int timeOrder, Decision& out)
{
    const uint16_t action = category & kActionMask;
    if (TouchMode(run.Params) != Touch::Both || (action != kForward && action != kBackward))
        return false;
    const FileTime nowUtc = UtcNow();
    const FileTime now = run.Params.UseUTC ? nowUtc : UtcToLocalFileTime(nowUtc);
    constexpr FileTime kDay = 864000000000ULL;
    const char* reason = nullptr;
    if (out.Source.LastWrite > now + kDay || out.Destination.LastWrite > now + kDay)
        reason = "Datum in der Zukunft";
    else if (timeOrder == 0 && out.Source.Size != out.Destination.Size)
        reason = "gleiche Zeit, verschiedene Größen";
    if (!reason)
        return false;
    out.Conflict = std::string(reason) + " (Quelle " + DescribeStamp(out.Source) + "; Ziel " +
                   DescribeStamp(out.Destination) + ")";
    return true;
}

}  // namespace

void SetAgeWindow(cRunContext& run)
{
    const cParameters& p = run.Params;
    FileTime limit = 0;
    switch (p.AgeMode & 3) {
        case 1:
            limit = DateTimeToFileTime(std::floor(Today()) - p.MidnightShift - p.RelativeAge);
            break;
        case 2:
            limit = DateTimeToFileTime(static_cast<TDateTime>(p.AbsoluteAge));
            break;
        case 3:
            // Kept in UTC; brought into the local base here like the other limits.
            limit = LastRunUtc(run);
            if (limit != 0)
                limit = UtcToLocalFileTime(limit);
            break;
    }
    // The limit is a local time; stamps read with UseUTC are not.
    if (limit != 0 && p.UseUTC)
        limit = LocalToUtcFileTime(limit);
    run.AgeLimit = limit;
    run.AgeOlderThan = (p.AgeMode & 4) != 0;
}

int CompareTimes(const cRunContext& run, FileTime a, FileTime b)
{
    if (b == 0)
        return 1;
    const double seconds = std::nearbyint(
        static_cast<double>(static_cast<int64_t>(a) - static_cast<int64_t>(b)) * 1e-7);
    const double tolerance = run.Params.TimeDifference;
    int r = seconds < -tolerance ? -1 : (seconds > tolerance ? 1 : 0);
    if (r != 0 && run.Params.IgnoreDST && std::fabs(seconds) >= 3600 - tolerance &&
        std::fabs(seconds) <= 3600 + tolerance)
        r = 0;
    return r;
}

bool SizeWarning(const cRunContext& run, int64_t thisSize, int64_t otherSize)
{
    if (run.Params.CheckSizes == 0 || otherSize == 0)
        return false;
    const double factor = run.Params.CheckSizes;
    return static_cast<double>(thisSize) >= factor * static_cast<double>(otherSize) ||
           static_cast<double>(otherSize) >= factor * static_cast<double>(thisSize);
}

bool CompareForward(const cRunContext& run, const DecisionInput& in, Decision& out)
{
    bool otherPresent = false;
    if (!Prepare(run, in, true, out, otherPresent))
        return false;
    uint16_t category = CompareCategory(run, in, true, otherPresent);
    if (category == 0 || !PassesAttributeFilter(run, out))
        return false;
    const int r = CompareTimes(run, out.Source.LastWrite, out.Destination.LastWrite);
    if (otherPresent && TwoWayConflict(run, category, r, out))
        return false;
    const int only = otherPresent && r != 0 ? OnlyChangedSide(run, category, out) : 0;
    if ((r < 0 && only <= 0) || (r > 0 && only < 0))
        return false;
    if (r == 0) {
        if (out.Source.Size != out.Destination.Size)
            category |= kSizeWarning;
        if (run.Params.CompareProperties && PropertiesDiffer(run, in, out))
            category |= kPropertiesOnly;
        if (!(category & (kSizeWarning | kPropertiesOnly)))
            return false;
    }
    return Finish(run, category, out.Source.Size, out.Destination.Size, out.Destination, out);
}

bool CompareBackward(const cRunContext& run, const DecisionInput& in, Decision& out)
{
    bool otherPresent = false;
    if (!Prepare(run, in, false, out, otherPresent))
        return false;
    const uint16_t category = CompareCategory(run, in, false, otherPresent);
    if (category == 0 || !PassesAttributeFilter(run, out))
        return false;
    // Equal times are the forward routine's business, and so is reporting a conflict.
    const int r = CompareTimes(run, out.Destination.LastWrite, out.Source.LastWrite);
    if (otherPresent && TwoWayConflict(run, category, r, out)) {
        out.Conflict.clear();
        return false;
    }
    const int only = otherPresent && r != 0 ? OnlyChangedSide(run, category, out) : 0;
    if (r == 0 || (r < 0 && only >= 0) || (r > 0 && only > 0))
        return false;
    return Finish(run, category, out.Destination.Size, out.Source.Size, out.Source, out);
}

bool EnforceForward(const cRunContext& run, const DecisionInput& in, Decision& out)
{
    bool otherPresent = false;
    if (!Prepare(run, in, true, out, otherPresent) || !PassesAttributeFilter(run, out))
        return false;
    uint16_t category = kForward;
    if (CompareTimes(run, out.Source.LastWrite, out.Destination.LastWrite) == 0) {
        if (out.Source.Size == out.Destination.Size)
            return false;
        category |= kSizeWarning;
    }
    return Finish(run, category, out.Source.Size, out.Destination.Size, out.Destination, out);
}

bool EnforceDelete(const cRunContext& run, const DecisionInput& in, Decision& out)
{
    bool otherPresent = false;
    if (!Prepare(run, in, false, out, otherPresent) || otherPresent ||
        !PassesAttributeFilter(run, out))
        return false;
    out.Category = kDelete;
    return true;
}

bool DeleteFromSource(const cRunContext& run, const DecisionInput& in, Decision& out)
{
    bool otherPresent = false;
    if (!Prepare(run, in, true, out, otherPresent) || !PassesAttributeFilter(run, out))
        return false;
    const int r = CompareTimes(run, out.Source.LastWrite, out.Destination.LastWrite);
    if (r < 0)
        return false;
    uint16_t category = kDelete;
    if (r == 0 && out.Source.Size != out.Destination.Size)
        category |= kSizeWarning;
    return Finish(run, category, out.Source.Size, out.Destination.Size, out.Destination, out);
}

bool DeleteFromDestination(const cRunContext& run, const DecisionInput& in, Decision& out)
{
    bool otherPresent = false;
    if (!Prepare(run, in, false, out, otherPresent) || !PassesAttributeFilter(run, out))
        return false;
    if (CompareTimes(run, out.Destination.LastWrite, out.Source.LastWrite) <= 0)
        return false;
    return Finish(run, kDelete, out.Destination.Size, out.Source.Size, out.Source, out);
}

}  // namespace verdal
