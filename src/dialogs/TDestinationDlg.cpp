#include "dialogs/TDestinationDlg.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/DriveCommands.h"
#include "dialogs/SourceRules.h"
#include "dialogs/TDirectoryTree.h"
#include "dialogs/TDiskDlg.h"
#include "dialogs/TDriveList.h"
#include "platform/Paths.h"
#include "platform/WinError.h"
#include "settings/Macros.h"
#include "settings/Parameters.h"

namespace verdal {
namespace {

QAction* MenuItem(QWidget* owner, const char* name, const QString& text)
{
    auto* action = new QAction(text, owner);
    action->setObjectName(QString::fromLatin1(name));
    owner->addAction(action);
    owner->setContextMenuPolicy(Qt::ActionsContextMenu);
    return action;
}

}  // namespace

TDestinationDlg::TDestinationDlg(QWidget* parent)
    : QDialog(parent),
      DriveList(new TDriveList(this)),
      DriveEdt(new QLineEdit(this)),
      DirTree(new TDirectoryTree(this)),
      DirEdt(new QLineEdit(this)),
      VariationCbo(new QComboBox(this)),
      EightThreeChk(new QCheckBox(QStringLiteral("8.3-kompatibel"), this)),
      PreviewLbl(new QLabel(this)),
      DiskBtn(new QPushButton(QStringLiteral("Datenträger..."), this)),
      OkBtn(new QPushButton(QStringLiteral("OK"), this)),
      CancelBtn(new QPushButton(QStringLiteral("Abbruch"), this)),
      preview_(std::make_unique<cParameters>())
{
    setWindowTitle(QStringLiteral("Ziel"));
    const std::pair<QWidget*, const char*> names[] = {{DriveList, "DriveList"},
                                                      {DriveEdt, "DriveEdt"},
                                                      {DirTree, "DirTree"},
                                                      {DirEdt, "DirEdt"},
                                                      {VariationCbo, "VariationCbo"},
                                                      {EightThreeChk, "EightThreeChk"},
                                                      {PreviewLbl, "PreviewLbl"},
                                                      {DiskBtn, "DiskBtn"},
                                                      {OkBtn, "OkBtn"},
                                                      {CancelBtn, "CancelBtn"}};
    for (const auto& [widget, name] : names) {
        widget->setObjectName(QString::fromLatin1(name));
    }
    VariationCbo->addItems({QStringLiteral("Fest"), QStringLiteral("Kalendardatum"),
                            QStringLiteral("Wochentag"), QStringLiteral("Gerade / ungerade"),
                            QStringLiteral("3 Generationen"), QStringLiteral("Benutzername")});
    PreviewLbl->setTextInteractionFlags(Qt::TextSelectableByMouse);
    PreviewLbl->setWordWrap(true);

    auto* grid = new QGridLayout(this);
    auto* driveLbl = new QLabel(QStringLiteral("&Laufwerk:"), this);
    driveLbl->setBuddy(DriveList);
    DriveList->setAccessibleName(QStringLiteral("Laufwerk"));
    grid->addWidget(driveLbl, 0, 0, 1, 2);
    grid->addWidget(DriveList, 1, 0, 1, 2);
    auto* selectedLbl = new QLabel(QStringLiteral("Ausgewähltes Laufwerk und Verzeichnis:"), this);
    selectedLbl->setBuddy(DriveEdt);
    DriveEdt->setAccessibleName(QStringLiteral("Ausgewähltes Laufwerk"));
    DirEdt->setAccessibleName(QStringLiteral("Ausgewähltes Verzeichnis"));
    DirTree->setAccessibleName(QStringLiteral("Verzeichnisse"));
    grid->addWidget(selectedLbl, 2, 0, 1, 2);
    grid->addWidget(DriveEdt, 3, 0);
    grid->addWidget(DirEdt, 3, 1);
    grid->addWidget(DirTree, 4, 0, 1, 2);
    auto* variationLbl = new QLabel(QStringLiteral("&Variation:"), this);
    variationLbl->setBuddy(VariationCbo);
    VariationCbo->setAccessibleName(QStringLiteral("Variation:"));
    auto* variationRow = new QHBoxLayout;
    variationRow->addWidget(variationLbl);
    variationRow->addWidget(VariationCbo);
    variationRow->addWidget(EightThreeChk);
    variationRow->addStretch();
    variationRow->addWidget(DiskBtn);
    grid->addLayout(variationRow, 5, 0, 1, 2);
    auto* previewCaption = new QLabel(QStringLiteral("Verzeichnis des nächsten Laufs:"), this);
    previewCaption->setBuddy(PreviewLbl);
    PreviewLbl->setAccessibleName(previewCaption->text());
    grid->addWidget(previewCaption, 6, 0, 1, 2);
    grid->addWidget(PreviewLbl, 7, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    grid->addLayout(buttons, 8, 0, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setRowStretch(4, 1);
    OkBtn->setDefault(true);
    resize(560, 560);

    DriveReadItm = MenuItem(DriveEdt, "DriveReadItm", QStringLiteral("Lesen"));
    DriveCheckItm = MenuItem(DriveEdt, "DriveCheckItm", QStringLiteral("Überprüfen"));
    DirCheckItm = MenuItem(DirEdt, "DirCheckItm", QStringLiteral("Überprüfen"));
    connect(DriveReadItm, &QAction::triggered, this,
            [this] { ReadDriveCommand(DriveEdt, DriveList); });
    connect(DriveCheckItm, &QAction::triggered, this,
            [this] { CheckDriveCommand(DriveEdt->text()); });
    connect(DirCheckItm, &QAction::triggered, this,
            [this] { CheckDirectoryCommand(DirEdt->text()); });
    connect(DriveList, &TDriveList::DriveChanged, this, &TDestinationDlg::OnDriveChanged);
    connect(DirTree, &TDirectoryTree::PathChanged, DirEdt, &QLineEdit::setText);
    connect(VariationCbo, &QComboBox::currentIndexChanged, this,
            &TDestinationDlg::OnVariationChanged);
    connect(EightThreeChk, &QCheckBox::toggled, this, &TDestinationDlg::UpdatePreview);
    connect(DriveEdt, &QLineEdit::textChanged, this, &TDestinationDlg::UpdatePreview);
    connect(DirEdt, &QLineEdit::textChanged, this, &TDestinationDlg::UpdatePreview);
    connect(DiskBtn, &QPushButton::clicked, this, &TDestinationDlg::OpenDiskDialog);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

TDestinationDlg::~TDestinationDlg() = default;

void TDestinationDlg::LoadFrom(const cParameters& params)
{
    *preview_ = params;
    for (QWidget* widget :
         std::initializer_list<QWidget*>{DriveList, DriveEdt, DirEdt, VariationCbo}) {
        SetCommandHint(widget, params.Programm.Tooltips);
    }
    DriveList->SetDrillDepth(params.BrowseNetwork ? 3 : 0);
    DriveList->SetShowVolumeInformation(params.DiskInfo);
    DriveList->SetIniPrefix("Dest");
    storedDrive_ = QString::fromStdString(params.DestinationDrive);
    storedDirectory_ = QString::fromStdString(params.DestinationDirectory);
    DriveEdt->setText(storedDrive_);
    DirEdt->setText(storedDirectory_);
    VariationCbo->setCurrentIndex(params.Variation <= 5 ? params.Variation : 0);
    EightThreeChk->setChecked(params.EightThree);
    EightThreeChk->setEnabled(true);
    UpdatePreview();
}

void TDestinationDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (shown_) {
        return;
    }
    shown_ = true;
    DriveList->SelectDrive(QString::fromStdString(ExpandMacros(storedDrive_.toStdString())));
    DriveEdt->setText(storedDrive_);
    DirEdt->setText(storedDirectory_);
}

void TDestinationDlg::SaveTo(cParameters& params) const
{
    params.DestinationDrive = DriveEdt->text().toStdString();
    params.DestinationDirectory = DialogDirectory(DirEdt->text().toStdString());
    params.Variation = static_cast<uint8_t>(std::max(VariationCbo->currentIndex(), 0));
    params.EightThree = EightThreeChk->isChecked();
    if (!diskTarget_ && &params != preview_.get()) {
        params.DiskLabel = preview_->DiskLabel;
        params.OfferFormat = preview_->OfferFormat;
        params.EjectDisk = preview_->EjectDisk;
    }
    params.Modified = true;
}

void TDestinationDlg::OnDriveChanged(const QString& drive)
{
    ApplyDriveChange(drive, DriveEdt, DirTree, DirEdt);
}

void TDestinationDlg::OnVariationChanged()
{
    const bool varies = VariationCbo->currentIndex() != 0;
    if (!varies) {
        EightThreeChk->setChecked(false);
    }
    EightThreeChk->setEnabled(varies);
    UpdatePreview();
}

QString TDestinationDlg::PreviewText() const
{
    return PreviewLbl->text();
}

void TDestinationDlg::UpdatePreview()
{
    SaveTo(*preview_);
    preview_->MidnightShift = 0.0;
    const std::string base = PreviewDestinationBase(*preview_);
    const std::string drive = ExpandMacros(preview_->DestinationDrive);
    std::string native;
    if (BuildNativePath(drive, base, {}, native) != kErrSuccess) {
        native = drive + base;
    } else if (native.empty() || native.back() != '/') {
        native += '/';
    }
    PreviewLbl->setText(QString::fromStdString(native));
}

void TDestinationDlg::OpenDiskDialog()
{
    TDiskDlg disk(DriveEdt->text(), this);
    disk.LoadFrom(diskTarget_ ? *diskTarget_ : *preview_);
    if (disk.exec() == QDialog::Accepted) {
        disk.SaveTo(diskTarget_ ? *diskTarget_ : *preview_);
    }
}

bool OpenDestinationDialog(QWidget* parent, cParameters& params)
{
    TDestinationDlg dialog(parent);
    dialog.LoadFrom(params);
    dialog.SetDiskTarget(&params);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    dialog.SaveTo(params);
    return true;
}

}  // namespace verdal
