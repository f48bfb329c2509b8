// Opens the source dialog on a directory of many files and measures how long filling its file
// list takes: opening the dialog (the directory is read and listed), sorting by type and back
// by name (the list is rebuilt from memory), and reading the directory again.
// Run by bench/source_files_bench.sh; not a test.

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "dialogs/TDriveList.h"
#include "dialogs/TSourceDlg.h"
#include "settings/Parameters.h"

using namespace verdal;

namespace {

// `count` empty files with names of varied length and type.
bool MakeFiles(const std::string& folder, int count)
{
    static const char* const kTypes[] = {".pdf", ".txt", ".jpg", ".ods", ".odt", ""};
    for (int i = 0; i < count; ++i) {
        const std::string name = folder + "/Dokument " + std::to_string((i * 7919) % count) + "-" +
                                 std::to_string(i) + kTypes[i % 6];
        const int fd = ::open(name.c_str(), O_CREAT | O_WRONLY, 0600);
        if (fd < 0) {
            return false;
        }
        ::close(fd);
    }
    return true;
}

void Report(const char* what, const QElapsedTimer& timer, const QTreeWidget& view)
{
    std::printf("%-36s %6lld ms  (%d rows)\n", what, static_cast<long long>(timer.elapsed()),
                view.topLevelItemCount());
}

}  // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    // The dialog keeps its hand-added drives in the options file: one of its own.
    QTemporaryDir home;
    setenv("XDG_CONFIG_HOME", qPrintable(home.path()), 1);
    QApplication app(argc, argv);
    // In memory where the system offers it, so that the disk does not time the files' making.
    QTemporaryDir tree(::access("/dev/shm", W_OK) == 0 ? QStringLiteral("/dev/shm/verdal-XXXXXX")
                                                       : QString());
    const std::string root = tree.path().toStdString();
    const std::string folder = root + "/Daten";
    if (!tree.isValid() || !QDir().mkpath(QString::fromStdString(folder)) ||
        !MakeFiles(folder, count)) {
        std::fprintf(stderr, "cannot make %d files under %s\n", count, root.c_str());
        return 1;
    }
    TDriveList::SetDriveSource([root] {
        return std::vector<DriveInfo>{{root, root, kDriveFixed, "tmpfs", ""}};
    });
    cParameters& params = Params();
    params.Reset();
    params.SourceDrive = root;
    params.SearchDirectories.Clear();
    params.SearchDirectories.Add("\\Daten\\*");

    QElapsedTimer timer;
    timer.start();
    auto dialog = std::make_unique<TSourceDlg>();
    dialog->LoadFrom(params);
    dialog->show();
    QApplication::processEvents();
    auto* view = dialog->findChild<QTreeWidget*>(QStringLiteral("ListView"));
    Report("open with the file list filled", timer, *view);

    timer.restart();
    emit view->header()->sectionClicked(1);
    QApplication::processEvents();
    Report("sort by type", timer, *view);

    timer.restart();
    emit view->header()->sectionClicked(0);
    QApplication::processEvents();
    Report("sort by name", timer, *view);

    timer.restart();
    view->scrollToBottom();
    QApplication::processEvents();
    Report("scroll to the end", timer, *view);

    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("%-36s %6ld MB\n", "peak memory of the process", usage.ru_maxrss / 1024);

    timer.restart();
    dialog.reset();
    QApplication::processEvents();
    std::printf("%-36s %6lld ms\n", "close and destroy", static_cast<long long>(timer.elapsed()));
    TDriveList::SetDriveSource({});
    return 0;
}
