#pragma once

#include <QColor>
#include <QString>
#include <atomic>
#include <vector>

#include "print/PrintFormat.h"

class QPrinter;

namespace verdal {

// One row of the review list as it is printed.
struct PrintedRow
{
    QString Text;
    bool Group = false;
    bool Selected = false;
    QColor Color = Qt::black;  // the action colour, used with "Farbig"
};

// What the page and column headers say.
struct PrintedHeader
{
    QString ProfilePath;
    QString Totals;  // "Vorwärts %d, Überspringen %d, ..."
    QString SourceRoot, SourceFree;
    QString DestinationRoot, DestinationFree;
    QColor Block1 = Qt::white, Block2 = QColor(230, 230, 230);
};

// Prints the rows on `printer` from the first page on, with page header, column header, block
// shading and dividing lines by `format`. `cancel` is the printing's own flag: set, it stops
// drawing further rows and the pages begun are still finished. Returns the pages printed.
int PrintReviewRows(QPrinter& printer, const std::vector<PrintedRow>& rows,
                    const PrintedHeader& header, const cPrintFormat& format, bool metric,
                    const std::atomic<bool>* cancel = nullptr);

}  // namespace verdal
