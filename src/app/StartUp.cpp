#include "app/StartUp.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QPrinterInfo>
#include <QScreen>
#include <QThread>

#include "app/Automation.h"
#include "app/GuiPresenter.h"
#include "app/HelpWindow.h"
#include "app/MainWnd.h"
#include "app/TerminateWatch.h"
#include "app/Translations.h"
#include "dialogs/DialogServices.h"
#include "dialogs/TSplashWindow.h"
#include "engine/RunFrontEnd.h"
#include "platform/AppPaths.h"
#include "platform/Desktop.h"
#include "platform/WinError.h"
#include "settings/ErrorText.h"
#include "settings/GermanFormat.h"
#include "settings/IniFile.h"
#include "settings/Macros.h"
#include "settings/OptionsFile.h"
#include "settings/Parameters.h"

namespace verdal {

CommandLine ParseCommandLine(const QStringList& arguments)
{
    CommandLine line;
    if (arguments.size() > 1) {
        line.File = arguments[1].toStdString();
    }
    if (arguments.size() > 2) {
        line.Mute = arguments[2].toLower() == QLatin1String("/mute");
    }
    return line;
}

std::string OptionsFileProblem(const std::string& path)
{
    cIniFile ini;
    const int error = ini.Load(path);
    if (error == kErrSuccess) {
        return {};
    }
    return FormatText(
        "Die Optionsdatei\r%s\rkann nicht gelesen werden: %s\r\rVerdal arbeitet mit den "
        "Standardeinstellungen und lässt die Datei unverändert.",
        {path, ErrorText(error)});
}

bool ShowSplash(const std::function<qint64()>& elapsedMs)
{
    TSplashWindow splash;
    if (!splash.Load()) {
        return false;
    }
    splash.show();
    QElapsedTimer shown;
    shown.start();
    const std::function<qint64()> elapsed =
        elapsedMs ? elapsedMs : [&shown] { return shown.elapsed(); };
    // The window keeps painting while it waits.
    while (elapsed() < kSplashMinimumMs) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(20);
    }
    return true;
}

void SetDesktopIdentity()
{
    QGuiApplication::setDesktopFileName(QStringLiteral("verdal"));
    // The build folder has no icon theme, only the sources' pictures.
    const QString fallback =
        QString::fromStdString(ResourceDirectory() + "icons/hicolor/256x256/apps/verdal.png");
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("verdal"), QIcon(fallback)));
}

int RunProgram(QApplication& app)
{
    const CommandLine line = ParseCommandLine(QApplication::arguments());
    QApplication::setApplicationName(QStringLiteral("Verdal 5"));
    QApplication::setApplicationDisplayName(QStringLiteral("Verdal 5"));
    SetDesktopIdentity();
    // In mute mode no window is ever shown, so the last one closing must not be awaited.
    QApplication::setQuitOnLastWindowClosed(!line.Mute);
    LoadGermanTranslations(app);
    cGuiPresenter presenter;
    presenter.SetHelpHandler([](int context) { THelpWindow::Show(context); });
    DialogServices::ShowHelp = [](QWidget* parent, int context) {
        THelpWindow::Show(context, parent);
    };
    SetPresenter(&presenter);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        SetPrimaryScreenSize(screen->geometry().width(), screen->geometry().height());
    }
    SetDefaultPrinterSource([] { return QPrinterInfo::defaultPrinterName().toStdString(); });

    const std::string problem = OptionsFileProblem(OptionsFilePath());
    ApplyDriveLetters();
    cParameters& params = Params();
    params.Reset();
    params.ReadOptions(0);
    if (!problem.empty()) {
        Presenter().Show({BoxKind::Warning, BoxButtons::Ok, problem, 0});
    }
    if (!line.Mute && params.Programm.Splash) {
        ShowSplash();
    }

    int code = 0;
    {
        TMainWnd window(line.Mute);
        cAutomation automation(window);
        presenter.SetParent(&window);
        if (!line.Mute) {
            RegisterFileTypes(QApplication::applicationFilePath().toStdString(), false);
        }
        for (int group = 5; group <= 12; ++group) {
            params.ReadOptions(group);
        }
        QObject::connect(&window, &TMainWnd::CloseAccepted, &app, &QApplication::quit,
                         Qt::QueuedConnection);
        // SIGTERM (and Ctrl+C) end the program through the close guard, so that the placements
        // and options are written and unsaved changes are offered for saving.
        cTerminateWatch terminateWatch(window);
        if (!line.Mute) {
            window.ApplyPlacement();
            window.show();
            QApplication::processEvents();
        }
        window.OpenStartFile(line.File);
        code = QApplication::exec();
        if (!line.Mute) {
            window.StorePlacement();
        }
        for (int group = 12; group >= 5; --group) {
            params.WriteOptions(group);
        }
        presenter.SetParent(nullptr);
    }
    params.WriteOptions(0);
    SetPresenter(nullptr);
    return code;
}

}  // namespace verdal
