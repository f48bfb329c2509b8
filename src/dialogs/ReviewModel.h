#pragma once

#include <cstdint>
#include <vector>

#include <QAbstractListModel>

#include "dialogs/ReviewRules.h"
#include "engine/RunStatistics.h"

namespace verdal {

struct cRunContext;
struct cOverviewParameters;

// The rows of the review list as a model over the run's own candidate and header lists: a
// row is four bytes pointing into those lists, nothing is copied. The display role holds
// each row's text for screen readers although the delegate paints it.
class ReviewModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role { KindRole = Qt::UserRole + 1, IndexRole };

    ReviewModel(cRunContext& run, const cOverviewParameters& view, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    cRunContext& Run() const { return run_; }
    const cOverviewParameters& View() const { return view_; }
    ReviewRow RowAt(int row) const { return rows_[static_cast<size_t>(row)]; }
    const cCandidate* CandidateAt(int row) const;
    const cFolder* GroupAt(int row) const;
    const ActionCounts& CountsOf(int header) const { return groupCounts_[header]; }
    // The row of a candidate or header, or -1 while it is hidden.
    int RowOfCandidate(int candidate) const;
    int RowOfGroup(int header) const;

    // Rebuilds the rows after a change of view (filters, folding), keeping nothing else.
    void Rebuild();
    // Sorts and regroups the run's candidates.
    void Resort(int sortingMode, bool reverse);

    // Gives `action` to the candidates of the rows (a group row to all of its candidates,
    // hidden ones too); repaints the changed rows and the group rows only.
    int ApplyAction(const std::vector<int>& rows, uint16_t action);
    void Cycle(int row);
    void ToggleGroup(int row);
    void SetAllOpen(bool open);
    // Closes the nearest group at or above `row`; returns that group's row.
    int CloseGroupAbove(int row);

    // Counts per action over the whole run, and the projection of free space and transfer.
    const RunStatistics& Statistics() const { return statistics_; }
    // One line of text for a row, as a screen reader reads it.
    QString RowText(int row) const;

signals:
    // The actions changed: totals and free space are to be shown again.
    void CountsChanged();

private:
    void Recount();
    void RecountGroups();
    void MoveCount(int group, int beforeSlot, uint16_t action, std::vector<int>& repaint);
    void EmitRowRanges(std::vector<int>& rows);
    QString SideText(const cCandidate& c, bool source) const;

    cRunContext& run_;
    const cOverviewParameters& view_;
    std::vector<ReviewRow> rows_;
    std::vector<int32_t> rowOfCandidate_;
    std::vector<int32_t> rowOfGroup_;
    std::vector<ActionCounts> groupCounts_;
    RunStatistics statistics_;
};

}  // namespace verdal
