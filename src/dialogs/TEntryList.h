#pragma once

#include <QListWidget>
#include <QStringList>
#include <functional>

namespace verdal {

// A list box of directory or file entries: sorted without regard to case, never holding an
// entry twice, several entries selectable, entries draggable (MIME type kEntriesMime, naming
// the list they come from). Drops are handed to the owner.
class TEntryList : public QListWidget
{
    Q_OBJECT

public:
    static constexpr const char* kEntriesMime = "application/x-verdal-entries";

    explicit TEntryList(QWidget* parent = nullptr);

    void SetEntries(const QStringList& entries);
    QStringList Entries() const;
    QStringList SelectedEntries() const;
    bool Contains(const QString& entry) const;
    // Adds `entry` at its sorted place unless it is listed already; true when added.
    bool AddEntry(const QString& entry);
    // Deletes the selected entries, last to first.
    void RemoveSelected();

    // Called for every drop on the list; true when the owner took it.
    std::function<bool(const QMimeData*)> OnDrop;
    // Reads a drag's entries and the object name of the list they come from.
    static bool ReadEntries(const QMimeData* data, QString& sourceList, QStringList& entries);

protected:
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
    // Drags only copy: the owner decides what a drop removes.
    Qt::DropActions supportedDropActions() const override { return Qt::CopyAction; }
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

}  // namespace verdal
