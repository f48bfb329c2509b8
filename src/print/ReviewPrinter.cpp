#include "print/ReviewPrinter.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

#include "platform/Clock.h"
#include "print/ReviewPages.h"
#include "settings/GermanFormat.h"

namespace verdal {
namespace {

QFont MakeFont(const std::string& name, int size, bool bold, bool italic, QPaintDevice* device)
{
    QFont font(QString::fromStdString(name), std::max(1, size), bold ? QFont::Bold : -1, italic);
    return QFont(font, device);
}

int ToDevice(int value, bool metric, int dpi)
{
    return metric ? value * dpi * 10 / 254 : value * dpi / 100;
}

QColor Shade(int percent)
{
    const int v = 255 * std::clamp(percent, 0, 100) / 100;
    return QColor(v, v, v);
}

class cPageDrawer
{
public:
    cPageDrawer(QPainter& painter, const PrintedHeader& header, const cPrintFormat& format,
                const QFont& headerFont, const QFont& dataFont, int left, int right, int top)
        : p_(painter),
          h_(header),
          f_(format),
          headerFont_(headerFont),
          dataFont_(dataFont),
          left_(left),
          right_(right),
          top_(top)
    {}

    // Draws both headers of `page` (from 0); returns the top of the body.
    int Headers(int page, int pageCount)
    {
        p_.setFont(headerFont_);
        p_.setPen(Qt::black);
        const int line = QFontMetrics(headerFont_, p_.device()).height();
        int y = top_;
        Line(y, line, h_.ProfilePath,
             QStringLiteral("Seite %1 von %2").arg(page + 1).arg(pageCount));
        if (page == 0) {
            Line(y, line, QString::fromStdString(FormatDateTime("dddd ddddd tt", Now())), {});
            Line(y, line, h_.Totals, {});
            if (!f_.Remark.empty()) {
                Line(y, line, QString::fromStdString(f_.Remark), {});
            }
        }
        QFont bold = dataFont_;
        bold.setBold(true);
        p_.setFont(bold);
        const int dataLine = QFontMetrics(bold, p_.device()).height();
        Line(y, dataLine, h_.SourceRoot, h_.SourceFree);
        Line(y, dataLine, h_.DestinationRoot, h_.DestinationFree);
        p_.setPen(QPen(Qt::black, std::max(1, f_.PenWidth)));
        p_.drawLine(left_, y, right_, y);
        return y + std::max(1, f_.PenWidth);
    }

    void Row(int y, int height, int index, const PrintedRow& row)
    {
        const QRect rect(left_, y, right_ - left_, height);
        const bool even = index % 2 == 0;
        p_.fillRect(rect, f_.InColor ? (even ? h_.Block1 : h_.Block2)
                                     : Shade(even ? f_.BlockShade1 : f_.BlockShade2));
        QFont font = dataFont_;
        font.setBold(row.Group || f_.DataFontBold);
        p_.setFont(font);
        p_.setPen(f_.InColor ? row.Color : QColor(Qt::black));
        p_.drawText(rect.adjusted(row.Group ? 0 : height, 0, 0, 0),
                    Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, row.Text);
        if (f_.DividingLine) {
            p_.setPen(QPen(Qt::gray, 0));
            p_.drawLine(left_, rect.bottom(), right_, rect.bottom());
        }
    }

private:
    void Line(int& y, int height, const QString& leftText, const QString& rightText)
    {
        const QRect rect(left_, y, right_ - left_, height);
        p_.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter, leftText);
        if (!rightText.isEmpty()) {
            p_.drawText(rect, Qt::AlignRight | Qt::AlignVCenter, rightText);
        }
        y += height;
    }

    QPainter& p_;
    const PrintedHeader& h_;
    const cPrintFormat& f_;
    QFont headerFont_, dataFont_;
    int left_, right_, top_;
};

}  // namespace

int PrintReviewRows(QPrinter& printer, const std::vector<PrintedRow>& rows,
                    const PrintedHeader& header, const cPrintFormat& format, bool metric,
                    const std::atomic<bool>* cancel)
{
    printer.setFullPage(true);
    printer.setCopyCount(std::clamp(format.Copies, 1, 999));
    QPainter painter;
    if (!painter.begin(&printer)) {
        return 0;
    }
    const int dpi = printer.resolution();
    const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
    const QFont headerFont = MakeFont(format.HeaderFontName, format.HeaderFontSize,
                                      format.HeaderFontBold, format.HeaderFontItalic, &printer);
    const QFont dataFont = MakeFont(format.DataFontName, format.DataFontSize, format.DataFontBold,
                                    format.DataFontItalic, &printer);
    const int rowHeight = QFontMetrics(dataFont, &printer).height() + 2;
    QFont boldData = dataFont;
    boldData.setBold(true);

    PageGeometry g;
    g.PaperHeight = paper.height();
    g.TopMargin = ToDevice(format.TopMargin, metric, dpi);
    g.BottomMargin = ToDevice(format.BottomMargin, metric, dpi);
    g.HeaderLineHeight = QFontMetrics(headerFont, &printer).height();
    g.ColumnHeaderHeight =
        2 * QFontMetrics(boldData, &printer).height() + std::max(1, format.PenWidth);
    g.Spacing = ToDevice(format.Spacing, metric, dpi);
    ClampMargins(g, rowHeight);
    std::vector<int> heights(rows.size(), rowHeight);
    std::vector<bool> selected;
    for (const PrintedRow& row : rows) {
        selected.push_back(row.Selected);
    }
    const auto pages = Paginate(heights, format.Selection ? &selected : nullptr, g, format.Remark);
    const int left = ToDevice(format.LeftMargin, metric, dpi);
    const int right = std::max(left + 1, paper.width() - ToDevice(format.RightMargin, metric, dpi));
    cPageDrawer drawer(painter, header, format, headerFont, dataFont, left, right, g.TopMargin);

    int page = 0;
    int y = drawer.Headers(0, std::max(1, pages.PageCount()));
    for (size_t i = 0; i < rows.size(); ++i) {
        if ((cancel != nullptr && *cancel) || (format.Selection && !rows[i].Selected)) {
            continue;
        }
        const int onPage = pages.PageOfRow(static_cast<int>(i));
        if (onPage > page) {
            printer.newPage();
            page = onPage;
            y = drawer.Headers(page, pages.PageCount());
        }
        drawer.Row(y, rowHeight, static_cast<int>(i), rows[i]);
        y += rowHeight + g.Spacing;
    }
    painter.end();
    return page + 1;
}

}  // namespace verdal
