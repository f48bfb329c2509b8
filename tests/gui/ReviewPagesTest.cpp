#include "print/ReviewPages.h"

#include <gtest/gtest.h>

#include "print/PrintFormat.h"
#include "settings/OptionsFile.h"
#include "support/TestDir.h"

using namespace verdal;

namespace {

// A page of 1000 units: margins 100, header lines 20, column header 40, rows 50.
PageGeometry Page()
{
    PageGeometry g;
    g.PaperHeight = 1000;
    g.TopMargin = 100;
    g.BottomMargin = 100;
    g.HeaderLineHeight = 20;
    g.ColumnHeaderHeight = 40;
    return g;
}

}  // namespace

TEST(ReviewPagesTest, RowsFillPagesAndBreakBeforeTheBottomMargin)
{
    // Page 1 body: 100 + 3*20 + 40 = 200 .. 900 -> 14 rows; later pages 160 .. 900 -> 14 rows
    // (14*50 = 700 <= 740, a 15th would end at 910).
    const std::vector<int> heights(40, 50);
    const auto pages = Paginate(heights, nullptr, Page(), "");
    EXPECT_EQ(pages.FirstRow, (std::vector<int>{0, 14, 28}));
    EXPECT_EQ(pages.PageOfRow(13), 0);
    EXPECT_EQ(pages.PageOfRow(14), 1);
    EXPECT_EQ(pages.PageOfRow(39), 2);
}

TEST(ReviewPagesTest, RemarkMovesThePageBreaks)
{
    PageGeometry g = Page();
    g.HeaderLineHeight = 50;  // a remark line as high as one row
    const std::vector<int> heights(30, 50);
    // Without remark: 100 + 150 + 40 = 290 .. 900 -> 12 rows; with it 340 -> 11 rows.
    EXPECT_EQ(Paginate(heights, nullptr, g, "").FirstRow.at(1), 12);
    EXPECT_EQ(Paginate(heights, nullptr, g, "Sicherung vom Freitag").FirstRow.at(1), 11);
}

TEST(ReviewPagesTest, SelectionPlacesOnlySelectedRows)
{
    const std::vector<int> heights(100, 50);
    std::vector<bool> selected(100, false);
    selected[3] = selected[87] = true;
    const auto pages = Paginate(heights, &selected, Page(), "");
    EXPECT_EQ(pages.PageCount(), 1);
    EXPECT_EQ(pages.FirstRow, std::vector<int>{3});
    EXPECT_EQ(pages.PageOfRow(87), 0);
    std::vector<bool> none(100, false);
    EXPECT_EQ(Paginate(heights, &none, Page(), "").PageCount(), 0);
}

TEST(ReviewPagesTest, SpacingCountsAfterEveryRow)
{
    PageGeometry g = Page();
    g.Spacing = 50;  // every row now takes 100 units
    const auto pages = Paginate(std::vector<int>(20, 50), nullptr, g, "");
    EXPECT_EQ(pages.FirstRow.at(1), 7);
}

TEST(ReviewPagesTest, PaginationEndsEvenWhenNothingFits)
{
    // Margins that leave no body and a row taller than the paper: every row gets a page of its
    // own instead of an endless walk.
    PageGeometry g = Page();
    g.TopMargin = 600;
    g.BottomMargin = 600;
    const auto pages = Paginate({50, 5000, 50}, nullptr, g, "Bemerkung");
    EXPECT_EQ(pages.FirstRow, (std::vector<int>{0, 1, 2}));

    ClampMargins(g, 50);
    EXPECT_LE(g.TopMargin + g.BottomMargin, g.PaperHeight - 50);
    EXPECT_EQ(g.TopMargin, 600);
    EXPECT_EQ(g.BottomMargin, 350);
}

TEST(PrintFormatTest, DefaultsByUnitAndPenWidthWrittenBackAsFive)
{
    test::TestDir dir;
    SetOptionsFilePath(dir.filePath("Verdal50.ini"));
    cPrintFormat format;
    format.Load(false);
    EXPECT_EQ(format.TopMargin, 100);
    EXPECT_EQ(format.BlockShade2, 90);
    format.Load(true);
    EXPECT_EQ(format.TopMargin, 25);
    EXPECT_EQ(format.PenWidth, 3);
    format.Remark = "Keller";
    format.Copies = 2;
    format.Save();
    EXPECT_EQ(ReadOptionInt("Print Format", "PenWidth", 0), 5);
    cPrintFormat again;
    again.Load(true);
    EXPECT_EQ(again.PenWidth, 5);
    EXPECT_EQ(again.Remark, "Keller");
    EXPECT_EQ(again.Copies, 2);
    SetOptionsFilePath({});
}
