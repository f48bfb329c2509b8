#include "dialogs/TSplashWindow.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include "dialogs/JpegImage.h"

namespace verdal {

TSplashWindow::TSplashWindow(QWidget* parent)
    : QLabel(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("SplashWindow"));
    setAccessibleName(QStringLiteral("Verdal 5 startet"));
}

bool TSplashWindow::Load(const QString& path)
{
    const QImage picture = LoadJpeg(path);
    if (picture.isNull()) {
        return false;
    }
    setPixmap(QPixmap::fromImage(picture));
    resize(picture.size());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
    return true;
}

}  // namespace verdal
