#include "dialogs/TDirectoryTree.h"

#include <QApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QStyle>

#include "dialogs/BusyCursor.h"
#include "dialogs/DriveLook.h"
#include "platform/DirNames.h"
#include "platform/Paths.h"
#include "platform/WinError.h"
#include "settings/ErrorText.h"
#include "settings/Macros.h"

namespace verdal {
namespace {

constexpr int kListedRole = Qt::UserRole + 1;
constexpr int kUnreadableRole = Qt::UserRole + 2;
int gReadTimeoutMs = 3000;

QIcon FolderIcon(bool open)
{
    return QApplication::style()->standardIcon(open ? QStyle::SP_DirOpenIcon
                                                    : QStyle::SP_DirClosedIcon);
}

}  // namespace

void TDirectoryTree::SetReadTimeout(int milliseconds)
{
    gReadTimeoutMs = milliseconds;
}

TDirectoryTree::TDirectoryTree(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTreeWidget::itemExpanded, this, &TDirectoryTree::OnExpanded);
    connect(this, &QTreeWidget::itemCollapsed, this, &TDirectoryTree::OnCollapsed);
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item && changeHandler_) {
            emit PathChanged(PathOf(item));
        }
    });
}

void TDirectoryTree::SetDragPaths(bool enabled)
{
    setDragEnabled(enabled);
    setDragDropMode(enabled ? QAbstractItemView::DragOnly : QAbstractItemView::NoDragDrop);
}

void TDirectoryTree::SetDrive(const QString& drive)
{
    const bool handler = changeHandler_;
    changeHandler_ = false;
    clear();
    drive_ = drive;
    auto* root = new QTreeWidgetItem(this, {drive});
    root->setIcon(0, FolderIcon(true));
    Populate(root);
    root->setExpanded(true);
    setCurrentItem(root);
    changeHandler_ = handler;
}

void TDirectoryTree::Populate(QTreeWidgetItem* item)
{
    if (item->data(0, kListedRole).toBool()) {
        return;
    }
    item->setData(0, kListedRole, true);
    // Finding the drive's root looks at the mount as well: both wait a bounded time.
    using Listing = std::pair<int, std::vector<std::string>>;
    const std::string drive = ExpandMacros(drive_.toStdString());
    const std::string relative = PathOf(item).toStdString();
    Listing listing;
    {
        BusyCursor busy;
        listing = LookAtDrive<Listing>(
                      drive,
                      [drive, relative] {
                          Listing found;
                          std::string native;
                          found.first = BuildNativePath(drive, relative, {}, native);
                          if (found.first == kErrSuccess) {
                              found.first =
                                  ListEntryNames(native, NameKind::Directories, found.second);
                          }
                          return found;
                      },
                      gReadTimeoutMs)
                      .value_or(Listing{kErrNotReady, {}});
    }
    const int result = listing.first;
    const std::vector<std::string>& names = listing.second;
    if (result != kErrSuccess) {
        item->setData(0, kUnreadableRole, true);
        item->setForeground(0, QColor(Qt::gray));
        item->setToolTip(
            0, QStringLiteral("Nicht lesbar: %1").arg(QString::fromStdString(ErrorText(result))));
        item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
        return;
    }
    QList<QTreeWidgetItem*> children;
    children.reserve(static_cast<int>(names.size()));
    const QIcon closed = FolderIcon(false);
    for (const std::string& name : names) {
        auto* child = new QTreeWidgetItem({QString::fromStdString(name)});
        child->setIcon(0, closed);
        child->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        children << child;
    }
    item->addChildren(children);
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void TDirectoryTree::OnExpanded(QTreeWidgetItem* item)
{
    Populate(item);
    item->setIcon(0, FolderIcon(true));
    setCurrentItem(item);
}

void TDirectoryTree::OnCollapsed(QTreeWidgetItem* item)
{
    item->setIcon(0, FolderIcon(false));
    setCurrentItem(item);
}

QString TDirectoryTree::PathOf(const QTreeWidgetItem* item) const
{
    QString path = QStringLiteral("\\");
    for (; item && item->parent(); item = item->parent()) {
        path.prepend(QStringLiteral("\\") + item->text(0));
    }
    return path;
}

QTreeWidgetItem* TDirectoryTree::ItemOf(const QString& path, bool expandAlong)
{
    QTreeWidgetItem* item = topLevelItem(0);
    if (!item) {
        return nullptr;
    }
    const QStringList parts = path.split('\\', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (expandAlong) {
            item->setExpanded(true);
        }
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < item->childCount() && !next; ++i) {
            if (item->child(i)->text(0) == part) {
                next = item->child(i);
            }
        }
        if (!next) {
            for (int i = 0; i < item->childCount() && !next; ++i) {
                if (item->child(i)->text(0).compare(part, Qt::CaseInsensitive) == 0) {
                    next = item->child(i);
                }
            }
        }
        if (!next) {
            return expandAlong ? item : nullptr;
        }
        item = next;
    }
    return item;
}

bool TDirectoryTree::SelectPath(const QString& path)
{
    const bool handler = changeHandler_;
    changeHandler_ = false;
    QTreeWidgetItem* item = ItemOf(path, true);
    changeHandler_ = handler;
    if (!item) {
        return false;
    }
    setCurrentItem(item);
    scrollToItem(item);
    return PathOf(item).compare(path, Qt::CaseInsensitive) == 0 ||
           (path.isEmpty() && !item->parent());
}

QString TDirectoryTree::SelectedPath() const
{
    const QTreeWidgetItem* item = currentItem();
    return item ? PathOf(item) : QStringLiteral("\\");
}

bool TDirectoryTree::IsUnreadable(const QString& path) const
{
    const QTreeWidgetItem* item = const_cast<TDirectoryTree*>(this)->ItemOf(path, false);
    return !item || item->data(0, kUnreadableRole).toBool();
}

void TDirectoryTree::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        if (QTreeWidgetItem* item = itemAt(event->position().toPoint())) {
            setCurrentItem(item);
            setFocus(Qt::MouseFocusReason);
        }
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

QStringList TDirectoryTree::mimeTypes() const
{
    return {QString::fromLatin1(kDirectoryMime)};
}

QMimeData* TDirectoryTree::mimeData(const QList<QTreeWidgetItem*>& items) const
{
    auto* data = new QMimeData;
    if (!items.isEmpty()) {
        data->setData(QString::fromLatin1(kDirectoryMime), PathOf(items.first()).toUtf8());
    }
    return data;
}

}  // namespace verdal
