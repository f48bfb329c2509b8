// Renders windows of the program into PNG files for the documentation; scripts/screenshots.sh
// runs it under Xvfb. Arguments: output folder, document to open, then one "name=ROUTINE" per
// picture ("main-window=" for the main window itself, "DRIVE LIST" for the opened drive list,
// else a routine of the dialog registry).

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPixmap>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>

#include "app/Automation.h"
#include "app/GuiPresenter.h"
#include "app/MainWnd.h"
#include "app/StartUp.h"
#include "app/Translations.h"
#include "dialogs/TDriveList.h"
#include "settings/OptionsFile.h"
#include "settings/Parameters.h"

using namespace verdal;

namespace {

void Settle(int milliseconds)
{
    QTimer wait;
    wait.setSingleShot(true);
    wait.start(milliseconds);
    while (wait.isActive()) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

bool Save(QWidget& widget, const QString& path)
{
    const bool saved = widget.grab().save(path, "PNG");
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    return saved;
}

// Grabs the next modal dialog once it has painted, then closes it.
void GrabNextDialog(const QString& path, bool& saved)
{
    auto* timer = new QTimer();
    timer->setInterval(50);
    QObject::connect(timer, &QTimer::timeout, [timer, path, &saved] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        Settle(300);
        saved = Save(*dialog, path);
        dialog->reject();
    });
    timer->start();
}

// The drive list opened, with browsed network shares and drives added by hand under their
// caption bands. The drives are made up, so that the picture shows the same on every machine.
bool ShootDriveList(const QString& path)
{
    TDriveList::SetDriveSource([] {
        return std::vector<DriveInfo>{
            {"/", "/", kDriveFixed, "ext4", "System"},
            {"/home", "/home", kDriveFixed, "ext4", ""},
            {"/media/anna/STICK", "/media/anna/STICK", kDriveRemovable, "vfat", "STICK"},
            {"/media/anna/URLAUB", "/media/anna/URLAUB", kDriveCdRom, "iso9660", "URLAUB"},
            {"\\\\nas\\fotos", "/mnt/fotos", kDriveRemote, "cifs", ""},
        };
    });
    TDriveList::SetShareSource([] {
        return std::vector<std::string>{"\\\\nas\\musik", "\\\\nas\\videos"};
    });
    QWidget host;
    auto* list = new TDriveList(&host);
    (new QVBoxLayout(&host))->addWidget(list);
    list->SetDrillDepth(1);
    list->SetShowVolumeInformation(true);
    list->SetIniPrefix("Shot");
    list->AddDriveByHand(QStringLiteral("\\\\nas\\archiv"));
    list->AddDriveByHand(QStringLiteral("/srv/sicherung"));
    list->SelectDrive(QStringLiteral("/"));
    host.setGeometry(0, 0, 360, 40);
    host.show();
    Settle(200);
    list->showPopup();
    Settle(300);
    const bool saved = Save(*list->view()->window(), path);
    list->hidePopup();
    TDriveList::SetDriveSource({});
    TDriveList::SetShareSource({});
    return saved;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Verdal 5"));
    LoadGermanTranslations(app);
    SetDesktopIdentity();
    const QStringList args = QApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: %s OUTDIR DOCUMENT name=ROUTINE...\n", argv[0]);
        return 2;
    }
    const QDir out(args[1]);
    cGuiPresenter presenter;
    SetPresenter(&presenter);
    cParameters& params = Params();
    params.Reset();
    params.ReadOptions(0);
    int failures = 0;
    {
        TMainWnd window;
        cAutomation automation(window);  // the status panels
        presenter.SetParent(&window);
        window.setGeometry(0, 0, 640, 440);
        window.show();
        window.OpenFile(args[2].toStdString());
        Settle(500);
        for (int i = 3; i < args.size(); ++i) {
            const QString name = args[i].section(QLatin1Char('='), 0, 0);
            // "ROUTINE@page" opens a dialog with pages on that page.
            const QString target = args[i].section(QLatin1Char('='), 1);
            const QString routine = target.section(QLatin1Char('@'), 0, 0);
            const int page = target.contains(QLatin1Char('@'))
                                 ? target.section(QLatin1Char('@'), 1).toInt()
                                 : -1;
            const QString path = out.filePath(name + QStringLiteral(".png"));
            bool saved = false;
            if (routine == QLatin1String("DRIVE LIST")) {
                saved = ShootDriveList(path);
            } else if (routine.isEmpty()) {
                saved = Save(window, path);
            } else {
                GrabNextDialog(path, saved);
                window.OpenDialog(routine.toStdString(), page);
            }
            failures += saved ? 0 : 1;
        }
        presenter.SetParent(nullptr);
    }
    SetPresenter(nullptr);
    return failures == 0 ? 0 : 1;
}
