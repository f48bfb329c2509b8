#include "print/ReviewRenderer.h"

#include <algorithm>
#include <cmath>

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include "engine/Candidate.h"
#include "platform/Clock.h"
#include "settings/GermanFormat.h"
#include "settings/ShortenText.h"

namespace verdal {
namespace {

// The count colours of the group rows, as on screen: green, olive, maroon, navy.
const QColor kCountColors[4] = {QColor(0, 128, 0), QColor(128, 128, 0), QColor(128, 0, 0),
                                QColor(0, 0, 128)};

QColor Shade(int percent)
{
    const int v = 255 * std::clamp(percent, 0, 100) / 100;
    return QColor(v, v, v);
}

QFont MakeFont(const std::string& name, int size, bool bold, bool italic, QPaintDevice* device)
{
    QFont font(QString::fromStdString(name), std::max(1, size), bold ? QFont::Bold : -1, italic);
    return QFont(font, device);
}

QString Shorten(const QString& text, int width, const QFontMetrics& metrics)
{
    if (metrics.horizontalAdvance(text) <= width) {
        return text;
    }
    return QString::fromStdString(
        ShortenToWidth(text.toStdString(), width, [&metrics](const std::string& s) {
            return metrics.horizontalAdvance(QString::fromStdString(s));
        }));
}

}  // namespace

cReviewPageRenderer::cReviewPageRenderer(const std::vector<PrintedRow>& rows,
                                         const PrintedHeader& header, const cPrintFormat& format,
                                         bool metric, int dpi, QSize paper)
    : rows_(rows),
      header_(header),
      format_(format),
      metric_(metric),
      dpi_(std::max(1, dpi)),
      paper_(paper.expandedTo(QSize(1, 1))),
      metrics_(1, 1, QImage::Format_RGB32)
{
    const int dotsPerMeter = static_cast<int>(std::lround(dpi_ / 0.0254));
    metrics_.setDotsPerMeterX(dotsPerMeter);
    metrics_.setDotsPerMeterY(dotsPerMeter);
    headerFont_ = MakeFont(format.HeaderFontName, format.HeaderFontSize, format.HeaderFontBold,
                           format.HeaderFontItalic, &metrics_);
    dataFont_ = MakeFont(format.DataFontName, format.DataFontSize, format.DataFontBold,
                         format.DataFontItalic, &metrics_);
    boldFont_ = dataFont_;
    boldFont_.setBold(true);
    const QFontMetrics normal(dataFont_, &metrics_), bold(boldFont_, &metrics_);
    line_ = std::max(1, normal.height());
    pad_ = std::max(1, line_ / 5);
    // Paper is narrower than a screen: the size and count columns are as wide as the widest
    // number printed, not as wide as the largest possible one.
    numberWidth_ = bold.horizontalAdvance(QStringLiteral("8.888"));
    for (const PrintedRow& row : rows) {
        if (row.Group) {
            for (int64_t count : row.Counts) {
                numberWidth_ =
                    std::max(numberWidth_,
                             bold.horizontalAdvance(QString::fromStdString(FormatNumber(count))));
            }
        } else {
            numberWidth_ = std::max({numberWidth_, normal.horizontalAdvance(row.Source.Size),
                                     normal.horizontalAdvance(row.Destination.Size)});
        }
    }
    dateWidth_ = normal.horizontalAdvance(QStringLiteral("88.88.8888"));
    timeWidth_ = normal.horizontalAdvance(QStringLiteral("88:88:88"));
    gap_ = normal.horizontalAdvance(QStringLiteral(" "));

    left_ = std::clamp(ToDevice(format.LeftMargin), 0, paper_.width() - line_);
    right_ = std::max(left_ + line_, paper_.width() - ToDevice(format.RightMargin));
    geometry_.PaperHeight = paper_.height();
    geometry_.TopMargin = ToDevice(format.TopMargin);
    geometry_.BottomMargin = ToDevice(format.BottomMargin);
    geometry_.HeaderLineHeight = QFontMetrics(headerFont_, &metrics_).height();
    geometry_.ColumnHeaderHeight = 2 * bold.height() + std::max(1, format.PenWidth) + pad_;
    geometry_.Spacing = ToDevice(format.Spacing);
    ClampMargins(geometry_, line_ + pad_);

    heights_.reserve(rows.size());
    std::vector<bool> selected;
    selected.reserve(rows.size());
    for (const PrintedRow& row : rows) {
        heights_.push_back(!row.Group && row.TwoLines ? 2 * (line_ + pad_) : line_ + pad_);
        selected.push_back(row.Selected);
    }
    pages_ = Paginate(heights_, format.Selection ? &selected : nullptr, geometry_, format.Remark);
}

int cReviewPageRenderer::ToDevice(int value) const
{
    return metric_ ? static_cast<int>(std::lround(value * dpi_ / 25.4))
                   : static_cast<int>(std::lround(value * dpi_ / 100.0));
}

std::vector<int> cReviewPageRenderer::RowsOfPage(int page) const
{
    std::vector<int> result;
    if (page < 0 || page >= PageCount()) {
        return result;
    }
    const int first = pages_.FirstRow[static_cast<size_t>(page)];
    const int end = page + 1 < PageCount() ? pages_.FirstRow[static_cast<size_t>(page) + 1]
                                           : static_cast<int>(rows_.size());
    for (int i = first; i < end; ++i) {
        if (!format_.Selection || rows_[static_cast<size_t>(i)].Selected) {
            result.push_back(i);
        }
    }
    return result;
}

void cReviewPageRenderer::DrawPage(QPainter& p, int page, const std::atomic<bool>* cancel,
                                   const std::function<void()>& afterRow) const
{
    p.save();
    int y = DrawHeaders(p, page);
    for (int i : RowsOfPage(page)) {
        if (cancel != nullptr && *cancel) {
            break;
        }
        DrawRow(p, y, static_cast<size_t>(i));
        y += heights_[static_cast<size_t>(i)] + geometry_.Spacing;
        if (afterRow) {
            afterRow();
        }
    }
    p.restore();
}

void cReviewPageRenderer::HeaderLine(QPainter& p, int& y, int height, const QString& left,
                                     const QString& right, const QColor& rightColor) const
{
    const QRect rect(left_, y, right_ - left_, height);
    // A line too long for the text width is set smaller rather than cut.
    const QFont font = p.font();
    const int width = QFontMetrics(font, &metrics_).horizontalAdvance(left);
    if (width > rect.width() && font.pointSizeF() > 0) {
        QFont smaller = font;
        smaller.setPointSizeF(font.pointSizeF() * rect.width() / width);
        p.setFont(smaller);
    }
    p.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, left);
    p.setFont(font);
    if (!right.isEmpty()) {
        const QPen pen = p.pen();
        p.setPen(rightColor);
        p.drawText(rect, Qt::AlignRight | Qt::AlignVCenter, right);
        p.setPen(pen);
    }
    y += height;
}

int cReviewPageRenderer::DrawHeaders(QPainter& p, int page) const
{
    p.setFont(headerFont_);
    p.setPen(Qt::black);
    int y = geometry_.TopMargin;
    const int line = geometry_.HeaderLineHeight;
    const QString pageText =
        QStringLiteral("Seite %1 von %2").arg(page + 1).arg(std::max(1, PageCount()));
    HeaderLine(p, y, line, header_.ProfilePath, pageText, Qt::black);
    if (page == 0) {
        HeaderLine(p, y, line, QString::fromStdString(FormatDateTime("dddd ddddd tt", Now())), {},
                   Qt::black);
        HeaderLine(p, y, line, header_.Totals, {}, Qt::black);
        if (!format_.Remark.empty()) {
            HeaderLine(p, y, line, QString::fromStdString(format_.Remark), {}, Qt::black);
        }
    }
    p.setFont(boldFont_);
    const int dataLine = QFontMetrics(boldFont_, &metrics_).height();
    // A side that lacks room says so in red when printed in colour.
    auto freeColor = [this](const QString& text) {
        return format_.InColor && text.contains(QStringLiteral("fehlen")) ? QColor(Qt::red)
                                                                          : QColor(Qt::black);
    };
    HeaderLine(p, y, dataLine, header_.SourceRoot, header_.SourceFree,
               freeColor(header_.SourceFree));
    HeaderLine(p, y, dataLine, header_.DestinationRoot, header_.DestinationFree,
               freeColor(header_.DestinationFree));
    const int pen = std::max(1, format_.PenWidth);
    y += pad_ / 2;
    p.setPen(QPen(Qt::black, pen, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(left_, y + pen / 2, right_, y + pen / 2);
    return geometry_.TopMargin + HeaderLines(page, format_.Remark) * line +
           geometry_.ColumnHeaderHeight;
}

void cReviewPageRenderer::DrawRow(QPainter& p, int y, size_t index) const
{
    const PrintedRow& row = rows_[index];
    const QRect r(left_, y, right_ - left_, heights_[index]);
    const bool even = index % 2 == 0;
    p.fillRect(r, format_.InColor ? (even ? header_.Block1 : header_.Block2)
                                  : Shade(even ? format_.BlockShade1 : format_.BlockShade2));
    if (row.Group) {
        DrawGroup(p, r, row);
    } else {
        DrawCandidate(p, r, row);
    }
    if (format_.DividingLine) {
        p.setPen(QPen(Qt::gray, 0));
        p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    }
}

void cReviewPageRenderer::DrawGroup(QPainter& p, const QRect& r, const PrintedRow& row) const
{
    const int countsWidth = 4 * (numberWidth_ + gap_);
    int x = r.right() - countsWidth;
    p.setFont(boldFont_);
    for (size_t i = 0; i < row.Counts.size(); ++i) {
        x += gap_;
        p.setPen(format_.InColor ? kCountColors[i] : QColor(Qt::black));
        p.drawText(QRect(x, r.top(), numberWidth_, r.height()), Qt::AlignRight | Qt::AlignVCenter,
                   QString::fromStdString(FormatNumber(row.Counts[i])));
        x += numberWidth_;
    }
    p.setPen(Qt::black);
    const QRect caption(r.left() + line_, r.top(), r.width() - line_ - countsWidth - gap_,
                        r.height());
    p.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter,
               Shorten(row.Text, caption.width(), QFontMetrics(boldFont_, &metrics_)));
}

void cReviewPageRenderer::DrawCandidate(QPainter& p, const QRect& r, const PrintedRow& row) const
{
    const QColor text = format_.InColor ? row.Color : QColor(Qt::black);
    p.setPen(text);
    DrawMarks(p, r, row.Category);
    const int marks = line_;
    const int arrowWidth = line_ * 3 / 2;
    const int left = r.left() + marks;
    const int middle = left + (r.right() - left) / 2;
    const QRect arrow(middle - arrowWidth / 2, r.top(), arrowWidth, line_ + pad_);
    DrawSide(p, QRect(left, r.top(), arrow.left() - gap_ - left, r.height()), row.Source,
             row.TwoLines);
    const int right = arrow.right() + gap_;
    DrawSide(p, QRect(right, r.top(), r.right() - gap_ - right, r.height()), row.Destination,
             row.TwoLines);
    p.setPen(text);
    DrawArrow(p, arrow, row.Action);
}

void cReviewPageRenderer::DrawSide(QPainter& p, const QRect& r, const PrintedSide& side,
                                   bool twoLines) const
{
    if (!side.Shown || r.width() <= 0) {
        return;
    }
    const int line = line_ + pad_;
    const int columns = numberWidth_ + dateWidth_ + timeWidth_ + 3 * gap_;
    const QRect nameRect = twoLines ? QRect(r.left(), r.top(), r.width(), line)
                                    : QRect(r.left(), r.top(), r.width() - columns, line);
    const QFontMetrics normal(dataFont_, &metrics_), bold(boldFont_, &metrics_);
    QString dir, name = side.Name;
    if (bold.horizontalAdvance(name) > nameRect.width()) {
        name = Shorten(name, nameRect.width(), bold);
    } else {
        dir = Shorten(side.Dir, nameRect.width() - bold.horizontalAdvance(name), normal);
    }
    p.setFont(dataFont_);
    p.drawText(nameRect, Qt::AlignLeft | Qt::AlignVCenter, dir);
    p.setFont(boldFont_);
    p.drawText(nameRect.adjusted(normal.horizontalAdvance(dir), 0, 0, 0),
               Qt::AlignLeft | Qt::AlignVCenter, name);
    p.setFont(dataFont_);
    if (!side.Present) {
        return;
    }
    const int top = twoLines ? r.top() + line : r.top();
    int x = r.right() - columns;
    const std::pair<int, const QString*> parts[] = {
        {numberWidth_, &side.Size}, {dateWidth_, &side.Date}, {timeWidth_, &side.Time}};
    for (const auto& [width, part] : parts) {
        x += gap_;
        p.drawText(QRect(x, top, width, line), Qt::AlignRight | Qt::AlignVCenter, *part);
        x += width;
    }
}

void cReviewPageRenderer::DrawMarks(QPainter& p, const QRect& r, int category) const
{
    const int flags[] = {kSizeWarning, kDoubleChange, kPropertiesOnly};
    const QColor colors[] = {QColor(220, 0, 0), QColor(200, 0, 200), QColor(0, 120, 220)};
    const QColor greys[] = {QColor(0, 0, 0), QColor(80, 80, 80), QColor(150, 150, 150)};
    const int width = std::max(1, line_ / 4);
    const int step = line_ / 3;
    const int top = r.top() + pad_ / 2 + line_ / 4;
    for (int i = 0; i < 3; ++i) {
        if (category & flags[i]) {
            p.fillRect(QRect(r.left() + i * step, top, width, line_ / 2),
                       format_.InColor ? colors[i] : greys[i]);
        }
    }
}

void cReviewPageRenderer::DrawArrow(QPainter& p, const QRect& r, int action) const
{
    const QPointF c = QRectF(r).center();
    const double u = line_ / 16.0;  // the screen arrow is drawn on a line of about 16 pixels
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(p.pen().color(), 2 * u));
    QPainterPath path;
    switch (action) {
        case kForward:
        case kBackward: {
            const double d = action == kForward ? u : -u;
            path.moveTo(c.x() - 7 * d, c.y());
            path.lineTo(c.x() + 6 * d, c.y());
            path.moveTo(c.x() + 1 * d, c.y() - 5 * u);
            path.lineTo(c.x() + 6 * d, c.y());
            path.lineTo(c.x() + 1 * d, c.y() + 5 * u);
            break;
        }
        case kDelete:
            path.moveTo(c.x() - 5 * u, c.y() - 5 * u);
            path.lineTo(c.x() + 5 * u, c.y() + 5 * u);
            path.moveTo(c.x() + 5 * u, c.y() - 5 * u);
            path.lineTo(c.x() - 5 * u, c.y() + 5 * u);
            break;
        default:
            path.moveTo(c.x() - 6 * u, c.y() - 2 * u);
            path.lineTo(c.x() + 6 * u, c.y() - 2 * u);
            path.moveTo(c.x() - 6 * u, c.y() + 2 * u);
            path.lineTo(c.x() + 6 * u, c.y() + 2 * u);
            break;
    }
    p.drawPath(path);
    p.restore();
}

}  // namespace verdal
