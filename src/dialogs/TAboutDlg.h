#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace verdal {

class cParameters;

// "Über Verdal": the program's name, version and the running system.
class TAboutDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutDlg(QWidget* parent = nullptr);

    // Nothing to copy: the box shows facts, not settings.
    void LoadFrom(const cParameters&) {}
    void SaveTo(cParameters&) const {}

    QLabel* PictureLbl;
    QLabel* NameLbl;
    QLabel* VersionLbl;
    QLabel* SystemLbl;
    QLabel* AddressLbl;
    QPushButton* OkBtn;
};

}  // namespace verdal
