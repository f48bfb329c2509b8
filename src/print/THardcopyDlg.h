#pragma once

#include <QDialog>
#include <QFont>
#include <QPrinter>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "print/PrintFormat.h"
#include "print/PrintedRows.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace verdal {

class cPagePreview;
class cReviewPageRenderer;
class cUnitSpinBox;

// The print layout of the review list: fonts, margins, shading, lines, colour, the rows to
// print and the copies, with a scaled preview of any page. "Übernehmen" keeps the layout in
// the options file; OK asks for the printer and prints every page from the first.
class THardcopyDlg : public QDialog
{
    Q_OBJECT

public:
    THardcopyDlg(const std::vector<PrintedRow>& rows, const PrintedHeader& header,
                 QWidget* parent = nullptr);
    ~THardcopyDlg() override;

    const cPrintFormat& Format() const { return format_; }
    int PageCount() const;
    // The page shown in the preview, counted from 1.
    int CurrentPage() const;
    QPrinter& Printer() { return printer_; }
    // Pages printed by the last OK.
    int PrintedPages() const { return printed_; }

    // Replaceable for tests: the font dialog, the printer choice before printing (false =
    // cancelled) and the page setup behind "Einrichten...".
    std::function<std::optional<QFont>(QWidget*, const QFont&)> ChooseFont;
    std::function<bool(QWidget*, QPrinter&)> ChoosePrinter;
    std::function<bool(QWidget*, QPrinter&)> SetupPage;

    QSpinBox* PageSpn;
    QLabel* PageCountLbl;
    cPagePreview* PreviewPnl;
    QPushButton *HeaderFontBtn, *DataFontBtn;
    QRadioButton *AllRdo, *SelectionRdo;
    QSpinBox* CopiesSpn;
    QCheckBox *DividingLineChk, *InColorChk;
    QSpinBox *BlockShade1Spn, *BlockShade2Spn;
    cUnitSpinBox *TopMarginSpn, *LeftMarginSpn, *RightMarginSpn, *BottomMarginSpn, *SpacingSpn;
    QLineEdit* RemarkEdt;
    QLabel *PrinterLbl, *PaperLbl, *PrinterMarginLbl;
    QPushButton *SetupBtn, *ApplyBtn, *OkBtn, *CancelBtn, *HelpBtn;

    static constexpr int kHelpContext = 4930;

private:
    QWidget* BuildSettings();
    QWidget* BuildPrinterInfo();
    void Connect();
    void LoadControls();
    void ReadControls();
    void Changed();
    void Relayout();
    void ShowPage(int page);
    void RenewPrinterInfo();
    void PickFont(bool header);
    void ShowFonts();
    void Store();
    void Setup();
    void Print();
    QSize PaperPixels() const;

    const std::vector<PrintedRow>& rows_;
    const PrintedHeader& header_;
    cPrintFormat format_;
    bool metric_;
    bool loading_ = false;
    QPrinter printer_;
    std::unique_ptr<cReviewPageRenderer> renderer_;
    std::atomic<bool> cancel_{false};
    int printed_ = 0;
};

}  // namespace verdal
