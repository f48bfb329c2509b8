#include "print/PagePreview.h"

#include <cmath>

#include <QImage>
#include <QPainter>

#include "print/ReviewRenderer.h"

namespace verdal {

cPagePreview::cPagePreview(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(210, 297);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void cPagePreview::Show(const cReviewPageRenderer* renderer, int dpi, QSize paper, int page)
{
    renderer_ = renderer;
    dpi_ = std::max(1, dpi);
    paper_ = paper.expandedTo(QSize(1, 1));
    page_ = page;
    update();
}

QRect cPagePreview::PageRect() const
{
    const QRect room = rect().adjusted(6, 6, -10, -10);
    QSize size = paper_.scaled(room.size(), Qt::KeepAspectRatio);
    size = size.expandedTo(QSize(1, 1));
    return QRect(room.left() + (room.width() - size.width()) / 2,
                 room.top() + (room.height() - size.height()) / 2, size.width(), size.height());
}

void cPagePreview::paintEvent(QPaintEvent* /*event*/)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Dark));
    const QRect page = PageRect();
    p.fillRect(page.translated(4, 4), QColor(60, 60, 60));
    // The picture carries the printer's resolution so that the fonts take the sizes they have
    // on paper; the painter's scale then shrinks the whole page.
    QImage picture(page.size(), QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(std::lround(dpi_ / 0.0254));
    picture.setDotsPerMeterX(dotsPerMeter);
    picture.setDotsPerMeterY(dotsPerMeter);
    picture.fill(Qt::white);
    if (renderer_ != nullptr) {
        QPainter pp(&picture);
        pp.setRenderHint(QPainter::Antialiasing);
        pp.setRenderHint(QPainter::TextAntialiasing);
        pp.scale(double(page.width()) / paper_.width(), double(page.height()) / paper_.height());
        renderer_->DrawPage(pp, page_);
    }
    p.drawImage(page.topLeft(), picture);
    p.setPen(Qt::black);
    p.drawRect(page.adjusted(0, 0, -1, -1));
}

}  // namespace verdal
