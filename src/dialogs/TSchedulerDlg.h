#pragma once

#include <QDialog>
#include <QListWidget>
#include <QStyledItemDelegate>

#include "dialogs/ScheduleList.h"

class QLabel;
class QPushButton;

namespace verdal {

class cParameters;
class cStringList;

// The two dials of the scheduler with the hands of all entries; hands are dragged to set
// their times.
class TClockPanel : public QWidget
{
    Q_OBJECT

public:
    TClockPanel(cScheduleList& list, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {200, 400}; }
    bool Dragging() const { return dragged_ >= 0; }

signals:
    // The selection changed (a hand was picked).
    void Picked(int row);
    // A dragged hand shows a new time.
    void Moved(int row);
    // A drag ended; the list has been sorted again.
    void Dropped(int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    cScheduleList& list_;
    int dragged_ = -1;
    QPointF mouse_;
};

// Paints a schedule row: switch box, time, weekday cells.
class TScheduleDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// The entry list: a click in a cell toggles it.
class TScheduleListBox : public QListWidget
{
    Q_OBJECT

public:
    using QListWidget::QListWidget;

signals:
    void CellClicked(int row, int column);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// "Zeitplaner": the weekly schedule of the profile or batch file.
class TSchedulerDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TSchedulerDlg(QWidget* parent = nullptr);

    void LoadFrom(const cParameters& params);
    void SaveTo(cParameters& params) const;
    static bool Open(QWidget* parent, cParameters& params, int page);

    const cScheduleList& List() const { return list_; }

    TClockPanel* ClockPnl;
    TScheduleListBox* EntryLst;
    QPushButton *PlusBtn, *MinusBtn, *FillBtn, *OkBtn, *CancelBtn, *HelpBtn;

private:
    void Plus();
    void Minus();
    void Fill();
    void CellClicked(int row, int column);
    void RowPicked(int row);
    void RowMoved(int row);
    void Rebuild();
    void SelectionChanged();

    cScheduleList list_;
    int kind_ = 0;
    bool rebuilding_ = false;
};

}  // namespace verdal
