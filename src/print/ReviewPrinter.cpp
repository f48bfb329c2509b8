#include "print/ReviewPrinter.h"

#include <algorithm>

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>

#include "print/ReviewRenderer.h"

namespace verdal {

int PrintReviewRows(QPrinter& printer, const std::vector<PrintedRow>& rows,
                    const PrintedHeader& header, const cPrintFormat& format, bool metric,
                    const std::atomic<bool>* cancel, const std::function<void(int pages)>& pageDone)
{
    printer.setFullPage(true);
    printer.setCopyCount(std::clamp(format.Copies, 1, 999));
    printer.setPageOrientation(format.Orientation == 1 ? QPageLayout::Landscape
                                                       : QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&printer)) {
        return 0;
    }
    const cReviewPageRenderer renderer(rows, header, format, metric, printer.resolution(),
                                       printer.paperRect(QPrinter::DevicePixel).size().toSize());
    const int pages = std::max(1, renderer.PageCount());
    int printed = 0;
    for (int page = 0; page < pages; ++page) {
        if (page > 0) {
            if (cancel != nullptr && *cancel) {
                break;
            }
            printer.newPage();
        }
        renderer.DrawPage(painter, page, cancel, [] { QCoreApplication::processEvents(); });
        ++printed;
        if (pageDone) {
            pageDone(printed);
        }
    }
    painter.end();
    return printed;
}

}  // namespace verdal
