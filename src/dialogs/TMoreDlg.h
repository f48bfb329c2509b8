#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace verdal {

class cParameters;
class TWarningsBox;

// "Batch-Datei" (from "Warnungen / Automatik..."): the batch file's warnings, which override
// those of its profiles when asked to, and its automation.
class TMoreDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TMoreDlg(QWidget* parent = nullptr);

    void LoadFrom(const cParameters& params);
    void SaveTo(cParameters& params) const;
    static bool Open(QWidget* parent, cParameters& params, int page);

    QCheckBox* OverrideChk;
    TWarningsBox* WarningsBox;
    QCheckBox *OpenChk, *HookChk, *BeepChk, *ExitChk, *TrayChk;
    QComboBox* ShutdownCbo;
    QPushButton *OkBtn, *CancelBtn;

private:
    void ApplyOverrideRule();
};

}  // namespace verdal
