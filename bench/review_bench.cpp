// Times the review list on a generated run: opening to the first paint, re-sorting by name and
// by size, applying an action to 50,000 selected rows, and the memory the list adds per
// candidate. With --shot it renders the list (and the progress and interruption windows)
// into PNG files instead. Run by bench/review_bench.sh and scripts/screenshots.sh; not a test.
#include <sys/resource.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <string>

#include <QApplication>
#include <QElapsedTimer>
#include <QItemSelection>
#include <QListView>
#include <QPrinter>
#include <QPushButton>
#include <QToolButton>

#include "dialogs/ReviewModel.h"
#include "dialogs/TCopyWnd.h"
#include "dialogs/TInterruptionDlg.h"
#include "dialogs/TListDlg.h"
#include "engine/CandidateOrder.h"
#include "engine/RunContext.h"
#include "print/ReviewPrinter.h"
#include "print/THardcopyDlg.h"
#include "settings/Parameters.h"

using namespace verdal;

namespace {

constexpr FileTime kBase = 134400000000000000ULL;  // late 2026

long ResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return 0;
}

// A run of `count` candidates in `dirs` folders with every action and warning mark.
void Generate(cRunContext& run, int count, int dirs)
{
    std::mt19937 random(42);
    run.ProfilePath = "/home/anna/Sicherung.vrd";
    run.SourceNativeRoot = "/home/anna/Daten";
    run.DestinationNativeRoot = "/media/anna/STICK";
    run.DestinationBase = "\\Sicherung\\";
    run.SourceFree = 900LL << 30;
    run.DestinationFree = 3LL << 30;
    for (int d = 0; d < dirs; ++d) {
        const std::string dir = d == 0 ? "\\"
                                       : "\\Projekte\\Jahr " + std::to_string(2000 + d % 27) +
                                             "\\Ordner " + std::to_string(d) + "\\";
        run.SourceDirs.push_back(dir);
        run.DestinationDirs.push_back("\\Sicherung" + dir);
    }
    const char* exts[] = {".txt", ".doc", ".jpg", ".pdf", ".odt", ""};
    const uint16_t actions[] = {kForward, kForward, kForward, kSkip, kDelete, kBackward};
    for (int i = 0; i < count; ++i) {
        const uint16_t action = actions[random() % 6];
        uint16_t flags = 0;
        if (random() % 9 == 0)
            flags |= kSizeWarning;
        if (random() % 13 == 0)
            flags |= kDoubleChange;
        if (random() % 17 == 0)
            flags |= kPropertiesOnly;
        const int64_t size = static_cast<int64_t>(random() % 5000000);
        const FileTime time = kBase + (random() % 4000000) * 10000000ULL;
        FileStamp src{0, time, size}, dst{0, time - 36000000000ULL, size / 2};
        if (action == kDelete && i % 2)
            src = {};
        if (action == kSkip && i % 3 == 0)
            src = {};
        if (action == kForward && i % 4 == 0)
            dst = {};
        run.Candidates.Emplace(static_cast<uint16_t>(action | flags), dst, src,
                               "Datei " + std::to_string(i) + (i % 7 ? "" : " mit langem Namen"),
                               exts[i % 6], i * dirs / count);
    }
    run.CommonSourcePrefix = "";
    SortRun(run, kSortPath, false, true);
}

void Pump()
{
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
    }
}

double Ms(QElapsedTimer& t)
{
    return t.nsecsElapsed() / 1e6;
}

// The print layout dialog over the list, and the list's first printed page as a PDF that the
// screenshot script turns into a picture.
void ShootPrintLayout(const std::string& dir, const TListDlg& list)
{
    const std::vector<PrintedRow> rows = list.PrintRows();
    const PrintedHeader header = list.PrintHeader();
    THardcopyDlg layout(rows, header);
    layout.show();
    Pump();
    layout.grab().save(QString::fromStdString(dir + "/print-layout.png"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(dir + "/printed-review-list.pdf"));
    printer.setPageSize(QPageSize(QPageSize::A4));
    PrintReviewRows(printer, rows, header, layout.Format(), true);
}

int Shots(const std::string& dir, double scale)
{
    cParameters& params = Params();
    params.Reset();
    for (bool oneLine : {true, false}) {
        cRunContext run(params, nullptr);
        Generate(run, 300, 12);
        params.Overview.OneLineRows = oneLine;
        TListDlg dlg(run, params);
        dlg.resize(1100, 640);
        dlg.show();
        dlg.List()->selectionModel()->select(dlg.Model().index(3), QItemSelectionModel::Select);
        Pump();
        const std::string name = dir + "/review-list-" + (oneLine ? "one" : "two") + "-line" +
                                 (scale > 1 ? "-200" : "") + ".png";
        dlg.grab().save(QString::fromStdString(name));
        if (oneLine && scale <= 1) {
            ShootPrintLayout(dir, dlg);
        }
    }
    if (scale > 1) {
        return 0;  // the small windows once, at 100 %
    }
    TCopyWnd copy("/home/anna/Sicherung.vrd", params, nullptr, [] { return 0.0; });
    const FileStamp stamp{0, kBase, 123456789};
    copy.SetBytesToTransfer(400000000);
    copy.SetLabels({"/home/anna/Daten/Projekte/Jahr 2024/", "Bericht.pdf", stamp},
                   {"/media/anna/STICK/Sicherung/Projekte/Jahr 2024/", "Bericht.pdf", {}});
    copy.ReportProgress(150000000, 60000000);
    copy.show();
    Pump();
    copy.grab().save(QString::fromStdString(dir + "/progress-window.png"));
    TInterruptionDlg ask(
        "/home/anna/Sicherung.vrd", {"/home/anna/Daten/Projekte/Jahr 2024/", "Bericht.pdf", stamp},
        {"/media/anna/STICK/Sicherung/Projekte/Jahr 2024/", "Bericht.pdf", {}}, 112, true);
    ask.show();
    Pump();
    ask.grab().save(QString::fromStdString(dir + "/interruption-dialog.png"));
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc >= 3 && std::strcmp(argv[1], "--shot") == 0) {
        return Shots(argv[2], app.devicePixelRatio());
    }
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    cParameters& params = Params();
    params.Reset();
    params.Overview.OneLineRows = false;
    {  // warm up Qt (fonts, style) so that the figures below are the list's own
        cRunContext small(params, nullptr);
        Generate(small, 100, 10);
        TListDlg warm(small, params);
        warm.show();
        Pump();
    }
    cRunContext run(params, nullptr);
    Generate(run, count, count / 50);
    const long before = ResidentKiB();

    QElapsedTimer t;
    t.start();
    TListDlg dlg(run, params);
    dlg.resize(1000, 700);
    dlg.show();
    Pump();
    const double open = Ms(t);
    const long after = ResidentKiB();

    t.restart();
    dlg.SortNameBtn->click();
    Pump();
    const double byName = Ms(t);
    t.restart();
    dlg.SortSizeBtn->click();
    Pump();
    const double bySize = Ms(t);

    dlg.SortPathBtn->click();
    Pump();
    const int rows = std::min(dlg.Model().rowCount(), 52000);
    dlg.List()->selectionModel()->select(
        QItemSelection(dlg.Model().index(0), dlg.Model().index(rows - 1)),
        QItemSelectionModel::ClearAndSelect);
    int selectedCandidates = 0;
    for (int r = 0; r < rows; ++r) {
        selectedCandidates += dlg.Model().CandidateAt(r) ? 1 : 0;
    }
    t.restart();
    dlg.SkipBtn->click();
    Pump();
    const double apply = Ms(t);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("candidates            %d in %zu groups\n", count, run.SourceDirs.size());
    std::printf("open to first paint   %.1f ms\n", open);
    std::printf("re-sort by name       %.1f ms\n", byName);
    std::printf("re-sort by size       %.1f ms\n", bySize);
    std::printf("action on %d rows (%d candidates)  %.1f ms\n", rows, selectedCandidates, apply);
    std::printf("list's memory         %.1f bytes per candidate (RSS %+ld KiB)\n",
                (after - before) * 1024.0 / count, after - before);
    std::printf("peak RSS              %ld KiB\n", usage.ru_maxrss);
    return 0;
}
