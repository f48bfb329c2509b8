#pragma once

#include <QDialog>

class QPushButton;

namespace verdal {

// "Neue Datei": asks whether the new document is a profile or a batch file.
class TNewDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TNewDlg(QWidget* parent = nullptr);

    // 0 profile, 1 batch file, -1 cancelled.
    int Kind() const { return kind_; }
    // Shows the dialog modally and returns its choice.
    static int Choose(QWidget* parent);

    QPushButton* ProfileBtn;
    QPushButton* BatchBtn;
    QPushButton* CancelBtn;

private:
    int kind_ = -1;
};

}  // namespace verdal
