#include <QApplication>

#include "app/StartUp.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    return verdal::RunProgram(app);
}
