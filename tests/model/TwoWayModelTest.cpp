// Random histories of changes on both sides of a two-way profile that looks in the snapshot,
// with a run after every few, checked against a small model of what both sides must hold: no
// change is lost, both sides converge, a pair whose times cannot say which is newer keeps both
// versions, a pair changed on both sides keeps the older version under a kept name, and the
// snapshot deletes only what was not changed since the last run.
// A failure prints the shrunk history (the "op" lines) that breaks the property.
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>
#include <rapidcheck.h>
#include <rapidcheck/gtest.h>

#include "../engine/RunFixture.h"
#include "../engine/Unprivileged.h"
#include "engine/Decisions.h"
#include "engine/Orchestration.h"
#include "engine/RunDriver.h"
#include "platform/Clock.h"
#include "platform/FileTimes.h"

using namespace verdal;
using namespace verdal::test;
namespace fs = std::filesystem;

namespace {

// Number of random histories per CI run unless RC_PARAMS says otherwise
// (scripts/model-check.sh runs thousands).
const bool kDefaultParams = [] {
    setenv("RC_PARAMS", "max_success=60 max_size=40", 0);
    return true;
}();

constexpr int kMassDeleteMinimum = 5;

const std::vector<std::string> kNames = {"a.txt",     "b.txt",     "c.doc",          "d.txt",
                                         "sub/e.txt", "sub/f.txt", "sub/deep/g.txt", "h.txt"};

struct Version
{
    std::string Content;
    int64_t Time = 0;
    bool operator==(const Version&) const = default;
};
using Tree = std::map<std::string, Version>;

enum Kind {
    kCreate,
    kModify,
    kDelete,
    kRename,
    kCaseRename,
    kSameTime,
    kFuture,
    kMoveClock,
    kZone,
    kRun,
    kUnreadableRun,
    kUnmountedRun,
    kRetargetedRun
};
const char* const kKindNames[] = {
    "create",          "modify",        "delete",        "rename", "rename case",
    "write same time", "write future",  "move clock",    "zone",   "run",
    "run unreadable",  "run unmounted", "run retargeted"};

// Steps that find faults not mended yet; each stays out of the generator until it is.
const std::set<int> kDisabled = {};

// Offsets from UTC a zone change picks from, in hours.
const int kZoneHours[] = {0, 1, 2, -5, 9};

// One step of a history: what, on which side (0 source, 1 destination), which names.
using Op = std::tuple<int, int, int, int>;

rc::Gen<Op> GenOp()
{
    const std::vector<std::pair<int, int>> weights = {
        {6, kCreate},        {4, kModify},       {3, kDelete},       {3, kRename}, {1, kCaseRename},
        {1, kSameTime},      {1, kFuture},       {2, kMoveClock},    {1, kZone},   {4, kRun},
        {1, kUnreadableRun}, {1, kUnmountedRun}, {1, kRetargetedRun}};
    std::vector<int> kinds;  // each kind as often as its weight
    for (const auto& [weight, kind] : weights) {
        if (!kDisabled.count(kind)) {
            kinds.insert(kinds.end(), weight, kind);
        }
    }
    // Full size for each step: sized generators would pick only the first kinds, names and the
    // source side in short histories. The history's length still follows the size.
    return rc::gen::resize(100, rc::gen::tuple(rc::gen::elementOf(kinds), rc::gen::inRange(0, 2),
                                               rc::gen::inRange(0, int(kNames.size())),
                                               rc::gen::inRange(0, int(kNames.size()))));
}

// Names pair without regard to case; the model keeps the lower-case form.
std::string Fold(std::string name)
{
    for (char& c : name) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return name;
}

// The same path with the case of the file name's first letter turned round.
std::string ToggleCase(std::string path)
{
    const size_t slash = path.rfind('/');
    char& c = path[slash == std::string::npos ? 0 : slash + 1];
    const auto u = static_cast<unsigned char>(c);
    c = static_cast<char>(std::isupper(u) ? std::tolower(u) : std::toupper(u));
    return path;
}

// Answers No to the mass-delete question and the first button to anything else.
class GuardRefusingPresenter : public RecordingPresenter
{
public:
    BoxResult Show(const Message& message) override
    {
        RecordingPresenter::Show(message);
        return message.Code == 30017 ? BoxResult::No : FirstButton(message.Buttons);
    }
};

class TwoWayModel : public RunTest
{
protected:
    void SetUp() override
    {
        RunTest::SetUp();
        params.TouchSrc = true;
        params.TouchDest = true;
        params.OrphanModeB = kOrphanSnapshot;
        params.Recycle = false;
        params.Log.Active = false;
        clock_ = Stamp(30);
    }

    std::string Root(int side) const { return dir.filePath(side == 0 ? "q" : "z"); }
    static const char* SideName(int side) { return side == 0 ? "Quelle" : "Ziel"; }

    // The name as it stands on the disk (a case-only rename changes it), relative to the root.
    std::string DiskName(int side, const std::string& name) const
    {
        const fs::path wanted = fs::path(Root(side)) / name;
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(wanted.parent_path(), error)) {
            if (Fold(entry.path().filename().string()) == wanted.filename().string()) {
                return fs::relative(entry.path(), Root(side)).string();
            }
        }
        return name;
    }

    Tree Read(int side) const
    {
        Tree tree;
        const std::string root = Root(side);
        for (auto it = fs::recursive_directory_iterator(root); it != fs::end(it); ++it) {
            if (it->is_regular_file()) {
                struct stat st
                {};
                ::stat(it->path().c_str(), &st);
                const std::string name = fs::relative(it->path(), root).string();
                // Two names that differ only in case are never made from one.
                RC_ASSERT(tree.count(Fold(name)) == 0u);
                tree[Fold(name)] = {dir.readFile((side == 0 ? "q/" : "z/") + name),
                                    st.st_mtim.tv_sec};
            }
        }
        return tree;
    }

    void WriteAt(int side, const std::string& name, int64_t time, const std::string& padding)
    {
        const std::string content = "v" + std::to_string(++writes_) + " " + name + padding;
        dir.createFile((side == 0 ? "q/" : "z/") + DiskName(side, name), content, time);
        tree_[side][name] = {content, time};
        changed_[side].insert(name);
    }

    void Write(int side, const std::string& name)
    {
        clock_ += 10;
        WriteAt(side, name, clock_, "");
    }

    void Apply(const Op& op)
    {
        const auto [kind, side, first, second] = op;
        const std::string& name = kNames[first];
        const std::string& to = kNames[second];
        Tree& tree = tree_[side];
        const bool present = tree.count(name) != 0;
        const bool paired = present && tree_[1 - side].count(name) != 0;
        std::ostringstream text;
        text << "op " << kKindNames[kind] << " " << SideName(side) << " " << name;
        switch (kind) {
            case kCreate:
            case kModify:
                if (kind == kModify && !present) {
                    return;
                }
                Write(side, name);
                break;
            case kDelete:
                if (!present) {
                    return;
                }
                fs::remove(Root(side) + "/" + DiskName(side, name));
                tree.erase(name);
                changed_[side].erase(name);
                caseRenamed_[side].erase(name);
                break;
            case kRename: {
                if (!present || tree.count(to) != 0) {
                    return;
                }
                fs::create_directories(fs::path(Root(side) + "/" + to).parent_path());
                fs::rename(Root(side) + "/" + DiskName(side, name), Root(side) + "/" + to);
                tree[to] = tree[name];
                tree.erase(name);
                changed_[side].erase(name);
                caseRenamed_[side].erase(name);
                caseRenamed_[side].erase(to);
                changed_[side].insert(to);  // the change time moves with a rename
                text << " -> " << to;
                break;
            }
            case kCaseRename: {
                if (!present) {
                    return;
                }
                const std::string from = DiskName(side, name);
                fs::rename(Root(side) + "/" + from, Root(side) + "/" + ToggleCase(from));
                changed_[side].insert(name);
                caseRenamed_[side].insert(name);
                text << " -> " << ToggleCase(from);
                break;
            }
            case kSameTime:
                // Another version with the very time of the other side's: the times cannot tell
                // which one is newer.
                if (!paired) {
                    return;
                }
                WriteAt(side, name, tree_[1 - side][name].Time, "++");
                break;
            case kFuture:
                WriteAt(side, name, clock_ + 2 * 86400 + 13, "");
                break;
            case kMoveClock:
                clock_ += side == 0 ? 86400 + 37 : -(6 * 3600 + 7);
                text.str(side == 0 ? "op move clock ahead by a day" : "op move clock back 6 h");
                break;
            case kZone:
                offset_ = kZoneHours[first % 5] * 3600;
                SetTestUtcOffset(offset_);
                text.str("op zone UTC" + std::string(offset_ < 0 ? "" : "+") +
                         std::to_string(offset_ / 3600));
                break;
            case kRun:
                RC_LOG() << "op run\n";
                RunAndCheck();
                return;
            case kUnreadableRun:
                if (!fs::exists(Root(side) + "/sub")) {
                    return;
                }
                RC_LOG() << "op run with " << SideName(side) << "/sub unreadable\n";
                RunWithUnreadableFolder(side);
                return;
            case kUnmountedRun: {
                // Where the guard must hold: enough files the run would delete (a file dated
                // after the last run is copied back instead), both sides in step. Files are
                // added and a run made first when needed.
                auto deletable = [&] {
                    size_t n = 0;
                    for (const auto& [file, version] : tree) {
                        n += version.Time < clock_ ? 1 : 0;
                    }
                    return n;
                };
                for (size_t i = 0; i < kNames.size() && deletable() < size_t(kMassDeleteMinimum);
                     ++i) {
                    if (!tree.count(kNames[i])) {
                        Write(side, kNames[i]);
                        RC_LOG() << "op create " << SideName(side) << " " << kNames[i] << "\n";
                    }
                }
                if (!changed_[0].empty() || !changed_[1].empty() || !deleted_.empty() ||
                    !lastRunOk_) {
                    RC_LOG() << "op run\n";
                    RunAndCheck();
                }
                if (!lastRunOk_ || deletable() < size_t(kMassDeleteMinimum)) {
                    return;
                }
                RC_LOG() << "op run with " << SideName(side) << " empty (unmounted)\n";
                RunUnmounted(side);
                return;
            }
            case kRetargetedRun:
                RC_LOG() << "op run with " << SideName(side) << " retargeted\n";
                RunRetargeted(side);
                return;
        }
        RC_LOG() << text.str() << "\n";
        if (kind == kDelete || kind == kRename) {
            deleted_.insert(name);
        }
    }

    int DoRun()
    {
        clock_ += 10;  // a run starts after the last change
        const int64_t start = clock_;
        SetTestNow(25569.0 + static_cast<double>(clock_ + offset_) / 86400.0);
        guard_.Messages.clear();
        const int result =
            RunOneProfile(params, frontEnd, delivery_, profilePath, {}, kNoBatchCondition, 0);
        if (result == kRunOk) {
            lastRunStart_ = start;
        }
        clock_ += 10;
        // The file system stamps change times from a clock that lags the one the run's end
        // was taken from by up to a tick; the next change must come after that end.
        ::usleep(20000);
        return result;
    }

    bool GuardAsked() const
    {
        for (const auto& m : guard_.Messages) {
            if (m.Code == 30017) {
                return true;
            }
        }
        return false;
    }

    // Times the engine cannot order: within its two seconds, or an hour apart (summer time).
    static bool SameTime(int64_t a, int64_t b)
    {
        const int64_t d = a > b ? a - b : b - a;
        return d <= 2 || (d >= 3598 && d <= 3602);
    }

    bool Future(const Version& v) const { return v.Time > clock_ + 10 + 86400; }

    // Written since the last successful run as the engine can tell it: what was written here
    // since, and also an untouched file dated between that run's start and now. The latter
    // happens only after the clock went back; then times cannot tell more, both sides of a pair
    // count as changed: the newer one wins, the older one is kept beside it.
    bool SeenChanged(int side, const std::string& name, const Version& v) const
    {
        return changed_[side].count(name) != 0 ||
               (v.Time >= lastRunStart_ && v.Time <= clock_ + 10);
    }

    struct Expectation
    {
        Tree Sides[2];                // what each side must hold afterwards
        std::set<std::string> Gone;   // names that must be gone from both sides
        std::set<std::string> Apart;  // pairs the times cannot order: both versions stay
        // Pairs changed on both sides: the older version is kept beside the newer one on its own
        // side (side, name, older version); the next run carries it across.
        std::vector<std::tuple<int, std::string, Version>> Kept;
    };

    // What both sides must hold after a run, leaving out the names below `skip`.
    Expectation Expected(const std::string& skip) const
    {
        Expectation e;
        std::set<std::string> names;
        for (const Tree& tree : tree_) {
            for (const auto& [name, version] : tree) {
                names.insert(name);
            }
        }
        for (const std::string& name : names) {
            if (!skip.empty() && name.rfind(skip, 0) == 0) {
                continue;
            }
            const auto s = tree_[0].find(name);
            const auto d = tree_[1].find(name);
            const bool hasS = s != tree_[0].end(), hasD = d != tree_[1].end();
            const bool chS = hasS && SeenChanged(0, name, s->second);
            const bool chD = hasD && SeenChanged(1, name, d->second);
            if (hasS && hasD) {
                if (SameTime(s->second.Time, d->second.Time) || Future(s->second) ||
                    Future(d->second)) {
                    e.Sides[0][name] = s->second;
                    e.Sides[1][name] = d->second;
                    if (!(s->second == d->second)) {
                        e.Apart.insert(name);
                    }
                    continue;
                }
                const bool sourceNewer = s->second.Time > d->second.Time;
                const Version& newer = sourceNewer ? s->second : d->second;
                const Version& both = chS && !chD ? s->second : chD && !chS ? d->second : newer;
                e.Sides[0][name] = both;
                e.Sides[1][name] = both;
                if (chS && chD && lastRunStart_ != 0) {  // a first run knows no changes
                    e.Kept.emplace_back(sourceNewer ? 1 : 0, name,
                                        sourceNewer ? d->second : s->second);
                }
                continue;
            }
            // Deleted on the other side since the last run and not changed here: goes.
            const int side = hasS ? 0 : 1;
            const Version& v = hasS ? s->second : d->second;
            if (snapshot_[1 - side].count(name) && !(side == 0 ? chS : chD)) {
                e.Gone.insert(name);
                continue;
            }
            e.Sides[0][name] = v;
            e.Sides[1][name] = v;
        }
        return e;
    }

    void Check(const Expectation& e, bool strictGone)
    {
        const Tree actual[2] = {Read(0), Read(1)};
        for (int side = 0; side < 2; ++side) {
            for (const auto& [name, version] : e.Sides[side]) {
                const auto found = actual[side].find(name);
                RC_ASSERT(found != actual[side].end());  // a change was lost
                RC_ASSERT(found->second.Content == version.Content);
            }
        }
        if (strictGone) {
            for (const std::string& name : e.Gone) {
                RC_ASSERT(actual[0].count(name) + actual[1].count(name) == 0u);
            }
        }
    }

    // The name under which the older version of `name` was kept on `side`: same folder, the
    // stem, " (Konflikt ", the extension and that version's content. Empty when there is none.
    static std::string FindKept(const Tree& actual, const std::string& name, const Version& older)
    {
        const size_t slash = name.rfind('/');
        const size_t dot = name.rfind('.');
        const std::string stem = name.substr(0, dot);
        const std::string ext = name.substr(dot);
        const std::string folder = slash == std::string::npos ? "" : name.substr(0, slash + 1);
        for (const auto& [kept, version] : actual) {
            if (kept.rfind(stem + " (konflikt ", 0) == 0 && kept.size() > ext.size() + 1 &&
                kept.compare(kept.size() - ext.size() - 1, std::string::npos, ")" + ext) == 0 &&
                kept.find('/', folder.size()) == std::string::npos &&
                version.Content == older.Content) {
                return kept;
            }
        }
        return {};
    }

    // Each older version of a pair changed on both sides is there under its kept name; these
    // names are returned, as the other side gets them only in the next run.
    std::set<std::string> CheckKept(const Expectation& e) const
    {
        std::set<std::string> kept;
        for (const auto& [side, name, older] : e.Kept) {
            const std::string found = FindKept(Read(side), name, older);
            RC_ASSERT(!found.empty());  // the older edit was lost
            kept.insert(found);
        }
        return kept;
    }

    // Both sides hold the same files with the same contents, apart from the pairs whose times
    // cannot be ordered.
    void CheckConverged(const std::set<std::string>& apart)
    {
        Tree sides[2] = {Read(0), Read(1)};
        for (const std::string& name : apart) {
            sides[0].erase(name);
            sides[1].erase(name);
        }
        RC_ASSERT(sides[0] == sides[1]);
    }

    void TakeState(bool ok)
    {
        for (int side = 0; side < 2; ++side) {
            const Tree before = tree_[side];
            tree_[side] = Read(side);
            snapshot_[side].clear();
            std::set<std::string> written;
            for (const auto& [name, version] : tree_[side]) {
                snapshot_[side].insert(name);
                const auto old = before.find(name);
                if (old == before.end() || !(old->second == version)) {
                    written.insert(name);
                }
            }
            // Only a successful run moves the engine's "last run": after any other, what it
            // wrote and what was written before still count as changed.
            if (ok) {
                changed_[side].clear();
            } else {
                changed_[side].insert(written.begin(), written.end());
            }
        }
        // A hand-made case is of interest while the other side still has another one.
        for (int side = 0; side < 2; ++side) {
            std::erase_if(caseRenamed_[side], [&](const std::string& name) {
                return !tree_[side].count(name) || DiskName(0, name) == DiskName(1, name);
            });
        }
        deleted_.clear();
        lastRunOk_ = ok;
    }

    std::set<std::string> Names(int side) const
    {
        std::set<std::string> names;
        for (const auto& [name, version] : tree_[side]) {
            names.insert(name);
        }
        return names;
    }

    // Files renamed by case on one side that the run is to copy to the other side, with the name
    // they have there. A rename alone need not travel; a copy takes its source's name.
    std::map<std::string, std::string> CaseToCarry(const Expectation& e) const
    {
        std::map<std::string, std::string> carry;
        for (int side = 0; side < 2; ++side) {
            for (const std::string& name : caseRenamed_[side]) {
                const auto own = tree_[side].find(name);
                const auto other = tree_[1 - side].find(name);
                const auto wanted = e.Sides[1 - side].find(name);
                if (own != tree_[side].end() && wanted != e.Sides[1 - side].end() &&
                    wanted->second.Content == own->second.Content &&
                    (other == tree_[1 - side].end() ||
                     other->second.Content != own->second.Content)) {
                    carry[name] = DiskName(side, name);
                }
            }
        }
        return carry;
    }

    void RunAndCheck()
    {
        const Expectation e = Expected("");
        const bool work = !e.Gone.empty() || e.Sides[0] != tree_[0] || e.Sides[1] != tree_[1];
        const std::map<std::string, std::string> carry = CaseToCarry(e);
        const int result = DoRun();
        const bool guarded = GuardAsked();
        RC_ASSERT(result == (guarded ? kRunErrors : kRunOk));
        if (!guarded) {
            for (const auto& [name, diskName] : carry) {
                RC_ASSERT(DiskName(0, name) == diskName);  // the new case did not travel
                RC_ASSERT(DiskName(1, name) == diskName);
            }
        }
        // Deletions follow only from a snapshot of a successful run (a run with nothing to do
        // keeps the older one).
        Check(e, !guarded && lastRunOk_ && snapshotCurrent_);
        if (work) {
            snapshotCurrent_ = !guarded;
        } else if (Names(0) != snapshot_[0] || Names(1) != snapshot_[1]) {
            snapshotCurrent_ = false;  // the kept snapshot lacks names that came since
        }
        std::set<std::string> apart = e.Apart;
        apart.merge(CheckKept(e));
        if (!guarded) {
            CheckConverged(apart);
        }
        TakeState(result == kRunOk);
    }

    // A folder that cannot be listed is left alone on both sides, never taken for empty.
    void RunWithUnreadableFolder(int side)
    {
        const std::string folder = Root(side) + "/sub";
        const Tree other = tree_[1 - side];
        const Expectation e = Expected("sub/");
        ::chmod(folder.c_str(), 0);
        int result = 0;
        {
            PermissionsBite bite;  // also the super-user finds the folder unreadable
            result = DoRun();
        }
        ::chmod(folder.c_str(), 0755);
        Check(e, false);
        const Tree after = Read(1 - side);
        for (const auto& [name, version] : other) {
            if (name.rfind("sub/", 0) == 0) {
                RC_ASSERT(after.count(name) == 1u);  // not deleted as if the folder were empty
                RC_ASSERT(after.at(name).Content == version.Content);
            }
        }
        const std::set<std::string> keep[2] = {changed_[0], changed_[1]};
        const std::set<std::string> known[2] = {snapshot_[0], snapshot_[1]};
        TakeState(result == kRunOk);
        snapshotCurrent_ = false;
        // What happened below the folder was not seen yet: the next run must still carry its
        // changes and may still carry its deletions.
        for (int s = 0; s < 2; ++s) {
            for (const std::string& name : keep[s]) {
                if (name.rfind("sub/", 0) == 0) {
                    changed_[s].insert(name);
                }
            }
            for (const std::string& name : known[s]) {
                if (name.rfind("sub/", 0) == 0) {
                    snapshot_[s].insert(name);
                }
            }
        }
    }

    // The side's drive is there but empty, as an unmounted mount point looks: the other side
    // keeps its files. Afterwards the side comes back as it was.
    void RunUnmounted(int side)
    {
        const std::string root = Root(side);
        const Tree other = Read(1 - side);
        fs::rename(root, root + ".weg");
        fs::create_directory(root);
        const std::string snapshot = profilePath + ".lst";
        const auto written =
            fs::exists(snapshot) ? fs::last_write_time(snapshot) : fs::file_time_type::min();
        const int result = DoRun();
        fs::remove_all(root);
        fs::rename(root + ".weg", root);
        // A real empty mount point lies on another file system than the medium, so a snapshot
        // made of it is foreign once the medium is back; here both lie on one, so drop it.
        if (fs::exists(snapshot) && fs::last_write_time(snapshot) != written) {
            fs::remove(snapshot);
        }
        // Files the engine still counts as new or changed are copied back, not deleted; the
        // guard asks only from five deletions on. Fewer may go.
        const Tree after = Read(1 - side);
        size_t lost = 0;
        for (const auto& [name, version] : other) {
            const auto found = after.find(name);
            lost += found == after.end() ? 1 : 0;
            RC_ASSERT(found == after.end() || found->second == version);
        }
        RC_ASSERT(lost < size_t(kMassDeleteMinimum));
        TakeState(result == kRunOk);
        snapshotCurrent_ = false;
    }

    // For one run the side is another folder holding an old file of its own (another medium in
    // the drive): the snapshot made for the usual folder says nothing about it, so nothing is
    // deleted on either side. Afterwards the profile points back.
    void RunRetargeted(int side)
    {
        // A folder of its own each time: the same folder again would rightly be known.
        const std::string other = Root(side) + "-" + std::to_string(++retargets_);
        fs::create_directories(other + "/sub");
        dir.createFile(fs::relative(other, dir.path()).string() + "/sub/alt.txt", "alt", clock_);
        const Tree kept = Read(1 - side);
        std::string& drive = side == 0 ? params.SourceDrive : params.DestinationDrive;
        const std::string usual = drive;
        drive = other;
        const int result = DoRun();
        drive = usual;
        const Tree after = Read(1 - side);
        for (const auto& [name, version] : kept) {
            RC_ASSERT(after.count(name) == 1u);  // deleted by a snapshot of other folders
            RC_ASSERT(after.at(name).Content == version.Content);
        }
        RC_ASSERT(fs::exists(other + "/sub/alt.txt"));
        fs::remove(Root(1 - side) + "/sub/alt.txt");
        // The run succeeded, for other folders: the profile's last run has moved all the same.
        TakeState(result == kRunOk);
        snapshotCurrent_ = false;
    }

    cLogDelivery delivery_;
    GuardRefusingPresenter guard_;
    Tree tree_[2];
    std::set<std::string> changed_[2];
    std::set<std::string> caseRenamed_[2];  // names whose case was changed by hand on that side
    std::set<std::string> snapshot_[2];
    std::set<std::string> deleted_;
    bool lastRunOk_ = true;
    bool snapshotCurrent_ = true;
    int64_t clock_ = 0;
    int64_t lastRunStart_ = 0;
    int64_t offset_ = 0;
    int writes_ = 0;
    int retargets_ = 0;
};

}  // namespace

RC_GTEST_FIXTURE_PROP(TwoWayModel, NoChangeLostAndSidesConverge, ())
{
    const auto ops = *rc::gen::container<std::vector<Op>>(GenOp());
    for (const Op& op : ops) {
        Apply(op);
    }
    Apply(Op{kRun, 0, 0, 0});
}
