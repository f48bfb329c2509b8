#include "dialogs/TEntryList.h"

#include <QDropEvent>
#include <QMimeData>

namespace verdal {

TEntryList::TEntryList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::CopyAction);
}

void TEntryList::SetEntries(const QStringList& entries)
{
    clear();
    for (const QString& entry : entries) {
        AddEntry(entry);
    }
}

QStringList TEntryList::Entries() const
{
    QStringList entries;
    for (int row = 0; row < count(); ++row) {
        entries << item(row)->text();
    }
    return entries;
}

QStringList TEntryList::SelectedEntries() const
{
    QStringList entries;
    for (int row = 0; row < count(); ++row) {
        if (item(row)->isSelected()) {
            entries << item(row)->text();
        }
    }
    return entries;
}

bool TEntryList::Contains(const QString& entry) const
{
    for (int row = 0; row < count(); ++row) {
        if (item(row)->text().compare(entry, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

bool TEntryList::AddEntry(const QString& entry)
{
    if (entry.isEmpty() || Contains(entry)) {
        return false;
    }
    int row = 0;
    while (row < count() && item(row)->text().compare(entry, Qt::CaseInsensitive) < 0) {
        ++row;
    }
    insertItem(row, entry);
    return true;
}

void TEntryList::RemoveSelected()
{
    for (int row = count() - 1; row >= 0; --row) {
        if (item(row)->isSelected()) {
            delete takeItem(row);
        }
    }
}

bool TEntryList::ReadEntries(const QMimeData* data, QString& sourceList, QStringList& entries)
{
    if (!data || !data->hasFormat(QString::fromLatin1(kEntriesMime))) {
        return false;
    }
    const QStringList lines =
        QString::fromUtf8(data->data(QString::fromLatin1(kEntriesMime))).split('\n');
    sourceList = lines.value(0);
    entries = lines.mid(1);
    return true;
}

QStringList TEntryList::mimeTypes() const
{
    return {QString::fromLatin1(kEntriesMime)};
}

QMimeData* TEntryList::mimeData(const QList<QListWidgetItem*>& items) const
{
    QStringList lines{objectName()};
    for (const QListWidgetItem* item : items) {
        lines << item->text();
    }
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kEntriesMime), lines.join('\n').toUtf8());
    return data;
}

void TEntryList::dragEnterEvent(QDragEnterEvent* event)
{
    event->acceptProposedAction();
}

void TEntryList::dragMoveEvent(QDragMoveEvent* event)
{
    event->acceptProposedAction();
}

void TEntryList::dropEvent(QDropEvent* event)
{
    if (OnDrop && OnDrop(event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

}  // namespace verdal
