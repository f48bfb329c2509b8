#include "dialogs/TAboutDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSysInfo>

#include "dialogs/JpegImage.h"
#include "dialogs/NamedControls.h"
#include "dialogs/SmallDialogRules.h"

namespace verdal {

TAboutDlg::TAboutDlg(QWidget* parent)
    : QDialog(parent),
      PictureLbl(new QLabel(this)),
      NameLbl(Named(new QLabel(QStringLiteral("Verdal 5"), this), "NameLbl")),
      VersionLbl(Named(new QLabel(QStringLiteral("Version " VERDAL_VERSION), this), "VersionLbl")),
      SystemLbl(Named(
          new QLabel(SystemLine(QSysInfo::kernelType(), QSysInfo::kernelVersion(),
                                QSysInfo::prettyProductName(), QSysInfo::currentCpuArchitecture()),
                     this),
          "SystemLbl")),
      AddressLbl(Named(new QLabel(QStringLiteral("<a href=\"https://verdal.example.org/\">"
                                                 "verdal.example.org</a>"),
                                  this),
                       "AddressLbl", QStringLiteral("verdal.example.org"))),
      OkBtn(Named(new QPushButton(QStringLiteral("OK"), this), "OkBtn"))
{
    setObjectName(QStringLiteral("AboutDlg"));
    setWindowTitle(QStringLiteral("Über Verdal"));
    Named(PictureLbl, "PictureLbl", QStringLiteral("Verdal-Logo"));
    const QImage picture = LoadJpeg(QStringLiteral(":/pictures/about.jpg"));
    if (!picture.isNull()) {
        PictureLbl->setPixmap(QPixmap::fromImage(picture));
    }
    QFont big = NameLbl->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    NameLbl->setFont(big);
    AddressLbl->setOpenExternalLinks(true);
    SystemLbl->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QGridLayout(this);
    layout->addWidget(PictureLbl, 0, 0, 4, 1, Qt::AlignTop);
    layout->addWidget(NameLbl, 0, 1);
    layout->addWidget(VersionLbl, 1, 1);
    layout->addWidget(new QLabel(QStringLiteral("Verzeichnisse sichern und abgleichen."), this), 2,
                      1);
    layout->addWidget(AddressLbl, 3, 1);
    layout->addWidget(SystemLbl, 4, 0, 1, 2);
    layout->addWidget(OkBtn, 5, 0, 1, 2, Qt::AlignRight);
    layout->setHorizontalSpacing(16);
    OkBtn->setDefault(true);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace verdal
