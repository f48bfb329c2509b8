#include "print/ReviewPrinter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QStandardPaths>

#include "DialogTestEnvironment.h"
#include "PdfTools.h"
#include "engine/Candidate.h"
#include "print/ReviewRenderer.h"
#include "support/TestDir.h"

using namespace verdal;
using namespace verdal::test;

namespace {

class ReviewPrintTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            GTEST_SKIP() << "poppler-utils ist nicht installiert";
        }
        for (int i = 0; i < 120; ++i) {
            PrintedRow row;
            row.Group = i % 20 == 0;
            row.Text = QStringLiteral("Ordner %1").arg(i / 20);
            row.Counts = {i, 2, 3, 4};
            row.Source = {true,
                          true,
                          QStringLiteral("Briefe/"),
                          QStringLiteral("d%1.txt").arg(i),
                          QStringLiteral("1.234"),
                          QStringLiteral("07.12.2026"),
                          QStringLiteral("10:15:00")};
            row.Destination = {true,
                               i % 2 == 0,
                               QStringLiteral("Briefe/"),
                               QStringLiteral("d%1.txt").arg(i),
                               QStringLiteral("98.765"),
                               QStringLiteral("01.12.2026"),
                               QStringLiteral("09:00:00")};
            row.Color = i % 3 == 0 ? QColor(Qt::darkGreen) : QColor(Qt::black);
            rows.push_back(row);
        }
        header.ProfilePath = QStringLiteral("/home/anna/Sicherung.vrd");
        header.Totals = QStringLiteral(
            "Vorwärts 100, Überspringen 14, Löschen 0, Rückwärts 0; "
            "12,500 MB Transfer");
        header.SourceRoot = QStringLiteral("/home/anna/Daten");
        header.SourceFree = QStringLiteral("20,0 GB frei");
        header.DestinationRoot = QStringLiteral("/media/anna/STICK");
        header.DestinationFree = QStringLiteral("3,5 GB frei");
    }

    QString Print(const cPrintFormat& format, const std::atomic<bool>* cancel = nullptr)
    {
        const QString pdf = QString::fromStdString(dir.filePath("liste.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printed = PrintReviewRows(printer, rows, header, format, true, cancel);
        return pdf;
    }

    test::TestDir dir;
    std::vector<PrintedRow> rows;
    PrintedHeader header;
    int printed = 0;
};

}  // namespace

TEST_F(ReviewPrintTest, AllRows_SeveralPagesEachWithItsHeader)
{
    cPrintFormat format;
    format.Remark = "Wochensicherung";
    const QString pdf = Print(format);
    const int pages = PdfPages(pdf);
    EXPECT_GE(pages, 2);
    EXPECT_EQ(pages, printed);
    const QString text = PdfText(pdf, true);
    EXPECT_TRUE(text.contains(QStringLiteral("/home/anna/Sicherung.vrd")));
    EXPECT_TRUE(text.contains(QStringLiteral("Seite 1 von %1").arg(pages)));
    EXPECT_TRUE(text.contains(QStringLiteral("Seite %1 von %1").arg(pages)));
    EXPECT_TRUE(text.contains(QStringLiteral("Wochensicherung")));
    EXPECT_TRUE(text.contains(QStringLiteral("Vorwärts 100")));
    EXPECT_EQ(text.count(QStringLiteral("Wochensicherung")), 1);  // page 1 only
    EXPECT_EQ(text.count(QStringLiteral("/media/anna/STICK")), pages);
    EXPECT_TRUE(text.contains(QStringLiteral("d119.txt")));
}

TEST_F(ReviewPrintTest, SelectionOfTwoRows_OnePageWithBoth)
{
    rows[5].Selected = true;
    rows[97].Selected = true;
    cPrintFormat format;
    format.Selection = true;
    const QString pdf = Print(format);
    EXPECT_EQ(PdfPages(pdf), 1);
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("d5.txt")));
    EXPECT_TRUE(text.contains(QStringLiteral("d97.txt")));
    EXPECT_FALSE(text.contains(QStringLiteral("d6.txt")));
}

TEST_F(ReviewPrintTest, CancelStopsTheRowsButEndsTheDocument)
{
    std::atomic<bool> cancel{true};
    const QString pdf = Print(cPrintFormat{}, &cancel);
    EXPECT_EQ(PdfPages(pdf), 1);
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Seite 1 von")));
    EXPECT_FALSE(text.contains(QStringLiteral("d1.txt")));
}

// Rows print in the screen row's columns: both sides with size, date and time on the name's
// line, or below it in the two-line view; a side without the file shows no size.
TEST_F(ReviewPrintTest, RowsKeepTheScreenColumns_OneAndTwoLines)
{
    auto lineWith = [](const QStringList& lines, const QString& what) {
        for (int i = 0; i < lines.size(); ++i) {
            if (lines[i].contains(what)) {
                return i;
            }
        }
        return -1;
    };
    QStringList lines = PdfText(Print(cPrintFormat{}), true).split(QLatin1Char('\n'));
    int at = lineWith(lines, QStringLiteral("d2.txt"));
    ASSERT_GE(at, 0);
    EXPECT_TRUE(lines[at].contains(QStringLiteral("1.234")));
    EXPECT_TRUE(lines[at].contains(QStringLiteral("07.12.2026")));
    EXPECT_TRUE(lines[at].contains(QStringLiteral("10:15:00")));
    EXPECT_TRUE(lines[at].contains(QStringLiteral("98.765")));
    at = lineWith(lines, QStringLiteral("d3.txt"));
    ASSERT_GE(at, 0);
    EXPECT_FALSE(lines[at].contains(QStringLiteral("98.765")));  // not on the destination
    at = lineWith(lines, QStringLiteral("Ordner 1"));
    ASSERT_GE(at, 0);
    EXPECT_TRUE(lines[at].contains(QStringLiteral("20")));  // its first count

    for (PrintedRow& row : rows) {
        row.TwoLines = true;
    }
    const int onePage = printed;
    lines = PdfText(Print(cPrintFormat{}), true).split(QLatin1Char('\n'));
    at = lineWith(lines, QStringLiteral("d2.txt"));
    ASSERT_GE(at, 0);
    ASSERT_LT(at + 1, lines.size());
    EXPECT_FALSE(lines[at].contains(QStringLiteral("1.234")));
    EXPECT_TRUE(lines[at + 1].contains(QStringLiteral("1.234")));
    EXPECT_GT(printed, onePage);  // two-line rows need more pages
}

// The same page drawn small: block shading alternates, grey shades without "Farbig"; the
// warning marks stand at the row's left edge, in colour or in black; dividing lines.
TEST_F(ReviewPrintTest, ShadingMarksAndDividingLines)
{
    cPrintFormat format;
    format.DividingLine = false;
    header.Block1 = QColor(255, 255, 200);
    header.Block2 = QColor(200, 255, 255);
    for (PrintedRow& row : rows) {
        row = PrintedRow{};  // empty rows: only the background is drawn
    }
    rows[2].Category = kSizeWarning;
    QImage image;
    std::vector<int> tops;  // of each row on page 1
    int left = 0;
    auto draw = [&] {
        const QSize paper(595, 842);  // A4 at 72 dots per inch
        cReviewPageRenderer renderer(rows, header, format, true, 72, paper);
        image = QImage(paper, QImage::Format_RGB32);
        image.setDotsPerMeterX(2835);
        image.setDotsPerMeterY(2835);
        image.fill(Qt::black);
        QPainter painter(&image);
        renderer.DrawPage(painter, 0);
        painter.end();
        tops = {BodyTop(renderer.Geometry(), 0, format.Remark)};
        for (size_t i = 0; i < 4; ++i) {
            tops.push_back(tops.back() + renderer.RowHeight(i));
        }
        left = renderer.ToDevice(format.LeftMargin);
    };
    auto middle = [&](int row) {
        return image.pixelColor(left + 10, (tops[row] + tops[row + 1]) / 2);
    };
    auto bottomLine = [&](int row) { return image.pixelColor(left + 10, tops[row + 1] - 1); };
    auto hasMark = [&](int row, const QColor& color) {
        for (int y = tops[row]; y < tops[row + 1]; ++y) {
            for (int x = left; x < left + 6; ++x) {
                if (image.pixelColor(x, y) == color) {
                    return true;
                }
            }
        }
        return false;
    };
    draw();
    EXPECT_EQ(middle(0), header.Block1);
    EXPECT_EQ(middle(1), header.Block2);
    EXPECT_EQ(bottomLine(0), header.Block1);
    EXPECT_TRUE(hasMark(2, QColor(220, 0, 0)));
    EXPECT_FALSE(hasMark(1, QColor(220, 0, 0)));
    format.InColor = false;
    format.BlockShade1 = 50;
    format.BlockShade2 = 80;
    format.DividingLine = true;
    draw();
    EXPECT_EQ(middle(0), QColor(127, 127, 127));
    EXPECT_EQ(middle(1), QColor(204, 204, 204));
    EXPECT_EQ(bottomLine(1), QColor(Qt::gray));
    EXPECT_TRUE(hasMark(2, QColor(Qt::black)));
}
