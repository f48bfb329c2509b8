#include "dialogs/TDestinationDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/DialogServices.h"
#include "dialogs/DriveCommands.h"
#include "dialogs/DriveLook.h"
#include "dialogs/EditDialog.h"
#include "dialogs/Hints.h"
#include "dialogs/SourceRules.h"
#include "dialogs/TDiskDlg.h"
#include "dialogs/TDrivePanel.h"
#include "settings/Macros.h"
#include "settings/Parameters.h"

namespace verdal {
namespace {

constexpr int kHelpDestination = 4200;

}  // namespace
TDestinationDlg::TDestinationDlg(QWidget* parent)
    : QDialog(parent),
      Panel(new TDrivePanel("", this)),
      DriveEdt(Panel->DriveEdt),
      DirEdt(Panel->DirEdt),
      VariationCbo(new QComboBox(this)),
      EightThreeChk(new QCheckBox(QStringLiteral("8.3-kompatibel"), this)),
      PreviewLbl(new QLabel(this)),
      DiskBtn(new QPushButton(QStringLiteral("Datenträger..."), this)),
      OkBtn(new QPushButton(QStringLiteral("OK"), this)),
      CancelBtn(new QPushButton(QStringLiteral("Abbruch"), this)),
      preview_(std::make_unique<cParameters>())
{
    setWindowTitle(QStringLiteral("Ziel"));
    const std::pair<QWidget*, const char*> names[] = {{VariationCbo, "VariationCbo"},
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
    grid->addWidget(Panel, 0, 0, 5, 2);
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
    buttons->addWidget(HelpButton(this, kHelpDestination));
    grid->addLayout(buttons, 8, 0, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setRowStretch(4, 1);
    OkBtn->setDefault(true);
    resize(560, 560);

    connect(VariationCbo, &QComboBox::currentIndexChanged, this,
            &TDestinationDlg::OnVariationChanged);
    connect(EightThreeChk, &QCheckBox::toggled, this, &TDestinationDlg::UpdatePreview);
    connect(Panel, &TDrivePanel::Edited, this, &TDestinationDlg::UpdatePreview);
    connect(DiskBtn, &QPushButton::clicked, this, &TDestinationDlg::OpenDiskDialog);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

TDestinationDlg::~TDestinationDlg() = default;

void TDestinationDlg::LoadFrom(const cParameters& params)
{
    ApplyHintOption(this, params.Programm.Tooltips);
    *preview_ = params;
    SetCommandHint(VariationCbo, params.Programm.Tooltips);
    Panel->Configure(params, "Dest");
    Panel->SetStored(QString::fromStdString(params.DestinationDrive),
                     QString::fromStdString(params.DestinationDirectory));
    VariationCbo->setCurrentIndex(params.Variation <= 5 ? params.Variation : 0);
    EightThreeChk->setChecked(params.EightThree);
    EightThreeChk->setEnabled(true);
    UpdatePreview();
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
    std::string native = NativePathBounded(drive, base).value_or(std::string());
    if (native.empty()) {
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
    dialog.SetDiskTarget(&params);
    return EditInDialog(dialog, params);
}

}  // namespace verdal
