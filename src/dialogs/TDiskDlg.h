#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace verdal {

class cParameters;

// "Datenträger": the checks for removable media of the destination: the volume label to expect,
// the offer to format, ejecting after the run. `drive` is the drive the destination dialog
// shows, for "Lesen".
class TDiskDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TDiskDlg(const QString& drive, QWidget* parent = nullptr);

    void LoadFrom(const cParameters& params);
    void SaveTo(cParameters& params) const;

private:
    void UpdateEnabled();
    void ReadLabel();

    QString drive_;
    QCheckBox* CheckLabelChk;
    QLineEdit* CheckLabelEdt;
    QPushButton* WeekdayBtn;
    QPushButton* ReadBtn;
    QCheckBox* OfferFormatChk;
    QCheckBox* EjectDiskChk;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;
};

}  // namespace verdal
