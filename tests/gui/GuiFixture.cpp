#include "GuiFixture.h"

#include <QStandardPaths>
#include <cstdlib>

#include "app/Translations.h"
#include "engine/RunFrontEnd.h"
#include "platform/FileIO.h"
#include "settings/OptionsFile.h"
#include "settings/Parameters.h"
#include "support/SessionRecorder.h"

namespace verdal::test {
namespace {

bool g_translated = false;

}  // namespace

QApplication& GuiApplication()
{
    // The shared test main has given the process a home and XDG folders of its own.
    setenv("GIO_USE_VFS", "local", 1);
    QStandardPaths::setTestModeEnabled(true);
    static int argc = 1;
    static char name[] = "verdal_gui_tests";
    static char* argv[] = {name, nullptr};
    // Other test files of this program may have made the application already.
    static QApplication* app = [] {
        auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance());
        auto* made = existing ? existing : new QApplication(argc, argv);
        g_translated = LoadGermanTranslations(*made);
        return made;
    }();
    return *app;
}

bool GuiTranslated()
{
    GuiApplication();
    return g_translated;
}

void GuiTest::SetUp()
{
    GuiApplication();
    SetOptionsFilePath(dir.filePath("Verdal50.ini"));
    presenter = std::make_unique<RecordingPresenter>();
    ended.clear();
    cParameters& params = Params();
    params.FileKind = 0;
    params.Reset();
    params.FileName = "<unbenannt>";
    AbortFlag = false;
}

void GuiTest::TearDown()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        widget->close();
    }
    presenter.reset();
    SetOptionsFilePath({});
}

std::string GuiTest::ExampleProfile()
{
    std::string bytes;
    EXPECT_EQ(ReadWholeFile(VERDAL_SOURCE_DIR "/resources/examples/Beispiel.vrd", bytes), 0);
    const std::string demo = "/tmp/verdal-demo";
    for (size_t at = bytes.find(demo); at != std::string::npos; at = bytes.find(demo)) {
        bytes.replace(at, demo.size(), dir.path());
    }
    dir.createFile("Quelle/Daten/Brief.txt", "Hallo", 1796000000);
    dir.createDir("Ziel");
    return dir.createFile("Beispiel.vrd", bytes);
}

void OnNextModal(std::function<void(QWidget*)> action)
{
    auto* timer = new QTimer();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) {
            return;
        }
        // Keyboard focus goes only to the active window: wait until the dialog is it.
        if (!modal->isActiveWindow()) {
            modal->activateWindow();
            return;
        }
        timer->stop();
        timer->deleteLater();
        action(modal);
    });
    timer->start();
}

}  // namespace verdal::test
