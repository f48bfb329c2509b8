#include "print/PrintLog.h"

#include <QFileInfo>
#include <QPrinter>
#include <QTextDocument>

#include "dialogs/TViewerDlg.h"

namespace verdal {

QString PrintLogFile(QPrinter& printer, const QString& path, const QFont& font)
{
    QString text, failure;
    if (!ReadLogText(path, text, failure)) {
        return failure;
    }
    QTextDocument document;
    document.setDefaultFont(font);
    document.setPlainText(text);
    printer.setDocName(QFileInfo(path).fileName());
    document.print(&printer);
    if (printer.printerState() == QPrinter::Error) {
        return QStringLiteral("Der Drucker meldet einen Fehler.");
    }
    return {};
}

}  // namespace verdal
