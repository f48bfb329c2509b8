#include "dialogs/ReviewModel.h"

#include <algorithm>

#include "engine/RunContext.h"
#include "settings/GermanFormat.h"
#include "settings/Parameters.h"

namespace verdal {
namespace {

QString Utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

ReviewModel::ReviewModel(cRunContext& run, const cOverviewParameters& view, QObject* parent)
    : QAbstractListModel(parent), run_(run), view_(view)
{
    RecountGroups();
    Recount();
    Rebuild();
}

int ReviewModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant ReviewModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const ReviewRow row = RowAt(index.row());
    switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
            return RowText(index.row());
        case KindRole:
            return row.IsGroup() ? QStringLiteral("F") : QStringLiteral("C");
        case IndexRole:
            return row.Index();
        default:
            return {};
    }
}

const cCandidate* ReviewModel::CandidateAt(int row) const
{
    if (row < 0 || row >= rowCount() || RowAt(row).IsGroup()) {
        return nullptr;
    }
    return &run_.Candidates[RowAt(row).Index()];
}

const cFolder* ReviewModel::GroupAt(int row) const
{
    if (row < 0 || row >= rowCount() || !RowAt(row).IsGroup()) {
        return nullptr;
    }
    return &run_.Headers[RowAt(row).Index()];
}

int ReviewModel::RowOfCandidate(int candidate) const
{
    return candidate >= 0 && candidate < static_cast<int>(rowOfCandidate_.size())
               ? rowOfCandidate_[candidate]
               : -1;
}

int ReviewModel::RowOfGroup(int header) const
{
    return header >= 0 && header < static_cast<int>(rowOfGroup_.size()) ? rowOfGroup_[header] : -1;
}

void ReviewModel::Rebuild()
{
    beginResetModel();
    rows_ = BuildRows(run_.Headers, run_.Candidates, view_);
    rowOfCandidate_.assign(static_cast<size_t>(run_.Candidates.Count()), -1);
    rowOfGroup_.assign(static_cast<size_t>(run_.Headers.Count()), -1);
    for (size_t r = 0; r < rows_.size(); ++r) {
        auto& slot = rows_[r].IsGroup() ? rowOfGroup_ : rowOfCandidate_;
        slot[static_cast<size_t>(rows_[r].Index())] = static_cast<int32_t>(r);
    }
    endResetModel();
}

void ReviewModel::Resort(int sortingMode, bool reverse)
{
    SortRun(run_, sortingMode, reverse, view_.OpenFolders);
    RecountGroups();
    Rebuild();
}

void ReviewModel::RecountGroups()
{
    groupCounts_.resize(static_cast<size_t>(run_.Headers.Count()));
    for (int h = 0; h < run_.Headers.Count(); ++h) {
        groupCounts_[h] = CountGroup(run_.Headers[h], run_.Candidates);
    }
}

void ReviewModel::Recount()
{
    statistics_ = ComputeStatistics(run_);
    ProjectFreeSpace(run_, statistics_);
}

int ReviewModel::ApplyAction(const std::vector<int>& rows, uint16_t action)
{
    std::vector<int> repaint;
    int changed = 0;
    auto apply = [&](int candidate, int group) {
        cCandidate& c = run_.Candidates[candidate];
        const int before = ActionSlot(c.Action());
        if (!SetAction(c, action)) {
            return;
        }
        ++changed;
        MoveCount(group, before, action, repaint);
        repaint.push_back(RowOfCandidate(candidate));
    };
    for (int row : rows) {
        if (row < 0 || row >= rowCount()) {
            continue;
        }
        const ReviewRow r = RowAt(row);
        if (r.IsGroup()) {
            const cFolder& group = run_.Headers[r.Index()];
            for (int i = group.First; i <= group.Last && i < run_.Candidates.Count(); ++i) {
                apply(i, r.Index());
            }
        } else {
            apply(r.Index(), GroupOfCandidate(run_.Headers, r.Index()));
        }
    }
    if (changed > 0) {
        EmitRowRanges(repaint);
        Recount();
        emit CountsChanged();
    }
    return changed;
}

void ReviewModel::Cycle(int row)
{
    const cCandidate* c = CandidateAt(row);
    if (!c) {
        return;
    }
    const int index = RowAt(row).Index();
    cCandidate& candidate = run_.Candidates[index];
    const int before = ActionSlot(candidate.Action());
    CycleAction(candidate);
    std::vector<int> repaint{row};
    MoveCount(GroupOfCandidate(run_.Headers, index), before, candidate.Action(), repaint);
    EmitRowRanges(repaint);
    Recount();
    emit CountsChanged();
}

// A candidate of `group` went from the action in `beforeSlot` to `action`: the group row's
// counts follow and the row is repainted.
void ReviewModel::MoveCount(int group, int beforeSlot, uint16_t action, std::vector<int>& repaint)
{
    if (group < 0) {
        return;
    }
    if (beforeSlot >= 0) {
        --groupCounts_[group][beforeSlot];
    }
    ++groupCounts_[group][ActionSlot(action)];
    repaint.push_back(RowOfGroup(group));
}

// One dataChanged per run of neighbouring rows, so the view repaints only what changed. Many
// scattered runs become one span: a view with rows of different heights looks up the place
// of each single changed row from the top, which would make a large selection slow.
void ReviewModel::EmitRowRanges(std::vector<int>& rows)
{
    constexpr size_t kMostRanges = 16;
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.erase(rows.begin(), std::upper_bound(rows.begin(), rows.end(), -1));
    std::vector<std::pair<int, int>> ranges;
    for (int row : rows) {
        if (!ranges.empty() && ranges.back().second + 1 == row) {
            ranges.back().second = row;
        } else {
            ranges.emplace_back(row, row);
        }
    }
    if (ranges.size() > kMostRanges) {
        ranges = {{ranges.front().first, ranges.back().second}};
    }
    for (const auto& [first, last] : ranges) {
        emit dataChanged(index(first), index(last));
    }
}

void ReviewModel::ToggleGroup(int row)
{
    if (const cFolder* group = GroupAt(row)) {
        run_.Headers[RowAt(row).Index()].Open = !group->Open;
        Rebuild();
    }
}

void ReviewModel::SetAllOpen(bool open)
{
    for (int h = 0; h < run_.Headers.Count(); ++h) {
        run_.Headers[h].Open = open;
    }
    Rebuild();
}

int ReviewModel::CloseGroupAbove(int row)
{
    for (int r = std::min(row, rowCount() - 1); r >= 0; --r) {
        if (RowAt(r).IsGroup()) {
            const int header = RowAt(r).Index();
            run_.Headers[header].Open = false;
            Rebuild();
            return RowOfGroup(header);
        }
    }
    return -1;
}

QString ReviewModel::SideText(const cCandidate& c, bool source) const
{
    const FileStamp& stamp = source ? c.Source : c.Destination;
    const auto& dirs = source ? run_.SourceDirs : run_.DestinationDirs;
    if (stamp.LastWrite == 0) {
        return QStringLiteral("fehlt");
    }
    const std::string name = source ? c.SourceFileName() : c.DestinationFileName();
    const TDateTime date = source ? c.SourceDate : c.DestinationDate;
    return Utf8(RelativeDirText(dirs[c.DirIndex]) + name + ", " + FormatNumber(stamp.Size) +
                " Bytes, " + FormatDateTime("ddddd tt", date));
}

QString ReviewModel::RowText(int row) const
{
    const ReviewRow r = RowAt(row);
    if (r.IsGroup()) {
        const cFolder& group = run_.Headers[r.Index()];
        const ActionCounts& n = groupCounts_[r.Index()];
        return Utf8(FormatText(
            "%s (%s): %d vorwärts, %d überspringen, %d löschen, %d rückwärts",
            {group.Caption, group.Open ? "offen" : "geschlossen", n[0], n[1], n[2], n[3]}));
    }
    const cCandidate& c = run_.Candidates[r.Index()];
    return QStringLiteral("Quelle: ") + SideText(c, true) + QStringLiteral("; ") +
           Utf8(ActionCaption(c.Action())) + QStringLiteral("; Ziel: ") + SideText(c, false);
}

}  // namespace verdal
