#include "dialogs/TViewerDlg.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include "DialogTestEnvironment.h"
#include "dialogs/LogRules.h"
#include "dialogs/TTimedDlg.h"
#include "settings/OptionsFile.h"
#include "settings/TextCodec.h"
#include "support/TestDir.h"

using namespace verdal;
using namespace verdal::test;

namespace {

class ViewerDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetOptionsFilePath(dir.filePath("Verdal50.ini"));
        params.Reset();
        savedChoose = LogFileDialogs::Choose;
    }
    void TearDown() override
    {
        LogFileDialogs::Choose = savedChoose;
        SetOptionsFilePath({});
    }

    static void WaitLoaded(TViewerDlg& viewer)
    {
        QElapsedTimer clock;
        clock.start();
        while (viewer.Loading() && clock.elapsed() < 20000) {
            QApplication::processEvents();
        }
        ASSERT_FALSE(viewer.Loading());
    }

    TestDir dir;
    cParameters params;
    decltype(LogFileDialogs::Choose) savedChoose;
};

}  // namespace

TEST_F(ViewerDlgTest, Read_Windows1252AndUtf8LogsAndCaretAtTheEnd)
{
    const std::string latin = dir.createFile("alt.txt",
                                             "Gr\xF6\xDF"
                                             "e: 1\r\nZeile zwei\r\n");
    const std::string utf8 = dir.createFile("neu.txt", "Größe: 2\r\nŁódź\r\n");
    TViewerDlg viewer(params);
    QString error;
    ASSERT_TRUE(viewer.ReadFile(QString::fromStdString(latin), error));
    WaitLoaded(viewer);
    EXPECT_EQ(viewer.LogEdt->toPlainText(), QStringLiteral("Größe: 1\nZeile zwei\n"));
    EXPECT_TRUE(viewer.LogEdt->textCursor().atEnd());
    ASSERT_TRUE(viewer.ReadFile(QString::fromStdString(utf8), error));
    WaitLoaded(viewer);
    EXPECT_EQ(viewer.LogEdt->toPlainText(), QStringLiteral("Größe: 2\nŁódź\n"));
    EXPECT_EQ(viewer.FileName(), QString::fromStdString(utf8));
}

TEST_F(ViewerDlgTest, Caption_SizeWithSeparatorsOrNotFound)
{
    const std::string path = dir.createFile("Log.txt", std::string(1234, 'x'));
    const QString caption = ViewerCaption(QString::fromStdString(path));
    EXPECT_TRUE(caption.startsWith(QStringLiteral("Datei: ") + QString::fromStdString(path) +
                                   QStringLiteral("   Größe: 1.234   Erstellt: ")))
        << caption.toStdString();
    EXPECT_TRUE(caption.contains(QRegularExpression(QStringLiteral("\\d\\d\\.\\d\\d\\.\\d{4} "))));
    EXPECT_EQ(ViewerCaption(QStringLiteral("/nirgends/Log.txt")),
              QStringLiteral("Datei /nirgends/Log.txt nicht gefunden"));
}

TEST_F(ViewerDlgTest, Open_UnreadableLogShowsTheTimedMessageAndNoViewer)
{
    params.Log.CurrentLogFile = dir.filePath("fehlt.txt");
    QString line1, line2;
    bool viewerShown = false;
    OnNextModal([&](QWidget* w) {
        if (auto* timed = qobject_cast<TTimedDlg*>(w)) {
            line1 = timed->Line1Lbl->text();
            line2 = timed->Line2Lbl->text();
            timed->OkBtn->click();
        } else {
            viewerShown = true;
            w->close();
        }
    });
    EXPECT_FALSE(TViewerDlg::Open(nullptr, params, -1));
    EXPECT_EQ(line1, QStringLiteral("Fehler beim Lesen von..."));
    EXPECT_TRUE(line2.endsWith(QStringLiteral("txt")) || line2.contains(QStringLiteral("…")));
    EXPECT_FALSE(viewerShown);
}

TEST_F(ViewerDlgTest, EnterAndEscapeClose_FontAndPlacementAreKept)
{
    params.Log.CurrentLogFile = dir.createFile("Log.txt", "eins\r\n");
    params.ViewerFontSize = 13;
    params.ViewerFontStyle.Bold = true;
    params.WindowPositions[kWinLogViewer] = {10, 20, 810, 520, false};
    for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
        QSize shownSize;
        OnNextModal([&](QWidget* w) {
            auto* viewer = static_cast<TViewerDlg*>(w);
            shownSize = viewer->size();
            EXPECT_EQ(viewer->LogEdt->font().pointSize(), 13);
            EXPECT_TRUE(viewer->LogEdt->font().bold());
            viewer->LogEdt->setFocus();
            QTest::keyClick(viewer->LogEdt, static_cast<Qt::Key>(key));
        });
        TViewerDlg::Open(nullptr, params, -1);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << key;
        EXPECT_EQ(shownSize, QSize(800, 500));
    }
    const cWindowPos& pos = params.WindowPositions[kWinLogViewer];
    EXPECT_EQ(pos.Right - pos.Left, 800);
    EXPECT_EQ(pos.Bottom - pos.Top, 500);
    EXPECT_EQ(params.ViewerFontSize, 13);
}

TEST_F(ViewerDlgTest, FontChoiceIsWrittenBackOnClose)
{
    TViewerDlg viewer(params);
    viewer.ChooseFont = [](QWidget*, const QFont&) -> std::optional<QFont> {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSize(17);
        font.setItalic(true);
        return font;
    };
    viewer.FontBtn->click();
    EXPECT_EQ(viewer.LogEdt->font().pointSize(), 17);
    viewer.reject();
    EXPECT_EQ(params.ViewerFontSize, 17);
    EXPECT_TRUE(params.ViewerFontStyle.Italic);
    EXPECT_FALSE(params.ViewerFontStyle.Bold);
}

TEST_F(ViewerDlgTest, LargeLog_IsInsertedInPiecesWhileTheWindowAnswers)
{
    std::string big;
    const std::string line = "Kopiert: /daten/ordner/datei-mit-langem-namen.txt  äöü\r\n";
    while (big.size() < 8 * 1024 * 1024) {
        big += line;
    }
    big += "letzte Zeile\r\n";
    const std::string path = dir.createFile("gross.txt", big);
    TViewerDlg viewer(params);
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(0);
    QString error;
    ASSERT_TRUE(viewer.ReadFile(QString::fromStdString(path), error));
    EXPECT_TRUE(viewer.Loading());
    // Read beside the window: ReadFile returns before any text is there.
    EXPECT_TRUE(viewer.LogEdt->document()->isEmpty());
    WaitLoaded(viewer);
    EXPECT_GT(ticks, 3);  // other events ran while it was read and between the pieces
    const QString text = viewer.LogEdt->toPlainText();
    EXPECT_TRUE(text.endsWith(QStringLiteral("letzte Zeile\n")));
    EXPECT_EQ(viewer.LogEdt->document()->blockCount(),
              static_cast<int>(big.size() / line.size()) + 2);
    EXPECT_TRUE(viewer.LogEdt->textCursor().atEnd());
}

TEST_F(ViewerDlgTest, Write_SavesWithCrLfAndTheNarrowestEncoding)
{
    const std::string source = dir.createFile("Log.txt", "Größe\r\nzwei\r\n");
    TViewerDlg viewer(params);
    QString error;
    ASSERT_TRUE(viewer.ReadFile(QString::fromStdString(source), error));
    WaitLoaded(viewer);
    const QString target = QString::fromStdString(dir.filePath("Kopie.txt"));
    LogFileDialogs::Choose = [&](QWidget*, LogFileDialogs::Mode mode, const QString& title,
                                 const BrowseStart&, const QString&, const QString&) {
        EXPECT_EQ(mode, LogFileDialogs::Mode::Save);
        EXPECT_EQ(title, QStringLiteral("Log schreiben"));
        return target;
    };
    viewer.WriteBtn->click();
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Gr\xF6\xDF"
                                         "e\r\nzwei\r\n"));
    EXPECT_EQ(viewer.FileName(), target);
    EXPECT_TRUE(viewer.windowTitle().startsWith(QStringLiteral("Datei: ") + target));
}
