#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QString>
#include <QWidget>

namespace verdal {

// Gives a control its object name (tests find it by that) and an accessible name (screen
// readers read it): the caption without its "&" for buttons, else `accessible`.
template <typename T>
T* Named(T* control, const char* name, const QString& accessible = {})
{
    control->setObjectName(QString::fromLatin1(name));
    QString text = accessible;
    if (text.isEmpty()) {
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            text = button->text();
        } else if (auto* label = qobject_cast<QLabel*>(control)) {
            text = label->text();
        }
    }
    text.remove(QLatin1Char('&'));
    control->setAccessibleName(text.trimmed());
    return control;
}

// A label that names `buddy` and lends it its caption as accessible name.
inline QLabel* BuddyLabel(const QString& caption, QWidget* buddy, QWidget* parent = nullptr)
{
    auto* label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    QString text = caption;
    text.remove(QLatin1Char('&'));
    if (buddy->accessibleName().isEmpty()) {
        buddy->setAccessibleName(text.trimmed());
    }
    return label;
}

}  // namespace verdal
