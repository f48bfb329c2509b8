#include "dialogs/ReviewDelegate.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include "dialogs/ReviewModel.h"
#include "engine/RunContext.h"
#include "settings/GermanFormat.h"
#include "settings/Parameters.h"
#include "settings/ShortenText.h"

namespace verdal {
namespace {

constexpr int kMarkWidth = 7;
constexpr int kMarksZone = 23;
constexpr int kArrowWidth = 21;
constexpr int kGap = 5;

QColor FromColorRef(uint32_t value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// The count colours of the group rows and the legend: green, olive, maroon, navy.
const std::array<QColor, 4> kCountColors{QColor(0, 128, 0), QColor(128, 128, 0), QColor(128, 0, 0),
                                         QColor(0, 0, 128)};

QString Utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string Shorten(const QString& text, int width, const QFontMetrics& metrics)
{
    return ShortenToWidth(text.toStdString(), width, [&metrics](const std::string& s) {
        return metrics.horizontalAdvance(QString::fromStdString(s));
    });
}

}  // namespace

ReviewColors ReviewColors::Resolve(const cOverviewParameters& view, const QPalette& palette)
{
    const std::array<QColor, 6> system{palette.color(QPalette::Base),
                                       palette.color(QPalette::AlternateBase),
                                       palette.color(QPalette::Text),
                                       palette.color(QPalette::Disabled, QPalette::Text),
                                       palette.color(QPalette::Disabled, QPalette::Text),
                                       palette.color(QPalette::Text)};
    std::array<QColor, 6> c;
    for (size_t i = 0; i < c.size(); ++i) {
        c[i] = view.SystemColor[i] ? system[i] : FromColorRef(view.Colors[i]);
    }
    return ReviewColors{c[0], c[1], c[2], c[3], c[4], c[5]};
}

QColor ReviewColors::OfAction(int action) const
{
    switch (action) {
        case kForward:
            return Forward;
        case kSkip:
            return Skip;
        case kDelete:
            return Delete;
        default:
            return Backward;
    }
}

ReviewDelegate::ReviewDelegate(const ReviewModel& model, const ReviewColors& colors,
                               const QFont& font, QObject* parent)
    : QStyledItemDelegate(parent), model_(model), colors_(colors), font_(font), bold_(font)
{
    bold_.setBold(true);
    const QFontMetrics normal(font_), bold(bold_);
    lineHeight_ = normal.height();
    // Widths measured once: the widest count and size, date and time.
    const QString number = Utf8(FormatNumber(int64_t{888888888888}));
    numberWidth_ = std::max(normal.horizontalAdvance(number), bold.horizontalAdvance(number));
    for (int day = 24; day <= 31; ++day) {
        for (int year : {1999, 2000}) {
            const QString date = Utf8(FormatDateTime("ddddd", EncodeDateTime(year, 12, day)));
            dateWidth_ = std::max(dateWidth_, normal.horizontalAdvance(date));
        }
    }
    timeWidth_ = normal.horizontalAdvance(QStringLiteral("23:59:59"));
    gapWidth_ = normal.horizontalAdvance(QStringLiteral(" .. "));
}

QSize ReviewDelegate::sizeHint(const QStyleOptionViewItem& /*option*/,
                               const QModelIndex& index) const
{
    const bool twoLines = !model_.View().OneLineRows && !model_.RowAt(index.row()).IsGroup();
    // The width follows the view; the rows shorten their paths to whatever it is.
    return QSize(1, twoLines ? 2 * lineHeight_ + 8 : lineHeight_ + 4);
}

QRect ReviewDelegate::ArrowRect(const QRect& row) const
{
    const int left = row.left() + kMarksZone;
    const int middle = left + (row.right() - left) / 2;
    return QRect(middle - kArrowWidth / 2, row.top(), kArrowWidth, lineHeight_ + 4);
}

void ReviewDelegate::paint(QPainter* p, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const
{
    const int row = index.row();
    const bool selected = option.state & QStyle::State_Selected;
    const QRect& r = option.rect;
    p->save();
    p->setFont(font_);
    if (const cFolder* group = model_.GroupAt(row)) {
        p->fillRect(r, selected ? option.palette.highlight() : option.palette.button());
        PaintGroup(p, r, *group, model_.RowAt(row).Index(), selected, option.palette);
    } else if (const cCandidate* c = model_.CandidateAt(row)) {
        QColor text = colors_.OfAction(c->Action());
        if (selected) {
            p->fillRect(r, option.palette.highlight());
            text = option.palette.color(QPalette::HighlightedText);
        } else {
            p->fillRect(r, row % 2 == 0 ? colors_.Block1 : colors_.Block2);
        }
        PaintCandidate(p, r, *c, text);
    }
    if (option.state & QStyle::State_HasFocus) {
        p->setPen(QPen(option.palette.color(QPalette::Highlight), 1, Qt::DotLine));
        p->drawRect(r.adjusted(0, 0, -1, -1));
    }
    p->restore();
}

void ReviewDelegate::PaintGroup(QPainter* p, const QRect& r, const cFolder& group, int header,
                                bool selected, const QPalette& palette) const
{
    const QColor text = palette.color(selected ? QPalette::HighlightedText : QPalette::ButtonText);
    // Folder mark: a triangle pointing right when closed, down when open.
    const int cy = r.center().y(), x = r.left() + 4;
    QPainterPath mark;
    if (group.Open) {
        mark.moveTo(x, cy - 3);
        mark.lineTo(x + 8, cy - 3);
        mark.lineTo(x + 4, cy + 3);
    } else {
        mark.moveTo(x + 1, cy - 4);
        mark.lineTo(x + 7, cy);
        mark.lineTo(x + 1, cy + 4);
    }
    mark.closeSubpath();
    p->setRenderHint(QPainter::Antialiasing);
    p->fillPath(mark, text);
    const ActionCounts& counts = model_.CountsOf(header);
    const int countsWidth = 4 * (numberWidth_ + kGap);
    int cx = r.right() - countsWidth;
    p->setFont(bold_);
    for (size_t i = 0; i < counts.size(); ++i) {
        p->setPen(selected ? text : kCountColors[i]);
        p->drawText(QRect(cx, r.top(), numberWidth_, r.height()), Qt::AlignRight | Qt::AlignVCenter,
                    Utf8(FormatNumber(counts[i])));
        cx += numberWidth_ + kGap;
    }
    p->setPen(text);
    const QRect caption(r.left() + 21, r.top(), r.width() - 21 - countsWidth - kGap, r.height());
    p->drawText(caption, Qt::AlignLeft | Qt::AlignVCenter,
                Utf8(Shorten(Utf8(group.Caption), caption.width(), QFontMetrics(bold_))));
}

void ReviewDelegate::PaintCandidate(QPainter* p, const QRect& r, const cCandidate& c,
                                    const QColor& text) const
{
    p->setPen(text);
    PaintMarks(p, r, c.Category);
    const QRect arrow = ArrowRect(r);
    const int left = r.left() + kMarksZone;
    PaintHalf(p, QRect(left, r.top(), arrow.left() - kGap - left, r.height()), c, true);
    const int right = arrow.right() + kGap;
    PaintHalf(p, QRect(right, r.top(), r.right() - 2 - right, r.height()), c, false);
    PaintArrow(p, arrow, c.Action(), text);
}

void ReviewDelegate::PaintMarks(QPainter* p, const QRect& r, int category) const
{
    const int flags[] = {kSizeWarning, kDoubleChange, kPropertiesOnly};
    const QColor colors[] = {QColor(220, 0, 0), QColor(200, 0, 200), QColor(0, 120, 220)};
    const int top = r.top() + 2 + (lineHeight_ - 8) / 2;
    for (int i = 0; i < 3; ++i) {
        if (!(category & flags[i])) {
            continue;
        }
        const QRect mark(r.left() + 2 + i * kMarkWidth, top, kMarkWidth - 1, 9);
        p->fillRect(mark, colors[i]);
    }
}

void ReviewDelegate::PaintArrow(QPainter* p, const QRect& r, int action, const QColor& color) const
{
    const QPointF c = QRectF(r).center();
    p->setRenderHint(QPainter::Antialiasing);
    p->setPen(QPen(color, 2));
    QPainterPath path;
    switch (action) {
        case kForward:
        case kBackward: {
            const double d = action == kForward ? 1 : -1;
            path.moveTo(c.x() - 7 * d, c.y());
            path.lineTo(c.x() + 6 * d, c.y());
            path.moveTo(c.x() + 1 * d, c.y() - 5);
            path.lineTo(c.x() + 6 * d, c.y());
            path.lineTo(c.x() + 1 * d, c.y() + 5);
            break;
        }
        case kDelete:
            path.moveTo(c.x() - 5, c.y() - 5);
            path.lineTo(c.x() + 5, c.y() + 5);
            path.moveTo(c.x() + 5, c.y() - 5);
            path.lineTo(c.x() - 5, c.y() + 5);
            break;
        default:
            path.moveTo(c.x() - 6, c.y() - 2);
            path.lineTo(c.x() + 6, c.y() - 2);
            path.moveTo(c.x() - 6, c.y() + 2);
            path.lineTo(c.x() + 6, c.y() + 2);
            break;
    }
    p->drawPath(path);
    p->setRenderHint(QPainter::Antialiasing, false);
}

void ReviewDelegate::PaintHalf(QPainter* p, const QRect& r, const cCandidate& c, bool source) const
{
    const FileStamp& stamp = source ? c.Source : c.Destination;
    const bool exists = stamp.LastWrite != 0;
    if (!exists && !model_.View().AlwaysShowPaths) {
        return;
    }
    const cRunContext& run = model_.Run();
    const std::string& dir = (source ? run.SourceDirs : run.DestinationDirs)[c.DirIndex];
    const QString name = Utf8(source ? c.SourceFileName() : c.DestinationFileName());
    const bool twoLines = !model_.View().OneLineRows;
    const int line = lineHeight_ + 4;
    const int columns = numberWidth_ + dateWidth_ + timeWidth_ + 3 * kGap;
    const QRect nameRect = twoLines ? QRect(r.left(), r.top() + 2, r.width(), line)
                                    : QRect(r.left(), r.top(), r.width() - columns, line);
    PaintPathAndName(p, nameRect, Utf8(RelativeDirText(dir)), name);
    if (!exists) {
        return;
    }
    const TDateTime date = source ? c.SourceDate : c.DestinationDate;
    const int top = twoLines ? r.top() + 2 + line : r.top();
    int x = r.right() - columns;
    const std::pair<int, QString> parts[] = {
        {numberWidth_, Utf8(FormatNumber(stamp.Size))},
        {dateWidth_, Utf8(FormatDateTime("ddddd", date))},
        {timeWidth_, Utf8(FormatDateTime("tt", date))},
    };
    for (const auto& [width, text] : parts) {
        x += kGap;
        p->drawText(QRect(x, top, width, line), Qt::AlignRight | Qt::AlignVCenter, text);
        x += width;
    }
}

void ReviewDelegate::PaintPathAndName(QPainter* p, const QRect& r, const QString& dir,
                                      const QString& name) const
{
    const QFontMetrics normal(font_), bold(bold_);
    const int nameWidth = bold.horizontalAdvance(name);
    QString shownDir, shownName = name;
    if (nameWidth > r.width()) {
        shownName = Utf8(Shorten(name, r.width(), bold));
    } else if (!dir.isEmpty()) {
        shownDir = Utf8(Shorten(dir, r.width() - nameWidth, normal));
    }
    p->setFont(font_);
    p->drawText(r, Qt::AlignLeft | Qt::AlignVCenter, shownDir);
    const int dirWidth = normal.horizontalAdvance(shownDir);
    p->setFont(bold_);
    p->drawText(r.adjusted(dirWidth, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, shownName);
    p->setFont(font_);
}

}  // namespace verdal
