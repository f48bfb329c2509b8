#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace verdal {

class cParameters;

// "Programmoptionen": the options of the program itself (splash, reopen, tips, the program
// that compares two files of the review list).
class TProgrammDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TProgrammDlg(QWidget* parent = nullptr);

    void LoadFrom(const cParameters& params);
    // Copies back, marks the document modified and writes the program options at once.
    void SaveTo(cParameters& params) const;

    // Puts "%1" or "%2" into the parameter field at its caret.
    void InsertVariable(const QString& variable);
    void Browse();

    QCheckBox* SplashChk;
    QCheckBox* ReopenChk;
    QCheckBox* TooltipsChk;
    QLineEdit* CompareAEdt;
    QLineEdit* CompareBEdt;
    QPushButton* BrowseBtn;
    QPushButton* SourceVarBtn;
    QPushButton* DestinationVarBtn;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;
};

// The check of a chosen compare program: it must be an executable file.
bool IsExecutableFile(const QString& path);

}  // namespace verdal
