#include "dialogs/TTopTwelveDlg.h"

#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/DialogServices.h"
#include "dialogs/NamedControls.h"
#include "dialogs/SmallDialogRules.h"
#include "settings/Parameters.h"

namespace verdal {
namespace {

constexpr int kHelpTopTwelve = 51;

}  // namespace

TTopTwelveDlg::TTopTwelveDlg(QWidget* parent)
    : QDialog(parent),
      BrowseBtn(Named(new QPushButton(QStringLiteral("&Durchsuchen..."), this), "BrowseBtn")),
      OkBtn(Named(new QPushButton(QStringLiteral("OK"), this), "OkBtn")),
      CancelBtn(Named(new QPushButton(QStringLiteral("Abbrechen"), this), "CancelBtn")),
      HelpBtn(Named(new QPushButton(QStringLiteral("&Hilfe"), this), "HelpBtn"))
{
    setObjectName(QStringLiteral("TopTwelveDlg"));
    setWindowTitle(QStringLiteral("Top 12"));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Beschreibung"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Datei"), this), 0, 2);
    for (int row = 1; row <= 12; ++row) {
        const QString key = QStringLiteral("F%1").arg(row);
        const QByteArray description = "DescriptionEdt" + QByteArray::number(row);
        const QByteArray file = "FileEdt" + QByteArray::number(row);
        DescriptionEdt[row] = Named(new QLineEdit(this), description.constData(),
                                    key + QStringLiteral(" Beschreibung"));
        FileEdt[row] = Named(new QLineEdit(this), file.constData(), key + QStringLiteral(" Datei"));
        auto* label = new QLabel(key, this);
        label->setBuddy(DescriptionEdt[row]);
        grid->addWidget(label, row, 0);
        grid->addWidget(DescriptionEdt[row], row, 1);
        grid->addWidget(FileEdt[row], row, 2);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 2);
    // The button must not take the focus: it browses for the field that has it.
    BrowseBtn->setFocusPolicy(Qt::NoFocus);
    BrowseBtn->setAutoDefault(false);
    BrowseBtn->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BrowseBtn);
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    OkBtn->setDefault(true);
    resize(620, sizeHint().height());

    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this,
            [this] { DialogServices::ShowHelp(this, kHelpTopTwelve); });
    connect(BrowseBtn, &QPushButton::clicked, this, &TTopTwelveDlg::Browse);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { FocusMoved(now); });
}

TTopTwelveDlg::~TTopTwelveDlg()
{
    // Deleting the fields moves the focus; that must not reach the controls already gone.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
}

void TTopTwelveDlg::FocusMoved(QWidget* now)
{
    fileRow_ = 0;
    for (int row = 1; row <= 12; ++row) {
        if (now == FileEdt[row]) {
            fileRow_ = row;
        }
    }
    BrowseBtn->setEnabled(fileRow_ != 0);
}

void TTopTwelveDlg::LoadFrom(const cParameters& params)
{
    for (int row = 1; row <= 12; ++row) {
        DescriptionEdt[row]->setText(QString::fromStdString(params.TopDescriptions[row]));
        FileEdt[row]->setText(QString::fromStdString(params.TopProfiles[row]));
    }
}

void TTopTwelveDlg::SaveTo(cParameters& params) const
{
    for (int row = 1; row <= 12; ++row) {
        params.TopDescriptions[row] = DescriptionEdt[row]->text().toStdString();
        params.TopProfiles[row] = FileEdt[row]->text().toStdString();
    }
    params.Modified = true;
    params.WriteOptions(2);
}

void TTopTwelveDlg::Browse()
{
    const int row = fileRow_;
    if (row == 0) {
        return;
    }
    QLineEdit* field = FileEdt[row];
    const BrowseStart start = BrowseStartOf(field->text());
    QFileDialog dialog(this, QStringLiteral("Top 12 - F%1").arg(row), start.Directory,
                       QStringLiteral("Profile (*.vrd);;Alle Dateien (*)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!start.Name.isEmpty()) {
        dialog.selectFile(start.Name);
    }
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        field->setText(dialog.selectedFiles().front());
    }
    field->setFocus();
    field->setCursorPosition(static_cast<int>(field->text().size()));
}

}  // namespace verdal
