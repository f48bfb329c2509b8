#include "dialogs/TSchedulerDlg.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "dialogs/ClockFace.h"
#include "dialogs/DialogServices.h"
#include "dialogs/EditDialog.h"
#include "dialogs/Hints.h"
#include "dialogs/NamedControls.h"
#include "dialogs/TFillDlg.h"
#include "settings/GermanFormat.h"
#include "settings/Parameters.h"

namespace verdal {
namespace {

constexpr int kEntryRole = Qt::UserRole;
constexpr int kSchedulerHelp = 4400;

QString TimeText(int minutes)
{
    return QStringLiteral("%1:%2")
        .arg(minutes / 60 % 24, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString DayShortName(int column)
{
    const std::string_view name = ShortDayName(column % 7);
    return QString::fromUtf8(name.data(), static_cast<int>(name.size()));
}

// What a screen reader reads for a row: time, switch and weekdays.
QString AccessibleRowText(uint32_t entry)
{
    QString text = TimeText(EntryMinutes(entry));
    text += (entry & kEntryOff) ? QStringLiteral(", aus") : QStringLiteral(", an");
    for (int column = 1; column <= 7; ++column) {
        if (entry & ColumnBit(column)) {
            text += QLatin1Char(' ') + DayShortName(column);
        }
    }
    return text;
}

QFont CourierFont()
{
    QFont font(QStringLiteral("Courier New"));
    if (!QFontInfo(font).exactMatch()) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    }
    return font;
}

cStringList* ScheduleOf(cParameters& params, int kind)
{
    if (kind == 0) {
        return &params.Schedule;
    }
    return kind == 1 ? &params.Batch.Schedule : nullptr;
}

}  // namespace

TClockPanel::TClockPanel(cScheduleList& list, QWidget* parent) : QWidget(parent), list_(list)
{
    setMinimumSize(160, 320);
    setMouseTracking(false);
}

void TClockPanel::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ClockFace face(rect());
    for (int dial = 0; dial < 2; ++dial) {
        const QPointF centre = face.Centre(dial);
        const double r = face.Radius();
        painter.setPen(QPen(palette().color(QPalette::Dark), 1.5));
        painter.setBrush(palette().color(QPalette::Window).darker(106));
        painter.drawEllipse(centre, r, r);
        for (int hour = 0; hour < 12; ++hour) {
            const double a = hour * 30.0 * 3.14159265358979 / 180.0;
            const QPointF dir(std::sin(a), -std::cos(a));
            painter.drawLine(centre + dir * (r * 0.93), centre + dir * r);
        }
        painter.setPen(palette().color(QPalette::Text));
        const int first = dial == 0 ? 0 : 12;
        for (int hour : {0, 3, 6, 9}) {
            const double a = hour * 30.0 * 3.14159265358979 / 180.0;
            const QPointF at = centre + QPointF(std::sin(a), -std::cos(a)) * (r * 0.84);
            painter.drawText(QRectF(at.x() - 12, at.y() - 8, 24, 16), Qt::AlignCenter,
                             QString::number(first + hour));
        }
    }
    // Unselected hands first so the selected one stays on top.
    const auto& entries = list_.Entries();
    for (int pass = 0; pass < 2; ++pass) {
        for (int row = 0; row < static_cast<int>(entries.size()); ++row) {
            const bool selected = row == list_.Selected();
            if (selected != (pass == 1)) {
                continue;
            }
            const int minutes = EntryMinutes(entries[row]) % kMinutesPerDay;
            painter.setPen(QPen(Qt::black, 1));
            painter.setBrush(selected ? QColor(Qt::white) : QColor(128, 128, 128));
            painter.drawPolygon(face.HandShape(minutes));
            painter.setPen(palette().color(QPalette::Text));
            const QPointF label = face.LabelCentre(minutes);
            painter.drawText(QRectF(label.x() - 20, label.y() - 7, 40, 14), Qt::AlignCenter,
                             TimeText(minutes));
        }
    }
    if (Dragging()) {
        painter.setPen(QPen(palette().color(QPalette::Text), 1, Qt::DotLine));
        painter.drawLine(face.Centre(face.DialAt(mouse_)), mouse_);
    }
}

void TClockPanel::mousePressEvent(QMouseEvent* event)
{
    const ClockFace face(rect());
    const int hit = face.HitTest(list_.Entries(), event->position());
    if (hit < 0) {
        return;
    }
    list_.Select(hit);
    dragged_ = hit;
    mouse_ = event->position();
    emit Picked(hit);
    update();
}

void TClockPanel::mouseMoveEvent(QMouseEvent* event)
{
    if (!Dragging() || !rect().contains(event->position().toPoint())) {
        return;
    }
    mouse_ = event->position();
    list_.SetMinutes(dragged_, ClockFace(rect()).MinutesAt(mouse_));
    emit Moved(dragged_);
    update();
}

void TClockPanel::mouseReleaseEvent(QMouseEvent* /*event*/)
{
    if (!Dragging()) {
        return;
    }
    list_.Resort(dragged_);
    dragged_ = -1;
    emit Dropped(list_.Selected());
    update();
}

void TScheduleDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    const uint32_t entry = index.data(kEntryRole).toUInt();
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->fillRect(option.rect,
                      option.palette.color(selected ? QPalette::Highlight : QPalette::Base));
    const QColor text = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const QRect r = option.rect;
    // Switch box.
    const QRect box(r.left() + kScheduleMargin / 2, r.center().y() - 7, 14, 14);
    painter->setPen(text);
    painter->setBrush(option.palette.color(QPalette::Base));
    painter->drawRect(box.adjusted(0, 0, -1, -1));
    if (!(entry & kEntryOff)) {
        painter->setPen(QPen(option.palette.color(QPalette::Text), 2));
        painter->drawLine(box.left() + 3, box.center().y(), box.left() + 6, box.bottom() - 3);
        painter->drawLine(box.left() + 6, box.bottom() - 3, box.right() - 2, box.top() + 3);
    }
    painter->setPen(text);
    painter->setFont(CourierFont());
    const QRect timeRect(r.left() + kCheckColumnWidth, r.top(), kTimeColumnWidth, r.height());
    painter->drawText(timeRect.adjusted(kScheduleMargin, 0, 0, 0), Qt::AlignVCenter,
                      TimeText(EntryMinutes(entry)) + QLatin1Char(' '));
    painter->setFont(option.font);
    for (int column = 1; column <= 7; ++column) {
        if (!(entry & ColumnBit(column))) {
            continue;
        }
        const QRect cell(
            r.left() + kCheckColumnWidth + kTimeColumnWidth + (column - 1) * kDayColumnWidth,
            r.top(), kDayColumnWidth, r.height());
        painter->drawText(cell, Qt::AlignCenter, DayShortName(column));
    }
    painter->restore();
}

QSize TScheduleDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& /*index*/) const
{
    return {kCheckColumnWidth + kTimeColumnWidth + 7 * kDayColumnWidth,
            std::max(18, option.fontMetrics.height() + 4)};
}

void TScheduleListBox::mousePressEvent(QMouseEvent* event)
{
    QListWidget::mousePressEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid()) {
        return;
    }
    const int x = event->position().toPoint().x() - visualRect(index).left();
    emit CellClicked(index.row(), ScheduleColumnAt(x));
}

TSchedulerDlg::TSchedulerDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Zeitplaner"));
    setObjectName(QStringLiteral("SchedulerDlg"));
    ClockPnl = Named(new TClockPanel(list_, this), "ClockPnl", QStringLiteral("Zifferblätter"));
    EntryLst = Named(new TScheduleListBox(this), "EntryLst", QStringLiteral("Einträge"));
    EntryLst->setItemDelegate(new TScheduleDelegate(EntryLst));
    EntryLst->setSelectionMode(QAbstractItemView::SingleSelection);
    EntryLst->setMinimumWidth(kCheckColumnWidth + kTimeColumnWidth + 7 * kDayColumnWidth + 24);
    PlusBtn = Named(new QPushButton(QStringLiteral("+"), this), "PlusBtn",
                    QStringLiteral("Eintrag hinzufügen"));
    MinusBtn = Named(new QPushButton(QStringLiteral("-"), this), "MinusBtn",
                     QStringLiteral("Eintrag entfernen"));
    FillBtn = Named(new QPushButton(QStringLiteral("Füllen..."), this), "FillBtn");
    OkBtn = Named(new QPushButton(QStringLiteral("OK"), this), "OkBtn");
    OkBtn->setDefault(true);
    CancelBtn = Named(new QPushButton(QStringLiteral("Abbruch"), this), "CancelBtn");
    HelpBtn = Named(new QPushButton(QStringLiteral("Hilfe"), this), "HelpBtn");
    auto* help =
        new QLabel(QStringLiteral("• Fügen Sie einen Eintrag mit dem Plus-Schalter hinzu.\n"
                                  "• Stellen Sie die Zeit auf den Zifferblättern ein.\n"
                                  "• Wählen Sie die Wochentage direkt in der Liste.\n"
                                  "• Schalten Sie einen Eintrag mit dem Häkchen ein oder aus.\n"
                                  "• Entfernen Sie einen Eintrag mit dem Minus-Schalter."),
                   this);
    help->setWordWrap(true);

    auto* tools = new QHBoxLayout;
    tools->addWidget(PlusBtn);
    tools->addWidget(MinusBtn);
    tools->addWidget(FillBtn);
    tools->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addLayout(tools);
    right->addWidget(EntryLst, 1);
    right->addWidget(help);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpBtn);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(ClockPnl);
    layout->addLayout(right, 1);

    connect(PlusBtn, &QPushButton::clicked, this, &TSchedulerDlg::Plus);
    connect(MinusBtn, &QPushButton::clicked, this, &TSchedulerDlg::Minus);
    connect(FillBtn, &QPushButton::clicked, this, &TSchedulerDlg::Fill);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this,
            [this] { DialogServices::ShowHelp(this, kSchedulerHelp); });
    connect(EntryLst, &TScheduleListBox::CellClicked, this, &TSchedulerDlg::CellClicked);
    connect(EntryLst, &QListWidget::currentRowChanged, this, &TSchedulerDlg::SelectionChanged);
    connect(ClockPnl, &TClockPanel::Picked, this, &TSchedulerDlg::RowPicked);
    connect(ClockPnl, &TClockPanel::Moved, this, &TSchedulerDlg::RowMoved);
    connect(ClockPnl, &TClockPanel::Dropped, this, &TSchedulerDlg::Rebuild);
    auto* plusKey = new QShortcut(QKeySequence(Qt::Key_Plus), this);
    connect(plusKey, &QShortcut::activated, this, &TSchedulerDlg::Plus);
    auto* minusKey = new QShortcut(QKeySequence(Qt::Key_Minus), this);
    connect(minusKey, &QShortcut::activated, this, &TSchedulerDlg::Minus);
    Rebuild();
}

void TSchedulerDlg::LoadFrom(const cParameters& params)
{
    ApplyHintOption(this, params.Programm.Tooltips);
    kind_ = params.FileKind;
    std::vector<uint32_t> entries;
    if (const cStringList* schedule = ScheduleOf(const_cast<cParameters&>(params), kind_)) {
        for (int i = 0; i < schedule->Count(); ++i) {
            entries.push_back(static_cast<uint32_t>(schedule->Value(i)));
        }
    }
    list_.Assign(entries);
    Rebuild();
}

void TSchedulerDlg::SaveTo(cParameters& params) const
{
    cStringList* schedule = ScheduleOf(params, kind_);
    if (schedule == nullptr) {
        return;
    }
    schedule->Clear();
    for (uint32_t entry : list_.Entries()) {
        schedule->Add(std::string(), static_cast<int32_t>(entry));
    }
    params.Modified = true;
}

bool TSchedulerDlg::Open(QWidget* parent, cParameters& params, int /*page*/)
{
    TSchedulerDlg dialog(parent);
    return EditInDialog(dialog, params);
}

void TSchedulerDlg::Rebuild()
{
    rebuilding_ = true;
    EntryLst->clear();
    for (uint32_t entry : list_.Entries()) {
        auto* item = new QListWidgetItem(QString::fromStdString(EntryText(entry)));
        item->setData(kEntryRole, entry);
        item->setData(Qt::AccessibleTextRole, AccessibleRowText(entry));
        EntryLst->addItem(item);
    }
    EntryLst->setCurrentRow(list_.Selected());
    rebuilding_ = false;
    MinusBtn->setEnabled(list_.Count() > 0);
    ClockPnl->update();
}

void TSchedulerDlg::SelectionChanged()
{
    if (rebuilding_) {
        return;
    }
    list_.Select(EntryLst->currentRow());
    ClockPnl->update();
}

void TSchedulerDlg::Plus()
{
    list_.AddNew();
    Rebuild();
}

void TSchedulerDlg::Minus()
{
    if (list_.RemoveSelected()) {
        Rebuild();
    }
}

void TSchedulerDlg::Fill()
{
    TFillDlg dialog(this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    for (uint32_t entry : dialog.Entries()) {
        list_.Add(entry);
    }
    Rebuild();
}

void TSchedulerDlg::CellClicked(int row, int column)
{
    list_.Select(row);
    if (column >= 0) {
        list_.ToggleCell(row, column);
        Rebuild();
    }
    ClockPnl->update();
}

void TSchedulerDlg::RowPicked(int row)
{
    rebuilding_ = true;
    EntryLst->setCurrentRow(row);
    rebuilding_ = false;
}

void TSchedulerDlg::RowMoved(int row)
{
    if (QListWidgetItem* item = EntryLst->item(row)) {
        const uint32_t entry = list_.At(row);
        item->setData(kEntryRole, entry);
        item->setData(Qt::AccessibleTextRole, AccessibleRowText(entry));
    }
}

}  // namespace verdal
