#include "print/ReviewPrinter.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>

#include "DialogTestEnvironment.h"
#include "support/TestDir.h"

using namespace verdal;

namespace {

// The PDF tools of poppler-utils; tests that need them are skipped without them.
QString RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPages(const QString& pdf)
{
    const QString info = RunTool(QStringLiteral("pdfinfo"), {pdf});
    for (const QString& line : info.split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("Pages:"))) {
            return line.mid(6).trimmed().toInt();
        }
    }
    return -1;
}

class ReviewPrintTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            GTEST_SKIP() << "poppler-utils ist nicht installiert";
        }
        for (int i = 0; i < 120; ++i) {
            PrintedRow row;
            row.Group = i % 20 == 0;
            row.Text = row.Group ? QStringLiteral("Ordner %1").arg(i / 20)
                                 : QStringLiteral("datei-%1.txt   1.234   07.12.2026").arg(i);
            row.Color = i % 3 == 0 ? QColor(Qt::darkGreen) : QColor(Qt::black);
            rows.push_back(row);
        }
        header.ProfilePath = QStringLiteral("/home/anna/Sicherung.vrd");
        header.Totals = QStringLiteral(
            "Vorwärts 100, Überspringen 14, Löschen 0, Rückwärts 0; "
            "12,500 MB Transfer");
        header.SourceRoot = QStringLiteral("/home/anna/Daten");
        header.SourceFree = QStringLiteral("20,0 GB frei");
        header.DestinationRoot = QStringLiteral("/media/anna/STICK");
        header.DestinationFree = QStringLiteral("3,5 GB frei");
    }

    QString Print(const cPrintFormat& format, const std::atomic<bool>* cancel = nullptr)
    {
        const QString pdf = QString::fromStdString(dir.filePath("liste.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printed = PrintReviewRows(printer, rows, header, format, true, cancel);
        return pdf;
    }

    test::TestDir dir;
    std::vector<PrintedRow> rows;
    PrintedHeader header;
    int printed = 0;
};

}  // namespace

TEST_F(ReviewPrintTest, AllRows_SeveralPagesEachWithItsHeader)
{
    cPrintFormat format;
    format.Remark = "Wochensicherung";
    const QString pdf = Print(format);
    const int pages = PdfPages(pdf);
    EXPECT_GE(pages, 2);
    EXPECT_EQ(pages, printed);
    const QString text =
        RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("/home/anna/Sicherung.vrd")));
    EXPECT_TRUE(text.contains(QStringLiteral("Seite 1 von %1").arg(pages)));
    EXPECT_TRUE(text.contains(QStringLiteral("Seite %1 von %1").arg(pages)));
    EXPECT_TRUE(text.contains(QStringLiteral("Wochensicherung")));
    EXPECT_TRUE(text.contains(QStringLiteral("Vorwärts 100")));
    EXPECT_EQ(text.count(QStringLiteral("Wochensicherung")), 1);  // page 1 only
    EXPECT_EQ(text.count(QStringLiteral("/media/anna/STICK")), pages);
    EXPECT_TRUE(text.contains(QStringLiteral("datei-119.txt")));
    // scripts/screenshots.sh keeps the printout for the documentation.
    if (const QByteArray keep = qgetenv("VERDAL_KEEP_PRINTOUT"); !keep.isEmpty()) {
        QFile::remove(QString::fromLocal8Bit(keep));
        QFile::copy(pdf, QString::fromLocal8Bit(keep));
    }
}

TEST_F(ReviewPrintTest, SelectionOfTwoRows_OnePageWithBoth)
{
    rows[5].Selected = true;
    rows[97].Selected = true;
    cPrintFormat format;
    format.Selection = true;
    const QString pdf = Print(format);
    EXPECT_EQ(PdfPages(pdf), 1);
    const QString text = RunTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("datei-5.txt")));
    EXPECT_TRUE(text.contains(QStringLiteral("datei-97.txt")));
    EXPECT_FALSE(text.contains(QStringLiteral("datei-6.txt")));
}

TEST_F(ReviewPrintTest, CancelStopsTheRowsButEndsTheDocument)
{
    std::atomic<bool> cancel{true};
    const QString pdf = Print(cPrintFormat{}, &cancel);
    EXPECT_EQ(PdfPages(pdf), 1);
    const QString text = RunTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("Seite 1 von")));
    EXPECT_FALSE(text.contains(QStringLiteral("datei-1.txt")));
}
