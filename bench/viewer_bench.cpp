// Opens a large run log in the built-in viewer and measures how long the window stays
// unresponsive: the time until the viewer can show, the longest gap between two turns of the
// event loop while the log is read and put into the editor, and the time until the last line
// is in. With --shot OUTDIR it renders the viewer on a short log into OUTDIR instead.
// Run by bench/viewer_bench.sh and scripts/screenshots.sh; not a test.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <string>

#include "dialogs/TViewerDlg.h"
#include "settings/Parameters.h"

using namespace verdal;

namespace {

// A log in the program's own shape, Windows-1252 with CR LF, of about `megabytes`.
void WriteLog(const std::string& path, double megabytes, int firstLines = 0)
{
    std::ofstream out(path, std::ios::binary);
    out << "Verdal 5 - /home/anna/Sicherung.vrd gestartet von Hand am Montag, 7. Dezember 2026 "
           "um 05:40:12\r\n";
    const auto limit = static_cast<long long>(megabytes * 1024 * 1024);
    long long written = 0, i = 0;
    for (; firstLines > 0 ? i < firstLines : written < limit; ++i) {
        char line[256];
        const int n = std::snprintf(
            line, sizeof line,
            "07.12.2026 05:%02lld:%02lld  Vorw\xe4rts: /home/anna/Daten/Projekte/Jahr %lld/"
            "Bericht %lld.pdf (%lld Bytes)\r\n",
            (i / 60) % 60, i % 60, 2000 + i % 25, i, 1000 + (i * 7919) % 900000);
        out.write(line, n);
        written += n;
    }
    out << "Fehler: /media/anna/STICK/Sicherung/Gr\xf6\xdf"
           "e.txt konnte nicht kopiert werden "
           "(Kein Speicherplatz auf dem Ger\xe4t)\r\n";
    out << "Ende: 1 Fehler, " << i << " Dateien vorw\xe4rts\r\n";
}

int Shot(const QString& outDir)
{
    QTemporaryDir tmp;
    const std::string log = tmp.filePath(QStringLiteral("Log.txt")).toStdString();
    WriteLog(log, 0, 40);
    cParameters& params = Params();
    params.Reset();
    TViewerDlg viewer(params);
    QString error;
    if (!viewer.ReadFile(QString::fromStdString(log), error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    viewer.resize(720, 420);
    viewer.show();
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
    }
    // The caption names the temporary folder; the picture shows the usual place instead.
    viewer.setWindowTitle(
        QStringLiteral("Datei: /home/anna/.config/verdal/Log.txt   Größe: "
                       "5.112   Erstellt: 07.12.2026 05:41"));
    const QString path = QDir(outDir).filePath(QStringLiteral("log-viewer.png"));
    const bool saved = viewer.grab().save(path, "PNG");
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    return saved ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() >= 3 && args[1] == QLatin1String("--shot")) {
        return Shot(args[2]);
    }
    const double megabytes = args.size() >= 2 ? args[1].toDouble() : 50;
    QTemporaryDir tmp;
    const std::string log = tmp.filePath(QStringLiteral("Log.txt")).toStdString();
    WriteLog(log, megabytes);
    cParameters& params = Params();
    params.Reset();

    QElapsedTimer total;
    total.start();
    TViewerDlg viewer(params);
    QString error;
    if (!viewer.ReadFile(QString::fromStdString(log), error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const double readMs = total.nsecsElapsed() / 1e6;
    viewer.show();
    // A ticking timer stands for the user: the gap between two ticks is how long the window
    // could not answer.
    QElapsedTimer gap;
    gap.start();
    double longest = 0;
    int over100 = 0, ticks = 0;
    QTimer tick;
    tick.setInterval(5);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const double ms = gap.nsecsElapsed() / 1e6;
        longest = std::max(longest, ms);
        over100 += ms > 100 ? 1 : 0;
        ++ticks;
        gap.restart();
    });
    tick.start();
    while (viewer.Loading()) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    const double loadedMs = total.nsecsElapsed() / 1e6;
    std::printf(
        "log %.1f MB: ReadFile returns (the window can show) after %.0f ms; all text in the "
        "editor after %.0f ms; longest gap between event-loop turns %.0f ms; gaps over "
        "100 ms: %d of %d\n",
        megabytes, readMs, loadedMs, longest, over100, ticks);
    return 0;
}
