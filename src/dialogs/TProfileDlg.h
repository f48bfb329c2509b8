#pragma once

#include <QWidget>
#include <memory>
#include <string>

namespace verdal {

class TNewTreeView;
class cParameters;
struct SummaryNode;

// The profile window: one profile file shown read-only as its settings tree, in a window that
// keeps its own placement ("Profile Window").
class TProfileDlg : public QWidget
{
    Q_OBJECT

public:
    explicit TProfileDlg(const std::string& path, QWidget* parent = nullptr);
    ~TProfileDlg() override;

    // Reads the file into a profile of its own (the open document stays as it is); false when
    // it cannot be read (the reader has said why).
    bool Load();

    TNewTreeView* ProfileTree;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    std::string path_;
    std::unique_ptr<cParameters> profile_;
    std::unique_ptr<SummaryNode> summary_;
};

// Shows the profile window for `path`; `modal` waits until it is closed.
void ShowProfileWindow(QWidget* parent, const std::string& path, bool modal);

}  // namespace verdal
