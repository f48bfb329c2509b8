#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace verdal::test {

// Runs one of the PDF tools of poppler-utils; empty when it fails or is missing.
inline QString RunPdfTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of a PDF file, with `layout` in the columns of its pages.
inline QString PdfText(const QString& pdf, bool layout = false)
{
    QStringList arguments{pdf, QStringLiteral("-")};
    if (layout) {
        arguments.prepend(QStringLiteral("-layout"));
    }
    return RunPdfTool(QStringLiteral("pdftotext"), arguments);
}

inline int PdfPages(const QString& pdf)
{
    const QString info = RunPdfTool(QStringLiteral("pdfinfo"), {pdf});
    for (const QString& line : info.split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("Pages:"))) {
            return line.mid(6).trimmed().toInt();
        }
    }
    return -1;
}

}  // namespace verdal::test
