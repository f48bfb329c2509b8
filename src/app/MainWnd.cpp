#include "app/MainWnd.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QWindowStateChangeEvent>
#include <algorithm>

#include "app/DocumentRules.h"
#include "app/HelpContexts.h"
#include "app/HelpWindow.h"
#include "app/RunController.h"
#include "app/TrayIcon.h"
#include "dialogs/NewTreeView.h"
#include "dialogs/TTimedDlg.h"
#include "settings/Parameters.h"
#include "settings/ProgramMessages.h"
#include "settings/Summary.h"

namespace verdal {
namespace {

constexpr const char* kWebAddress = "https://verdal.example.org/";
constexpr const char* kMailAddress = "mailto:hilfe@verdal.example.org";

}  // namespace

TMainWnd::TMainWnd(bool mute, QWidget* parent)
    : QMainWindow(parent),
      mute_(mute),
      profileTree_(new TNewTreeView(this)),
      dialogs_(this, modalOpen_),
      delayTmr_(new QTimer(this))
{
    delayTmr_->setInterval(500);
    connect(delayTmr_, &QTimer::timeout, this, &TMainWnd::DelayTmrTimer);
    setObjectName(QStringLiteral("MainWnd"));
    setAccessibleName(QStringLiteral("Verdal 5"));
    profileTree_->setObjectName(QStringLiteral("ProfileTree"));
    profileTree_->setAccessibleName(QStringLiteral("Profilbaum"));
    profileTree_->setFrameShape(QFrame::StyledPanel);
    profileTree_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(profileTree_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        // From the keyboard (menu key, Shift+F10) the point may miss every item: then the
        // current one is meant.
        QTreeWidgetItem* item = profileTree_->itemAt(pos);
        if (!item) {
            item = profileTree_->currentItem();
        }
        if (item) {
            profileTree_->setCurrentItem(item);
            OpenDialogForItem(item);
        }
    });
    setCentralWidget(profileTree_);
    setMinimumSize(520, 138);
    setAcceptDrops(true);
    statusBar();

    runs_ = std::make_unique<cRunController>(*this);
    tray_ = std::make_unique<cTrayIcon>(*this, QSystemTrayIcon::isSystemTrayAvailable());
    connect(this, &TMainWnd::CloseAccepted, tray_.get(), &cTrayIcon::Delete);
    RegisterDialogs(dialogs_);
    dialogs_.SetAfterClose(
        [this](const std::string& routine, bool accepted) { AfterDialog(routine, accepted); });
    fileChooser_ = [](QWidget* parent, const FileDialogRequest& request) {
        return ChooseFile(parent, request);
    };
    urlOpener_ = [](const QString& url) { return QDesktopServices::openUrl(QUrl(url)); };

    CreateActions();
    CreateMenus();
    CreateToolbar();
    RefreshAll();
}

TMainWnd::~TMainWnd()
{
    tray_->Delete();
}

QAction* TMainWnd::Action(const char* name) const
{
    return findChild<QAction*>(QLatin1String(name));
}

QAction* TMainWnd::AddAction(const char* name, const QString& text, const QKeySequence& key,
                             std::function<void()> slot)
{
    auto* action = new QAction(text, this);
    action->setObjectName(QLatin1String(name));
    if (!key.isEmpty()) {
        action->setShortcut(key);
    }
    connect(action, &QAction::triggered, this, std::move(slot));
    return action;
}

void TMainWnd::OpenCommand(const std::string& routine, int page)
{
    OpenDialog(routine, page);
}

void TMainWnd::CreateActions()
{
    AddAction("NewItm", QStringLiteral("&Neu..."), QKeySequence(Qt::CTRL | Qt::Key_N),
              [this] { NewDocument(); });
    AddAction("OpenItm", QStringLiteral("&Öffnen..."), QKeySequence(Qt::CTRL | Qt::Key_O),
              [this] { OpenDocument(); });
    saveItm_ = AddAction("SaveItm", QStringLiteral("&Speichern"),
                         QKeySequence(Qt::CTRL | Qt::Key_S), [this] { Save(); });
    saveAsItm_ = AddAction("SaveAsItm", QStringLiteral("Speichern &als..."),
                           QKeySequence(Qt::CTRL | Qt::Key_A), [this] { SaveAs(); });
    shortcutItm_ =
        AddAction("ShortcutItm", QStringLiteral("&Verknüpfung erstellen..."),
                  QKeySequence(Qt::CTRL | Qt::Key_V), [this] { OpenCommand("SHORTCUT"); });
    AddAction("ViewerItm", QStringLiteral("&Log ansehen..."), QKeySequence(Qt::CTRL | Qt::Key_L),
              [this] { runs_->ViewLog(); });
    // Alt+F4 belongs to the window manager; the menu only shows it.
    QAction* exitItm = AddAction("ExitItm", QStringLiteral("&Beenden"), {}, [this] { close(); });
    exitItm->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    exitItm->setShortcutContext(Qt::WidgetShortcut);
    for (int slot = 1; slot <= 9; ++slot) {
        const QByteArray name = "OldItm" + QByteArray::number(slot);
        oldItems_[slot] = AddAction(name.constData(), QString(), QKeySequence(Qt::Key_0 + slot),
                                    [this, slot] { OpenReopenEntry(slot); });
    }
    for (int tag = 1; tag <= 24; ++tag) {
        const QByteArray name = "TopItm" + QByteArray::number(tag);
        const int key = Qt::Key_F1 + (tag - 1) % 12;
        topItems_[tag] = AddAction(name.constData(), QString(),
                                   tag > 12 ? QKeySequence(Qt::SHIFT | key) : QKeySequence(key),
                                   [this, tag] { OpenQuickEntry(tag); });
    }
    struct Command
    {
        const char* Name;
        const char* Text;
        QKeySequence Key;
        const char* Routine;
    };
    const Command commands[] = {
        {"ExpressItm", "&Express-Setup...", QKeySequence(Qt::ALT | Qt::Key_E), "EXPRESS SETUP"},
        {"SourceItm", "&Quelle...", QKeySequence(Qt::ALT | Qt::Key_Q), "SOURCE"},
        {"DestinationItm", "&Ziel...", QKeySequence(Qt::ALT | Qt::Key_Z), "DESTINATION"},
        {"OptionsItm", "&Optionen...", QKeySequence(Qt::ALT | Qt::Key_O), "OPTIONS"},
        {"OverviewItm", "&Übersicht...", QKeySequence(Qt::ALT | Qt::Key_Udiaeresis), "OVERVIEW"},
        {"LogItm", "&Log...", QKeySequence(Qt::ALT | Qt::Key_L), "LOG"},
        {"BatchItm", "&Batch...", QKeySequence(Qt::ALT | Qt::Key_B), "BATCH"},
        {"SchedulerItm", "Zeitpl&aner...", QKeySequence(Qt::ALT | Qt::Key_A), "SCHEDULER"},
        {"ProgramItm", "&Programmoptionen", QKeySequence(Qt::ALT | Qt::Key_P), "PROGRAM"},
        {"TopTwelveItm", "&Top 12...", QKeySequence(Qt::ALT | Qt::Key_T), "TOP 12"},
        {"AboutItm", "&Über...", {}, "ABOUT"},
    };
    for (const Command& command : commands) {
        const std::string routine = command.Routine;
        QAction* action = AddAction(command.Name, QString::fromUtf8(command.Text), command.Key,
                                    [this, routine] { OpenCommand(routine); });
        if (routine == "EXPRESS SETUP" || routine == "SOURCE" || routine == "DESTINATION" ||
            routine == "OPTIONS" || routine == "OVERVIEW" || routine == "LOG") {
            profileOnly_.push_back(action);
        }
    }
    batchItm_ = Action("BatchItm");
    goItm_ = AddAction("GoItm", QStringLiteral("Lo&s!"), QKeySequence(Qt::Key_Return),
                       [this] { runs_->StartRun(kTriggerHand); });
    goItm_->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    AddAction("ContentsItm", QStringLiteral("&Inhalt"), QKeySequence(Qt::Key_Help),
              [this] { ShowHelp(kHelpContents); });
    AddAction("WebItm", QStringLiteral("Verdal im &Web"), {}, [this] {
        OpenUrl(QLatin1String(kWebAddress),
                QStringLiteral("Kann Web-Browser nicht starten. Stellen Sie sicher, daß er auf "
                               "Ihrem System ordnungsgemäß eingerichtet ist."));
    });
    AddAction("MailItm", QStringLiteral("&E-Mail an den Hersteller"), {}, [this] {
        OpenUrl(QLatin1String(kMailAddress),
                QStringLiteral("Kann Mail-Client nicht starten. Stellen Sie sicher, daß er auf "
                               "Ihrem System ordnungsgemäß eingerichtet ist."));
    });
    AddAction("ExpandItm", QStringLiteral("Alle auseinanderfalten"), {},
              [this] { profileTree_->expandAll(); });
    AddAction("CollapseItm", QStringLiteral("Alle zusammenfalten"), {},
              [this] { profileTree_->collapseAll(); });
}

void TMainWnd::CreateMenus()
{
    fileMnu_ = menuBar()->addMenu(QStringLiteral("&Datei"));
    fileMnu_->setObjectName(QStringLiteral("FileMnu"));
    for (const char* name : {"NewItm", "OpenItm", "SaveItm", "SaveAsItm", "ShortcutItm"}) {
        fileMnu_->addAction(Action(name));
    }
    fileMnu_->addSeparator();
    topMnu_ = fileMnu_->addMenu(QStringLiteral("&Top 12"));
    topMnu_->setObjectName(QStringLiteral("TopMnu"));
    for (int tag = 1; tag <= 12; ++tag) {
        topMnu_->addAction(topItems_[tag]);
    }
    // The Shift twins open without running; they have keys but no menu entry.
    for (int tag = 13; tag <= 24; ++tag) {
        addAction(topItems_[tag]);
    }
    fileMnu_->addAction(Action("ViewerItm"));
    reopenSep_ = fileMnu_->addSeparator();
    for (int slot = 1; slot <= 9; ++slot) {
        fileMnu_->addAction(oldItems_[slot]);
    }
    fileMnu_->addSeparator();
    fileMnu_->addAction(Action("ExitItm"));

    settingsMnu_ = menuBar()->addMenu(QStringLiteral("&Einstellungen"));
    settingsMnu_->setObjectName(QStringLiteral("SettingsMnu"));
    settingsMnu_->addAction(Action("ExpressItm"));
    profileOnly_.push_back(settingsMnu_->addSeparator());
    for (const char* name : {"SourceItm", "DestinationItm", "OptionsItm"}) {
        settingsMnu_->addAction(Action(name));
    }
    profileOnly_.push_back(settingsMnu_->addSeparator());
    for (const char* name : {"OverviewItm", "LogItm", "BatchItm", "SchedulerItm"}) {
        settingsMnu_->addAction(Action(name));
    }
    settingsMnu_->addSeparator();
    settingsMnu_->addAction(Action("ProgramItm"));
    settingsMnu_->addAction(Action("TopTwelveItm"));

    menuBar()->addAction(goItm_);

    QMenu* helpMnu = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    helpMnu->setObjectName(QStringLiteral("HelpMnu"));
    helpMnu->addAction(Action("ContentsItm"));
    helpMnu->addSeparator();
    helpMnu->addAction(Action("WebItm"));
    helpMnu->addAction(Action("MailItm"));
    helpMnu->addSeparator();
    helpMnu->addAction(Action("AboutItm"));
}

QToolButton* TMainWnd::AddButton(const char* name, const QString& text, const QString& key,
                                 QAction* action)
{
    auto* button = new QToolButton(this);
    button->setObjectName(QLatin1String(name));
    button->setText(text);
    button->setAccessibleName(text);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setFixedSize(80, 62);
    button->setIconSize(QSize(32, 32));
    button->setProperty("hotKey", key);
    button->setFocusPolicy(Qt::TabFocus);
    connect(button, &QToolButton::clicked, action, &QAction::trigger);
    buttons_.push_back(button);
    return button;
}

namespace {

// The style offers some glyphs only small: every button shows its glyph at the same size.
QIcon ToolbarIcon(const QIcon& glyph, const QSize& size)
{
    QPixmap picture = glyph.pixmap(size);
    if (picture.deviceIndependentSize().toSize() != size) {
        picture = picture.scaled(size * picture.devicePixelRatio(), Qt::KeepAspectRatio,
                                 Qt::SmoothTransformation);
    }
    return QIcon(picture);
}

}  // namespace

void TMainWnd::CreateToolbar()
{
    QToolBar* bar = addToolBar(QStringLiteral("Werkzeugleiste"));
    bar->setObjectName(QStringLiteral("ToolbarPnl"));
    bar->setMovable(false);
    bar->setFloatable(false);
    const QStyle* style = this->style();
    auto add = [&](const char* name, const QString& text, const QString& key, const char* action,
                   QStyle::StandardPixmap glyph) {
        QToolButton* button = AddButton(name, text, key, Action(action));
        button->setIcon(ToolbarIcon(style->standardIcon(glyph), button->iconSize()));
        // A toolbar shows or hides its widgets through their actions.
        button->setProperty("barAction", QVariant::fromValue(bar->addWidget(button)));
        return button;
    };
    add("ExitBtn", QStringLiteral("Beenden"), QStringLiteral("Alt+F4"), "ExitItm",
        QStyle::SP_DialogCloseButton);
    bar->addSeparator();
    profileButtons_.push_back(add("ExpressBtn", QStringLiteral("Express"), QStringLiteral("Alt+E"),
                                  "ExpressItm", QStyle::SP_CommandLink));
    batchBtn_ = add("BatchBtn", QStringLiteral("Batch"), QStringLiteral("Alt+B"), "BatchItm",
                    QStyle::SP_FileDialogListView);
    goBtn2_ = add("GoBtn2", QStringLiteral("Los!"), QStringLiteral("Eingabe"), "GoItm",
                  QStyle::SP_MediaPlay);
    profileButtons_.push_back(add("SourceBtn", QStringLiteral("Quelle"), QStringLiteral("Alt+Q"),
                                  "SourceItm", QStyle::SP_DirOpenIcon));
    profileButtons_.push_back(add("DestinationBtn", QStringLiteral("Ziel"), QStringLiteral("Alt+Z"),
                                  "DestinationItm", QStyle::SP_DriveHDIcon));
    profileButtons_.push_back(add("OptionsBtn", QStringLiteral("Optionen"), QStringLiteral("Alt+O"),
                                  "OptionsItm", QStyle::SP_FileDialogDetailedView));
    goBtn1_ = add("GoBtn1", QStringLiteral("Los!"), QStringLiteral("Eingabe"), "GoItm",
                  QStyle::SP_MediaPlay);
    profileButtons_.push_back(goBtn1_);
    auto* spacer = new QWidget(bar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    bar->addWidget(spacer);
    add("ExpandBtn", QStringLiteral("Alle auseinanderfalten"), QString(), "ExpandItm",
        QStyle::SP_ArrowDown);
    add("CollapseBtn", QStringLiteral("Alle zusammenfalten"), QString(), "CollapseItm",
        QStyle::SP_ArrowUp);
    // The two tree buttons carry long captions: only the glyph, the caption as tip.
    for (const char* name : {"ExpandBtn", "CollapseBtn"}) {
        auto* button = findChild<QToolButton*>(QLatin1String(name));
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setFixedSize(40, 62);
    }
}

bool TMainWnd::DelayArmed() const
{
    return delayTmr_->isActive();
}

bool TMainWnd::RunBusy() const
{
    return runs_->Busy();
}

// ---- refresh group -------------------------------------------------------------------------

void TMainWnd::RefreshCaption()
{
    const QString fileName = QString::fromStdString(Params().FileName);
    setWindowTitle(QStringLiteral("Verdal 5 - ") + fileName);
    const int slash = fileName.lastIndexOf(QLatin1Char('/'));
    SetApplicationTitle(QStringLiteral("Verdal 5 - ") + fileName.mid(slash + 1));
    if (tray_->Shown()) {
        tray_->Modify();
    }
}

void TMainWnd::RefreshMenuState()
{
    const cParameters& params = Params();
    saveItm_->setEnabled(params.Modified && !params.Untitled);
    shortcutItm_->setEnabled(!params.Untitled);
}

void TMainWnd::RefreshHints()
{
    const bool hints = Params().Programm.Tooltips;
    for (QToolButton* button : buttons_) {
        const QString key = button->property("hotKey").toString();
        const QString tip = key.isEmpty() ? button->text() : QStringLiteral("Hot Key: ") + key;
        button->setToolTip(hints ? tip : QString());
    }
    profileTree_->setToolTip(hints ? QStringLiteral("Rechts klicken zum Ändern") : QString());
}

void TMainWnd::RefreshTopMenu()
{
    const cParameters& params = Params();
    for (int entry = 1; entry <= 12; ++entry) {
        const bool used = !params.TopProfiles[entry].empty();
        QAction* item = topItems_[entry];
        QAction* twin = topItems_[entry + 12];
        item->setText(QString::fromStdString(params.TopDescriptions[entry]));
        item->setVisible(used);
        item->setEnabled(used);
        twin->setEnabled(used);
    }
}

void TMainWnd::RefreshReopenMenu()
{
    const cParameters& params = Params();
    bool any = false;
    for (int slot = 1; slot <= 9; ++slot) {
        const std::string& name = params.OldFiles[slot];
        QAction* item = oldItems_[slot];
        item->setText(QStringLiteral("&%1 ").arg(slot) +
                      QString::fromStdString(name).replace(QLatin1Char('&'), QLatin1String("&&")));
        item->setVisible(!name.empty());
        item->setEnabled(!name.empty());
        any |= !name.empty();
    }
    reopenSep_->setVisible(any);
}

void TMainWnd::ExpandNode(SummaryNode* node, bool select)
{
    if (QTreeWidgetItem* item = profileTree_->ItemOf(node)) {
        item->setExpanded(true);
        if (select) {
            profileTree_->setCurrentItem(item);
        }
    }
}

void TMainWnd::RefreshDocumentView()
{
    cParameters& params = Params();
    const int kind = params.FileKind;
    const bool profile = kind == 0;
    const bool batch = kind == 1;
    for (QAction* action : profileOnly_) {
        action->setVisible(profile);
        action->setEnabled(profile);
    }
    const auto showButton = [](QToolButton* button, bool shown) {
        button->property("barAction").value<QAction*>()->setVisible(shown);
    };
    for (QToolButton* button : profileButtons_) {
        showButton(button, profile);
    }
    batchItm_->setVisible(batch);
    showButton(batchBtn_, batch);
    showButton(goBtn2_, batch);
    const bool known = profile || batch;
    saveItm_->setVisible(known);
    saveAsItm_->setVisible(known);
    goItm_->setVisible(known);
    saveFilter_ = batch ? QStringLiteral("Verdal Batch-Dateien (*.vbf);;Alle Dateien (*)")
                        : QStringLiteral("Profile (*.vrd);;Alle Dateien (*)");

    profileTree_->setUpdatesEnabled(false);
    auto summary = BuildSummary(params);
    profileTree_->ShowSummary(*summary);
    summary_ = std::move(summary);
    const SummaryGroups& groups = params.Groups;
    if (profile) {
        ExpandNode(groups.Destination, false);
        ExpandNode(groups.Source, true);
    } else if (batch) {
        ExpandNode(groups.Batch, true);
    }
    profileTree_->setUpdatesEnabled(true);
}

void TMainWnd::RefreshAutomation()
{
    if (automationRefresher_) {
        automationRefresher_();
    }
}

void TMainWnd::RefreshAll()
{
    RefreshCaption();
    RefreshMenuState();
    RefreshHints();
    RefreshTopMenu();
    RefreshReopenMenu();
    RefreshAutomation();
    RefreshDocumentView();
}

// ---- dialogs -------------------------------------------------------------------------------

bool TMainWnd::OpenDialog(const std::string& routine, int page)
{
    return dialogs_.Open(routine, Params(), page);
}

namespace {

// The tree group a dialog edits, or null.
SummaryNode* GroupOf(const SummaryGroups& groups, const std::string& routine)
{
    const std::pair<const char*, SummaryNode*> table[] = {
        {"SOURCE", groups.Source},
        {"DESTINATION", groups.Destination},
        {"OPTIONS", groups.Options},
        {"OVERVIEW", groups.Overview},
        {"LOG", groups.Log},
        {"BATCH", groups.Batch},
        {"SCHEDULER", groups.Scheduler},
    };
    for (const auto& [name, node] : table) {
        if (routine == name) {
            return node;
        }
    }
    return nullptr;
}

}  // namespace

void TMainWnd::AfterDialog(const std::string& routine, bool accepted)
{
    const bool express = routine == "EXPRESS SETUP";
    if (express || GroupOf(Params().Groups, routine)) {
        // The old tree's nodes die with the rebuild: the group is looked up afresh.
        RefreshDocumentView();
        const SummaryGroups& groups = Params().Groups;
        if (express) {
            ExpandNode(groups.Destination, false);
            ExpandNode(groups.Source, true);
        } else {
            ExpandNode(GroupOf(groups, routine), true);
        }
    }
    RefreshCaption();
    RefreshMenuState();
    if (routine == "PROGRAM") {
        RefreshHints();
    } else if (routine == "TOP 12") {
        RefreshTopMenu();
    }
    if (routine == "OPTIONS" || routine == "BATCH" || routine == "SCHEDULER" || express ||
        routine == "SHORTCUT") {
        RefreshAutomation();
    }
    if (express && accepted && dialogs_.RunRequested()) {
        runs_->StartRun(kTriggerHand);
    }
}

void TMainWnd::OpenDialogForItem(QTreeWidgetItem* item)
{
    const SummaryGroups& groups = Params().Groups;
    // Walk up to the group, remembering the child of Options passed on the way.
    QTreeWidgetItem* below = nullptr;
    while (item && item->parent()) {
        below = item;
        item = item->parent();
    }
    const SummaryNode* top = TNewTreeView::NodeOf(item);
    if (!top) {
        return;
    }
    if (top == groups.Options) {
        const int page = below ? item->indexOfChild(below) : -1;
        OpenDialog("OPTIONS", page >= 0 && page <= 8 ? page : -1);
        return;
    }
    const std::pair<const SummaryNode*, const char*> table[] = {
        {groups.Source, "SOURCE"},     {groups.Destination, "DESTINATION"},
        {groups.Overview, "OVERVIEW"}, {groups.Log, "LOG"},
        {groups.Batch, "BATCH"},       {groups.Scheduler, "SCHEDULER"},
    };
    for (const auto& [node, routine] : table) {
        if (node && node == top) {
            OpenDialog(routine);
            return;
        }
    }
}

void TMainWnd::ShowHelp(int context)
{
    THelpWindow::Show(context, this);
}

void TMainWnd::OpenUrl(const QString& url, const QString& failure)
{
    if (!urlOpener_(url)) {
        Presenter().Show({BoxKind::Error, BoxButtons::Ok, failure.toStdString(), 0});
    }
}

// ---- window events -------------------------------------------------------------------------

bool TMainWnd::CloseQuery()
{
    return exiting_ || (!modalOpen_ && !RunBusy() && AskSaveChanges());
}

void TMainWnd::closeEvent(QCloseEvent* event)
{
    if (!CloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    emit CloseAccepted();
}

void TMainWnd::ExitAfterRun()
{
    if (Params().Modified) {
        statusBar()->showMessage(
            QStringLiteral("Nicht beendet: das Dokument hat ungesicherte Änderungen."));
        return;
    }
    exiting_ = true;
    close();
    QCoreApplication::exit(0);
}

void TMainWnd::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !isMinimized()) {
        return;
    }
    const cParameters& params = Params();
    const bool toTray = params.FileKind == 1 ? params.Batch.MinimizeToTray : params.TrayIcon;
    // Without a notification area the window minimises normally and stays reachable.
    if (toTray && tray_->Available()) {
        tray_->Add();
        hide();
    }
}

void TMainWnd::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls() && !modalOpen_ && !RunBusy()) {
        event->acceptProposedAction();
    }
}

void TMainWnd::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            paths << url.toLocalFile();
        }
    }
    DropPaths(paths, event->modifiers());
    event->acceptProposedAction();
}

}  // namespace verdal
