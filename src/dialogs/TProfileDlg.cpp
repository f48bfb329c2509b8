#include "dialogs/TProfileDlg.h"

#include <QAction>
#include <QEventLoop>
#include <QPointer>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/NewTreeView.h"
#include "settings/Parameters.h"
#include "settings/Summary.h"

namespace verdal {

TProfileDlg::TProfileDlg(const std::string& path, QWidget* parent)
    : QWidget(parent, Qt::Window), ProfileTree(new TNewTreeView(this)), path_(path)
{
    setObjectName(QStringLiteral("ProfileDlg"));
    setWindowTitle(QString::fromStdString(path));
    ProfileTree->setObjectName(QStringLiteral("ProfileTree"));
    ProfileTree->setAccessibleName(QStringLiteral("Profil"));
    ProfileTree->setToolTip(
        Params().Programm.Tooltips ? QStringLiteral("Rechts klicken für Befehle") : QString());
    ProfileTree->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* expand = new QAction(QStringLiteral("Alle auseinanderfalten"), ProfileTree);
    auto* collapse = new QAction(QStringLiteral("Alle zusammenfalten"), ProfileTree);
    expand->setObjectName(QStringLiteral("ExpandItm"));
    collapse->setObjectName(QStringLiteral("CollapseItm"));
    ProfileTree->addAction(expand);
    ProfileTree->addAction(collapse);
    connect(expand, &QAction::triggered, ProfileTree, &QTreeWidget::expandAll);
    connect(collapse, &QAction::triggered, ProfileTree, &QTreeWidget::collapseAll);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ProfileTree);
}

TProfileDlg::~TProfileDlg() = default;

bool TProfileDlg::Load()
{
    // A copy of the settings object, so that the program options and defaults are there.
    auto profile = std::make_unique<cParameters>(Params());
    profile->FileKind = 0;
    if (!profile->LoadFromFile(path_)) {
        return false;
    }
    profile->FileName = path_;
    summary_ = BuildSummary(*profile);
    ProfileTree->ShowSummary(*summary_);
    profile_ = std::move(profile);
    return true;
}

void TProfileDlg::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    const cWindowPos& pos = Params().WindowPositions[kWinProfile];
    setGeometry(pos.Left, pos.Top, std::max(pos.Right - pos.Left, 200),
                std::max(pos.Bottom - pos.Top, 150));
    if (pos.Maximized) {
        showMaximized();
    }
}

void TProfileDlg::hideEvent(QHideEvent* event)
{
    const QRect normal = isMaximized() ? normalGeometry() : geometry();
    cWindowPos& pos = Params().WindowPositions[kWinProfile];
    pos.Left = static_cast<int16_t>(normal.left());
    pos.Top = static_cast<int16_t>(normal.top());
    pos.Right = static_cast<int16_t>(normal.right() + 1);
    pos.Bottom = static_cast<int16_t>(normal.bottom() + 1);
    pos.Maximized = isMaximized();
    QWidget::hideEvent(event);
}

void ShowProfileWindow(QWidget* parent, const std::string& path, bool modal)
{
    auto* window = new TProfileDlg(path, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (!window->Load()) {
        delete window;
        return;
    }
    if (!modal) {
        window->show();
        return;
    }
    window->setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    window->show();
    loop.exec();
}

}  // namespace verdal
