#pragma once

#include <QFont>
#include <QImage>
#include <QSize>
#include <atomic>
#include <functional>
#include <vector>

#include "print/PrintFormat.h"
#include "print/PrintedRows.h"
#include "print/ReviewPages.h"

class QPainter;

namespace verdal {

// Lays the printed review list out on pages of a given paper size and resolution and draws
// any one of them. The printer and the preview share it: the preview draws the same page into
// a picture with the printer's resolution, scaled down, so both show the same breaks.
class cReviewPageRenderer
{
public:
    // `paper` in device pixels at `dpi`; coordinates start at the paper's edge.
    cReviewPageRenderer(const std::vector<PrintedRow>& rows, const PrintedHeader& header,
                        const cPrintFormat& format, bool metric, int dpi, QSize paper);

    int PageCount() const { return pages_.PageCount(); }
    const ReviewPagination& Pages() const { return pages_; }
    const PageGeometry& Geometry() const { return geometry_; }
    int RowHeight(size_t row) const { return heights_[row]; }
    // The rows printed on `page` (from 0), in order.
    std::vector<int> RowsOfPage(int page) const;

    // Draws `page` (from 0) with both headers; with an empty list page 0 has the headers only.
    // A set `cancel` stops further rows; `afterRow` runs after each row drawn.
    void DrawPage(QPainter& painter, int page, const std::atomic<bool>* cancel = nullptr,
                  const std::function<void()>& afterRow = {}) const;

    // Device units of a margin or spacing value of the format.
    int ToDevice(int value) const;

private:
    int DrawHeaders(QPainter& p, int page) const;
    void DrawRow(QPainter& p, int y, size_t index) const;
    void DrawGroup(QPainter& p, const QRect& r, const PrintedRow& row) const;
    void DrawCandidate(QPainter& p, const QRect& r, const PrintedRow& row) const;
    void DrawSide(QPainter& p, const QRect& r, const PrintedSide& side, bool twoLines) const;
    void DrawMarks(QPainter& p, const QRect& r, int category) const;
    void DrawArrow(QPainter& p, const QRect& r, int action) const;
    void HeaderLine(QPainter& p, int& y, int height, const QString& left, const QString& right,
                    const QColor& rightColor) const;

    const std::vector<PrintedRow>& rows_;
    const PrintedHeader& header_;
    const cPrintFormat format_;
    bool metric_;
    int dpi_;
    QSize paper_;
    QImage metrics_;  // a device with the target resolution, for measuring text
    QFont headerFont_, dataFont_, boldFont_;
    int line_ = 0, pad_ = 0;
    int numberWidth_ = 0, dateWidth_ = 0, timeWidth_ = 0, gap_ = 0;
    int left_ = 0, right_ = 0;
    std::vector<int> heights_;
    PageGeometry geometry_;
    ReviewPagination pages_;
};

}  // namespace verdal
