#include "dialogs/DialogServices.h"

#include <QMessageBox>
#include <QPushButton>

#include "platform/Process.h"

namespace verdal {

std::function<void(QWidget*, int)> DialogServices::ShowHelp = [](QWidget* parent, int) {
    QMessageBox::information(parent, QStringLiteral("Verdal 5"),
                             QStringLiteral("Die Hilfe ist noch nicht verfügbar."));
};
std::function<int(const std::string&)> DialogServices::OpenFile = &OpenWithDesktop;
std::function<int(const std::vector<std::string>&)> DialogServices::StartProgram = &StartDetached;

QPushButton* HelpButton(QWidget* owner, int helpContext)
{
    auto* button = new QPushButton(QStringLiteral("Hilfe"), owner);
    button->setObjectName(QStringLiteral("HelpBtn"));
    button->setAccessibleName(QStringLiteral("Hilfe"));
    QObject::connect(button, &QPushButton::clicked, owner,
                     [owner, helpContext] { DialogServices::ShowHelp(owner, helpContext); });
    return button;
}

}  // namespace verdal
