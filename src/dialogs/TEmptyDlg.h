#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace verdal {

// Asks, when the source dialog closes with an empty search list, whether the directory selected
// at the moment should be searched. exec() returns one of the Answer values.
class TEmptyDlg : public QDialog
{
    Q_OBJECT

public:
    // Closing the window (Esc) gives QDialog::Rejected: the source dialog then stays open.
    enum Answer { kYes = 1, kYesWithSubdirectories = 2, kNo = 3 };

    TEmptyDlg(const QString& directory, QWidget* parent = nullptr);

private:
    QLabel* DirectoryLbl;
    QPushButton* YesBtn;
    QPushButton* YesSubdirsBtn;
    QPushButton* NoBtn;
};

}  // namespace verdal
