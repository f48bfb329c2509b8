#pragma once

#include <QDialog>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace verdal {

class cParameters;
class TDrivePanel;

// "Ziel": the destination drive and directory, the variation by which the directory changes
// from run to run with a preview of the directory the next run would use, and the disk
// options ("Datenträger...").
class TDestinationDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TDestinationDlg(QWidget* parent = nullptr);
    ~TDestinationDlg() override;

    void LoadFrom(const cParameters& params);
    void SaveTo(cParameters& params) const;
    // The profile that "Datenträger..." changes at once on its OK (the open document).
    void SetDiskTarget(cParameters* params) { diskTarget_ = params; }
    // The directory the next run would write to, as a native path where the drive is ready.
    QString PreviewText() const;

private:
    void OnVariationChanged();
    void UpdatePreview();
    void OpenDiskDialog();

    TDrivePanel* Panel;
    QLineEdit* DriveEdt;
    QLineEdit* DirEdt;
    QComboBox* VariationCbo;
    QCheckBox* EightThreeChk;
    QLabel* PreviewLbl;
    QPushButton* DiskBtn;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;

    std::unique_ptr<cParameters> preview_;
    cParameters* diskTarget_ = nullptr;
};

// Opens the destination dialog on `params`; true when the user pressed OK.
bool OpenDestinationDialog(QWidget* parent, cParameters& params);

}  // namespace verdal
