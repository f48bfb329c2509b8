#include "dialogs/Hints.h"

#include <QWidget>

namespace verdal {

void ApplyHintOption(QWidget* window, bool tooltips)
{
    if (tooltips) {
        return;
    }
    window->setToolTip(QString());
    for (QWidget* control : window->findChildren<QWidget*>()) {
        control->setToolTip(QString());
    }
}

}  // namespace verdal
