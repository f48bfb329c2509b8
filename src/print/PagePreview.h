#pragma once

#include <QWidget>

namespace verdal {

class cReviewPageRenderer;

// The scaled preview of one printed page: the page drawn by the printer's own routines into a
// picture with the printer's resolution and shrunk to fit the panel.
class cPagePreview : public QWidget
{
    Q_OBJECT

public:
    explicit cPagePreview(QWidget* parent = nullptr);

    void Show(const cReviewPageRenderer* renderer, int dpi, QSize paper, int page);
    // The page rectangle inside the panel.
    QRect PageRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const cReviewPageRenderer* renderer_ = nullptr;
    int dpi_ = 96;
    QSize paper_{794, 1123};  // A4 at 96 dots per inch
    int page_ = 0;
};

}  // namespace verdal
