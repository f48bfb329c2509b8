#pragma once

#include <QLabel>

namespace verdal {

// The borderless picture shown while the program starts.
class TSplashWindow : public QLabel
{
    Q_OBJECT

public:
    explicit TSplashWindow(QWidget* parent = nullptr);

    // Decodes the splash picture and sizes the window to it, centred on the screen; false when
    // the picture cannot be read (then no splash is shown).
    bool Load(const QString& path = QStringLiteral(":/pictures/splash.jpg"));
};

}  // namespace verdal
