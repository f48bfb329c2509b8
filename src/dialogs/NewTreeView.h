#pragma once

#include <QTreeWidget>

namespace verdal {

struct SummaryNode;

// The tree view of the main window and the profile window: draws its top-level items in bold
// and shows a settings summary, remembering which summary node each item stands for.
class TNewTreeView : public QTreeWidget
{
    Q_OBJECT

public:
    explicit TNewTreeView(QWidget* parent = nullptr);

    // Replaces the items by the lines of `root`'s children (the summary's top-level lines).
    // The nodes must outlive the items, or the next ShowSummary.
    void ShowSummary(const SummaryNode& root);
    // The summary node an item shows, or nullptr.
    static const SummaryNode* NodeOf(const QTreeWidgetItem* item);
    // The item that shows `node`, or nullptr.
    QTreeWidgetItem* ItemOf(const SummaryNode* node) const;
};

}  // namespace verdal
