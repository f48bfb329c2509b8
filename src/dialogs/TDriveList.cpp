#include "dialogs/TDriveList.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

#include "dialogs/BusyCursor.h"
#include "dialogs/DriveLook.h"
#include "dialogs/SourceRules.h"
#include "dialogs/TNetBrowserDlg.h"
#include "platform/BoundedCall.h"
#include "platform/Network.h"
#include "platform/Paths.h"
#include "settings/OptionsFile.h"
#include "settings/Validation.h"

namespace verdal {
namespace {

constexpr int kTypeRole = Qt::UserRole + 1;
constexpr int kLabelRole = Qt::UserRole + 2;
constexpr int kFileSystemRole = Qt::UserRole + 3;
constexpr int kGroupRole = Qt::UserRole + 4;
constexpr int kCaptionRole = Qt::UserRole + 5;
constexpr int kRowHeight = 32;
constexpr int kCaptionHeight = 16;
constexpr int kNetworkTimeoutMs = 8000;

std::function<std::vector<DriveInfo>()>& DriveSource()
{
    static std::function<std::vector<DriveInfo>()> source;
    return source;
}

std::function<std::vector<std::string>()>& ShareSource()
{
    static std::function<std::vector<std::string>()> source;
    return source;
}

std::vector<std::string> AllNetworkShares()
{
    std::vector<std::string> shares;
    for (const std::string& host : NetworkHosts()) {
        for (std::string& share : NetworkShares(host)) {
            shares.push_back(std::move(share));
        }
    }
    return shares;
}

QIcon DriveIcon(int type)
{
    QStyle* style = QApplication::style();
    switch (type) {
        case kDriveRemovable:
            return style->standardIcon(QStyle::SP_DriveFDIcon);
        case kDriveFixed:
            return style->standardIcon(QStyle::SP_DriveHDIcon);
        case kDriveRemote:
            return style->standardIcon(QStyle::SP_DriveNetIcon);
        case kDriveCdRom:
            return style->standardIcon(QStyle::SP_DriveCDIcon);
        case kDriveRamDisk:
            return style->standardIcon(QStyle::SP_ComputerIcon);
        default:
            return style->standardIcon(QStyle::SP_DirIcon);
    }
}

// Rows with the drive picture, name and label, the file system right-aligned in grey; the first
// row of the network and hand-added groups carries the group's caption band.
class DriveDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool caption = !index.data(kCaptionRole).toString().isEmpty();
        return {option.rect.width(), kRowHeight + (caption ? kCaptionHeight : 0)};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QRect rect = option.rect;
        const QString caption = index.data(kCaptionRole).toString();
        if (!caption.isEmpty()) {
            const QRect band(rect.left(), rect.top(), rect.width(), kCaptionHeight);
            painter->fillRect(band, option.palette.button());
            painter->setPen(option.palette.buttonText().color());
            painter->drawText(band.adjusted(4, 0, 0, 0), Qt::AlignVCenter, caption);
            rect.setTop(rect.top() + kCaptionHeight);
        }
        const bool selected = option.state & QStyle::State_Selected;
        if (selected) {
            painter->fillRect(rect, option.palette.highlight());
        }
        const QIcon icon = DriveIcon(index.data(kTypeRole).toInt());
        // One size for every picture: the style has some of them larger than others.
        constexpr int kIconSize = 16;
        icon.paint(painter, QRect(rect.left() + 11, rect.top() + (rect.height() - kIconSize) / 2,
                                  kIconSize, kIconSize));
        const QRect textRect = rect.adjusted(40, 0, -6, 0);
        painter->setPen(selected ? option.palette.highlightedText().color()
                                 : option.palette.text().color());
        QString text = index.data(Qt::DisplayRole).toString();
        const QString label = index.data(kLabelRole).toString();
        if (!label.isEmpty()) {
            text += "   [" + label + "]";
        }
        painter->drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, text);
        painter->setPen(selected ? option.palette.highlightedText().color() : QColor(Qt::gray));
        painter->drawText(textRect, Qt::AlignVCenter | Qt::AlignRight,
                          index.data(kFileSystemRole).toString());
        if (option.state & QStyle::State_HasFocus) {
            painter->setPen(Qt::DotLine);
            painter->drawRect(rect.adjusted(0, 0, -1, -1));
        }
    }
};

// What the list shows of a drive added by hand; this looks at the drive, so it runs off the
// GUI thread.
DriveInfo InfoOfHandDrive(const std::string& drive, bool volumeInformation)
{
    DriveInfo info;
    info.Name = drive;
    info.Type = DriveFormOf(drive) == DriveForm::Share ? kDriveRemote : kDriveUnknown;
    std::string root;
    if (ResolveDriveRoot(drive, root) == 0) {
        const DriveInfo found = DriveInfoOf(root);
        info.Root = root;
        info.Type = info.Type == kDriveRemote ? kDriveRemote : found.Type;
        if (volumeInformation) {
            info.Label = found.Label;
            info.FileSystem = found.FileSystem;
        }
    }
    return info;
}

// The list to show when the mount list did not come in time: the system's root and the hand-added
// drives by name.
struct FoundDrives
{
    std::vector<DriveInfo> Local, ByHand;
};

FoundDrives UnansweredDrives(const std::vector<std::string>& handAdded)
{
    FoundDrives found;
    found.Local.push_back({"/", "/", kDriveFixed, "", ""});
    for (const std::string& drive : handAdded) {
        DriveInfo info;
        info.Name = drive;
        info.Type = DriveFormOf(drive) == DriveForm::Share ? kDriveRemote : kDriveUnknown;
        found.ByHand.push_back(info);
    }
    return found;
}

}  // namespace

void TDriveList::SetDriveSource(std::function<std::vector<DriveInfo>()> source)
{
    DriveSource() = std::move(source);
}

void TDriveList::SetShareSource(std::function<std::vector<std::string>()> source)
{
    ShareSource() = std::move(source);
}

TDriveList::TDriveList(QWidget* parent)
    : QComboBox(parent),
      refreshItm_(new QAction(QStringLiteral("Liste auffrischen"), this)),
      browseItm_(new QAction(QStringLiteral("Netzwerk durchsuchen..."), this)),
      clearHandItm_(new QAction(QStringLiteral("Von Hand hinzugefügte löschen"), this))
{
    setItemDelegate(new DriveDelegate(this));
    setIconSize(QSize(34, 28));
    setMinimumContentsLength(24);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    refreshItm_->setObjectName(QStringLiteral("RefreshItm"));
    browseItm_->setObjectName(QStringLiteral("BrowseNetworkItm"));
    clearHandItm_->setObjectName(QStringLiteral("ClearHandAddedItm"));
    addAction(refreshItm_);
    addAction(browseItm_);
    addAction(clearHandItm_);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(refreshItm_, &QAction::triggered, this, &TDriveList::Fill);
    connect(browseItm_, &QAction::triggered, this, &TDriveList::BrowseNetwork);
    connect(clearHandItm_, &QAction::triggered, this, &TDriveList::ClearHandAdded);
    connect(this, &QComboBox::activated, this, [this](int row) { SelectRow(row); });
}

TDriveList::~TDriveList() = default;

void TDriveList::SetIniPrefix(const std::string& prefix)
{
    iniPrefix_ = prefix;
    handAdded_.clear();
    for (const std::string& drive : ReadDriveHistory(prefix)) {
        const bool listed = std::any_of(handAdded_.begin(), handAdded_.end(),
                                        [&](const std::string& d) { return SameDrive(d, drive); });
        if (IsValidDrive(drive) && !listed && static_cast<int>(handAdded_.size()) < byHandCount_) {
            handAdded_.push_back(drive);
        }
    }
    fillNeeded_ = true;
}

void TDriveList::StoreHandAdded() const
{
    if (!iniPrefix_.empty()) {
        WriteDriveHistory(iniPrefix_, handAdded_);
    }
}

void TDriveList::AddRow(const DriveInfo& info, Group group)
{
    const int row = count();
    addItem(DriveIcon(info.Type), QString::fromStdString(info.Name));
    setItemData(row, info.Type, kTypeRole);
    setItemData(row, QString::fromStdString(info.Label), kLabelRole);
    setItemData(row, QString::fromStdString(info.FileSystem), kFileSystemRole);
    setItemData(row, group, kGroupRole);
    const bool firstOfGroup =
        group != kLocal && (row == 0 || itemData(row - 1, kGroupRole) != group);
    if (firstOfGroup) {
        setItemData(
            row,
            group == kNetwork ? QStringLiteral("Netzwerk") : QStringLiteral("Von Hand hinzugefügt"),
            kCaptionRole);
    }
    setItemData(row,
                QString::fromStdString(info.Label.empty() ? info.Name
                                                          : info.Name + "   [" + info.Label + "]"),
                Qt::ToolTipRole);
}

void TDriveList::Fill()
{
    BusyCursor busy;
    const QString previous = currentText();
    QSignalBlocker block(this);
    clear();
    std::function<std::vector<DriveInfo>()> source = DriveSource();
    if (!source) {
        source = ListDrives;
    }
    const std::vector<std::string> handAdded = handAdded_;
    const bool volumeInformation = showVolumeInformation_;
    const FoundDrives found =
        LookAtDrive<FoundDrives>("drives", [source, handAdded, volumeInformation] {
            FoundDrives result;
            result.Local = source();
            for (const std::string& drive : handAdded) {
                result.ByHand.push_back(InfoOfHandDrive(drive, volumeInformation));
            }
            return result;
        }).value_or(UnansweredDrives(handAdded));
    for (const DriveInfo& drive : found.Local) {
        AddRow(drive, kLocal);
    }
    if (drillDepth_ > 0) {
        const auto& shares = ShareSource();
        const auto shareNames = CallBounded<std::vector<std::string>>(
            shares ? shares : std::function<std::vector<std::string>()>(AllNetworkShares),
            kNetworkTimeoutMs);
        for (const std::string& share : shareNames.value_or(std::vector<std::string>{})) {
            DriveInfo info;
            info.Name = share;
            info.Type = kDriveRemote;
            AddRow(info, kNetwork);
        }
    }
    for (const DriveInfo& drive : found.ByHand) {
        AddRow(drive, kByHand);
    }
    fillNeeded_ = false;
    const int row = FindDrive(previous);
    setCurrentIndex(row >= 0 ? row : (count() > 0 ? 0 : -1));
}

void TDriveList::EnsureFilled()
{
    if (fillNeeded_) {
        Fill();
    }
}

int TDriveList::FindDrive(const QString& drive) const
{
    const std::string wanted = drive.toStdString();
    for (int row = 0; row < count(); ++row) {
        if (SameDrive(itemText(row).toStdString(), wanted)) {
            return row;
        }
    }
    return -1;
}

void TDriveList::SelectRow(int row)
{
    {
        QSignalBlocker block(this);
        setCurrentIndex(row);
    }
    emit DriveChanged(CurrentDrive());
}

bool TDriveList::SelectDrive(const QString& drive)
{
    EnsureFilled();
    const int row = FindDrive(drive);
    if (row >= 0) {
        SelectRow(row);
        return true;
    }
    if (DriveReadyBounded(drive.toStdString())) {
        return AddDriveByHand(drive);
    }
    SelectRow(count() > 0 ? 0 : -1);
    return false;
}

QString TDriveList::CurrentDrive() const
{
    return currentIndex() >= 0 ? currentText() : QString();
}

bool TDriveList::AddDriveByHand(const QString& drive)
{
    const std::string text = drive.toStdString();
    if (!IsValidDrive(text)) {
        return false;
    }
    EnsureFilled();
    const int row = FindDrive(drive);
    if (row >= 0 && itemData(row, kGroupRole).toInt() != kByHand) {
        SelectRow(row);
        return true;
    }
    PushHandDrive(handAdded_, text, byHandCount_);
    StoreHandAdded();
    Fill();
    SelectRow(FindDrive(drive));
    return true;
}

QStringList TDriveList::HandAdded() const
{
    QStringList drives;
    for (const std::string& drive : handAdded_) {
        drives << QString::fromStdString(drive);
    }
    return drives;
}

void TDriveList::BrowseNetwork()
{
    TNetBrowserDlg browser(window());
    if (browser.exec() == QDialog::Accepted && !browser.SelectedName().isEmpty()) {
        AddDriveByHand(browser.SelectedName());
    }
}

void TDriveList::ClearHandAdded()
{
    handAdded_.clear();
    StoreHandAdded();
    Fill();
}

}  // namespace verdal
