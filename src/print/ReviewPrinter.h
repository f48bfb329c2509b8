#pragma once

#include <atomic>
#include <functional>
#include <vector>

#include "print/PrintFormat.h"
#include "print/PrintedRows.h"

class QPrinter;

namespace verdal {

// Prints the rows on `printer` from the first page on, with page header, column header, block
// shading and dividing lines by `format`. `cancel` is the printing's own flag: set, it stops
// drawing further rows and the pages begun are still finished. `pageDone` hears the number of
// pages finished so far. Returns the pages printed.
int PrintReviewRows(QPrinter& printer, const std::vector<PrintedRow>& rows,
                    const PrintedHeader& header, const cPrintFormat& format, bool metric,
                    const std::atomic<bool>* cancel = nullptr,
                    const std::function<void(int pages)>& pageDone = {});

}  // namespace verdal
