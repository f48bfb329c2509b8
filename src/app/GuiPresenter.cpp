#include "app/GuiPresenter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace verdal {
namespace {

QMessageBox::Icon IconOf(BoxKind kind)
{
    switch (kind) {
        case BoxKind::Error:
            return QMessageBox::Critical;
        case BoxKind::Warning:
            return QMessageBox::Warning;
        case BoxKind::Confirmation:
            return QMessageBox::Question;
        case BoxKind::Information:
            break;
    }
    return QMessageBox::Information;
}

QMessageBox::StandardButtons ButtonsOf(BoxButtons buttons)
{
    switch (buttons) {
        case BoxButtons::Ok:
        case BoxButtons::OkHelp:
            return QMessageBox::Ok;
        case BoxButtons::YesNo:
        case BoxButtons::YesNoHelp:
            return QMessageBox::Yes | QMessageBox::No;
        case BoxButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case BoxButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

BoxResult ResultOf(QMessageBox::StandardButton button)
{
    switch (button) {
        case QMessageBox::Ok:
            return BoxResult::Ok;
        case QMessageBox::Cancel:
            return BoxResult::Cancel;
        case QMessageBox::Yes:
            return BoxResult::Yes;
        case QMessageBox::No:
            return BoxResult::No;
        default:
            return BoxResult::None;
    }
}

bool HasHelp(BoxButtons buttons)
{
    return buttons == BoxButtons::OkHelp || buttons == BoxButtons::YesNoHelp;
}

}  // namespace

BoxResult cGuiPresenter::Show(const Message& message)
{
    QString text = QString::fromStdString(message.Text);
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(IconOf(message.Kind), QStringLiteral("Verdal 5"), text,
                    ButtonsOf(message.Buttons), parent_);
    QPushButton* helpButton = nullptr;
    if (help_ && HasHelp(message.Buttons)) {
        // The help button must not close the box, so it is an extra button whose click is
        // caught below.
        helpButton = box.addButton(QStringLiteral("Hilfe"), QMessageBox::HelpRole);
    }
    for (;;) {
        box.exec();
        if (helpButton && box.clickedButton() == helpButton) {
            help_(message.HelpContext);
            continue;
        }
        return ResultOf(box.standardButton(box.clickedButton()));
    }
}

void cGuiPresenter::Beep()
{
    QApplication::beep();
}

}  // namespace verdal
