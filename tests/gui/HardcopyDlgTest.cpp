#include "print/THardcopyDlg.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include "DialogTestEnvironment.h"
#include "PdfTools.h"
#include "dialogs/TInfoWnd.h"
#include "engine/RunFrontEnd.h"
#include "print/UnitSpinBox.h"
#include "settings/OptionsFile.h"
#include "support/TestDir.h"

using namespace verdal;
using namespace verdal::test;

namespace {

class HardcopyDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        SetOptionsFilePath(dir.filePath("Verdal50.ini"));
        for (int i = 0; i < 150; ++i) {
            PrintedRow row;
            row.Group = i % 25 == 0;
            row.Text = QStringLiteral("Ordner %1").arg(i / 25);
            row.Source = {true,
                          true,
                          QStringLiteral("Briefe/"),
                          QStringLiteral("b%1.odt").arg(i),
                          QStringLiteral("2.048"),
                          QStringLiteral("07.12.2026"),
                          QStringLiteral("08:00:00")};
            rows.push_back(row);
        }
        header.ProfilePath = QStringLiteral("/home/anna/Briefe.vrd");
        header.SourceRoot = QStringLiteral("/home/anna");
        header.DestinationRoot = QStringLiteral("/media/anna/STICK");
    }
    void TearDown() override
    {
        SetOptionsFilePath({});
        QLocale::setDefault(QLocale::c());
    }

    // Answers the printer choice with a PDF file in the test folder.
    void PrintToPdf(THardcopyDlg& dlg)
    {
        dlg.ChoosePrinter = [this](QWidget*, QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(Pdf());
            return true;
        };
    }
    QString Pdf() const { return QString::fromStdString(dir.filePath("liste.pdf")); }

    TestDir dir;
    std::vector<PrintedRow> rows;
    PrintedHeader header;
};

}  // namespace

TEST_F(HardcopyDlgTest, ControlsComeFromPrintFormat_RowCountsAndSelection)
{
    WriteOptionInt("Print Format", "DividingLine", 0);
    WriteOptionInt("Print Format", "BlockShade1", 60);
    WriteOptionInt("Print Format", "Copies", 3);
    WriteOptionInt("Print Format", "Selection", 1);
    WriteOptionString("Print Format", "Remark", "Keller");
    {
        // "Auswahl" stays off and disabled while nothing is selected.
        THardcopyDlg dlg(rows, header);
        EXPECT_EQ(dlg.windowTitle(), "Verdal 5 - /home/anna/Briefe.vrd");
        EXPECT_EQ(dlg.AllRdo->text(), "&Alles (150)");
        EXPECT_TRUE(dlg.AllRdo->isChecked());
        EXPECT_FALSE(dlg.SelectionRdo->isEnabled());
        EXPECT_FALSE(dlg.DividingLineChk->isChecked());
        EXPECT_TRUE(dlg.InColorChk->isChecked());
        EXPECT_EQ(dlg.BlockShade1Spn->value(), 60);
        EXPECT_EQ(dlg.BlockShade2Spn->value(), 90);
        EXPECT_EQ(dlg.CopiesSpn->value(), 3);
        EXPECT_EQ(dlg.RemarkEdt->text(), "Keller");
        EXPECT_EQ(dlg.TopMarginSpn->value(), 25);
        EXPECT_EQ(dlg.TopMarginSpn->text(), "25mm");
        EXPECT_GT(dlg.PageCount(), 1);
    }
    rows[3].Selected = rows[140].Selected = true;
    THardcopyDlg dlg(rows, header);
    EXPECT_EQ(dlg.SelectionRdo->text(), "A&uswahl (2)");
    EXPECT_TRUE(dlg.SelectionRdo->isChecked());
    EXPECT_EQ(dlg.PageCount(), 1);
    EXPECT_EQ(dlg.PageCountLbl->text(), "von 1");
    // Every control can be read by a screen reader.
    for (QWidget* w : dlg.findChildren<QWidget*>()) {
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_"))) {
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
        }
    }
}

TEST_F(HardcopyDlgTest, PreviewFollowsSettingsAndPageKeys)
{
    THardcopyDlg dlg(rows, header);
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    const int pages = dlg.PageCount();
    ASSERT_GE(pages, 3);
    EXPECT_EQ(dlg.PageCountLbl->text(), QStringLiteral("von %1").arg(pages));
    dlg.OkBtn->setFocus();
    QTest::keyClick(&dlg, Qt::Key_PageUp);
    EXPECT_EQ(dlg.CurrentPage(), 1);  // not before the first page
    QTest::keyClick(&dlg, Qt::Key_PageDown);
    EXPECT_EQ(dlg.CurrentPage(), 2);
    QTest::keyClick(&dlg, Qt::Key_End);
    EXPECT_EQ(dlg.CurrentPage(), pages);
    QTest::keyClick(&dlg, Qt::Key_PageDown);
    EXPECT_EQ(dlg.CurrentPage(), pages);  // not past the last
    QTest::keyClick(&dlg, Qt::Key_Home);
    EXPECT_EQ(dlg.CurrentPage(), 1);

    // More room between rows, a bigger data font: more pages; the shown page stays in range.
    QTest::keyClick(&dlg, Qt::Key_End);
    dlg.SpacingSpn->setValue(5);
    const int spaced = dlg.PageCount();
    EXPECT_GT(spaced, pages);
    dlg.ChooseFont = [](QWidget*, const QFont& initial) -> std::optional<QFont> {
        QFont font = initial;
        font.setPointSize(20);
        return font;
    };
    dlg.DataFontBtn->click();
    EXPECT_EQ(dlg.Format().DataFontSize, 20);
    EXPECT_GT(dlg.PageCount(), spaced);
    rows[7].Selected = rows[8].Selected = true;  // rows are read when the dialog is made
    THardcopyDlg again(rows, header);
    again.SelectionRdo->click();
    EXPECT_EQ(again.PageCount(), 1);
    EXPECT_EQ(again.CurrentPage(), 1);
}

TEST_F(HardcopyDlgTest, ApplyStoresTheLayout_CancelStoresNothing)
{
    {
        THardcopyDlg dlg(rows, header);
        dlg.RemarkEdt->setText(QStringLiteral("Nur Briefe"));
        dlg.BlockShade2Spn->setValue(70);
        dlg.CancelBtn->click();
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
    }
    EXPECT_EQ(ReadOptionString("Print Format", "Remark", "-"), "-");
    EXPECT_EQ(ReadOptionInt("Print Format", "PenWidth", 0), 0);

    THardcopyDlg dlg(rows, header);
    dlg.RemarkEdt->setText(QStringLiteral("Nur Briefe"));
    dlg.BlockShade2Spn->setValue(70);
    dlg.InColorChk->click();
    dlg.LeftMarginSpn->setValue(10);
    dlg.ApplyBtn->click();
    EXPECT_EQ(ReadOptionString("Print Format", "Remark", ""), "Nur Briefe");
    EXPECT_EQ(ReadOptionInt("Print Format", "BlockShade2", 0), 70);
    EXPECT_EQ(ReadOptionInt("Print Format", "InColor", 1), 0);
    EXPECT_EQ(ReadOptionInt("Print Format", "LeftMargin", 0), 10);
    EXPECT_EQ(ReadOptionInt("Print Format", "PenWidth", 0), 5);
}

TEST_F(HardcopyDlgTest, SetupRenewsPrinterInformationAndMarginLimits)
{
    THardcopyDlg dlg(rows, header);
    const int portraitPages = dlg.PageCount();
    dlg.SetupPage = [](QWidget*, QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Landscape);
        return true;
    };
    dlg.SetupBtn->click();
    EXPECT_EQ(dlg.PrinterLbl->text(), "PDF-Datei");
    EXPECT_EQ(dlg.PaperLbl->text(), "297mm x 210mm");
    EXPECT_EQ(dlg.PrinterMarginLbl->text(), "oben 0mm, links 0mm, rechts 0mm, unten 0mm");
    EXPECT_EQ(dlg.TopMarginSpn->maximum(), 210);
    EXPECT_EQ(dlg.LeftMarginSpn->maximum(), 297);
    EXPECT_EQ(dlg.TopMarginSpn->minimum(), 0);
    EXPECT_GT(dlg.PageCount(), portraitPages);  // fewer rows fit across a landscape page
    dlg.ApplyBtn->click();
    EXPECT_EQ(ReadOptionInt("Print Format", "Orientation", 0), 1);
    EXPECT_EQ(cUnitSpinBox::Format(100, false), "1,00\"");
}

TEST_F(HardcopyDlgTest, OkPrintsEveryPageFromTheFirst_CancelledChoicePrintsNothing)
{
    THardcopyDlg dlg(rows, header);
    dlg.ChoosePrinter = [](QWidget*, QPrinter&) { return false; };
    dlg.show();
    dlg.OkBtn->click();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_FALSE(QFile::exists(Pdf()));

    PrintToPdf(dlg);
    dlg.CopiesSpn->setValue(2);
    QTest::keyClick(&dlg, Qt::Key_End);  // the preview's page does not decide where to begin
    const int pages = dlg.PageCount();
    dlg.OkBtn->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.PrintedPages(), pages);
    EXPECT_EQ(dlg.Printer().copyCount(), 2);
    const QString text = PdfText(Pdf());
    EXPECT_TRUE(text.contains(QStringLiteral("Seite 1 von %1").arg(pages)));
    EXPECT_TRUE(text.contains(QStringLiteral("b1.odt")));
    EXPECT_TRUE(text.contains(QStringLiteral("b149.odt")));
    EXPECT_EQ(ReadOptionInt("Print Format", "Copies", 0), 2);
}

// While printing, the small window shows "Drucke..." with a bar over the pages; its cancel
// stops the printout after the page begun and never touches the run's abort flag, so the run
// waiting behind the review list goes on.
TEST_F(HardcopyDlgTest, CancelInTheInfoWindowStopsPrintingButNotTheRun)
{
    THardcopyDlg dlg(rows, header);
    PrintToPdf(dlg);
    ASSERT_GT(dlg.PageCount(), 1);
    QString shownText;
    int barMaximum = -1;
    auto* cancelOnShow = new QTimer(&dlg);
    cancelOnShow->setInterval(0);
    QObject::connect(cancelOnShow, &QTimer::timeout, [&] {
        TInfoWnd* info = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            info = info ? info : qobject_cast<TInfoWnd*>(w);
        }
        if (info != nullptr && info->isVisible()) {
            shownText = info->TextLbl->text();
            barMaximum = info->ProgressBar->maximum();
            info->CancelBtn->click();
            cancelOnShow->stop();
        }
    });
    cancelOnShow->start();
    AbortFlag = false;
    dlg.OkBtn->click();
    EXPECT_EQ(shownText, "Drucke...");
    EXPECT_EQ(barMaximum, dlg.PageCount());
    EXPECT_EQ(dlg.PrintedPages(), 1);
    EXPECT_FALSE(AbortFlag.load());
    EXPECT_TRUE(QFile::exists(Pdf()));
}
