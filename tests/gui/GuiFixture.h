#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "platform/SessionEnd.h"
#include "support/RecordingPresenter.h"
#include "support/SessionRecorder.h"
#include "support/TestDir.h"

namespace verdal::test {

// The one offscreen application of the GUI tests, with the German translation and Qt's test
// paths.
QApplication& GuiApplication();
// Whether Qt's German translation could be loaded.
bool GuiTranslated();

// Each GUI test: a temporary folder holding the options file, fresh settings, a recorder for
// messages (answers scripted in `presenter.Answers`) and one for session ends.
class GuiTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The bundled example profile copied into the test folder with its source and destination
    // there too; returns its path.
    std::string ExampleProfile();

    TestDir dir;
    std::unique_ptr<RecordingPresenter> presenter;
    std::vector<SessionAction>& ended = RecordedSessionEnds();
};

// Runs `action` on the next modal window once it is up (a dialog's exec() blocks the test).
void OnNextModal(std::function<void(QWidget*)> action);

}  // namespace verdal::test
