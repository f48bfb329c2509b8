#pragma once

#include <functional>
#include <string>

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace verdal {

class cParameters;
class TDrivePanel;
enum class ExpressJob;

// "Express-Setup": source, destination, masks and the kind of job in one step; the job
// buttons close the dialog and, unless "Nicht sofort laufen" is checked, ask for a run.
class TExpressSetupDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TExpressSetupDlg(QWidget* parent = nullptr);

    void LoadFrom(const cParameters& params);
    // Stores the fields (and the fixed option set when asked for) for the job pressed.
    void SaveTo(cParameters& params) const;
    // Set when the dialog closed: the opposite of "Nicht sofort laufen".
    bool RunNow() const { return runNow_; }

    // Opens the dialog; after a job button and unless told not to, `startRun` runs the
    // profile at once.
    static bool Open(QWidget* parent, cParameters& params, int page,
                     const std::function<void()>& startRun = {});

    TDrivePanel *SrcPanel, *DestPanel;
    QLineEdit *SrcDriveEdt, *SrcDirEdt;
    QLabel* SrcPathLbl;
    QCheckBox* SubdirsChk;
    QLineEdit *CompareEdt, *ExcludeEdt;
    QLineEdit *DestDriveEdt, *DestDirEdt;
    QLabel* DestPathLbl;
    QCheckBox *ShowOverviewChk, *AutoSetChk, *NoRunChk;
    QPushButton *SyncBtn, *BackupBtn, *RestoreBtn, *CancelBtn, *HelpBtn;

protected:
    void done(int result) override;

private:
    void JobClicked(ExpressJob job);
    void UpdateLabels();

    int jobValue_ = -1;
    bool runNow_ = false;
};

}  // namespace verdal
