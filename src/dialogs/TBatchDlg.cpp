#include "dialogs/TBatchDlg.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/BatchRules.h"
#include "dialogs/DialogServices.h"
#include "dialogs/DriveCommands.h"
#include "dialogs/EditDialog.h"
#include "dialogs/Hints.h"
#include "dialogs/NamedControls.h"
#include "dialogs/TDrivePanel.h"
#include "dialogs/TMoreDlg.h"
#include "dialogs/TProfileDlg.h"
#include "settings/ErrorText.h"
#include "settings/Macros.h"
#include "settings/Parameters.h"

namespace verdal {
namespace {

constexpr int kConditionRole = Qt::UserRole;
constexpr int kBatchHelp = 4500;

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

QColor ConditionColor(int condition)
{
    switch (condition) {
        case 1:
            return {0, 128, 0};
        case 2:
            return {128, 0, 0};
        default:
            return {128, 128, 0};
    }
}

QAction* MenuAction(QWidget* owner, const QString& text, const char* name)
{
    auto* action = new QAction(text, owner);
    action->setObjectName(QString::fromLatin1(name));
    owner->addAction(action);
    return action;
}

}  // namespace

QStringList TProfileListBox::mimeTypes() const
{
    return {QString::fromLatin1(kProfilePathsMime)};
}

QMimeData* TProfileListBox::mimeData(const QList<QListWidgetItem*>& items) const
{
    QStringList paths;
    for (int row = 0; row < count(); ++row) {
        if (items.contains(item(row))) {
            paths << Q(ProfilePath(Folder.toStdString(), item(row)->text().toStdString()));
        }
    }
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kProfilePathsMime), paths.join(QLatin1Char('\n')).toUtf8());
    return data;
}

TBatchListBox::TBatchListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
}

QStringList TBatchListBox::mimeTypes() const
{
    return {QString::fromLatin1(kBatchRowsMime), QString::fromLatin1(kProfilePathsMime)};
}

QMimeData* TBatchListBox::mimeData(const QList<QListWidgetItem*>& /*items*/) const
{
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kBatchRowsMime), QByteArray("rows"));
    return data;
}

void TBatchListBox::dragEnterEvent(QDragEnterEvent* event)
{
    const QMimeData* data = event->mimeData();
    if (data->hasFormat(QString::fromLatin1(kBatchRowsMime)) ||
        data->hasFormat(QString::fromLatin1(kProfilePathsMime))) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void TBatchListBox::dragMoveEvent(QDragMoveEvent* event)
{
    event->acceptProposedAction();
}

void TBatchListBox::dropEvent(QDropEvent* event)
{
    const QMimeData* data = event->mimeData();
    if (data->hasFormat(QString::fromLatin1(kBatchRowsMime))) {
        const int under = indexAt(event->position().toPoint()).row();
        emit RowsDropped(DropTargetRow(under, count()));
    } else if (data->hasFormat(QString::fromLatin1(kProfilePathsMime))) {
        const QString text = QString::fromUtf8(data->data(QString::fromLatin1(kProfilePathsMime)));
        emit PathsDropped(text.split(QLatin1Char('\n'), Qt::SkipEmptyParts));
    } else {
        event->ignore();
        return;
    }
    // The list is rebuilt from the entries: Qt must not move or delete rows itself.
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void TBatchEntryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    const ProfileEntryParts parts =
        SplitProfileEntry(index.data(Qt::DisplayRole).toString().toStdString());
    const int condition = index.data(kConditionRole).toInt();
    painter->save();
    painter->fillRect(option.rect,
                      option.palette.color(selected ? QPalette::Highlight : QPalette::Base));
    const QColor text = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const QRect r = option.rect.adjusted(2, 1, -2, -1);
    const int half = r.height() / 2;
    const QRect first(r.left(), r.top(), r.width(), half);
    QFont normal = option.font;
    QFont bold = option.font;
    bold.setBold(true);
    painter->setPen(text);
    painter->setFont(normal);
    const QString folder = Q(parts.Folder);
    painter->drawText(first, Qt::AlignLeft | Qt::AlignVCenter, folder);
    const int folderWidth = QFontMetrics(normal).horizontalAdvance(folder);
    painter->setFont(bold);
    painter->drawText(first.adjusted(folderWidth, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                      Q(parts.Name));
    painter->setFont(normal);
    painter->setPen(selected ? text : ConditionColor(condition));
    painter->drawText(QRect(r.left() + 5, r.top() + half, r.width() - 5, r.height() - half),
                      Qt::AlignLeft | Qt::AlignBottom,
                      QStringLiteral("  ") + Q(ContinuationText(condition)));
    painter->restore();
}

QSize TBatchEntryDelegate::sizeHint(const QStyleOptionViewItem& option,
                                    const QModelIndex& /*index*/) const
{
    return {200, std::max(27, 2 * option.fontMetrics.height() + 4)};
}

TBatchDlg::TBatchDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Batch-Datei"));
    setObjectName(QStringLiteral("BatchDlg"));
    // Profiles of the batch are shown one after the other; those of the folder side by side,
    // each in a window of its own that goes when it is closed.
    ShowProfile = ShowProfileWindow;
    Panel = new TDrivePanel("", this);
    DriveList = Panel->DriveList;
    DriveEdt = Panel->DriveEdt;
    DirTree = Panel->DirTree;
    DirEdt = Panel->DirEdt;
    AvailableLst =
        Named(new TProfileListBox(this), "AvailableLst", QStringLiteral("Verfügbare Profile:"));
    AvailableLst->setSelectionMode(QAbstractItemView::ExtendedSelection);
    AvailableLst->setDragEnabled(true);
    AvailableLst->setDragDropMode(QAbstractItemView::DragOnly);
    AvailableLst->setContextMenuPolicy(Qt::ActionsContextMenu);
    FileEdt = Named(new QLineEdit(this), "FileEdt", QStringLiteral("Ausgewähltes Profil:"));
    FileEdt->setContextMenuPolicy(Qt::ActionsContextMenu);
    SelectedLst = Named(new TBatchListBox(this), "SelectedLst",
                        QStringLiteral("Profile in dieser Batch-Datei:"));
    SelectedLst->setItemDelegate(new TBatchEntryDelegate(SelectedLst));
    SelectedLst->setContextMenuPolicy(Qt::ActionsContextMenu);

    AvailableAddAct = MenuAction(AvailableLst, QStringLiteral("Hinzufügen"), "AvailableAddAct");
    AvailableShowAct = MenuAction(AvailableLst, QStringLiteral("Anzeigen"), "AvailableShowAct");
    AvailableOpenAct =
        MenuAction(AvailableLst, QStringLiteral("In Verdal öffnen"), "AvailableOpenAct");
    FileAddAct = MenuAction(FileEdt, QStringLiteral("Hinzufügen"), "FileAddAct");
    FileShowAct = MenuAction(FileEdt, QStringLiteral("Anzeigen"), "FileShowAct");
    FileOpenAct = MenuAction(FileEdt, QStringLiteral("In Verdal öffnen"), "FileOpenAct");
    SelectedRemoveAct = MenuAction(SelectedLst, QStringLiteral("Entfernen"), "SelectedRemoveAct");
    SelectedShowAct = MenuAction(SelectedLst, QStringLiteral("Anzeigen"), "SelectedShowAct");
    SelectedOpenAct =
        MenuAction(SelectedLst, QStringLiteral("In Verdal öffnen"), "SelectedOpenAct");
    auto* separator = new QAction(SelectedLst);
    separator->setSeparator(true);
    SelectedLst->addAction(separator);
    static const char* const kConditionNames[3] = {"AlwaysAct", "OnSuccessAct", "OnFailureAct"};
    for (int c = 0; c < 3; ++c) {
        ConditionAct[c] = MenuAction(SelectedLst, Q(ContinuationText(c)), kConditionNames[c]);
        connect(ConditionAct[c], &QAction::triggered, this, [this, c] { SetCondition(c); });
    }

    AddBtn = Named(new QPushButton(QStringLiteral("Hinzufügen"), this), "AddBtn");
    RemoveBtn = Named(new QPushButton(QStringLiteral("Entfernen"), this), "RemoveBtn");
    UpBtn = Named(new QPushButton(QStringLiteral("Nach oben"), this), "UpBtn");
    DownBtn = Named(new QPushButton(QStringLiteral("Nach unten"), this), "DownBtn");
    MoreBtn = Named(new QPushButton(QStringLiteral("Warnungen / Automatik..."), this), "MoreBtn");
    OkBtn = Named(new QPushButton(QStringLiteral("OK"), this), "OkBtn");
    OkBtn->setDefault(true);
    CancelBtn = Named(new QPushButton(QStringLiteral("Abbruch"), this), "CancelBtn");
    HelpBtn = Named(new QPushButton(QStringLiteral("Hilfe"), this), "HelpBtn");

    auto* left = new QVBoxLayout;
    left->addWidget(Panel, 3);
    left->addWidget(BuddyLabel(QStringLiteral("Verfügbare Profile:"), AvailableLst, this));
    left->addWidget(AvailableLst, 2);
    left->addWidget(BuddyLabel(QStringLiteral("Ausgewähltes Profil:"), FileEdt, this));
    left->addWidget(FileEdt);
    auto* middle = new QVBoxLayout;
    middle->addStretch(1);
    for (QPushButton* button : {AddBtn, RemoveBtn, UpBtn, DownBtn}) {
        middle->addWidget(button);
    }
    middle->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(
        BuddyLabel(QStringLiteral("Profile in dieser Batch-Datei:"), SelectedLst, this));
    right->addWidget(SelectedLst, 1);
    Panel->setMinimumWidth(300);
    SelectedLst->setMinimumWidth(400);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addLayout(middle);
    top->addLayout(right, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(MoreBtn);
    buttons->addStretch(1);
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    resize(980, 620);

    connect(DirEdt, &QLineEdit::editingFinished, this, &TBatchDlg::FillAvailable);
    connect(Panel, &TDrivePanel::DriveChanged, this, &TBatchDlg::FillAvailable);
    connect(Panel, &TDrivePanel::PathChanged, this, &TBatchDlg::FillAvailable);
    connect(Panel, &TDrivePanel::StoredShown, this, &TBatchDlg::FillAvailable);
    connect(AvailableAddAct, &QAction::triggered, this, &TBatchDlg::AddFromAvailable);
    connect(AvailableShowAct, &QAction::triggered, this, [this] { ShowProfiles(false); });
    connect(AvailableOpenAct, &QAction::triggered, this, [this] { OpenProfiles(false); });
    connect(FileAddAct, &QAction::triggered, this, &TBatchDlg::AddFromFileEdit);
    connect(FileShowAct, &QAction::triggered, this, [this] {
        if (ShowProfile && !FileEdt->text().isEmpty()) {
            ShowProfile(this, ProfilePath(Folder().toStdString(), FileEdt->text().toStdString()),
                        false);
        }
    });
    connect(FileOpenAct, &QAction::triggered, this, [this] {
        if (!FileEdt->text().isEmpty()) {
            DialogServices::StartProgram(
                {QCoreApplication::applicationFilePath().toStdString(),
                 ProfilePath(Folder().toStdString(), FileEdt->text().toStdString())});
        }
    });
    connect(SelectedRemoveAct, &QAction::triggered, this, &TBatchDlg::RemoveSelected);
    connect(SelectedShowAct, &QAction::triggered, this, [this] { ShowProfiles(true); });
    connect(SelectedOpenAct, &QAction::triggered, this, [this] { OpenProfiles(true); });
    connect(AddBtn, &QPushButton::clicked, this, [this] {
        if (!AvailableLst->selectedItems().isEmpty()) {
            AddFromAvailable();
        } else {
            AddFromFileEdit();
        }
    });
    connect(RemoveBtn, &QPushButton::clicked, this, &TBatchDlg::RemoveSelected);
    connect(UpBtn, &QPushButton::clicked, this, [this] {
        const std::vector<int> rows = SelectedRows();
        if (!rows.empty() && rows.front() > 0) {
            MoveSelection(rows.front() - 1);
        }
    });
    connect(DownBtn, &QPushButton::clicked, this, [this] {
        const std::vector<int> rows = SelectedRows();
        if (!rows.empty() && rows.back() + 1 < static_cast<int>(entries_.size())) {
            MoveSelection(rows.back() + 1);
        }
    });
    connect(SelectedLst, &TBatchListBox::RowsDropped, this, &TBatchDlg::MoveSelection);
    connect(SelectedLst, &TBatchListBox::PathsDropped, this, [this](const QStringList& paths) {
        std::vector<std::string> list;
        for (const QString& path : paths) {
            list.push_back(path.toStdString());
        }
        Append(list);
    });
    connect(AvailableLst, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { FileEdt->setText(item->text()); });
    connect(SelectedLst, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        FileEdt->setText(Q(SplitProfileEntry(item->text().toStdString()).Name));
    });
    connect(AvailableLst, &QListWidget::itemDoubleClicked, this, [this] { ShowProfiles(false); });
    connect(SelectedLst, &QListWidget::itemDoubleClicked, this, [this] { ShowProfiles(true); });
    connect(AvailableLst, &QListWidget::itemSelectionChanged, this, &TBatchDlg::UpdateActions);
    connect(SelectedLst, &QListWidget::itemSelectionChanged, this, &TBatchDlg::UpdateActions);
    connect(MoreBtn, &QPushButton::clicked, this, &TBatchDlg::OpenMore);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this,
            [this] { DialogServices::ShowHelp(this, kBatchHelp); });
    SetDocument(nullptr);
    UpdateActions();
}

void TBatchDlg::LoadFrom(const cParameters& params)
{
    ApplyHintOption(this, params.Programm.Tooltips);
    entries_ = params.Batch.Profiles.Items();
    Rebuild({});
    for (QWidget* widget : std::initializer_list<QWidget*>{AvailableLst, FileEdt, SelectedLst}) {
        SetCommandHint(widget, params.Programm.Tooltips);
    }
    Panel->Configure(params, "Dest");
    const DrivePath start = StartDriveAndDirectory(params.Batch.Profiles);
    Panel->SetStored(Q(start.Drive), Q(start.Directory));
    FillAvailable();
}

void TBatchDlg::SaveTo(cParameters& params) const
{
    params.Batch.Profiles.Clear();
    for (const cStringList::Item& item : entries_) {
        params.Batch.Profiles.Add(item.Text, item.Value);
    }
    params.Modified = true;
}

bool TBatchDlg::Open(QWidget* parent, cParameters& params, int /*page*/)
{
    TBatchDlg dialog(parent);
    dialog.SetDocument(&params);
    return EditInDialog(dialog, params);
}

void TBatchDlg::SetDocument(cParameters* document)
{
    document_ = document;
    MoreBtn->setEnabled(document_ != nullptr);
}

QString TBatchDlg::Folder() const
{
    return Panel->NativePath();
}

void TBatchDlg::FillAvailable()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    AvailableLst->clear();
    AvailableLst->Folder = Folder();
    for (const std::string& name : ProfileFilesIn(Folder().toStdString())) {
        AvailableLst->addItem(Q(name));
    }
    QApplication::restoreOverrideCursor();
    UpdateActions();
}

void TBatchDlg::Rebuild(const std::vector<int>& selection)
{
    SelectedLst->clear();
    for (const cStringList::Item& entry : entries_) {
        auto* item = new QListWidgetItem(Q(entry.Text));
        item->setData(kConditionRole, entry.Value);
        item->setData(Qt::AccessibleTextRole, Q(entry.Text + ", " + ContinuationText(entry.Value)));
        SelectedLst->addItem(item);
    }
    for (int row : selection) {
        if (QListWidgetItem* item = SelectedLst->item(row)) {
            item->setSelected(true);
        }
    }
    if (!selection.empty()) {
        SelectedLst->setCurrentRow(selection.front(), QItemSelectionModel::NoUpdate);
    }
    UpdateActions();
}

std::vector<int> TBatchDlg::SelectedRows() const
{
    std::vector<int> rows;
    for (int row = 0; row < SelectedLst->count(); ++row) {
        if (SelectedLst->item(row)->isSelected()) {
            rows.push_back(row);
        }
    }
    return rows;
}

void TBatchDlg::Append(const std::vector<std::string>& paths)
{
    for (const std::string& path : paths) {
        entries_.push_back({path, 0});
    }
    Rebuild(SelectedRows());
}

std::vector<std::string> TBatchDlg::AvailablePaths() const
{
    std::vector<std::string> paths;
    for (int row = 0; row < AvailableLst->count(); ++row) {
        if (AvailableLst->item(row)->isSelected()) {
            paths.push_back(
                ProfilePath(Folder().toStdString(), AvailableLst->item(row)->text().toStdString()));
        }
    }
    return paths;
}

std::vector<std::string> TBatchDlg::SelectedPaths() const
{
    std::vector<std::string> paths;
    for (int row : SelectedRows()) {
        paths.push_back(entries_[row].Text);
    }
    return paths;
}

void TBatchDlg::AddFromAvailable()
{
    Append(AvailablePaths());
}

void TBatchDlg::AddFromFileEdit()
{
    const std::string name = FileEdt->text().trimmed().toStdString();
    if (!name.empty()) {
        Append({ProfilePath(Folder().toStdString(), name)});
    }
}

void TBatchDlg::RemoveSelected()
{
    const std::vector<int> rows = SelectedRows();
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        entries_.erase(entries_.begin() + *it);
    }
    Rebuild({});
}

void TBatchDlg::MoveSelection(int target)
{
    const std::vector<int> moved = MoveRowsForDrop(entries_, SelectedRows(), target);
    if (!moved.empty()) {
        Rebuild(moved);
    }
}

void TBatchDlg::SetCondition(int condition)
{
    const std::vector<int> rows = SelectedRows();
    for (int row : rows) {
        entries_[row].Value = condition;
    }
    Rebuild(rows);
}

void TBatchDlg::ShowProfiles(bool fromSelected)
{
    if (!ShowProfile) {
        return;
    }
    if (fromSelected) {
        for (const std::string& path : SelectedPaths()) {
            ShowProfile(this, ExpandMacros(path), true);
        }
    } else {
        for (const std::string& path : AvailablePaths()) {
            ShowProfile(this, path, false);
        }
    }
}

void TBatchDlg::OpenProfiles(bool fromSelected)
{
    const std::string program = QCoreApplication::applicationFilePath().toStdString();
    for (const std::string& path : fromSelected ? SelectedPaths() : AvailablePaths()) {
        DialogServices::StartProgram({program, path});
    }
}

void TBatchDlg::UpdateActions()
{
    const bool available = !AvailableLst->selectedItems().isEmpty();
    for (QAction* action : {AvailableAddAct, AvailableShowAct, AvailableOpenAct}) {
        action->setEnabled(available);
    }
    const bool selected = !SelectedLst->selectedItems().isEmpty();
    for (QAction* action : {SelectedRemoveAct, SelectedShowAct, SelectedOpenAct, ConditionAct[0],
                            ConditionAct[1], ConditionAct[2]}) {
        action->setEnabled(selected);
    }
    RemoveBtn->setEnabled(selected);
    UpBtn->setEnabled(selected);
    DownBtn->setEnabled(selected);
}

void TBatchDlg::OpenMore()
{
    if (document_ != nullptr) {
        TMoreDlg::Open(this, *document_, -1);
    }
}

}  // namespace verdal
