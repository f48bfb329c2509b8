#pragma once

#include <string>
#include <vector>

namespace verdal {

// The vertical layout of a printed page in device units, measured from the paper's top edge.
struct PageGeometry
{
    int PaperHeight = 0;
    int TopMargin = 0, BottomMargin = 0;
    int HeaderLineHeight = 0;  // one line of the page header
    int ColumnHeaderHeight = 0;
    int Spacing = 0;  // added after every row
};

// Lines of the page header: page 1 has the path, the date, the totals and the remark when there
// is one; later pages only the path.
int HeaderLines(int page, const std::string& remark);

// Keeps at least one row's height between the margins, so a page always has a body.
void ClampMargins(PageGeometry& geometry, int rowHeight);

// The first row of each printed page. Rows are placed from the top of the body (below the
// page and column headers) down to the bottom margin; a row that does not fit starts a new
// page, and a row taller than an empty page stands alone on one, so the walk always ends.
// With `selected` (one flag per row) only selected rows are placed.
struct ReviewPagination
{
    std::vector<int> FirstRow;
    int PageCount() const { return static_cast<int>(FirstRow.size()); }
    // The page (counted from 0) that holds `row`; -1 when the row is not printed.
    int PageOfRow(int row) const;
};

int BodyTop(const PageGeometry& geometry, int page, const std::string& remark);
ReviewPagination Paginate(const std::vector<int>& rowHeights, const std::vector<bool>* selected,
                          const PageGeometry& geometry, const std::string& remark);

}  // namespace verdal
