#pragma once

#include <memory>

#include <QDialog>

#include "engine/RunFrontEnd.h"

class QLabel;
class QPushButton;

namespace verdal {

class FileLabelBlock;

// Asks what to do after a failed copy: the two files, the error in upper case, and five
// answers whose results (11 to 15) the engine applies.
class TInterruptionDlg : public QDialog
{
    Q_OBJECT

public:
    TInterruptionDlg(const std::string& profilePath, const FileLabel& source,
                     const FileLabel& destination, int errorCode, bool tooltips,
                     QWidget* parent = nullptr);
    ~TInterruptionDlg() override;

    // Shows the dialog modally and returns the answer; closing the window quits the run.
    static int Ask(const std::string& profilePath, const FileLabel& source,
                   const FileLabel& destination, int errorCode, bool tooltips,
                   QWidget* parent = nullptr);

    std::unique_ptr<FileLabelBlock> Source, Destination;
    QLabel* ErrorLbl;
    QPushButton *RetryBtn, *NextFileBtn, *NextFolderBtn, *DeleteBtn, *QuitBtn, *HelpBtn;

    static constexpr int kHelpContext = 4940;
};

}  // namespace verdal
