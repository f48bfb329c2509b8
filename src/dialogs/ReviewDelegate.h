#pragma once

#include <array>

#include <QColor>
#include <QFont>
#include <QStyledItemDelegate>

namespace verdal {

struct cOverviewParameters;
struct cCandidate;
struct cFolder;
class ReviewModel;

// The colours of the list, resolved once from the overview settings: the two alternating
// blocks and the text colour of each action.
struct ReviewColors
{
    QColor Block1, Block2, Forward, Skip, Delete, Backward;

    static ReviewColors Resolve(const cOverviewParameters& view, const QPalette& palette);
    QColor OfAction(int action) const;
};

// Paints the rows of the review list: group rows with their mark, caption and four counts,
// candidate rows in one or two lines with warning marks, both halves and the action arrow.
// Column widths are measured once from the font.
class ReviewDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    ReviewDelegate(const ReviewModel& model, const ReviewColors& colors, const QFont& font,
                   QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The zone at a row's left edge that toggles a group or cycles an action.
    static constexpr int kLeftZone = 16;
    // The action arrow's rectangle inside a row's rectangle.
    QRect ArrowRect(const QRect& row) const;
    int LineHeight() const { return lineHeight_; }

private:
    void PaintGroup(QPainter* p, const QRect& r, const cFolder& group, int header, bool selected,
                    const QPalette& palette) const;
    void PaintCandidate(QPainter* p, const QRect& r, const cCandidate& c, const QColor& text) const;
    void PaintHalf(QPainter* p, const QRect& r, const cCandidate& c, bool source) const;
    void PaintArrow(QPainter* p, const QRect& r, int action, const QColor& color) const;
    void PaintMarks(QPainter* p, const QRect& r, int category) const;
    void PaintPathAndName(QPainter* p, const QRect& r, const QString& dir,
                          const QString& name) const;

    const ReviewModel& model_;
    ReviewColors colors_;
    QFont font_, bold_;
    int lineHeight_ = 0;
    int numberWidth_ = 0, dateWidth_ = 0, timeWidth_ = 0, gapWidth_ = 0;
};

}  // namespace verdal
