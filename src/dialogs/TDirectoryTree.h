#pragma once

#include <QString>
#include <QTreeWidget>

namespace verdal {

// The directories of one drive as a tree, filled lazily: SetDrive lists the root, and every
// other directory is read when its node is first expanded, never the whole drive up front.
// Reads wait a bounded time, so a dead network mount shows its node as unreadable
// (IsUnreadable) instead of freezing the window.
//
// Use: SetDrive(drive), SelectPath("\Daten\Briefe\"), SelectedPath(); PathChanged fires when the
// user selects another directory, unless the owner has detached it with SetChangeHandlerEnabled.
// Paths are relative to the drive, with backslashes, beginning and ending with "\".
// SetDragPaths(true) lets the owner drag the selected directory (MIME type kDirectoryMime).
class TDirectoryTree : public QTreeWidget
{
    Q_OBJECT

public:
    static constexpr const char* kDirectoryMime = "application/x-verdal-directory";

    explicit TDirectoryTree(QWidget* parent = nullptr);

    // How long one directory read may take before the node counts as unreadable.
    static void SetReadTimeout(int milliseconds);

    void SetDrive(const QString& drive);
    QString Drive() const { return drive_; }
    // Expands the nodes along `path` and selects its last existing directory; true when the
    // whole path was found.
    bool SelectPath(const QString& path);
    QString SelectedPath() const;
    // True when the directory's node could not be read (or does not exist in the tree).
    bool IsUnreadable(const QString& path) const;

    void SetChangeHandlerEnabled(bool enabled) { changeHandler_ = enabled; }
    void SetDragPaths(bool enabled);

signals:
    void PathChanged(const QString& path);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::CopyAction; }

private:
    void Populate(QTreeWidgetItem* item);
    void OnExpanded(QTreeWidgetItem* item);
    void OnCollapsed(QTreeWidgetItem* item);
    QString PathOf(const QTreeWidgetItem* item) const;
    QTreeWidgetItem* ItemOf(const QString& path, bool expandAlong);

    QString drive_;
    bool changeHandler_ = true;
};

}  // namespace verdal
