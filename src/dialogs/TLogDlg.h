#pragma once

#include <QDialog>

#include "settings/Parameters.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace verdal {

// "Log": whether and how a run log is written, and where it goes after a run. The buttons for
// viewer, mail and printer open sub-dialogs whose OK changes the document at once.
class TLogDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TLogDlg(QWidget* parent = nullptr);

    // The document the sub-dialogs edit directly.
    void SetDocument(cParameters* params) { document_ = params; }
    void LoadFrom(const cParameters& params);
    void SaveTo(cParameters& params) const;
    static bool Open(QWidget* parent, cParameters& params, int page);

    QCheckBox* ActiveChk;
    QLineEdit* FilenameEdt;
    QPushButton* BrowseBtn;
    QComboBox *DateTimeCbo, *FileInfoCbo;
    QCheckBox *DailyChk, *AppendChk, *NormalChk;
    QCheckBox *Viewer1Chk, *Email1Chk, *Printer1Chk;
    QCheckBox *Viewer2Chk, *Email2Chk, *Printer2Chk;
    QPushButton *ViewerBtn, *EmailBtn, *PrinterBtn;
    QPushButton *OkBtn, *CancelBtn, *HelpBtn;

private:
    void Browse();
    template <typename TSubDialog>
    void OpenSubDialog();

    cParameters* document_ = nullptr;
};

}  // namespace verdal
