#include "dialogs/TNetBrowserDlg.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "dialogs/BusyCursor.h"
#include "platform/BoundedCall.h"
#include "platform/Network.h"
#include "settings/Parameters.h"

namespace verdal {
namespace {

constexpr int kTimeoutMs = 8000;
constexpr int kListedRole = Qt::UserRole + 1;
constexpr int kShareRole = Qt::UserRole + 2;

struct NetworkSource
{
    std::function<std::vector<std::string>()> Hosts;
    std::function<std::vector<std::string>(const std::string&)> Shares;
};

NetworkSource& Source()
{
    static NetworkSource source;
    return source;
}

std::vector<std::string> Hosts()
{
    auto hosts = Source().Hosts
                     ? Source().Hosts
                     : std::function<std::vector<std::string>()>([] { return NetworkHosts(); });
    return CallBounded<std::vector<std::string>>(hosts, kTimeoutMs)
        .value_or(std::vector<std::string>{});
}

std::vector<std::string> Shares(const std::string& host)
{
    auto source = Source().Shares;
    std::function<std::vector<std::string>()> work = [source, host] {
        return source ? source(host) : NetworkShares(host);
    };
    return CallBounded<std::vector<std::string>>(work, kTimeoutMs)
        .value_or(std::vector<std::string>{});
}

QAction* MenuItem(QWidget* owner, const char* name, const QString& text)
{
    auto* action = new QAction(text, owner);
    action->setObjectName(QString::fromLatin1(name));
    owner->addAction(action);
    return action;
}

}  // namespace

void TNetBrowserDlg::SetNetworkSource(
    std::function<std::vector<std::string>()> hosts,
    std::function<std::vector<std::string>(const std::string&)> shares)
{
    Source() = {std::move(hosts), std::move(shares)};
}

TNetBrowserDlg::TNetBrowserDlg(QWidget* parent)
    : QDialog(parent),
      NetTree(new QTreeWidget(this)),
      OkBtn(new QPushButton(QStringLiteral("OK"), this)),
      CancelBtn(new QPushButton(QStringLiteral("Abbruch"), this))
{
    setWindowTitle(QStringLiteral("Netzwerk durchsuchen"));
    setMinimumSize(320, 240);
    NetTree->setObjectName(QStringLiteral("NetTree"));
    NetTree->setAccessibleName(QStringLiteral("Netzwerk"));
    NetTree->setHeaderHidden(true);
    NetTree->setContextMenuPolicy(Qt::ActionsContextMenu);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setDefault(true);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    RebuildItm = MenuItem(NetTree, "RebuildItm", QStringLiteral("Neu bauen"));
    ExpandAllItm = MenuItem(NetTree, "ExpandAllItm", QStringLiteral("Alle auseinanderfalten"));
    CollapseAllItm = MenuItem(NetTree, "CollapseAllItm", QStringLiteral("Alle zusammenfalten"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(NetTree);
    layout->addLayout(buttons);

    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(RebuildItm, &QAction::triggered, this, &TNetBrowserDlg::Rebuild);
    connect(ExpandAllItm, &QAction::triggered, NetTree, &QTreeWidget::expandAll);
    connect(CollapseAllItm, &QAction::triggered, NetTree, &QTreeWidget::collapseAll);
    connect(NetTree, &QTreeWidget::itemExpanded, this, &TNetBrowserDlg::Expand);
    connect(NetTree, &QTreeWidget::currentItemChanged, this, &TNetBrowserDlg::UpdateOk);
    connect(NetTree, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (OkBtn->isEnabled()) {
            accept();
        }
    });

    const cWindowPos& pos = Params().WindowPositions[kWinNetBrowser];
    if (pos.Right > pos.Left && pos.Bottom > pos.Top) {
        setGeometry(pos.Left, pos.Top, pos.Right - pos.Left, pos.Bottom - pos.Top);
    } else {
        setGeometry(100, 10, 440, 460);
    }
    if (pos.Maximized) {
        setWindowState(Qt::WindowMaximized);
    }
    Rebuild();
}

TNetBrowserDlg::~TNetBrowserDlg()
{
    cWindowPos& pos = Params().WindowPositions[kWinNetBrowser];
    const QRect rect = normalGeometry();
    pos.Left = static_cast<int16_t>(rect.left());
    pos.Top = static_cast<int16_t>(rect.top());
    pos.Right = static_cast<int16_t>(rect.left() + rect.width());
    pos.Bottom = static_cast<int16_t>(rect.top() + rect.height());
    pos.Maximized = isMaximized();
}

void TNetBrowserDlg::Rebuild()
{
    BusyCursor busy;
    NetTree->clear();
    const QIcon hostIcon = QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
    for (const std::string& host : Hosts()) {
        auto* item = new QTreeWidgetItem(NetTree, {QString::fromStdString(host)});
        item->setIcon(0, hostIcon);
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    }
    UpdateOk();
}

void TNetBrowserDlg::Expand(QTreeWidgetItem* item)
{
    if (item->parent() || item->data(0, kListedRole).toBool()) {
        return;
    }
    BusyCursor busy;
    item->setData(0, kListedRole, true);
    const QIcon shareIcon = QApplication::style()->standardIcon(QStyle::SP_DriveNetIcon);
    for (const std::string& share : Shares(item->text(0).toStdString())) {
        const QString name = QString::fromStdString(share);
        auto* child = new QTreeWidgetItem(item, {name.section('\\', -1)});
        child->setIcon(0, shareIcon);
        child->setData(0, kShareRole, name);
    }
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

QString TNetBrowserDlg::SelectedName() const
{
    const QTreeWidgetItem* item = NetTree->currentItem();
    return item ? item->data(0, kShareRole).toString() : QString();
}

void TNetBrowserDlg::UpdateOk()
{
    OkBtn->setEnabled(!SelectedName().isEmpty());
}

}  // namespace verdal
