#pragma once

#include <QDialog>

#include "settings/Parameters.h"

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace verdal {

// "Betrachter": which program shows the log, with the switches of an external one.
class TLogViewerDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TLogViewerDlg(QWidget* parent = nullptr);

    void LoadFrom(const cParameters& params);
    void SaveTo(cParameters& params) const;
    int Kind() const;

    QRadioButton *BuiltInRdo, *NotepadRdo, *QuickViewRdo, *WordPadRdo, *OtherRdo;
    QLineEdit* OtherEdt;
    QPushButton* BrowseBtn;
    QLineEdit* SwitchesEdt;
    QPushButton *OkBtn, *CancelBtn, *HelpBtn;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void KindClicked(int kind);
    void Browse();

    QButtonGroup* kinds_;
};

}  // namespace verdal
