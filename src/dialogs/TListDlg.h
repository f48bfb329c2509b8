#pragma once

#include <memory>
#include <vector>

#include <QDialog>

#include "dialogs/ReviewRules.h"
#include "print/PrintedRows.h"

class QButtonGroup;
class QLabel;
class QMenu;
class QPushButton;
class QToolButton;
class QListView;

namespace verdal {

struct cRunContext;
class cParameters;
class ReviewModel;
class ReviewDelegate;

// The review list: every candidate of a run under its group rows, with the decided action,
// which the user may change before anything is copied or deleted. OK lets the run go on with
// the actions as they stand; Cancel aborts it.
class TListDlg : public QDialog
{
    Q_OBJECT

public:
    TListDlg(cRunContext& run, cParameters& params, QWidget* parent = nullptr);
    ~TListDlg() override;

    // Shows the list modally; false when the user cancelled.
    static bool Review(cRunContext& run, cParameters& params, QWidget* parent = nullptr);

    ReviewModel& Model() const { return *model_; }
    QListView* List() const { return ListView; }
    // The selected rows, in order.
    std::vector<int> SelectedRows() const;
    // The rows and headers as "&Drucken" prints them.
    std::vector<PrintedRow> PrintRows() const;
    PrintedHeader PrintHeader() const;

    QLabel *SourceRootLbl, *SourceFreeLbl, *DestinationRootLbl, *DestinationFreeLbl;
    QListView* ListView;
    QToolButton *OneLineBtn, *TwoLineBtn;
    QToolButton *SortPathBtn, *SortNameBtn, *SortTypeBtn, *SortSizeBtn, *SortDateBtn,
        *SortCategoryBtn;
    QToolButton *AscendingBtn, *DescendingBtn;
    QToolButton *FilterSizeBtn, *FilterDoubleBtn, *FilterPropertiesBtn;
    QPushButton *ForwardBtn, *SkipBtn, *DeleteBtn, *BackwardBtn;
    QPushButton *OpenBtn, *CompareInternBtn, *CompareExternBtn;
    QPushButton *CloseFolderBtn, *OpenAllBtn, *CloseAllBtn;
    QPushButton *OkBtn, *CancelBtn, *HelpBtn, *PrintBtn;
    QLabel* TransferLbl;
    QLabel *ForwardCountLbl, *SkipCountLbl, *DeleteCountLbl, *BackwardCountLbl;

    static constexpr int kHelpContext = 4920;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* BuildHeader();
    QWidget* BuildButtons();
    void BuildMenus();
    void LoadView();
    void Connect();

    void ApplyToSelection(uint16_t action);
    void Resort();
    void RebuildKeepingCurrent();
    void ChangeView();
    void Refresh();
    void RefreshCounts();
    void CloseThisFolder();
    void OpenFiles();
    void CompareInternal();
    void CompareExternal();
    void Print();
    void ShowContextMenu(const QPoint& globalPos);
    bool HandleKey(QKeyEvent* event);
    bool HandleClick(QMouseEvent* event, bool doubleClick);

    cRunContext& run_;
    cParameters& params_;
    cSaveParameters saved_;
    std::unique_ptr<ReviewModel> model_;
    ReviewDelegate* delegate_ = nullptr;
    QButtonGroup *rowsGroup_, *sortGroup_, *orderGroup_;
    QMenu *fullMenu_, *foldMenu_;
};

}  // namespace verdal
