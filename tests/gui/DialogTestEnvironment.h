#pragma once

#include <functional>

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

namespace verdal::test {

// The modal dialog that is open now (or null): tests of modal sub-dialogs post their clicks
// with QTimer::singleShot and find the dialog here.
QWidget* ActiveModal();

// Runs `action` on the next modal dialog once it is shown.
void OnNextModal(std::function<void(QWidget*)> action);

// Finds a child control by object name, failing the test when it is missing.
template <typename T>
T* Control(QWidget* parent, const char* name)
{
    T* control = parent->findChild<T*>(QString::fromLatin1(name));
    if (control == nullptr) {
        ADD_FAILURE() << "missing control " << name;
    }
    return control;
}

}  // namespace verdal::test
