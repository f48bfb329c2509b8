#pragma once

#include <QMainWindow>
#include <memory>
#include <string>

namespace verdal {

class TNewTreeView;
struct SummaryNode;

// The main window: shows the open document (profile or batch file) of the settings object as
// the profile tree, with the file name in the caption.
class TMainWnd : public QMainWindow
{
    Q_OBJECT

public:
    explicit TMainWnd(QWidget* parent = nullptr);
    ~TMainWnd() override;

    // Reads `path` (macros expanded) into the settings object. On success the window shows it
    // and its last-run time is read; on failure the reader has said why and the previous
    // document stays. The run-after-open automation belongs to the start sequence.
    bool OpenFile(const std::string& path);

    // Window placement from and to the settings object's "Main Window" record.
    void ApplyPlacement();
    void StorePlacement();

    // Caption "Verdal 5 - " + file name.
    void RefreshCaption();
    // Rebuilds the profile tree; expands and selects the document's first group.
    void RefreshDocumentView();

    TNewTreeView* ProfileTree() const { return profileTree_; }

private:
    TNewTreeView* profileTree_;
    std::unique_ptr<SummaryNode> summary_;  // the nodes the tree items stand for
};

}  // namespace verdal
