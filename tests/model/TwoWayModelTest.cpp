// Random histories of changes on both sides of a two-way profile that looks in the snapshot,
// with a run after every few, checked against a small model of what both sides must hold.
// A failure prints the shrunk history (the "op" lines) that breaks the property.
#include <sys/stat.h>
#include <unistd.h>

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

using namespace verdal;
using namespace verdal::test;
namespace fs = std::filesystem;

namespace {

// Number of random histories per CI run unless RC_PARAMS says otherwise
// (scripts/model-check.sh runs thousands).
const bool kDefaultParams = [] {
    setenv("RC_PARAMS", "max_success=40 max_size=40", 0);
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

enum Kind { kCreate, kModify, kDelete, kRename, kMoveClock, kRun, kUnreadableRun, kUnmountedRun };
const char* const kKindNames[] = {"create",     "modify", "delete",         "rename",
                                  "move clock", "run",    "run unreadable", "run unmounted"};

// One step of a history: what, on which side (0 source, 1 destination), which names.
using Op = std::tuple<int, int, int, int>;

rc::Gen<Op> GenOp()
{
    // Left out until the engine handles them: a case-only rename (pairs by folded case), a time
    // zone change between runs (stamps kept in UTC).
    return rc::gen::tuple(rc::gen::weightedElement<int>({{6, kCreate},
                                                         {4, kModify},
                                                         {3, kDelete},
                                                         {3, kRename},
                                                         {1, kMoveClock},
                                                         {4, kRun},
                                                         {1, kUnreadableRun},
                                                         {1, kUnmountedRun}}),
                          rc::gen::inRange(0, 2), rc::gen::inRange(0, int(kNames.size())),
                          rc::gen::inRange(0, int(kNames.size())));
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
                tree[name] = {dir.readFile((side == 0 ? "q/" : "z/") + name), st.st_mtim.tv_sec};
            }
        }
        return tree;
    }

    void Write(int side, const std::string& name)
    {
        const std::string content = "v" + std::to_string(++writes_) + " " + name;
        clock_ += 10;
        dir.createFile((side == 0 ? "q/" : "z/") + name, content, clock_);
        tree_[side][name] = {content, clock_};
        changed_[side].insert(name);
    }

    void Apply(const Op& op)
    {
        const auto [kind, side, first, second] = op;
        const std::string& name = kNames[first];
        const std::string& to = kNames[second];
        Tree& tree = tree_[side];
        const bool present = tree.count(name) != 0;
        std::ostringstream text;
        text << "op " << kKindNames[kind] << " " << (side == 0 ? "Quelle" : "Ziel") << " " << name;
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
                fs::remove(Root(side) + "/" + name);
                tree.erase(name);
                changed_[side].erase(name);
                break;
            case kRename: {
                // Left out: a rename onto a name that was there at the last run. The renamed
                // file keeps its older time, so the other side's version wins and the moved
                // content is lost; telling that apart needs the change time, not the write time.
                if (!present || tree.count(to) != 0 || snapshot_[0].count(to) ||
                    snapshot_[1].count(to)) {
                    return;
                }
                fs::create_directories(fs::path(Root(side) + "/" + to).parent_path());
                fs::rename(Root(side) + "/" + name, Root(side) + "/" + to);
                tree[to] = tree[name];
                tree.erase(name);
                changed_[side].erase(name);
                changed_[side].insert(to);
                text << " -> " << to;
                break;
            }
            case kMoveClock:
                clock_ += 86400 + 37;
                text.str("op move clock by a day");
                break;
            case kRun:
                RC_LOG() << "op run\n";
                RunAndCheck();
                return;
                break;
            case kUnreadableRun:
                if (!fs::exists(Root(side) + "/sub")) {
                    return;
                }
                text.str("");
                RC_LOG() << "op run with " << (side == 0 ? "Quelle" : "Ziel")
                         << "/sub unreadable\n";
                RunWithUnreadableFolder(side);
                return;
            case kUnmountedRun:
                // Where the guard must hold: enough files, both sides in step. Files are added
                // and a run made first when needed.
                for (size_t i = 0; i < kNames.size() && tree.size() < size_t(kMassDeleteMinimum);
                     ++i) {
                    if (!tree.count(kNames[i])) {
                        Write(side, kNames[i]);
                        RC_LOG() << "op create " << (side == 0 ? "Quelle " : "Ziel ") << kNames[i]
                                 << "\n";
                    }
                }
                if (!changed_[0].empty() || !changed_[1].empty() || !deleted_.empty() ||
                    !lastRunNormal_) {
                    RC_LOG() << "op run\n";
                    RunAndCheck();
                }
                if (!lastRunNormal_ || tree.size() < size_t(kMassDeleteMinimum)) {
                    return;
                }
                text.str("");
                RC_LOG() << "op run with " << (side == 0 ? "Quelle" : "Ziel")
                         << " empty (unmounted)\n";
                RunUnmounted(side);
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
        SetTestNow(25569.0 + static_cast<double>(clock_) / 86400.0);
        guard_.Messages.clear();
        const int result =
            RunOneProfile(params, frontEnd, delivery_, profilePath, {}, kNoBatchCondition, 0);
        clock_ += 10;
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

    // What both sides must hold after a run, leaving out the names below `skip`.
    // Returns the expected tree and the names that must be gone from both sides.
    std::pair<Tree, std::set<std::string>> Expected(const std::string& skip) const
    {
        Tree expected;
        std::set<std::string> gone;
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
            const bool chS = changed_[0].count(name) != 0, chD = changed_[1].count(name) != 0;
            if (hasS && hasD) {
                const Version& newer = s->second.Time >= d->second.Time ? s->second : d->second;
                expected[name] = chS && !chD ? s->second : chD && !chS ? d->second : newer;
            } else if (hasS) {
                // Deleted on the destination since the last run and not changed here: goes.
                if (snapshot_[1].count(name) && !chS) {
                    gone.insert(name);
                } else {
                    expected[name] = s->second;
                }
            } else {
                if (snapshot_[0].count(name) && !chD) {
                    gone.insert(name);
                } else {
                    expected[name] = d->second;
                }
            }
        }
        return {expected, gone};
    }

    void Check(const Tree& expected, const std::set<std::string>& gone, bool strictGone)
    {
        const Tree actual[2] = {Read(0), Read(1)};
        for (const auto& [name, version] : expected) {
            for (int side = 0; side < 2; ++side) {
                const auto found = actual[side].find(name);
                RC_ASSERT(found != actual[side].end());  // a change was lost
                RC_ASSERT(found->second.Content == version.Content);
            }
        }
        if (strictGone) {
            for (const std::string& name : gone) {
                RC_ASSERT(actual[0].count(name) + actual[1].count(name) == 0u);
            }
        }
    }

    void TakeState(bool normal)
    {
        for (int side = 0; side < 2; ++side) {
            tree_[side] = Read(side);
            snapshot_[side].clear();
            for (const auto& [name, version] : tree_[side]) {
                snapshot_[side].insert(name);
            }
            changed_[side].clear();
        }
        deleted_.clear();
        lastRunNormal_ = normal;
    }

    void RunAndCheck()
    {
        const auto [expected, gone] = Expected("");
        const bool work = !gone.empty() || expected != tree_[0] || expected != tree_[1];
        const int result = DoRun();
        const bool guarded = GuardAsked();
        RC_ASSERT(result == (guarded ? kRunErrors : kRunOk));
        // Deletions follow only from a snapshot of a normal run (a run with nothing to do
        // keeps the older one).
        Check(expected, gone, !guarded && lastRunNormal_ && snapshotCurrent_);
        if (work) {
            snapshotCurrent_ = !guarded;
        }
        if (!guarded) {
            RC_ASSERT(Read(0) == Read(1));  // both sides converge
        }
        TakeState(!guarded);
    }

    // A folder that cannot be listed is left alone on both sides, never taken for empty.
    void RunWithUnreadableFolder(int side)
    {
        const std::string folder = Root(side) + "/sub";
        const Tree other = tree_[1 - side];
        const auto [expected, gone] = Expected("sub/");
        ::chmod(folder.c_str(), 0);
        {
            PermissionsBite bite;  // also the super-user finds the folder unreadable
            DoRun();
        }
        ::chmod(folder.c_str(), 0755);
        Check(expected, {}, false);
        const Tree after = Read(1 - side);
        for (const auto& [name, version] : other) {
            if (name.rfind("sub/", 0) == 0) {
                RC_ASSERT(after.count(name) == 1u);  // not deleted as if the folder were empty
                RC_ASSERT(after.at(name).Content == version.Content);
            }
        }
        const std::set<std::string> keep[2] = {changed_[0], changed_[1]};
        TakeState(false);
        snapshotCurrent_ = false;
        // Changes below the folder were not seen yet; the next run must still carry them.
        for (int s = 0; s < 2; ++s) {
            for (const std::string& name : keep[s]) {
                if (name.rfind("sub/", 0) == 0) {
                    changed_[s].insert(name);
                }
            }
        }
    }

    // The side's drive is there but empty, as an unmounted mount point looks: the other side
    // keeps every file. Afterwards the side comes back as it was.
    void RunUnmounted(int side)
    {
        const std::string root = Root(side);
        const Tree other = Read(1 - side);
        fs::rename(root, root + ".weg");
        fs::create_directory(root);
        DoRun();
        fs::remove_all(root);
        fs::rename(root + ".weg", root);
        RC_ASSERT(Read(1 - side) == other);
        TakeState(false);
        snapshotCurrent_ = false;
    }

    cLogDelivery delivery_;
    GuardRefusingPresenter guard_;
    Tree tree_[2];
    std::set<std::string> changed_[2];
    std::set<std::string> snapshot_[2];
    std::set<std::string> deleted_;
    bool lastRunNormal_ = true;
    bool snapshotCurrent_ = true;
    int64_t clock_ = 0;
    int writes_ = 0;
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
