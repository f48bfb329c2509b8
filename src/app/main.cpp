#include <QApplication>
#include <QScreen>

#include "app/GuiPresenter.h"
#include "app/MainWnd.h"
#include "app/Translations.h"
#include "settings/OptionsFile.h"
#include "settings/Parameters.h"

using namespace verdal;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Verdal 5"));
    LoadGermanTranslations(app);
    cGuiPresenter presenter;
    SetPresenter(&presenter);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        SetPrimaryScreenSize(screen->geometry().width(), screen->geometry().height());
    }
    ApplyDriveLetters();

    cParameters& params = Params();
    params.Reset();
    params.ReadOptions(0);

    int code = 0;
    {
        TMainWnd window;
        presenter.SetParent(&window);
        for (int group = 5; group <= 12; ++group) {
            params.ReadOptions(group);
        }
        window.ApplyPlacement();
        window.show();
        const QStringList args = QApplication::arguments();
        std::string startFile = args.size() > 1 ? args[1].toStdString() : std::string();
        if (startFile.empty() && params.Programm.Reopen) {
            startFile = params.Programm.LastFile;
        }
        if (!startFile.empty()) {
            window.OpenFile(startFile);
        }
        code = QApplication::exec();
        window.StorePlacement();
        for (int group = 12; group >= 5; --group) {
            params.WriteOptions(group);
        }
        presenter.SetParent(nullptr);
    }
    params.WriteOptions(0);
    SetPresenter(nullptr);
    return code;
}
