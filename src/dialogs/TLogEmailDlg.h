#pragma once

#include <QDialog>
#include <array>

#include "settings/Parameters.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace verdal {

// "E-Mail": sender, three recipients, subject prefix, server and whether the log travels as an
// attachment. "Testen" sends a test message with the values as they stand in the dialog.
class TLogEmailDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TLogEmailDlg(QWidget* parent = nullptr);

    void LoadFrom(const cParameters& params);
    void SaveTo(cParameters& params) const;
    // The e-mail fields as they stand in the dialog.
    cLogParameters Current() const;
    // Sends the test message; the server's answer (or the reason) stands in TestLbl.
    bool SendTest();

    QLineEdit *SenderNameEdt, *SenderAddressEdt;
    std::array<QLineEdit*, 3> RecipientNameEdt{}, RecipientAddressEdt{};
    QLineEdit *SubjectPrefixEdt, *SmtpServerEdt;
    QCheckBox* AttachmentChk;
    QPushButton* TestBtn;
    QLabel* TestLbl;
    QPushButton *OkBtn, *CancelBtn, *HelpBtn;

private:
    cLogParameters base_;
};

}  // namespace verdal
