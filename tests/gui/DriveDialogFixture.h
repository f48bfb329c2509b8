#pragma once

#include <gtest/gtest.h>

#include <atomic>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

#include "dialogs/TDirectoryTree.h"
#include "dialogs/TDriveList.h"
#include "platform/Clock.h"
#include "platform/DirNames.h"
#include "platform/Drives.h"
#include "settings/OptionsFile.h"
#include "settings/Parameters.h"
#include "support/RecordingPresenter.h"
#include "support/TestDir.h"

namespace verdal::test {

// An offscreen application, a temporary options file, and two fixed "mounted" drives made of
// temporary directories, so no test looks at the real drives or the real home.
class DriveDialogFixture : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        QStandardPaths::setTestModeEnabled(true);
        if (!QApplication::instance()) {
            static int argc = 1;
            static char name[] = "verdal_drive_dialog_tests";
            static char* argv[] = {name, nullptr};
            new QApplication(argc, argv);
        }
    }

    void SetUp() override
    {
        SetOptionsFilePath(dir.filePath("Verdal50.ini"));
        params.Reset();
        sourceRoot = dir.createDir("Quelle");
        destRoot = dir.createDir("Ziel");
        TDriveList::SetDriveSource([this] {
            std::vector<DriveInfo> drives;
            for (const std::string& root : drives_) {
                drives.push_back(
                    {root, root, kDriveFixed, "ext4", root == sourceRoot ? "DATEN" : ""});
            }
            return drives;
        });
        drives_ = {sourceRoot, destRoot};
        TDriveList::SetShareSource([this] {
            ++shareLookups;
            return std::vector<std::string>{"\\\\nas\\fotos"};
        });
        SetEntryNamesObserver([this](const std::string& path, NameKind kind) {
            (void)path;
            if (kind == NameKind::Directories) {
                ++dirListings;
            } else {
                ++fileListings;
            }
        });
    }

    void TearDown() override
    {
        SetEntryNamesObserver({});
        TDriveList::SetDriveSource({});
        TDriveList::SetShareSource({});
        TDirectoryTree::SetReadTimeout(3000);
        SetTestNow(std::nullopt);
        SetOptionsFilePath({});
    }

    template <class T>
    static T* Find(const QWidget& owner, const char* name)
    {
        T* found = owner.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    static void Trigger(const QWidget& owner, const char* action)
    {
        QAction* item = owner.findChild<QAction*>(QString::fromLatin1(action));
        ASSERT_NE(item, nullptr) << action;
        ASSERT_TRUE(item->isEnabled()) << action;
        item->trigger();
    }

    // Clicks the button `name` of the next modal dialog that opens.
    static void AnswerNextModal(const char* name)
    {
        QTimer::singleShot(0, [name] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            auto* button = modal->findChild<QAbstractButton*>(QString::fromLatin1(name));
            ASSERT_NE(button, nullptr) << name;
            button->click();
        });
    }

    // Drops `data` (taken over) on `target`, as a drag that ends there would.
    static bool Drop(QWidget* target, QMimeData* data, QPoint at = {5, 5})
    {
        QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent drop(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        const bool accepted = drop.isAccepted();
        delete data;
        return accepted;
    }

    TestDir dir;
    cParameters params;
    std::string sourceRoot;
    std::string destRoot;
    std::vector<std::string> drives_;
    int shareLookups = 0;
    // Counted on the reading threads.
    std::atomic<int> dirListings = 0;
    std::atomic<int> fileListings = 0;
    RecordingPresenter presenter;
};

}  // namespace verdal::test
