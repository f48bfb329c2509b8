#include "app/MainWnd.h"

#include <algorithm>

#include "dialogs/NewTreeView.h"
#include "settings/Macros.h"
#include "settings/Parameters.h"
#include "settings/Summary.h"

namespace verdal {

TMainWnd::TMainWnd(QWidget* parent) : QMainWindow(parent), profileTree_(new TNewTreeView(this))
{
    setObjectName(QStringLiteral("MainWnd"));
    profileTree_->setObjectName(QStringLiteral("ProfileTree"));
    profileTree_->setToolTip(QStringLiteral("Rechts klicken zum Ändern"));
    setCentralWidget(profileTree_);
    setMinimumSize(520, 138);
    RefreshCaption();
    RefreshDocumentView();
}

TMainWnd::~TMainWnd() = default;

bool TMainWnd::OpenFile(const std::string& path)
{
    const std::string expanded = ExpandMacros(path);
    cParameters& params = Params();
    if (expanded.empty() || !params.LoadFromFile(expanded)) {
        return false;
    }
    params.FileName = expanded;
    params.ReadLastUpdate(expanded);
    RefreshCaption();
    RefreshDocumentView();
    return true;
}

void TMainWnd::ApplyPlacement()
{
    const cWindowPos& pos = Params().WindowPositions[kWinMain];
    move(pos.Left, pos.Top);
    resize(std::max(pos.Right - pos.Left, 520), std::max(pos.Bottom - pos.Top, 138));
    if (pos.Maximized) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

void TMainWnd::StorePlacement()
{
    // The restored rectangle, also while maximised, so that un-maximising lands there; the
    // position is the frame's and the size the client area's, as ApplyPlacement takes them.
    const QRect normal = isMaximized() ? normalGeometry() : QRect(pos(), size());
    cWindowPos& pos = Params().WindowPositions[kWinMain];
    pos.Left = static_cast<int16_t>(normal.left());
    pos.Top = static_cast<int16_t>(normal.top());
    pos.Right = static_cast<int16_t>(normal.left() + normal.width());
    pos.Bottom = static_cast<int16_t>(normal.top() + normal.height());
    pos.Maximized = isMaximized();
}

void TMainWnd::RefreshCaption()
{
    setWindowTitle(QStringLiteral("Verdal 5 - ") + QString::fromStdString(Params().FileName));
}

void TMainWnd::RefreshDocumentView()
{
    cParameters& params = Params();
    auto summary = BuildSummary(params);
    profileTree_->ShowSummary(*summary);
    summary_ = std::move(summary);
    const SummaryGroups& groups = params.Groups;
    SummaryNode* const first = params.FileKind == 1 ? groups.Batch : groups.Source;
    for (SummaryNode* node : {first, params.FileKind == 0 ? groups.Destination : nullptr}) {
        if (QTreeWidgetItem* item = profileTree_->ItemOf(node)) {
            item->setExpanded(true);
        }
    }
    profileTree_->setCurrentItem(profileTree_->ItemOf(first));
}

}  // namespace verdal
