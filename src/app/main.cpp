#include <QApplication>

#include "app/Translations.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    verdal::LoadGermanTranslations(app);
    return 0;
}
