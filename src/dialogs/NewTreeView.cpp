#include "dialogs/NewTreeView.h"

#include <QHeaderView>
#include <QStyledItemDelegate>

#include "settings/Summary.h"

namespace verdal {
namespace {

constexpr int kNodeRole = Qt::UserRole + 1;

// Top-level items are drawn bold, all others in the normal font.
class cBoldTopLevelDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->font.setBold(!index.parent().isValid());
    }
};

void Fill(QTreeWidgetItem* item, const SummaryNode& node)
{
    item->setText(0, QString::fromStdString(node.Text));
    item->setData(0, kNodeRole, QVariant::fromValue(static_cast<const void*>(&node)));
    for (const auto& child : node.Children) {
        Fill(new QTreeWidgetItem(item), *child);
    }
}

}  // namespace

TNewTreeView::TNewTreeView(QWidget* parent) : QTreeWidget(parent)
{
    setItemDelegate(new cBoldTopLevelDelegate(this));
    setHeaderHidden(true);
    setColumnCount(1);
    setIndentation(20);
    setRootIsDecorated(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

void TNewTreeView::ShowSummary(const SummaryNode& root)
{
    setUpdatesEnabled(false);
    clear();
    for (const auto& top : root.Children) {
        Fill(new QTreeWidgetItem(this), *top);
    }
    setUpdatesEnabled(true);
}

const SummaryNode* TNewTreeView::NodeOf(const QTreeWidgetItem* item)
{
    return item ? static_cast<const SummaryNode*>(item->data(0, kNodeRole).value<const void*>())
                : nullptr;
}

QTreeWidgetItem* TNewTreeView::ItemOf(const SummaryNode* node) const
{
    if (!node) {
        return nullptr;
    }
    for (QTreeWidgetItemIterator it(const_cast<TNewTreeView*>(this)); *it; ++it) {
        if (NodeOf(*it) == node) {
            return *it;
        }
    }
    return nullptr;
}

}  // namespace verdal
