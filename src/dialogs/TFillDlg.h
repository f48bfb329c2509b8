#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include <QDialog>

class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;
class QTimeEdit;

namespace verdal {

// "Füllen": a regular series of schedule entries.
class TFillDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TFillDlg(QWidget* parent = nullptr);

    // The entries the fields describe.
    std::vector<uint32_t> Entries() const;

    QTimeEdit *FromEdt, *ToEdt;
    QSpinBox* StepSpn;
    QComboBox* UnitCbo;
    std::array<QCheckBox*, 7> DayChk{};  // Monday..Sunday
    QPushButton *OkBtn, *CancelBtn;

private:
    void UnitChanged(int unit);
};

}  // namespace verdal
