#include "print/ReviewPages.h"

#include <algorithm>

namespace verdal {

int HeaderLines(int page, const std::string& remark)
{
    if (page > 0) {
        return 1;
    }
    return remark.empty() ? 3 : 4;
}

void ClampMargins(PageGeometry& g, int rowHeight)
{
    const int room = std::max(0, g.PaperHeight - std::max(1, rowHeight));
    g.TopMargin = std::clamp(g.TopMargin, 0, room);
    g.BottomMargin = std::clamp(g.BottomMargin, 0, room - g.TopMargin);
}

int BodyTop(const PageGeometry& g, int page, const std::string& remark)
{
    return g.TopMargin + HeaderLines(page, remark) * g.HeaderLineHeight + g.ColumnHeaderHeight;
}

int ReviewPagination::PageOfRow(int row) const
{
    const auto it = std::upper_bound(FirstRow.begin(), FirstRow.end(), row);
    return it == FirstRow.begin() ? -1 : static_cast<int>(it - FirstRow.begin()) - 1;
}

ReviewPagination Paginate(const std::vector<int>& rowHeights, const std::vector<bool>* selected,
                          const PageGeometry& g, const std::string& remark)
{
    ReviewPagination pages;
    const int bottom = g.PaperHeight - g.BottomMargin;
    int y = 0;
    bool pageEmpty = true;
    for (size_t i = 0; i < rowHeights.size(); ++i) {
        if (selected != nullptr && (i >= selected->size() || !(*selected)[i])) {
            continue;
        }
        const int row = static_cast<int>(i);
        if (pages.FirstRow.empty()) {
            pages.FirstRow.push_back(row);
            y = BodyTop(g, 0, remark);
        } else if (!pageEmpty && y + rowHeights[i] > bottom) {
            y = BodyTop(g, pages.PageCount(), remark);
            pages.FirstRow.push_back(row);
        }
        y += rowHeights[i] + g.Spacing;
        pageEmpty = false;
    }
    return pages;
}

}  // namespace verdal
