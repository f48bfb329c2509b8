#include "dialogs/TListDlg.h"

#include <algorithm>

#include <QApplication>
#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

#include "dialogs/DialogServices.h"
#include "dialogs/ReviewDelegate.h"
#include "dialogs/ReviewModel.h"
#include "engine/CandidateOrder.h"
#include "engine/RunContext.h"
#include "platform/FileCompare.h"
#include "print/PrintedRows.h"
#include "print/THardcopyDlg.h"
#include "settings/GermanFormat.h"
#include "settings/Parameters.h"

namespace verdal {
namespace {

constexpr int kWaitCursorRows = 50;

QString Utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

// Shows the hourglass for the lifetime of the object.
class WaitCursor
{
public:
    explicit WaitCursor(bool show = true) : shown_(show)
    {
        if (shown_) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        }
    }
    ~WaitCursor()
    {
        if (shown_) {
            QApplication::restoreOverrideCursor();
        }
    }

private:
    bool shown_;
};

QFont ListFont(const cOverviewParameters& view)
{
    if (QFontDatabase::families().contains(Utf8(view.ListFontName))) {
        QFont font(Utf8(view.ListFontName));
        font.setPointSize(std::max(view.ListFontSize, 6));
        return font;
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont);
}

QPushButton* Button(const QString& caption, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    button->setAutoDefault(false);
    return button;
}

QToolButton* Toggle(const QString& caption, const QString& hint, const char* name, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(caption);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setObjectName(QLatin1String(name));
    button->setCheckable(true);
    return button;
}

QLabel* Label(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QLabel* Legend(const QColor& color, QWidget* parent)
{
    auto* panel = new QLabel(parent);
    panel->setFixedSize(12, 12);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, color);
    panel->setPalette(palette);
    return panel;
}

// Runs `change` (which rebuilds the rows) and brings the row that was current back into view.
template <class Change>
void KeepCurrent(TListDlg& dlg, cRunContext& run, Change change)
{
    ReviewModel& model = dlg.Model();
    const int row = dlg.List()->currentIndex().row();
    const cCandidate* anchor = nullptr;
    bool group = false;
    if (const cCandidate* c = model.CandidateAt(row)) {
        anchor = c;
    } else if (const cFolder* f = model.GroupAt(row); f && f->First < run.Candidates.Count()) {
        anchor = &run.Candidates[f->First];
        group = true;
    }
    change();
    if (!anchor) {
        return;
    }
    const auto& items = run.Candidates.Items();
    const auto at = std::find_if(items.begin(), items.end(),
                                 [anchor](const auto& item) { return item.get() == anchor; });
    if (at == items.end()) {
        return;
    }
    const int index = static_cast<int>(at - items.begin());
    int newRow = group ? -1 : model.RowOfCandidate(index);
    if (newRow < 0) {
        newRow = model.RowOfGroup(GroupOfCandidate(run.Headers, index));
    }
    if (newRow >= 0) {
        dlg.List()->setCurrentIndex(model.index(newRow));
        dlg.List()->scrollTo(model.index(newRow));
    }
}

}  // namespace

TListDlg::TListDlg(cRunContext& run, cParameters& params, QWidget* parent)
    : QDialog(parent), run_(run), params_(params), saved_(params)
{
    setWindowTitle(QStringLiteral("Verdal 5 - ") + Utf8(run.ProfilePath));
    setMinimumSize(640, 200);
    setSizeGripEnabled(true);
    model_ = std::make_unique<ReviewModel>(run, params.Overview);

    ListView = new QListView(this);
    ListView->setObjectName(QStringLiteral("ListView"));
    ListView->setAccessibleName(QStringLiteral("Dateiliste"));
    ListView->setModel(model_.get());
    delegate_ = new ReviewDelegate(*model_, ReviewColors::Resolve(params.Overview, palette()),
                                   ListFont(params.Overview), this);
    ListView->setItemDelegate(delegate_);
    // A list view places its rows from a table of positions, so finding a row is quick even
    // when group rows and two-line rows differ in height.
    ListView->setResizeMode(QListView::Adjust);
    ListView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListView->installEventFilter(this);
    ListView->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildHeader());
    layout->addWidget(ListView, 1);
    layout->addWidget(BuildButtons());
    BuildMenus();
    LoadView();
    Connect();
    RefreshCounts();
    Refresh();
    if (model_->rowCount() > 0) {
        ListView->setCurrentIndex(model_->index(0));
    }
}

TListDlg::~TListDlg()
{
    // The view must let go of the model before the model goes.
    ListView->setModel(nullptr);
}

bool TListDlg::Review(cRunContext& run, cParameters& params, QWidget* parent)
{
    TListDlg dialog(run, params, parent);
    return dialog.exec() == QDialog::Accepted;
}

QWidget* TListDlg::BuildHeader()
{
    auto* header = new QWidget(this);
    auto* grid = new QGridLayout(header);
    grid->setContentsMargins(0, 0, 0, 0);
    SourceRootLbl = Label("SourceRootLbl", header);
    SourceFreeLbl = Label("SourceFreeLbl", header);
    DestinationRootLbl = Label("DestinationRootLbl", header);
    DestinationFreeLbl = Label("DestinationFreeLbl", header);
    QFont bold = font();
    bold.setBold(true);
    SourceRootLbl->setFont(bold);
    DestinationRootLbl->setFont(bold);
    SourceRootLbl->setText(Utf8(run_.SourceNativeRoot));
    DestinationRootLbl->setText(Utf8(run_.DestinationPath(run_.DestinationBase)));
    SourceFreeLbl->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    DestinationFreeLbl->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(SourceRootLbl, 0, 0);
    grid->addWidget(SourceFreeLbl, 0, 1);
    grid->addWidget(DestinationRootLbl, 0, 2);
    grid->addWidget(DestinationFreeLbl, 0, 3);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    return header;
}

QWidget* TListDlg::BuildButtons()
{
    auto* panel = new QWidget(this);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);

    auto* view = new QHBoxLayout;
    OneLineBtn = Toggle(QStringLiteral("Einzeilige Dateien"), QStringLiteral("Einzeilige Dateien"),
                        "OneLineBtn", panel);
    TwoLineBtn = Toggle(QStringLiteral("Zweizeilige Dateien"),
                        QStringLiteral("Zweizeilige Dateien"), "TwoLineBtn", panel);
    SortPathBtn = Toggle(QStringLiteral("Pfad"), QStringLiteral("Sortierung nach Pfad"),
                         "SortPathBtn", panel);
    SortNameBtn = Toggle(QStringLiteral("Name"), QStringLiteral("Sortierung nach Name"),
                         "SortNameBtn", panel);
    SortTypeBtn =
        Toggle(QStringLiteral("Typ"), QStringLiteral("Sortierung nach Typ"), "SortTypeBtn", panel);
    SortSizeBtn = Toggle(QStringLiteral("Größe"), QStringLiteral("Sortiereungnach Größe"),
                         "SortSizeBtn", panel);
    SortDateBtn = Toggle(QStringLiteral("Datum"), QStringLiteral("Sortierung nach Datum/Uhrzeit"),
                         "SortDateBtn", panel);
    SortCategoryBtn = Toggle(QStringLiteral("Kategorie"),
                             QStringLiteral("Sortierung nach Kategorie"), "SortCategoryBtn", panel);
    AscendingBtn = Toggle(QStringLiteral("▲"), QStringLiteral("Sortierung aufsteigend"),
                          "AscendingBtn", panel);
    DescendingBtn = Toggle(QStringLiteral("▼"), QStringLiteral("Sortierung absteigend"),
                           "DescendingBtn", panel);
    FilterSizeBtn = Toggle(QStringLiteral("Größe!"), QStringLiteral("Filter für Größenkontrolle"),
                           "FilterSizeBtn", panel);
    FilterDoubleBtn =
        Toggle(QStringLiteral("Doppelt"), QStringLiteral("Filter für doppelte Änderung"),
               "FilterDoubleBtn", panel);
    FilterPropertiesBtn =
        Toggle(QStringLiteral("Eigensch."), QStringLiteral("Filter für Nur-Eigenschaften"),
               "FilterPropertiesBtn", panel);

    rowsGroup_ = new QButtonGroup(this);
    rowsGroup_->addButton(OneLineBtn, 1);
    rowsGroup_->addButton(TwoLineBtn, 0);
    sortGroup_ = new QButtonGroup(this);
    int mode = kSortPath;
    for (QToolButton* b :
         {SortPathBtn, SortNameBtn, SortTypeBtn, SortSizeBtn, SortDateBtn, SortCategoryBtn}) {
        sortGroup_->addButton(b, mode++);
    }
    orderGroup_ = new QButtonGroup(this);
    orderGroup_->addButton(AscendingBtn, 1);
    orderGroup_->addButton(DescendingBtn, 0);
    for (QWidget* w : std::initializer_list<QWidget*>{
             OneLineBtn, TwoLineBtn, nullptr, SortPathBtn, SortNameBtn, SortTypeBtn, SortSizeBtn,
             SortDateBtn, SortCategoryBtn, nullptr, AscendingBtn, DescendingBtn}) {
        if (w) {
            view->addWidget(w);
        } else {
            view->addSpacing(10);
        }
    }
    view->addStretch(1);
    auto* totals = new QGridLayout;
    TransferLbl = Label("TransferLbl", panel);
    TransferLbl->setToolTip(QStringLiteral("zu übertragende Datenmenge"));
    totals->addWidget(TransferLbl, 0, 0, 1, 4);
    const QColor legend[] = {QColor(0, 128, 0), QColor(128, 128, 0), QColor(128, 0, 0),
                             QColor(0, 0, 128)};
    const char* names[] = {"ForwardCountLbl", "SkipCountLbl", "DeleteCountLbl", "BackwardCountLbl"};
    QLabel** counts[] = {&ForwardCountLbl, &SkipCountLbl, &DeleteCountLbl, &BackwardCountLbl};
    for (int i = 0; i < 4; ++i) {
        totals->addWidget(Legend(legend[i], panel), 1 + i / 2, (i % 2) * 2);
        *counts[i] = Label(names[i], panel);
        totals->addWidget(*counts[i], 1 + i / 2, (i % 2) * 2 + 1);
    }
    grid->addLayout(view, 0, 0);

    auto* actions = new QHBoxLayout;
    ForwardBtn = Button(QStringLiteral("&Vorwärts"), "ForwardBtn", panel);
    SkipBtn = Button(QStringLiteral("&Überspring."), "SkipBtn", panel);
    DeleteBtn = Button(QStringLiteral("&Löschen"), "DeleteBtn", panel);
    BackwardBtn = Button(QStringLiteral("&Rückwärts"), "BackwardBtn", panel);
    OpenBtn = Button(QStringLiteral("&Öffnen"), "OpenBtn", panel);
    CompareInternBtn = Button(QStringLiteral("&Intern vergleichen"), "CompareInternBtn", panel);
    CompareExternBtn = Button(QStringLiteral("&Extern vergleichen"), "CompareExternBtn", panel);
    CloseFolderBtn = Button(QStringLiteral("&Diesen Ordner schließen"), "CloseFolderBtn", panel);
    OpenAllBtn = Button(QStringLiteral("&Alle Ordner öffnen"), "OpenAllBtn", panel);
    CloseAllBtn = Button(QStringLiteral("Alle Ordner &schließen"), "CloseAllBtn", panel);
    OkBtn = Button(QStringLiteral("&OK"), "OkBtn", panel);
    CancelBtn = Button(QStringLiteral("&Abbruch"), "CancelBtn", panel);
    HelpBtn = Button(QStringLiteral("&Hilfe"), "HelpBtn", panel);
    PrintBtn = Button(QStringLiteral("&Drucken"), "PrintBtn", panel);
    OkBtn->setDefault(true);
    auto* row2 = new QHBoxLayout;
    for (QPushButton* b : {ForwardBtn, SkipBtn, DeleteBtn, BackwardBtn}) {
        actions->addWidget(b);
    }
    actions->addSpacing(10);
    for (QPushButton* b : {OpenBtn, CompareInternBtn, CompareExternBtn}) {
        actions->addWidget(b);
    }
    actions->addStretch(1);
    for (QToolButton* b : {FilterSizeBtn, FilterDoubleBtn, FilterPropertiesBtn}) {
        actions->addWidget(b);
    }
    for (QPushButton* b : {CloseFolderBtn, OpenAllBtn, CloseAllBtn}) {
        row2->addWidget(b);
    }
    row2->addStretch(1);
    for (QPushButton* b : {OkBtn, CancelBtn, HelpBtn, PrintBtn}) {
        row2->addWidget(b);
    }
    grid->addLayout(actions, 1, 0);
    grid->addLayout(row2, 2, 0);
    grid->addLayout(totals, 0, 1, 3, 1, Qt::AlignTop);
    return panel;
}

void TListDlg::BuildMenus()
{
    fullMenu_ = new QMenu(this);
    fullMenu_->setObjectName(QStringLiteral("ListMenu"));
    const std::pair<QString, QPushButton*> items[] = {
        {QStringLiteral("&Vorwärts"), ForwardBtn},
        {QStringLiteral("&Überspringen"), SkipBtn},
        {QStringLiteral("&Löschen"), DeleteBtn},
        {QStringLiteral("&Rückwärts"), BackwardBtn},
        {{}, nullptr},
        {QStringLiteral("&Öffnen"), OpenBtn},
        {QStringLiteral("&Intern vergleichen"), CompareInternBtn},
        {QStringLiteral("&Extern vergleichen"), CompareExternBtn},
        {{}, nullptr},
        {QStringLiteral("&Diesen Ordner schließen"), CloseFolderBtn},
        {QStringLiteral("&Alle Ordner öffnen"), OpenAllBtn},
        {QStringLiteral("Alle Ordner &schließen"), CloseAllBtn},
    };
    for (const auto& [caption, button] : items) {
        if (!button) {
            fullMenu_->addSeparator();
            continue;
        }
        QAction* action = fullMenu_->addAction(caption, button, &QPushButton::click);
        action->setEnabled(button->isEnabled());
        action->setProperty("button", QVariant::fromValue<QObject*>(button));
    }
    foldMenu_ = new QMenu(this);
    foldMenu_->setObjectName(QStringLiteral("FoldMenu"));
    foldMenu_->addAction(QStringLiteral("&Alle Ordner öffnen"), OpenAllBtn, &QPushButton::click);
    foldMenu_->addAction(QStringLiteral("Alle Ordner &schließen"), CloseAllBtn,
                         &QPushButton::click);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, HelpBtn, &QPushButton::click);
}

void TListDlg::LoadView()
{
    const cOverviewParameters& view = params_.Overview;
    (view.OneLineRows ? OneLineBtn : TwoLineBtn)->setChecked(true);
    if (QAbstractButton* b = sortGroup_->button(params_.SortingMode)) {
        b->setChecked(true);
    }
    (params_.ReverseOrder ? AscendingBtn : DescendingBtn)->setChecked(true);
    FilterSizeBtn->setChecked(view.FilterSizes);
    FilterDoubleBtn->setChecked(view.FilterDoubleChange);
    FilterPropertiesBtn->setChecked(view.FilterPropertiesOnly);
    ListView->setUniformItemSizes(view.OneLineRows);
    const bool hints = params_.Programm.Tooltips;
    for (QWidget* w : findChildren<QToolButton*>()) {
        if (!hints) {
            w->setToolTip({});
        }
    }
    if (!hints) {
        TransferLbl->setToolTip({});
    }
}

void TListDlg::Connect()
{
    connect(rowsGroup_, &QButtonGroup::idClicked, this, [this](int id) {
        params_.Overview.OneLineRows = id == 1;
        ListView->setUniformItemSizes(id == 1);
        ChangeView();
    });
    connect(sortGroup_, &QButtonGroup::idClicked, this, [this](int id) {
        params_.SortingMode = static_cast<uint8_t>(id);
        Resort();
    });
    connect(orderGroup_, &QButtonGroup::idClicked, this, [this](int id) {
        params_.ReverseOrder = id == 1;
        Resort();
    });
    const std::pair<QToolButton*, bool cOverviewParameters::*> filters[] = {
        {FilterSizeBtn, &cOverviewParameters::FilterSizes},
        {FilterDoubleBtn, &cOverviewParameters::FilterDoubleChange},
        {FilterPropertiesBtn, &cOverviewParameters::FilterPropertiesOnly},
    };
    for (const auto& [button, field] : filters) {
        connect(button, &QToolButton::toggled, this, [this, field = field](bool on) {
            params_.Overview.*field = on;
            ChangeView();
        });
    }
    const std::pair<QPushButton*, uint16_t> actions[] = {
        {ForwardBtn, kForward}, {SkipBtn, kSkip}, {DeleteBtn, kDelete}, {BackwardBtn, kBackward}};
    for (const auto& [button, action] : actions) {
        connect(button, &QPushButton::clicked, this,
                [this, action = action] { ApplyToSelection(action); });
    }
    connect(OpenBtn, &QPushButton::clicked, this, &TListDlg::OpenFiles);
    connect(CompareInternBtn, &QPushButton::clicked, this, &TListDlg::CompareInternal);
    connect(CompareExternBtn, &QPushButton::clicked, this, &TListDlg::CompareExternal);
    connect(CloseFolderBtn, &QPushButton::clicked, this, &TListDlg::CloseThisFolder);
    connect(OpenAllBtn, &QPushButton::clicked, this,
            [this] { KeepCurrent(*this, run_, [this] { model_->SetAllOpen(true); }); });
    connect(CloseAllBtn, &QPushButton::clicked, this,
            [this] { KeepCurrent(*this, run_, [this] { model_->SetAllOpen(false); }); });
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this,
            [this] { DialogServices::ShowHelp(this, kHelpContext); });
    connect(PrintBtn, &QPushButton::clicked, this, &TListDlg::Print);
    connect(model_.get(), &ReviewModel::CountsChanged, this, &TListDlg::RefreshCounts);
    connect(ListView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TListDlg::Refresh);
    connect(model_.get(), &QAbstractItemModel::modelReset, this, &TListDlg::Refresh);
}

std::vector<int> TListDlg::SelectedRows() const
{
    std::vector<int> rows;
    for (const QItemSelectionRange& range : ListView->selectionModel()->selection()) {
        for (int r = range.top(); r <= range.bottom(); ++r) {
            rows.push_back(r);
        }
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void TListDlg::ApplyToSelection(uint16_t action)
{
    const std::vector<int> rows = SelectedRows();
    WaitCursor wait(rows.size() > kWaitCursorRows);
    model_->ApplyAction(rows, action);
}

void TListDlg::RebuildKeepingCurrent()
{
    KeepCurrent(*this, run_, [this] { model_->Rebuild(); });
}

void TListDlg::ChangeView()
{
    WaitCursor wait;
    RebuildKeepingCurrent();
}

void TListDlg::Resort()
{
    WaitCursor wait;
    KeepCurrent(*this, run_, [this] { model_->Resort(params_.SortingMode, params_.ReverseOrder); });
    RefreshCounts();
}

void TListDlg::CloseThisFolder()
{
    const int row = model_->CloseGroupAbove(std::max(ListView->currentIndex().row(), 0));
    if (row >= 0) {
        ListView->setCurrentIndex(model_->index(row));
        ListView->scrollTo(model_->index(row));
    }
}

void TListDlg::Refresh()
{
    const std::vector<int> rows = SelectedRows();
    ReviewSelection selection;
    selection.Rows = static_cast<int>(rows.size());
    for (int r : rows) {
        if (const cCandidate* c = model_->CandidateAt(r)) {
            ++selection.Candidates;
            selection.Single = c;
        }
    }
    const ReviewEnabling e = EnablingFor(selection, !params_.Programm.CompareA.empty());
    for (QPushButton* b : {ForwardBtn, SkipBtn, DeleteBtn, BackwardBtn}) {
        b->setEnabled(e.Actions);
    }
    OpenBtn->setEnabled(e.Open);
    CompareInternBtn->setEnabled(e.CompareInternal);
    CompareExternBtn->setEnabled(e.CompareExternal);
    for (QAction* a : fullMenu_->actions()) {
        if (auto* b = qobject_cast<QPushButton*>(a->property("button").value<QObject*>())) {
            a->setEnabled(b->isEnabled());
        }
    }
}

void TListDlg::RefreshCounts()
{
    const RunStatistics& s = model_->Statistics();
    TransferLbl->setText(Utf8(TransferText(s.BytesToCopy)));
    ForwardCountLbl->setText(Utf8(FormatNumber(s.Forward)));
    SkipCountLbl->setText(Utf8(FormatNumber(s.Skip)));
    DeleteCountLbl->setText(Utf8(FormatNumber(s.Delete)));
    BackwardCountLbl->setText(Utf8(FormatNumber(s.Backward)));
    bool missing = false;
    SourceFreeLbl->setText(Utf8(FreeSpaceText(run_.SourceFree, run_.SourceProjected, missing)));
    SourceFreeLbl->setStyleSheet(missing ? QStringLiteral("color: red") : QString());
    DestinationFreeLbl->setText(
        Utf8(FreeSpaceText(run_.DestinationFree, run_.DestinationProjected, missing)));
    DestinationFreeLbl->setStyleSheet(missing ? QStringLiteral("color: red") : QString());
}

void TListDlg::OpenFiles()
{
    for (int r : SelectedRows()) {
        const cCandidate* c = model_->CandidateAt(r);
        if (!c) {
            continue;
        }
        for (const auto& [exists, path] :
             {std::pair{SourceExists(*c), run_.SourceFile(*c)},
              std::pair{DestinationExists(*c), run_.DestinationFile(*c)}}) {
            if (exists && DialogServices::OpenFile(path) < 32) {
                QMessageBox::warning(
                    this, QStringLiteral("Verdal 5"),
                    QStringLiteral("%1 kann nicht geöffnet werden.").arg(Utf8(path)));
            }
        }
    }
}

void TListDlg::CompareInternal()
{
    const std::vector<int> rows = SelectedRows();
    const cCandidate* c = rows.size() == 1 ? model_->CandidateAt(rows[0]) : nullptr;
    if (!c) {
        return;
    }
    const std::string source = run_.SourceFile(*c), destination = run_.DestinationFile(*c);
    int result = 0;
    {
        WaitCursor wait;
        result = CompareFilesBytewise(source, destination);
    }
    QMessageBox::information(this, QStringLiteral("Verdal 5"),
                             Utf8(InternalCompareText(source, destination, result)));
}

void TListDlg::CompareExternal()
{
    const std::vector<int> rows = SelectedRows();
    const cCandidate* c = rows.size() == 1 ? model_->CandidateAt(rows[0]) : nullptr;
    if (!c) {
        return;
    }
    const auto argv = ExternalCompareArguments(params_.Programm.CompareA, params_.Programm.CompareB,
                                               run_.SourceFile(*c), run_.DestinationFile(*c));
    if (DialogServices::StartProgram(argv) < 32) {
        QMessageBox::warning(this, QStringLiteral("Verdal 5"),
                             QStringLiteral("Das Programm %1 kann nicht gestartet werden.")
                                 .arg(Utf8(params_.Programm.CompareA)));
    }
}

std::vector<PrintedRow> TListDlg::PrintRows() const
{
    return PrintedRowsOf(*model_, ReviewColors::Resolve(params_.Overview, palette()),
                         SelectedRows());
}

PrintedHeader TListDlg::PrintHeader() const
{
    PrintedHeader header;
    header.ProfilePath = Utf8(run_.ProfilePath);
    header.Totals = QStringLiteral("Vorwärts %1, Überspringen %2, Löschen %3, Rückwärts %4; %5")
                        .arg(ForwardCountLbl->text(), SkipCountLbl->text(), DeleteCountLbl->text(),
                             BackwardCountLbl->text(), TransferLbl->text());
    header.SourceRoot = SourceRootLbl->text();
    header.SourceFree = SourceFreeLbl->text();
    header.DestinationRoot = DestinationRootLbl->text();
    header.DestinationFree = DestinationFreeLbl->text();
    const ReviewColors colors = ReviewColors::Resolve(params_.Overview, palette());
    header.Block1 = colors.Block1;
    header.Block2 = colors.Block2;
    return header;
}

void TListDlg::Print()
{
    const std::vector<PrintedRow> rows = PrintRows();
    const PrintedHeader header = PrintHeader();
    THardcopyDlg dialog(rows, header, this);
    dialog.exec();
}

void TListDlg::ShowContextMenu(const QPoint& globalPos)
{
    Refresh();
    (SelectedRows().empty() ? foldMenu_ : fullMenu_)->popup(globalPos);
}

bool TListDlg::HandleKey(QKeyEvent* event)
{
    const auto mods = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() != Qt::Key_Insert && event->key() != Qt::Key_Delete) {
        return false;
    }
    if (mods == Qt::NoModifier) {
        ApplyToSelection(event->key() == Qt::Key_Insert ? kSkip : kDelete);
    } else if (mods == Qt::ShiftModifier) {
        ApplyToSelection(event->key() == Qt::Key_Insert ? kForward : kBackward);
    }
    return true;
}

bool TListDlg::HandleClick(QMouseEvent* event, bool doubleClick)
{
    if (event->button() != Qt::LeftButton) {
        return false;
    }
    const QModelIndex index = ListView->indexAt(event->position().toPoint());
    if (!index.isValid()) {
        return false;
    }
    const QRect rect = ListView->visualRect(index);
    const QPoint pos = event->position().toPoint();
    const bool leftZone = pos.x() - rect.left() < ReviewDelegate::kLeftZone;
    const bool arrowZone = delegate_->ArrowRect(rect).contains(pos);
    const int row = index.row();
    if (model_->GroupAt(row)) {
        if (!doubleClick && !leftZone) {
            return false;
        }
        const int header = model_->RowAt(row).Index();
        model_->ToggleGroup(row);
        const QModelIndex again = model_->index(model_->RowOfGroup(header));
        ListView->setCurrentIndex(again);
        ListView->scrollTo(again);
        return true;
    }
    if (doubleClick) {
        // In the zones the press has cycled already.
        if (!leftZone && !arrowZone) {
            model_->Cycle(row);
        }
        return true;
    }
    if (leftZone || arrowZone) {
        model_->Cycle(row);
    }
    return false;  // the press goes on to select the row
}

bool TListDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ListView && event->type() == QEvent::KeyPress) {
        return HandleKey(static_cast<QKeyEvent*>(event));
    }
    if (event->type() == QEvent::ContextMenu) {
        auto* menuEvent = static_cast<QContextMenuEvent*>(event);
        if (menuEvent->reason() == QContextMenuEvent::Keyboard) {
            const QRect rect = ListView->visualRect(ListView->currentIndex());
            ShowContextMenu(ListView->viewport()->mapToGlobal(rect.center()));
            return true;
        }
        if (watched == ListView->viewport()) {
            const QModelIndex index = ListView->indexAt(menuEvent->pos());
            if (!index.isValid()) {
                ListView->clearSelection();
            } else if (!ListView->selectionModel()->isSelected(index)) {
                ListView->selectionModel()->setCurrentIndex(index,
                                                            QItemSelectionModel::ClearAndSelect);
            }
            ShowContextMenu(menuEvent->globalPos());
            return true;
        }
    }
    if (watched == ListView->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            return HandleClick(static_cast<QMouseEvent*>(event), false);
        }
        if (event->type() == QEvent::MouseButtonDblClick) {
            return HandleClick(static_cast<QMouseEvent*>(event), true);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TListDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    const cWindowPos& pos = params_.WindowPositions[kWinOverview];
    if (pos.Right > pos.Left && pos.Bottom > pos.Top) {
        QRect rect(pos.Left, pos.Top, pos.Right - pos.Left, pos.Bottom - pos.Top);
        if (const QScreen* s = screen()) {
            const QRect area = s->availableGeometry();
            rect.setSize(rect.size().boundedTo(area.size()).expandedTo(minimumSize()));
            rect.moveLeft(std::clamp(rect.left(), area.left(), area.right() - rect.width() + 1));
            rect.moveTop(std::clamp(rect.top(), area.top(), area.bottom() - rect.height() + 1));
        }
        setGeometry(rect);
    } else {
        resize(std::max(width(), 1100), std::max(height(), 600));
    }
    if (pos.Maximized) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

void TListDlg::hideEvent(QHideEvent* event)
{
    const QRect normal = isMaximized() ? normalGeometry() : geometry();
    cWindowPos& pos = params_.WindowPositions[kWinOverview];
    pos.Left = static_cast<int16_t>(normal.left());
    pos.Top = static_cast<int16_t>(normal.top());
    pos.Right = static_cast<int16_t>(normal.right() + 1);
    pos.Bottom = static_cast<int16_t>(normal.bottom() + 1);
    pos.Maximized = isMaximized();
    QDialog::hideEvent(event);
}

}  // namespace verdal
