#include "dialogs/TSchedulerDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimeEdit>

#include "DialogTestEnvironment.h"
#include "dialogs/ClockFace.h"
#include "dialogs/TFillDlg.h"
#include "settings/Parameters.h"

using namespace verdal;
using namespace verdal::test;

namespace {

class SchedulerDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        params.FileKind = 0;
        dialog.LoadFrom(params);
        dialog.ClockPnl->setFixedSize(200, 400);  // even centres: exact angles
        dialog.resize(640, 480);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }

    std::vector<uint32_t> Entries() const { return dialog.List().Entries(); }
    // Clicks cell `column` (0 switch, 1..7 weekdays, -1 the time) of a row.
    void ClickCell(int row, int column)
    {
        QListWidget* list = dialog.EntryLst;
        const QRect rect = list->visualRect(list->model()->index(row, 0));
        int x = kCheckColumnWidth + kTimeColumnWidth / 2;
        if (column == 0) {
            x = kCheckColumnWidth / 2;
        } else if (column > 0) {
            x = kCheckColumnWidth + kTimeColumnWidth + (column - 1) * kDayColumnWidth + 10;
        }
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          QPoint(rect.left() + x, rect.center().y()));
    }
    ClockFace Face() const { return ClockFace(dialog.ClockPnl->rect()); }
    // A point on the hand of `minutes`, two thirds out.
    QPoint OnHand(int minutes) const
    {
        const ClockFace face = Face();
        const QPointF centre = face.Centre(ClockFace::DialOf(minutes));
        return (centre + (face.HandTip(minutes) - centre) * 0.66).toPoint();
    }
    // A point at `minutes` on its dial, near the rim.
    QPoint AtTime(int minutes) const
    {
        const ClockFace face = Face();
        const double a = (minutes % 720) / 2.0 * 3.14159265358979 / 180.0;
        const QPointF centre = face.Centre(ClockFace::DialOf(minutes));
        return (centre + QPointF(std::sin(a), -std::cos(a)) * (face.Radius() * 0.6)).toPoint();
    }

    cParameters params;
    TSchedulerDlg dialog;
};

}  // namespace

// Halves round to even; a full day wraps; 720 minutes is noon.
TEST(ClockFaceTest, AnglesRoundToMinutes)
{
    EXPECT_EQ(ClockFace::MinutesOfAngle(0.0, 0), 0);
    EXPECT_EQ(ClockFace::MinutesOfAngle(90.0, 0), 180);
    EXPECT_EQ(ClockFace::MinutesOfAngle(90.0, 1), 900);
    EXPECT_EQ(ClockFace::MinutesOfAngle(0.25, 0), 0);  // 0.5 -> 0
    EXPECT_EQ(ClockFace::MinutesOfAngle(0.75, 0), 2);  // 1.5 -> 2
    EXPECT_EQ(ClockFace::MinutesOfAngle(359.7, 0), 719);
    EXPECT_EQ(ClockFace::MinutesOfAngle(359.8, 0), 720);
    EXPECT_EQ(ClockFace::MinutesOfAngle(359.8, 1), 0);
    EXPECT_EQ(ClockFace::MinutesOfAngle(-90.0, 0), 540);

    const ClockFace face(QRectF(0, 0, 200, 400));
    EXPECT_EQ(face.MinutesAt(QPointF(190, 100)), 180);   // 3 o'clock, upper dial
    EXPECT_EQ(face.MinutesAt(QPointF(100, 390)), 1080);  // 6 o'clock, lower dial
    EXPECT_EQ(face.DialAt(QPointF(100, 199)), 0);
    EXPECT_EQ(face.DialAt(QPointF(100, 200)), 1);
}

// The hit test uses the drawn triangle: a point on the hand hits, one just beside it does not;
// the first entry in list order wins.
TEST(ClockFaceTest, HitTestFollowsTheHandShape)
{
    const ClockFace face(QRectF(0, 0, 200, 400));
    const std::vector<uint32_t> entries{kNewEntry | 180, kNewEntry | 900, kNewEntry | 180};
    const QPointF centre = face.Centre(0);
    EXPECT_EQ(face.HitTest(entries, centre + QPointF(40, 0)), 0);
    EXPECT_EQ(face.HitTest(entries, centre + QPointF(46, 2.5)), -1);  // beside the narrowing hand
    EXPECT_EQ(face.HitTest(entries, centre + QPointF(-40, 0)), -1);
    EXPECT_EQ(face.HitTest(entries, face.Centre(1) + QPointF(40, 1)), 1);
    const QPolygonF hand = face.HandShape(180);
    EXPECT_TRUE(hand.containsPoint(face.HandTip(180) - QPointF(2, 0), Qt::OddEvenFill));
}

TEST_F(SchedulerDlgTest, PlusAndMinus_AddSelectAndRemove)
{
    EXPECT_FALSE(dialog.MinusBtn->isEnabled());
    dialog.PlusBtn->click();
    dialog.PlusBtn->click();
    EXPECT_EQ(Entries(), (std::vector<uint32_t>{0x7C000000u, 0x7C000000u}));
    EXPECT_EQ(dialog.List().Selected(), 1);
    EXPECT_EQ(dialog.EntryLst->item(1)->text(), "0000");
    EXPECT_TRUE(dialog.MinusBtn->isEnabled());

    // Without a selection "-" does nothing.
    dialog.EntryLst->setCurrentRow(-1);
    dialog.MinusBtn->click();
    EXPECT_EQ(Entries().size(), 2u);

    dialog.EntryLst->setCurrentRow(1);
    dialog.MinusBtn->click();
    EXPECT_EQ(Entries().size(), 1u);
    EXPECT_EQ(dialog.List().Selected(), 0);
    QTest::keyClick(&dialog, Qt::Key_Minus);
    EXPECT_TRUE(Entries().empty());
    EXPECT_FALSE(dialog.MinusBtn->isEnabled());
    QTest::keyClick(&dialog, Qt::Key_Plus);
    EXPECT_EQ(Entries().size(), 1u);

    // The keys work while the list has the focus too (it must not take them for a search).
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.EntryLst->setFocus();
    QTest::keyClick(dialog.EntryLst, Qt::Key_Plus);
    EXPECT_EQ(Entries().size(), 2u);
    QTest::keyClick(dialog.EntryLst, Qt::Key_Minus);
    EXPECT_EQ(Entries().size(), 1u);
}

TEST_F(SchedulerDlgTest, CellClicks_ToggleSwitchAndWeekdays)
{
    dialog.PlusBtn->click();
    ClickCell(0, 0);
    EXPECT_EQ(Entries()[0], 0xFC000000u);  // switched off, kept
    ClickCell(0, 6);                       // Saturday
    EXPECT_EQ(Entries()[0], 0xFE000000u);
    ClickCell(0, 1);  // Monday
    EXPECT_EQ(Entries()[0], 0xBE000000u);
    ClickCell(0, -1);  // the time column does not react
    EXPECT_EQ(Entries()[0], 0xBE000000u);
    ClickCell(0, 0);
    EXPECT_EQ(Entries()[0], 0x3E000000u);
}

// A click on a hand selects its entry; dragging it sets the time where the mouse goes, and the
// list is sorted again with the dragged entry after others of equal time.
TEST_F(SchedulerDlgTest, DragOnFace_SetsTimeAndSorts)
{
    params.Schedule.Add("", static_cast<int32_t>(0x40000000u | 180));
    params.Schedule.Add("", static_cast<int32_t>(0x20000000u | 600));
    dialog.LoadFrom(params);
    QWidget* face = dialog.ClockPnl;

    QTest::mouseClick(face, Qt::LeftButton, {}, OnHand(600));
    EXPECT_EQ(dialog.List().Selected(), 1);
    EXPECT_EQ(dialog.EntryLst->currentRow(), 1);

    // Drag the 10:00 hand to 03:00: it sorts after the other 03:00 entry.
    QTest::mousePress(face, Qt::LeftButton, {}, OnHand(600));
    QMouseEvent move(QEvent::MouseMove, AtTime(180), face->mapToGlobal(AtTime(180)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(face, &move);
    EXPECT_EQ(EntryMinutes(Entries()[1]), 180);
    QTest::mouseRelease(face, Qt::LeftButton, {}, AtTime(180));
    EXPECT_EQ(Entries(), (std::vector<uint32_t>{0x40000000u | 180, 0x20000000u | 180}));
    EXPECT_EQ(dialog.List().Selected(), 1);
    EXPECT_EQ(dialog.EntryLst->item(1)->text(), "0180");

    // Now drag it to the lower dial at 6 o'clock: 18:00, behind nothing.
    QTest::mousePress(face, Qt::LeftButton, {}, OnHand(180));  // first hit in list order
    EXPECT_EQ(dialog.List().Selected(), 0);
    QMouseEvent down(QEvent::MouseMove, AtTime(1080), face->mapToGlobal(AtTime(1080)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(face, &down);
    QTest::mouseRelease(face, Qt::LeftButton, {}, AtTime(1080));
    EXPECT_EQ(Entries(), (std::vector<uint32_t>{0x20000000u | 180, 0x40000000u | 1080}));
    EXPECT_EQ(dialog.List().Selected(), 1);

    // A press beside every hand starts no drag.
    const std::vector<uint32_t> before = Entries();
    QTest::mousePress(face, Qt::LeftButton, {}, AtTime(450));
    QMouseEvent away(QEvent::MouseMove, AtTime(500), face->mapToGlobal(AtTime(500)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(face, &away);
    QTest::mouseRelease(face, Qt::LeftButton, {}, AtTime(500));
    EXPECT_EQ(Entries(), before);
}

TEST_F(SchedulerDlgTest, Fill_AddsTheSeries)
{
    OnNextModal([](QWidget* modal) {
        auto* fill = qobject_cast<TFillDlg*>(modal);
        if (fill == nullptr) {
            ADD_FAILURE() << "no fill dialog";
            return;
        }
        fill->FromEdt->setTime(QTime(8, 0));
        fill->ToEdt->setTime(QTime(9, 0));
        fill->StepSpn->setValue(30);
        Control<QCheckBox>(fill, "MondayChk")->click();
        Control<QPushButton>(fill, "OkBtn")->click();
    });
    dialog.FillBtn->click();
    EXPECT_EQ(Entries(),
              (std::vector<uint32_t>{0x40000000u | 480, 0x40000000u | 510, 0x40000000u | 540}));
    EXPECT_TRUE(dialog.MinusBtn->isEnabled());
}

TEST_F(SchedulerDlgTest, FillDialog_HoursNoDaysAndEveryMinuteExact)
{
    TFillDlg fill;
    EXPECT_EQ(fill.FromEdt->time(), QTime(0, 0));
    EXPECT_EQ(fill.ToEdt->time(), QTime(23, 59));
    EXPECT_EQ(Control<QCheckBox>(&fill, "SundayChk")->text(), "Sonntag");
    fill.StepSpn->setValue(90);
    fill.UnitCbo->setCurrentIndex(1);
    EXPECT_EQ(fill.StepSpn->maximum(), 23);
    EXPECT_EQ(fill.StepSpn->value(), 23);
    fill.StepSpn->setValue(6);
    std::vector<uint32_t> entries = fill.Entries();
    EXPECT_EQ(entries, (std::vector<uint32_t>{0, 360, 720, 1080}));  // no weekday bits
    fill.UnitCbo->setCurrentIndex(0);
    EXPECT_EQ(fill.StepSpn->maximum(), 1439);
    EXPECT_GE(fill.StepSpn->minimum(), 1);

    // Every time of day gives exactly its own minute.
    for (int minutes = 0; minutes < kMinutesPerDay; ++minutes) {
        const QTime time(minutes / 60, minutes % 60);
        fill.FromEdt->setTime(time);
        fill.ToEdt->setTime(time);
        entries = fill.Entries();
        ASSERT_EQ(entries.size(), 1u) << minutes;
        ASSERT_EQ(EntryMinutes(entries[0]), minutes);
    }
}

// The batch file's schedule is edited for a batch document; OK writes it back in list order.
TEST_F(SchedulerDlgTest, Kinds_EditTheirOwnListOnOk)
{
    params.FileKind = 1;
    params.Batch.Schedule.Add("", 0x40000000 | 60);
    dialog.LoadFrom(params);
    ASSERT_EQ(Entries().size(), 1u);
    dialog.PlusBtn->click();
    dialog.SaveTo(params);
    ASSERT_EQ(params.Batch.Schedule.Count(), 2);
    EXPECT_EQ(static_cast<uint32_t>(params.Batch.Schedule.Value(0)), 0x7C000000u);
    EXPECT_EQ(static_cast<uint32_t>(params.Batch.Schedule.Value(1)), 0x40000000u | 60);
    EXPECT_TRUE(params.Schedule.Empty());
    EXPECT_TRUE(params.Modified);

    cParameters other;
    other.FileKind = 2;
    other.Schedule.Add("", 5);
    dialog.LoadFrom(other);
    EXPECT_TRUE(Entries().empty());
    dialog.PlusBtn->click();
    dialog.SaveTo(other);
    EXPECT_EQ(other.Schedule.Count(), 1);
    EXPECT_FALSE(other.Modified);

    // Cancel through Open keeps the stored list.
    params.FileKind = 0;
    params.Modified = false;
    OnNextModal([](QWidget* modal) {
        Control<QPushButton>(modal, "PlusBtn")->click();
        Control<QPushButton>(modal, "CancelBtn")->click();
    });
    EXPECT_FALSE(TSchedulerDlg::Open(nullptr, params, -1));
    EXPECT_TRUE(params.Schedule.Empty());
    EXPECT_FALSE(params.Modified);
}
