#include "dialogs/TSourceDlg.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "dialogs/BusyCursor.h"
#include "dialogs/DialogServices.h"
#include "dialogs/DriveCommands.h"
#include "dialogs/DriveLook.h"
#include "dialogs/EditDialog.h"
#include "dialogs/Hints.h"
#include "dialogs/TDirectoryTree.h"
#include "dialogs/TDriveList.h"
#include "dialogs/TDrivePanel.h"
#include "dialogs/TEmptyDlg.h"
#include "dialogs/TEntryList.h"
#include "platform/DirNames.h"
#include "settings/Macros.h"
#include "settings/Parameters.h"

namespace verdal {
namespace {

constexpr int kHelpSource = 4100;

constexpr int kNameRole = Qt::UserRole + 1;
constexpr int kFileReadTimeoutMs = 3000;
const QString kViewSource = QStringLiteral("ListView");

// The files of the selected directory; dragging rows hands their full names to the file lists.
class FileView : public QTreeWidget
{
public:
    using QTreeWidget::QTreeWidget;

protected:
    QStringList mimeTypes() const override
    {
        return {QString::fromLatin1(TEntryList::kEntriesMime)};
    }
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override
    {
        QStringList lines{kViewSource};
        for (const QTreeWidgetItem* item : items) {
            lines << item->data(0, kNameRole).toString();
        }
        auto* data = new QMimeData;
        data->setData(QString::fromLatin1(TEntryList::kEntriesMime), lines.join('\n').toUtf8());
        return data;
    }
    Qt::DropActions supportedDropActions() const override { return Qt::CopyAction; }
};

QStringList ToQt(const cStringList& list)
{
    QStringList entries;
    for (const auto& item : list.Items()) {
        entries << QString::fromStdString(item.Text);
    }
    return entries;
}

void Assign(cStringList& list, const QStringList& entries)
{
    list.Clear();
    for (const QString& entry : entries) {
        list.Add(entry.toStdString());
    }
}

std::vector<std::string> ToStd(const QStringList& entries)
{
    std::vector<std::string> result;
    for (const QString& entry : entries) {
        result.push_back(entry.toStdString());
    }
    return result;
}

QWidget* ListPage(QWidget* parent, const QString& caption, TEntryList* list)
{
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    auto* label = new QLabel(caption, page);
    label->setBuddy(list);
    list->setAccessibleName(caption);
    layout->addWidget(label);
    layout->addWidget(list);
    return page;
}

}  // namespace

TSourceDlg::TSourceDlg(QWidget* parent)
    : QDialog(parent),
      Panel(new TDrivePanel("", this)),
      DriveList(Panel->DriveList),
      DriveEdt(Panel->DriveEdt),
      DirTree(Panel->DirTree),
      DirEdt(Panel->DirEdt),
      ListView(new FileView(this)),
      FileEdt(new QLineEdit(this)),
      DirPages(new QTabWidget(this)),
      SearchDirectoriesLst(
          MakeList("SearchDirectoriesLst", QStringLiteral("Durchsuche diese Verzeichnisse:"))),
      ExcludeDirectoriesLst(
          MakeList("ExcludeDirectoriesLst",
                   QStringLiteral("Schließe diese Verzeichnisse von der Suche aus:"))),
      FilePages(new QTabWidget(this)),
      CompareFilesLst(
          MakeList("CompareFilesLst", QStringLiteral("Vergleiche das Alter dieser Dateien:"))),
      EnforceFilesLst(
          MakeList("EnforceFilesLst",
                   QStringLiteral("Kopiere diese Dateien vorwärts, unabhängig vom Alter:"))),
      DeleteFilesLst(MakeList("DeleteFilesLst", QStringLiteral("Lösche diese Dateien:"))),
      ExcludeFilesLst(
          MakeList("ExcludeFilesLst",
                   QStringLiteral("Schließe diese Dateien von allen 3 vorigen Aktionen aus:"))),
      OkBtn(new QPushButton(QStringLiteral("OK"), this)),
      CancelBtn(new QPushButton(QStringLiteral("Abbruch"), this))
{
    setWindowTitle(QStringLiteral("Quelle"));
    setAcceptDrops(true);
    const std::pair<QWidget*, const char*> names[] = {
        {ListView, "ListView"},   {FileEdt, "FileEdt"}, {DirPages, "DirPages"},
        {FilePages, "FilePages"}, {OkBtn, "OkBtn"},     {CancelBtn, "CancelBtn"}};
    for (const auto& [widget, name] : names) {
        widget->setObjectName(QString::fromLatin1(name));
    }
    ListView->setAccessibleName(QStringLiteral("Dateien"));
    FileEdt->setAccessibleName(QStringLiteral("Datei"));
    DirPages->setAccessibleName(QStringLiteral("Verzeichnislisten"));
    FilePages->setAccessibleName(QStringLiteral("Dateilisten"));

    DirPages->addTab(
        ListPage(DirPages, SearchDirectoriesLst->accessibleName(), SearchDirectoriesLst),
        QStringLiteral("Durchsuchen"));
    DirPages->addTab(
        ListPage(DirPages, ExcludeDirectoriesLst->accessibleName(), ExcludeDirectoriesLst),
        QStringLiteral("Ausschließen"));
    const std::pair<TEntryList*, QString> filePages[] = {{CompareFilesLst, "Vergleichen"},
                                                         {EnforceFilesLst, "Erzwingen"},
                                                         {DeleteFilesLst, "Löschen"},
                                                         {ExcludeFilesLst, "Ausschließen"}};
    for (const auto& [list, title] : filePages) {
        FilePages->addTab(ListPage(FilePages, list->accessibleName(), list), title);
    }
    DirPages->tabBar()->setAcceptDrops(true);
    DirPages->tabBar()->installEventFilter(this);
    FilePages->tabBar()->setAcceptDrops(true);
    FilePages->tabBar()->installEventFilter(this);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(BuildBrowsePane());
    splitter->addWidget(BuildListPane());
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpButton(this, kHelpSource));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    layout->addLayout(buttons);
    OkBtn->setDefault(true);
    resize(820, 600);

    BuildMenus();
    connect(Panel, &TDrivePanel::DriveChanged, this, [this] { RefillFiles(true); });
    connect(Panel, &TDrivePanel::PathChanged, this, [this] { RefillFiles(true); });
    connect(ListView->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        sort_.Click(column == 1);
        RefillFiles(false);
    });
    connect(ListView, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (const QTreeWidgetItem* item = ListView->currentItem()) {
            FileEdt->setText(item->data(0, kNameRole).toString());
        }
        UpdateMenus();
    });
    for (TEntryList* list : {SearchDirectoriesLst, ExcludeDirectoriesLst}) {
        connect(list, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
            DirEdt->setText(
                QString::fromStdString(WithoutSubdirectoryMarker(item->text().toStdString())));
        });
    }
    for (TEntryList* list : {CompareFilesLst, EnforceFilesLst, DeleteFilesLst, ExcludeFilesLst}) {
        connect(list, &QListWidget::itemClicked, this,
                [this](QListWidgetItem* item) { FileEdt->setText(item->text()); });
    }
    for (TEntryList* list : {SearchDirectoriesLst, ExcludeDirectoriesLst, CompareFilesLst,
                             EnforceFilesLst, DeleteFilesLst, ExcludeFilesLst}) {
        connect(list, &QListWidget::itemSelectionChanged, this, &TSourceDlg::UpdateMenus);
        list->OnDrop = [this, list](const QMimeData* data) { return DropOnList(list, data); };
    }
    connect(DirPages, &QTabWidget::currentChanged, this, &TSourceDlg::UpdateMenus);
    connect(FilePages, &QTabWidget::currentChanged, this, &TSourceDlg::UpdateMenus);
    connect(OkBtn, &QPushButton::clicked, this, &TSourceDlg::OnOk);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    UpdateMenus();
}

TEntryList* TSourceDlg::MakeList(const char* name, const QString& caption)
{
    auto* list = new TEntryList(this);
    list->setObjectName(QString::fromLatin1(name));
    list->setAccessibleName(caption);
    return list;
}

QWidget* TSourceDlg::BuildBrowsePane()
{
    auto* pane = new QWidget(this);
    auto* grid = new QGridLayout(pane);
    grid->addWidget(Panel, 0, 0, 5, 2);
    auto* filesLbl = new QLabel(QStringLiteral("&Dateien:"), pane);
    filesLbl->setBuddy(ListView);
    grid->addWidget(filesLbl, 5, 0, 1, 2);
    grid->addWidget(ListView, 6, 0, 1, 2);
    grid->addWidget(FileEdt, 7, 0, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setRowStretch(4, 3);
    grid->setRowStretch(6, 2);

    DirTree->SetDragPaths(true);
    ListView->setColumnCount(2);
    ListView->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Typ")});
    ListView->setRootIsDecorated(false);
    ListView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView->setDragEnabled(true);
    ListView->setDragDropMode(QAbstractItemView::DragOnly);
    ListView->header()->setSectionsClickable(true);
    ListView->header()->setSortIndicatorShown(false);
    ListView->setColumnWidth(0, 232);
    ListView->setColumnWidth(1, 48);
    return pane;
}

QWidget* TSourceDlg::BuildListPane()
{
    auto* pane = new QWidget(this);
    auto* layout = new QVBoxLayout(pane);
    layout->addWidget(DirPages);
    layout->addWidget(FilePages);
    return pane;
}

QAction* TSourceDlg::MenuItem(QWidget* owner, const char* name, const QString& text)
{
    auto* action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(name));
    owner->addAction(action);
    owner->setContextMenuPolicy(Qt::ActionsContextMenu);
    return action;
}

void TSourceDlg::BuildMenus()
{
    TreeAddItm = MenuItem(DirTree, "TreeAddItm", QStringLiteral("Hinzufügen"));
    TreeAddSubItm =
        MenuItem(DirTree, "TreeAddSubItm", QStringLiteral("Hinzufügen mit Unterverzeichnissen"));
    DirAddItm = MenuItem(DirEdt, "DirAddItm", QStringLiteral("Hinzufügen"));
    DirAddSubItm =
        MenuItem(DirEdt, "DirAddSubItm", QStringLiteral("Hinzufügen mit Unterverzeichnissen"));
    DirRootItm = MenuItem(DirEdt, "DirRootItm", QStringLiteral("Auf Wurzelebene setzen"));
    // "Überprüfen" stays the last command of the directory field.
    DirEdt->removeAction(Panel->DirCheckItm);
    DirEdt->addAction(Panel->DirCheckItm);
    DirRemoveItm = MenuItem(SearchDirectoriesLst, "DirRemoveItm", QStringLiteral("Entfernen"));
    DirToggleItm = MenuItem(SearchDirectoriesLst, "DirToggleItm",
                            QStringLiteral("Unterverzeichnisse umschalten"));
    for (QWidget* owner :
         {static_cast<QWidget*>(ExcludeDirectoriesLst), static_cast<QWidget*>(DirPages)}) {
        owner->addActions({DirRemoveItm, DirToggleItm});
        owner->setContextMenuPolicy(Qt::ActionsContextMenu);
    }
    ViewAddItm = MenuItem(ListView, "ViewAddItm", QStringLiteral("Hinzufügen"));
    ViewAddTypeItm = MenuItem(ListView, "ViewAddTypeItm", QStringLiteral("Hinzufügen als Typ"));
    FileAddItm = MenuItem(FileEdt, "FileAddItm", QStringLiteral("Hinzufügen"));
    FileAddTypeItm = MenuItem(FileEdt, "FileAddTypeItm", QStringLiteral("Hinzufügen als Typ"));
    FileMaskItm = MenuItem(FileEdt, "FileMaskItm", QStringLiteral("Auf Standardmaske setzen"));
    FileRemoveItm = MenuItem(CompareFilesLst, "FileRemoveItm", QStringLiteral("Entfernen"));
    for (QWidget* owner :
         {static_cast<QWidget*>(EnforceFilesLst), static_cast<QWidget*>(DeleteFilesLst),
          static_cast<QWidget*>(ExcludeFilesLst), static_cast<QWidget*>(FilePages)}) {
        owner->addAction(FileRemoveItm);
        owner->setContextMenuPolicy(Qt::ActionsContextMenu);
    }

    connect(TreeAddItm, &QAction::triggered, this, [this] { AddDirectory(true, false); });
    connect(TreeAddSubItm, &QAction::triggered, this, [this] { AddDirectory(true, true); });
    connect(DirAddItm, &QAction::triggered, this, [this] { AddDirectory(false, false); });
    connect(DirAddSubItm, &QAction::triggered, this, [this] { AddDirectory(false, true); });
    connect(DirRootItm, &QAction::triggered, this,
            [this] { DirEdt->setText(QStringLiteral("\\")); });
    connect(DirRemoveItm, &QAction::triggered, this, [this] { RemoveFrom(ActiveDirList()); });
    connect(DirToggleItm, &QAction::triggered, this, &TSourceDlg::ToggleSubdirectories);
    connect(ViewAddItm, &QAction::triggered, this, [this] { AddViewFiles(false); });
    connect(ViewAddTypeItm, &QAction::triggered, this, [this] { AddViewFiles(true); });
    connect(FileAddItm, &QAction::triggered, this, [this] { AddFileText(false); });
    connect(FileAddTypeItm, &QAction::triggered, this, [this] { AddFileText(true); });
    connect(FileMaskItm, &QAction::triggered, this, [this] {
        FileEdt->setText(QStringLiteral("*."));
        FileEdt->setFocus();
    });
    connect(FileRemoveItm, &QAction::triggered, this, [this] { RemoveFrom(ActiveFileList()); });
}

void TSourceDlg::LoadFrom(const cParameters& params)
{
    ApplyHintOption(this, params.Programm.Tooltips);
    const bool hints = params.Programm.Tooltips;
    for (QWidget* widget : std::initializer_list<QWidget*>{
             ListView, FileEdt, DirPages, FilePages, SearchDirectoriesLst, ExcludeDirectoriesLst,
             CompareFilesLst, EnforceFilesLst, DeleteFilesLst, ExcludeFilesLst}) {
        SetCommandHint(widget, hints);
    }
    Panel->Configure(params, "Src");
    SearchDirectoriesLst->SetEntries(ToQt(params.SearchDirectories));
    ExcludeDirectoriesLst->SetEntries(ToQt(params.ExcludeDirectories));
    CompareFilesLst->SetEntries(ToQt(params.CompareFiles));
    EnforceFilesLst->SetEntries(ToQt(params.EnforceFiles));
    DeleteFilesLst->SetEntries(ToQt(params.DeleteFiles));
    ExcludeFilesLst->SetEntries(ToQt(params.ExcludeFiles));
    Panel->SetStored(
        QString::fromStdString(params.SourceDrive),
        params.SearchDirectories.Empty()
            ? QStringLiteral("\\")
            : QString::fromStdString(WithoutSubdirectoryMarker(params.SearchDirectories[0])));
    UpdateMenus();
}

void TSourceDlg::SaveTo(cParameters& params) const
{
    params.SourceDrive = DriveEdt->text().toStdString();
    if (SearchDirectoriesLst->count() == 0 && emptyAnswer_ != TEmptyDlg::kNo && emptyAnswer_ != 0) {
        const std::string directory = DialogDirectory(DirEdt->text().toStdString());
        const bool subdirs = emptyAnswer_ == TEmptyDlg::kYesWithSubdirectories &&
                             directory.find('*') == std::string::npos;
        params.SearchDirectories.Clear();
        params.SearchDirectories.Add(subdirs ? directory + "*" : directory);
    } else {
        Assign(params.SearchDirectories, SearchDirectoriesLst->Entries());
    }
    Assign(params.ExcludeDirectories, ExcludeDirectoriesLst->Entries());
    Assign(params.CompareFiles, CompareFilesLst->Entries());
    Assign(params.EnforceFiles, EnforceFilesLst->Entries());
    Assign(params.DeleteFiles, DeleteFilesLst->Entries());
    Assign(params.ExcludeFiles, ExcludeFilesLst->Entries());
    params.Modified = true;
}

void TSourceDlg::OnOk()
{
    emptyAnswer_ = 0;
    if (SearchDirectoriesLst->count() == 0) {
        TEmptyDlg question(QString::fromStdString(DialogDirectory(DirEdt->text().toStdString())),
                           this);
        emptyAnswer_ = question.exec();
        if (emptyAnswer_ == QDialog::Rejected) {
            return;
        }
    }
    accept();
}

TEntryList* TSourceDlg::ActiveDirList() const
{
    return DirPages->currentIndex() == 0 ? SearchDirectoriesLst : ExcludeDirectoriesLst;
}

TEntryList* TSourceDlg::ActiveFileList() const
{
    switch (FilePages->currentIndex()) {
        case 0:
            return CompareFilesLst;
        case 1:
            return EnforceFilesLst;
        case 2:
            return DeleteFilesLst;
        default:
            return ExcludeFilesLst;
    }
}

TEntryList* TSourceDlg::ListNamed(const QString& name) const
{
    return name.isEmpty() ? nullptr : findChild<TEntryList*>(name);
}

bool TSourceDlg::IsDirList(const TEntryList* list) const
{
    return list == SearchDirectoriesLst || list == ExcludeDirectoriesLst;
}

void TSourceDlg::RefillFiles(bool rescan)
{
    BusyCursor busy;
    ListView->clear();
    if (rescan) {
        cachedNames_.clear();
        const std::string directory = ExpandMacros(DialogDirectory(DirEdt->text().toStdString()));
        if (const auto native =
                NativePathBounded(ExpandMacros(DriveEdt->text().toStdString()), directory)) {
            ListEntryNamesBounded(*native, NameKind::Files, kFileReadTimeoutMs, cachedNames_);
        }
    }
    QList<QTreeWidgetItem*> rows;
    for (const std::string& name : SortedFileNames(cachedNames_, sort_.ByType, sort_.Ascending())) {
        const SplitName split = SplitFileName(name);
        auto* row = new QTreeWidgetItem(
            {QString::fromStdString(split.Base), QString::fromStdString(split.Extension)});
        row->setData(0, kNameRole, QString::fromStdString(name));
        rows << row;
    }
    ListView->addTopLevelItems(rows);
    if (rows.isEmpty()) {
        FileEdt->clear();
    } else {
        ListView->setCurrentItem(rows.first());
    }
    UpdateMenus();
}

void TSourceDlg::AddDirectory(bool fromTree, bool withSubdirectories)
{
    const QString text = fromTree ? DirTree->SelectedPath() : DirEdt->text();
    TEntryList* list = ActiveDirList();
    const std::string entry = DirectoryEntryToAdd(
        DialogDirectory(text.toStdString()), withSubdirectories, fromTree, ToStd(list->Entries()));
    if (!entry.empty()) {
        list->AddEntry(QString::fromStdString(entry));
    }
}

void TSourceDlg::ToggleSubdirectories()
{
    TEntryList* list = ActiveDirList();
    const QStringList selected = list->SelectedEntries();
    list->RemoveSelected();
    for (const QString& entry : selected) {
        const QString toggled =
            QString::fromStdString(ToggledSubdirectoryMarker(entry.toStdString()));
        list->AddEntry(toggled);
        for (int row = 0; row < list->count(); ++row) {
            if (list->item(row)->text() == toggled) {
                list->item(row)->setSelected(true);
            }
        }
    }
}

void TSourceDlg::AddFileText(bool asType)
{
    const std::string text = FileEdt->text().toStdString();
    if (!text.empty()) {
        ActiveFileList()->AddEntry(QString::fromStdString(asType ? TypeMask(text) : text));
    }
}

void TSourceDlg::AddViewFiles(bool asType)
{
    TEntryList* list = ActiveFileList();
    list->setUpdatesEnabled(false);
    for (const QTreeWidgetItem* row : ListView->selectedItems()) {
        const std::string name = row->data(0, kNameRole).toString().toStdString();
        list->AddEntry(QString::fromStdString(asType ? TypeMask(name) : name));
    }
    list->setUpdatesEnabled(true);
}

void TSourceDlg::RemoveFrom(TEntryList* list)
{
    list->RemoveSelected();
    UpdateMenus();
}

void TSourceDlg::UpdateMenus()
{
    const bool dirSelected = !ActiveDirList()->selectedItems().isEmpty();
    DirRemoveItm->setEnabled(dirSelected);
    DirToggleItm->setEnabled(dirSelected);
    FileRemoveItm->setEnabled(!ActiveFileList()->selectedItems().isEmpty());
    const bool rowsSelected = !ListView->selectedItems().isEmpty();
    ViewAddItm->setEnabled(rowsSelected);
    ViewAddTypeItm->setEnabled(rowsSelected);
}

bool TSourceDlg::DropOnList(TEntryList* target, const QMimeData* data)
{
    const bool dirTarget = IsDirList(target);
    if (dirTarget && data->hasFormat(QString::fromLatin1(TDirectoryTree::kDirectoryMime))) {
        const std::string path =
            QString::fromUtf8(data->data(QString::fromLatin1(TDirectoryTree::kDirectoryMime)))
                .toStdString();
        const std::string entry = DirectoryEntryToAdd(path, true, true, ToStd(target->Entries()));
        if (!entry.empty()) {
            target->AddEntry(QString::fromStdString(entry));
        }
        return true;
    }
    QString sourceName;
    QStringList entries;
    if (!TEntryList::ReadEntries(data, sourceName, entries)) {
        return false;
    }
    if (sourceName == kViewSource) {
        if (dirTarget) {
            return false;
        }
        for (const QString& name : entries) {
            target->AddEntry(name);
        }
        return true;
    }
    TEntryList* source = ListNamed(sourceName);
    if (!source || source == target || IsDirList(source) != dirTarget) {
        return false;
    }
    // An entry dragged onto another page moves there.
    for (const QString& entry : entries) {
        target->AddEntry(entry);
        for (int row = source->count() - 1; row >= 0; --row) {
            if (source->item(row)->text() == entry) {
                delete source->takeItem(row);
            }
        }
    }
    UpdateMenus();
    return true;
}

void TSourceDlg::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasFormat(QString::fromLatin1(TEntryList::kEntriesMime))) {
        event->acceptProposedAction();
    }
}

// Entries dropped on the dialog's free area are removed from their list.
void TSourceDlg::dropEvent(QDropEvent* event)
{
    QString sourceName;
    QStringList entries;
    TEntryList::ReadEntries(event->mimeData(), sourceName, entries);
    if (TEntryList* source = ListNamed(sourceName)) {
        for (int row = source->count() - 1; row >= 0; --row) {
            if (entries.contains(source->item(row)->text())) {
                delete source->takeItem(row);
            }
        }
        UpdateMenus();
        event->acceptProposedAction();
    }
}

// Dragging over a page's tab shows that page; dropping on the tab drops on its list.
bool TSourceDlg::eventFilter(QObject* watched, QEvent* event)
{
    auto* bar = qobject_cast<QTabBar*>(watched);
    const bool drag = event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
                      event->type() == QEvent::Drop;
    if (!bar || !drag) {
        return QDialog::eventFilter(watched, event);
    }
    auto* dropEvent = static_cast<QDropEvent*>(event);
    QTabWidget* pages = bar == DirPages->tabBar() ? DirPages : FilePages;
    const int tab = bar->tabAt(dropEvent->position().toPoint());
    if (tab >= 0) {
        pages->setCurrentIndex(tab);
    }
    if (event->type() == QEvent::Drop) {
        TEntryList* list = pages == DirPages ? ActiveDirList() : ActiveFileList();
        if (DropOnList(list, dropEvent->mimeData())) {
            dropEvent->acceptProposedAction();
        }
    } else {
        dropEvent->acceptProposedAction();
    }
    return true;
}

bool OpenSourceDialog(QWidget* parent, cParameters& params)
{
    TSourceDlg dialog(parent);
    return EditInDialog(dialog, params);
}

}  // namespace verdal
