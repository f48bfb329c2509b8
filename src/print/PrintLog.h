#pragma once

#include <QFont>
#include <QString>

class QPrinter;

namespace verdal {

// Prints the log file at `path` as one plain-text document titled with its file name, decoded
// as the viewer decodes it. Returns the reason of a failure in German, empty on success.
QString PrintLogFile(QPrinter& printer, const QString& path, const QFont& font);

}  // namespace verdal
