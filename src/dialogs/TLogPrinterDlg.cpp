#include "dialogs/TLogPrinterDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/DialogServices.h"
#include "dialogs/NamedControls.h"

namespace verdal {

std::function<QStringList()> TLogPrinterDlg::PrinterNames = [] {
    return QPrinterInfo::availablePrinterNames();
};

TLogPrinterDlg::TLogPrinterDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Drucker"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    PrinterCbo = Named(new QComboBox(this), "PrinterCbo");
    form->addRow(BuddyLabel(QStringLiteral("Drucker:"), PrinterCbo, this), PrinterCbo);
    layout->addLayout(form);
    FontBtn = Named(new QPushButton(QStringLiteral("Schriftart..."), this), "FontBtn");
    layout->addWidget(FontBtn, 0, Qt::AlignLeft);

    auto* buttons = new QDialogButtonBox(this);
    OkBtn = Named(buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole), "OkBtn");
    CancelBtn = Named(buttons->addButton(QStringLiteral("Abbruch"), QDialogButtonBox::RejectRole),
                      "CancelBtn");
    HelpBtn =
        Named(buttons->addButton(QStringLiteral("&Hilfe"), QDialogButtonBox::HelpRole), "HelpBtn");
    OkBtn->setDefault(true);
    layout->addWidget(buttons);

    ChooseFont = [](QWidget* parent, const QFont& initial) -> std::optional<QFont> {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, initial, parent, QStringLiteral("Schriftart"));
        return ok ? std::optional<QFont>(font) : std::nullopt;
    };
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, [this] { DialogServices::ShowHelp(this, 40); });
    connect(FontBtn, &QPushButton::clicked, this, &TLogPrinterDlg::PickFont);
}

void TLogPrinterDlg::LoadFrom(const cParameters& params)
{
    const cLogParameters& log = params.Log;
    PrinterCbo->clear();
    PrinterCbo->addItems(PrinterNames());
    const int index = PrinterCbo->findText(QString::fromStdString(log.PrinterName));
    PrinterCbo->setCurrentIndex(index >= 0 ? index : (PrinterCbo->count() > 0 ? 0 : -1));
    fontName_ = QString::fromStdString(log.PrintFontName);
    fontSize_ = log.PrintFontSize;
    ShowFont();
}

void TLogPrinterDlg::SaveTo(cParameters& params) const
{
    cLogParameters& log = params.Log;
    // No printer known: an empty name, so the default printer of the day is taken.
    log.PrinterName = PrinterCbo->currentText().toStdString();
    log.PrintFontName = fontName_.toStdString();
    log.PrintFontSize = fontSize_;
    params.Modified = true;
}

void TLogPrinterDlg::PickFont()
{
    QFont initial(fontName_);
    initial.setPointSize(std::max(1, fontSize_));
    if (const auto font = ChooseFont(this, initial)) {
        fontName_ = font->family();
        fontSize_ = font->pointSize();
        ShowFont();
    }
}

void TLogPrinterDlg::ShowFont()
{
    QFont font(fontName_);
    font.setPointSize(std::max(1, fontSize_));
    FontBtn->setFont(font);
}

}  // namespace verdal
