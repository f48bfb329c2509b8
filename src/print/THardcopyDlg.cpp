#include "print/THardcopyDlg.h"

#include <algorithm>
#include <cmath>

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>

#include "dialogs/DialogServices.h"
#include "dialogs/NamedControls.h"
#include "dialogs/TInfoWnd.h"
#include "print/PagePreview.h"
#include "print/ReviewPrinter.h"
#include "print/ReviewRenderer.h"
#include "print/UnitSpinBox.h"

namespace verdal {
namespace {

QString Utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

QFont FontOf(const std::string& name, int size, bool bold, bool italic)
{
    QFont font(Utf8(name), std::max(1, size), bold ? QFont::Bold : -1, italic);
    return font;
}

QSpinBox* Spin(int minimum, int maximum, int step, const char* name)
{
    auto* spin = Named(new QSpinBox, name);
    spin->setRange(minimum, maximum);
    spin->setSingleStep(step);
    return spin;
}

int CountSelected(const std::vector<PrintedRow>& rows)
{
    return static_cast<int>(
        std::count_if(rows.begin(), rows.end(), [](const PrintedRow& r) { return r.Selected; }));
}

}  // namespace

THardcopyDlg::THardcopyDlg(const std::vector<PrintedRow>& rows, const PrintedHeader& header,
                           QWidget* parent)
    : QDialog(parent),
      rows_(rows),
      header_(header),
      metric_(QLocale().measurementSystem() == QLocale::MetricSystem),
      printer_(QPrinter::HighResolution)
{
    setObjectName(QStringLiteral("HardcopyDlg"));
    setWindowTitle(QStringLiteral("Verdal 5 - ") + header.ProfilePath);
    format_.Load(metric_);
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        printer_.setOutputFormat(QPrinter::PdfFormat);
    }
    printer_.setFullPage(true);
    printer_.setPageOrientation(format_.Orientation == 1 ? QPageLayout::Landscape
                                                         : QPageLayout::Portrait);

    ChooseFont = [](QWidget* parent, const QFont& initial) -> std::optional<QFont> {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, initial, parent, QStringLiteral("Schriftart"));
        return ok ? std::optional<QFont>(font) : std::nullopt;
    };
    ChoosePrinter = [](QWidget* parent, QPrinter& printer) {
        QPrintDialog dialog(&printer, parent);
        // Rows and copies are chosen in this dialog; the print dialog picks the printer.
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        return dialog.exec() == QDialog::Accepted;
    };
    SetupPage = [](QWidget* parent, QPrinter& printer) {
        QPageSetupDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    };

    auto* top = new QHBoxLayout(this);
    auto* previewSide = new QVBoxLayout;
    PreviewPnl = Named(new cPagePreview(this), "PreviewPnl", QStringLiteral("Vorschau"));
    PageSpn = Named(new QSpinBox(this), "PageSpn");
    PageCountLbl = Named(new QLabel(this), "PageCountLbl", QStringLiteral("Seitenzahl"));
    auto* pageRow = new QHBoxLayout;
    pageRow->addWidget(BuddyLabel(QStringLiteral("&Seite:"), PageSpn, this));
    pageRow->addWidget(PageSpn);
    pageRow->addWidget(PageCountLbl);
    pageRow->addStretch();
    previewSide->addWidget(PreviewPnl, 1);
    previewSide->addLayout(pageRow);
    top->addLayout(previewSide, 1);
    top->addWidget(BuildSettings());

    for (QPushButton* b : {SetupBtn, ApplyBtn, OkBtn, CancelBtn, HelpBtn}) {
        b->setAutoDefault(false);
    }
    OkBtn->setDefault(true);
    LoadControls();
    Connect();
    RenewPrinterInfo();
    Relayout();
    resize(760, 600);
}

THardcopyDlg::~THardcopyDlg() = default;

QWidget* THardcopyDlg::BuildSettings()
{
    auto* panel = new QWidget(this);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);

    auto* fonts = new QGroupBox(QStringLiteral("Schriftarten"), panel);
    auto* fontRow = new QHBoxLayout(fonts);
    HeaderFontBtn = Named(new QPushButton(QStringLiteral("&Kopf"), fonts), "HeaderFontBtn");
    DataFontBtn = Named(new QPushButton(QStringLiteral("&Daten"), fonts), "DataFontBtn");
    fontRow->addWidget(HeaderFontBtn);
    fontRow->addWidget(DataFontBtn);
    column->addWidget(fonts);

    auto* range = new QGroupBox(QStringLiteral("Drucken"), panel);
    auto* rangeForm = new QFormLayout(range);
    AllRdo = Named(new QRadioButton(range), "AllRdo", QStringLiteral("Alles"));
    SelectionRdo = Named(new QRadioButton(range), "SelectionRdo", QStringLiteral("Auswahl"));
    CopiesSpn = Spin(1, 999, 1, "CopiesSpn");
    rangeForm->addRow(AllRdo);
    rangeForm->addRow(SelectionRdo);
    rangeForm->addRow(BuddyLabel(QStringLiteral("&Exemplare:"), CopiesSpn, range), CopiesSpn);
    column->addWidget(range);

    auto* look = new QGroupBox(QStringLiteral("Aussehen"), panel);
    auto* lookForm = new QFormLayout(look);
    DividingLineChk = Named(new QCheckBox(QStringLiteral("&Trennlinie"), look), "DividingLineChk");
    InColorChk = Named(new QCheckBox(QStringLiteral("&Farbig"), look), "InColorChk");
    BlockShade1Spn = Spin(0, 100, 2, "BlockShade1Spn");
    BlockShade2Spn = Spin(0, 100, 2, "BlockShade2Spn");
    for (QSpinBox* s : {BlockShade1Spn, BlockShade2Spn}) {
        s->setSuffix(QStringLiteral("%"));
    }
    lookForm->addRow(DividingLineChk, InColorChk);
    lookForm->addRow(BuddyLabel(QStringLiteral("Block &1:"), BlockShade1Spn, look), BlockShade1Spn);
    lookForm->addRow(BuddyLabel(QStringLiteral("Block &2:"), BlockShade2Spn, look), BlockShade2Spn);
    column->addWidget(look);

    auto* margins = new QGroupBox(QStringLiteral(" Ränder "), panel);
    auto* marginForm = new QFormLayout(margins);
    auto unit = [this, margins](const char* name) {
        return Named(new cUnitSpinBox(metric_, margins), name);
    };
    TopMarginSpn = unit("TopMarginSpn");
    LeftMarginSpn = unit("LeftMarginSpn");
    RightMarginSpn = unit("RightMarginSpn");
    BottomMarginSpn = unit("BottomMarginSpn");
    SpacingSpn = unit("SpacingSpn");
    SpacingSpn->setRange(0, metric_ ? 50 : 200);
    const std::pair<const char*, cUnitSpinBox*> rowsOfMargins[] = {{"&Oben", TopMarginSpn},
                                                                   {"&Links", LeftMarginSpn},
                                                                   {"&Rechts", RightMarginSpn},
                                                                   {"&Unten", BottomMarginSpn},
                                                                   {"&Zwischenraum", SpacingSpn}};
    for (const auto& [caption, spin] : rowsOfMargins) {
        marginForm->addRow(BuddyLabel(QString::fromUtf8(caption), spin, margins), spin);
    }
    column->addWidget(margins);

    RemarkEdt = Named(new QLineEdit(panel), "RemarkEdt");
    auto* remarkForm = new QFormLayout;
    remarkForm->addRow(BuddyLabel(QStringLiteral("&Bemerkung:"), RemarkEdt, panel), RemarkEdt);
    column->addLayout(remarkForm);
    column->addWidget(BuildPrinterInfo());
    column->addStretch();

    SetupBtn = Named(new QPushButton(QStringLiteral("&Einrichten..."), panel), "SetupBtn");
    ApplyBtn = Named(new QPushButton(QStringLiteral("Ü&bernehmen"), panel), "ApplyBtn");
    OkBtn = Named(new QPushButton(QStringLiteral("OK"), panel), "OkBtn");
    CancelBtn = Named(new QPushButton(QStringLiteral("Abbruch"), panel), "CancelBtn");
    HelpBtn = Named(new QPushButton(QStringLiteral("&Hilfe"), panel), "HelpBtn");
    auto* buttons = new QGridLayout;
    buttons->addWidget(SetupBtn, 0, 0);
    buttons->addWidget(ApplyBtn, 0, 1);
    buttons->addWidget(OkBtn, 1, 0);
    buttons->addWidget(CancelBtn, 1, 1);
    buttons->addWidget(HelpBtn, 2, 1);
    column->addLayout(buttons);
    return panel;
}

QWidget* THardcopyDlg::BuildPrinterInfo()
{
    auto* box = new QGroupBox(QStringLiteral("Drucker"), this);
    auto* form = new QFormLayout(box);
    PrinterLbl = Named(new QLabel(box), "PrinterLbl", QStringLiteral("Drucker"));
    PaperLbl = Named(new QLabel(box), "PaperLbl", QStringLiteral("Papierformat"));
    PrinterMarginLbl = Named(new QLabel(box), "PrinterMarginLbl", QStringLiteral("Druckerrand"));
    PrinterMarginLbl->setWordWrap(true);
    form->addRow(QStringLiteral("Drucker:"), PrinterLbl);
    form->addRow(QStringLiteral("Papierformat:"), PaperLbl);
    form->addRow(QStringLiteral("Druckerrand:"), PrinterMarginLbl);
    return box;
}

void THardcopyDlg::Connect()
{
    auto changed = [this] { Changed(); };
    for (QSpinBox* s :
         {BlockShade1Spn, BlockShade2Spn, static_cast<QSpinBox*>(TopMarginSpn),
          static_cast<QSpinBox*>(LeftMarginSpn), static_cast<QSpinBox*>(RightMarginSpn),
          static_cast<QSpinBox*>(BottomMarginSpn), static_cast<QSpinBox*>(SpacingSpn), CopiesSpn}) {
        connect(s, &QSpinBox::valueChanged, this, changed);
    }
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
             AllRdo, SelectionRdo, DividingLineChk, InColorChk}) {
        connect(b, &QAbstractButton::toggled, this, changed);
    }
    connect(RemarkEdt, &QLineEdit::textChanged, this, changed);
    connect(PageSpn, &QSpinBox::valueChanged, this, [this](int page) { ShowPage(page); });
    connect(HeaderFontBtn, &QPushButton::clicked, this, [this] { PickFont(true); });
    connect(DataFontBtn, &QPushButton::clicked, this, [this] { PickFont(false); });
    connect(SetupBtn, &QPushButton::clicked, this, &THardcopyDlg::Setup);
    connect(ApplyBtn, &QPushButton::clicked, this, &THardcopyDlg::Store);
    connect(OkBtn, &QPushButton::clicked, this, &THardcopyDlg::Print);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this,
            [this] { DialogServices::ShowHelp(this, kHelpContext); });
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, HelpBtn, &QPushButton::click);
    // Page keys move the preview wherever the focus is.
    const std::pair<int, std::function<int()>> keys[] = {
        {Qt::Key_PageUp, [this] { return CurrentPage() - 1; }},
        {Qt::Key_PageDown, [this] { return CurrentPage() + 1; }},
        {Qt::Key_Home, [] { return 1; }},
        {Qt::Key_End, [this] { return PageCount(); }}};
    for (const auto& [key, target] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, this,
                [this, target = target] { PageSpn->setValue(target()); });
    }
}

void THardcopyDlg::LoadControls()
{
    loading_ = true;
    const int total = static_cast<int>(rows_.size());
    const int selected = CountSelected(rows_);
    AllRdo->setText(QStringLiteral("&Alles (%1)").arg(total));
    SelectionRdo->setText(QStringLiteral("A&uswahl (%1)").arg(selected));
    SelectionRdo->setEnabled(selected > 0);
    (format_.Selection && selected > 0 ? SelectionRdo : AllRdo)->setChecked(true);
    CopiesSpn->setValue(format_.Copies);
    DividingLineChk->setChecked(format_.DividingLine);
    InColorChk->setChecked(format_.InColor);
    BlockShade1Spn->setValue(format_.BlockShade1);
    BlockShade2Spn->setValue(format_.BlockShade2);
    RemarkEdt->setText(Utf8(format_.Remark));
    ShowFonts();
    loading_ = false;
}

void THardcopyDlg::ReadControls()
{
    format_.Selection = SelectionRdo->isChecked();
    format_.Copies = CopiesSpn->value();
    format_.DividingLine = DividingLineChk->isChecked();
    format_.InColor = InColorChk->isChecked();
    format_.BlockShade1 = BlockShade1Spn->value();
    format_.BlockShade2 = BlockShade2Spn->value();
    format_.TopMargin = TopMarginSpn->value();
    format_.LeftMargin = LeftMarginSpn->value();
    format_.RightMargin = RightMarginSpn->value();
    format_.BottomMargin = BottomMarginSpn->value();
    format_.Spacing = SpacingSpn->value();
    format_.Remark = RemarkEdt->text().toStdString();
}

void THardcopyDlg::Changed()
{
    if (loading_) {
        return;
    }
    ReadControls();
    Relayout();
}

QSize THardcopyDlg::PaperPixels() const
{
    return printer_.paperRect(QPrinter::DevicePixel).size().toSize();
}

void THardcopyDlg::Relayout()
{
    renderer_ = std::make_unique<cReviewPageRenderer>(rows_, header_, format_, metric_,
                                                      printer_.resolution(), PaperPixels());
    const int pages = PageCount();
    const QSignalBlocker block(PageSpn);
    PageSpn->setRange(1, pages);
    PageCountLbl->setText(QStringLiteral("von %1").arg(pages));
    ShowPage(PageSpn->value());
}

int THardcopyDlg::PageCount() const
{
    return renderer_ ? std::max(1, renderer_->PageCount()) : 1;
}

int THardcopyDlg::CurrentPage() const
{
    return PageSpn->value();
}

void THardcopyDlg::ShowPage(int page)
{
    PreviewPnl->Show(renderer_.get(), printer_.resolution(), PaperPixels(),
                     std::clamp(page, 1, PageCount()) - 1);
}

void THardcopyDlg::RenewPrinterInfo()
{
    QPageLayout layout = printer_.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QRectF paper = layout.fullRect(QPageLayout::Millimeter);
    const QMarginsF edge = layout.minimumMargins();
    const bool pdf = printer_.outputFormat() == QPrinter::PdfFormat;
    PrinterLbl->setText(pdf && printer_.printerName().isEmpty() ? QStringLiteral("PDF-Datei")
                                                                : printer_.printerName());
    // Values in the dialog's unit: whole millimetres, or hundredths of an inch.
    auto inUnit = [this](double mm) {
        return static_cast<int>(std::lround(metric_ ? mm : mm * 100 / 25.4));
    };
    auto text = [this](double mm) {
        return metric_ ? QStringLiteral("%1mm").arg(std::lround(mm))
                       : cUnitSpinBox::Format(mm * 100 / 25.4, false);
    };
    PaperLbl->setText(text(paper.width()) + QStringLiteral(" x ") + text(paper.height()));
    PrinterMarginLbl->setText(
        QStringLiteral("oben %1, links %2, rechts %3, unten %4")
            .arg(text(edge.top()), text(edge.left()), text(edge.right()), text(edge.bottom())));
    const int printableHeight = inUnit(paper.height() - edge.top() - edge.bottom());
    const int printableWidth = inUnit(paper.width() - edge.left() - edge.right());
    loading_ = true;
    const std::tuple<cUnitSpinBox*, double, int, int> sides[] = {
        {TopMarginSpn, edge.top(), printableHeight, format_.TopMargin},
        {LeftMarginSpn, edge.left(), printableWidth, format_.LeftMargin},
        {RightMarginSpn, edge.right(), printableWidth, format_.RightMargin},
        {BottomMarginSpn, edge.bottom(), printableHeight, format_.BottomMargin}};
    for (const auto& [spin, minimum, maximum, value] : sides) {
        spin->setRange(inUnit(minimum), std::max(inUnit(minimum), maximum));
        spin->setValue(value);
    }
    SpacingSpn->setValue(format_.Spacing);
    loading_ = false;
    ReadControls();
}

void THardcopyDlg::PickFont(bool header)
{
    std::string& name = header ? format_.HeaderFontName : format_.DataFontName;
    int& size = header ? format_.HeaderFontSize : format_.DataFontSize;
    bool& bold = header ? format_.HeaderFontBold : format_.DataFontBold;
    bool& italic = header ? format_.HeaderFontItalic : format_.DataFontItalic;
    if (const auto font = ChooseFont(this, FontOf(name, size, bold, italic))) {
        name = font->family().toStdString();
        size = std::max(1, font->pointSize());
        bold = font->bold();
        italic = font->italic();
        ShowFonts();
        Changed();
    }
}

void THardcopyDlg::ShowFonts()
{
    auto show = [](QPushButton* button, const QString& caption, const QFont& font) {
        button->setToolTip(
            QStringLiteral("%1: %2, %3 pt").arg(caption, font.family()).arg(font.pointSize()));
    };
    show(HeaderFontBtn, QStringLiteral("Kopf"),
         FontOf(format_.HeaderFontName, format_.HeaderFontSize, format_.HeaderFontBold,
                format_.HeaderFontItalic));
    show(DataFontBtn, QStringLiteral("Daten"),
         FontOf(format_.DataFontName, format_.DataFontSize, format_.DataFontBold,
                format_.DataFontItalic));
}

void THardcopyDlg::Store()
{
    ReadControls();
    format_.Save();
    format_.PenWidth = 5;  // what Save wrote
    Relayout();
}

void THardcopyDlg::Setup()
{
    if (!SetupPage(this, printer_)) {
        return;
    }
    printer_.setFullPage(true);
    format_.Orientation = printer_.pageLayout().orientation() == QPageLayout::Landscape ? 1 : 0;
    RenewPrinterInfo();
    Relayout();
}

void THardcopyDlg::Print()
{
    Store();
    printer_.setDocName(QStringLiteral("Verdal 5 - ") + QFileInfo(header_.ProfilePath).fileName());
    printer_.setCopyCount(format_.Copies);
    if (!ChoosePrinter(this, printer_)) {
        return;
    }
    if (printer_.copyCount() != format_.Copies) {
        CopiesSpn->setValue(std::clamp(printer_.copyCount(), 1, 999));
        Store();
    }
    // Printing has its own cancel flag: cancelling it never aborts the run behind the list.
    cancel_ = false;
    // Not a child of this dialog: disabling the dialog would disable its cancel button too.
    TInfoWnd info;
    info.SetText(QStringLiteral("Drucke..."));
    info.ApplyPlacement();
    info.SetRange(PageCount());
    info.SetCancelHandler([this] { cancel_ = true; });
    info.show();
    setEnabled(false);
    QCoreApplication::processEvents();
    printed_ = PrintReviewRows(printer_, rows_, header_, format_, metric_, &cancel_,
                               [&info](int pages) { info.SetPosition(pages); });
    info.SetPosition(PageCount());
    setEnabled(true);
    accept();
}

}  // namespace verdal
