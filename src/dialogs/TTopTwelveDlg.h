#pragma once

#include <QDialog>
#include <array>

class QLineEdit;
class QPushButton;

namespace verdal {

class cParameters;

// "Top 12": a description and a profile for each of the keys F1 to F12.
class TTopTwelveDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TTopTwelveDlg(QWidget* parent = nullptr);
    ~TTopTwelveDlg() override;

    void LoadFrom(const cParameters& params);
    // Copies back, marks the document modified and writes the list to the options file.
    void SaveTo(cParameters& params) const;

    // Browses for the file of the row whose field has the focus.
    void Browse();

    std::array<QLineEdit*, 13> DescriptionEdt{};  // 1..12
    std::array<QLineEdit*, 13> FileEdt{};         // 1..12
    QPushButton* BrowseBtn;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;

private:
    void FocusMoved(QWidget* now);
    int fileRow_ = 0;  // the row whose file field has the focus, 0 = none
};

}  // namespace verdal
