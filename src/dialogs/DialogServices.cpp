#include "dialogs/DialogServices.h"

#include <QMessageBox>

#include "platform/Process.h"

namespace verdal {

std::function<void(QWidget*, int)> DialogServices::ShowHelp = [](QWidget* parent, int) {
    QMessageBox::information(parent, QStringLiteral("Verdal 5"),
                             QStringLiteral("Die Hilfe ist noch nicht verfügbar."));
};
std::function<int(const std::string&)> DialogServices::OpenFile = &OpenWithDesktop;
std::function<int(const std::vector<std::string>&)> DialogServices::StartProgram = &StartDetached;

}  // namespace verdal
