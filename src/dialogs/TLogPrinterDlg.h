#pragma once

#include <QDialog>
#include <QFont>
#include <functional>
#include <optional>

#include "settings/Parameters.h"

class QComboBox;
class QPushButton;

namespace verdal {

// "Drucker": the printer and the font of the printed log.
class TLogPrinterDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TLogPrinterDlg(QWidget* parent = nullptr);

    void LoadFrom(const cParameters& params);
    void SaveTo(cParameters& params) const;

    // The installed printers; tests replace the list.
    static std::function<QStringList()> PrinterNames;
    // The font chooser; tests replace it. Empty = cancelled.
    std::function<std::optional<QFont>(QWidget*, const QFont&)> ChooseFont;

    QComboBox* PrinterCbo;
    QPushButton* FontBtn;
    QPushButton *OkBtn, *CancelBtn, *HelpBtn;

private:
    void PickFont();
    void ShowFont();

    QString fontName_;
    int fontSize_ = 9;
};

}  // namespace verdal
