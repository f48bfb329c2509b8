#include "dialogs/TOverviewDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/DialogServices.h"
#include "dialogs/EditDialog.h"
#include "dialogs/Hints.h"
#include "dialogs/NamedControls.h"

namespace verdal {
namespace {

constexpr int kHelpOverview = 4900;

const char* const kColorCaptions[6] = {
    "Block 1:", "Block 2:", "Vorwärts:", "Überspringen:", "Löschen:", "Rückwärts:"};
const char* const kColorNames[6] = {"Block1", "Block2", "Forward", "Skip", "Delete", "Backward"};

QByteArray ControlName(int index, const char* suffix)
{
    return QByteArray(kColorNames[index]) + suffix;
}

}  // namespace

QColor ColorFromStored(uint32_t value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

uint32_t StoredFromColor(const QColor& color)
{
    return static_cast<uint32_t>(color.red()) | (static_cast<uint32_t>(color.green()) << 8) |
           (static_cast<uint32_t>(color.blue()) << 16);
}

QColor EffectiveOverviewColor(const cOverviewParameters& overview, int index,
                              const QPalette& palette)
{
    if (!overview.SystemColor[index]) {
        return ColorFromStored(overview.Colors[index]);
    }
    if (index == 0) {
        return palette.color(QPalette::Base);
    }
    if (index == 1) {
        return palette.color(QPalette::AlternateBase);
    }
    return palette.color(QPalette::Text);
}

TOverviewPreview::TOverviewPreview(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(200, 80);
}

void TOverviewPreview::SetSettings(const cOverviewParameters& settings)
{
    settings_ = settings;
    update();
}

void TOverviewPreview::paintEvent(QPaintEvent* /*event*/)
{
    // Sample rows with their action colours on alternating blocks; "Umdrehen" shows the
    // backward colour.
    static const char* const kRows[4] = {"Vorwärts", "Überspringen", "Löschen", "Umdrehen"};
    static const int kColorOfRow[4] = {2, 3, 4, 5};
    QPainter painter(this);
    QFont font(QString::fromStdString(settings_.ListFontName));
    font.setPointSize(std::max(1, settings_.ListFontSize));
    painter.setFont(font);
    const int rowHeight = height() / 4;
    for (int row = 0; row < 4; ++row) {
        const QRect rect(0, row * rowHeight, width(), rowHeight);
        painter.fillRect(rect, EffectiveOverviewColor(settings_, row / 2 % 2, palette()));
        painter.setPen(EffectiveOverviewColor(settings_, kColorOfRow[row], palette()));
        painter.drawText(rect.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
                         QString::fromUtf8(kRows[row]));
    }
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

TOverviewDlg::TOverviewDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Übersicht"));
    setObjectName(QStringLiteral("OverviewDlg"));
    ChooseColor = [](QWidget* owner, const QColor& color) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(color, owner, QStringLiteral("Farbe"));
        return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
    };
    ChooseFont = [](QWidget* owner, const QFont& font) -> std::optional<QFont> {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, font, owner, QStringLiteral("Schriftart"));
        return ok ? std::optional<QFont>(chosen) : std::nullopt;
    };

    auto* folders = new QGroupBox(QStringLiteral(" Ordner "), this);
    OpenRbt = Named(new QRadioButton(QStringLiteral("Offen"), folders), "OpenRbt");
    ClosedRbt = Named(new QRadioButton(QStringLiteral("Geschlossen"), folders), "ClosedRbt");
    auto* folderLayout = new QVBoxLayout(folders);
    folderLayout->addWidget(OpenRbt);
    folderLayout->addWidget(ClosedRbt);

    auto* files = new QGroupBox(QStringLiteral(" Dateien "), this);
    OneLineRbt = Named(new QRadioButton(QStringLiteral("Einzeilig"), files), "OneLineRbt");
    TwoLineRbt = Named(new QRadioButton(QStringLiteral("Zweizeilig"), files), "TwoLineRbt");
    auto* fileLayout = new QVBoxLayout(files);
    fileLayout->addWidget(OneLineRbt);
    fileLayout->addWidget(TwoLineRbt);

    auto* filters = new QGroupBox(QStringLiteral(" Filter "), this);
    FilterSizesChk =
        Named(new QCheckBox(QStringLiteral("Größen kontrollieren"), filters), "FilterSizesChk");
    FilterDoubleChangeChk =
        Named(new QCheckBox(QStringLiteral("Doppelte Änderung"), filters), "FilterDoubleChangeChk");
    FilterPropertiesOnlyChk = Named(new QCheckBox(QStringLiteral("Nur Eigenschaften"), filters),
                                    "FilterPropertiesOnlyChk");
    auto* filterLayout = new QVBoxLayout(filters);
    filterLayout->addWidget(FilterSizesChk);
    filterLayout->addWidget(FilterDoubleChangeChk);
    filterLayout->addWidget(FilterPropertiesOnlyChk);

    auto* colors = new QGroupBox(QStringLiteral(" Farben "), this);
    auto* colorGrid = new QGridLayout(colors);
    for (int i = 0; i < 6; ++i) {
        const QString caption = QString::fromUtf8(kColorCaptions[i]);
        auto* group = new QButtonGroup(this);
        SystemRbt[i] = Named(new QRadioButton(QStringLiteral("System"), colors),
                             ControlName(i, "SystemRbt").constData(), caption + " System");
        CustomRbt[i] = Named(new QRadioButton(colors), ControlName(i, "CustomRbt").constData(),
                             caption + " Eigene Farbe");
        group->addButton(SystemRbt[i]);
        group->addButton(CustomRbt[i]);
        ColorPnl[i] =
            Named(new QLabel(colors), ControlName(i, "Pnl").constData(), caption + " Farbe");
        ColorPnl[i]->setFixedSize(32, 16);
        ColorPnl[i]->setAutoFillBackground(true);
        ColorPnl[i]->setFrameShape(QFrame::Box);
        ColorBtn[i] = Named(new QPushButton(QStringLiteral("..."), colors),
                            ControlName(i, "ColorBtn").constData(), caption + " Farbe wählen");
        colorGrid->addWidget(new QLabel(caption, colors), i, 0);
        colorGrid->addWidget(SystemRbt[i], i, 1);
        colorGrid->addWidget(CustomRbt[i], i, 2);
        colorGrid->addWidget(ColorPnl[i], i, 3);
        colorGrid->addWidget(ColorBtn[i], i, 4);
        connect(ColorBtn[i], &QPushButton::clicked, this, [this, i] { PickColor(i); });
        connect(SystemRbt[i], &QRadioButton::toggled, this, &TOverviewDlg::Repaint);
    }

    AlwaysShowPathsChk =
        Named(new QCheckBox(QStringLiteral("Pfade immer zeigen"), this), "AlwaysShowPathsChk");
    FontBtn = Named(new QPushButton(QStringLiteral("Schriftart..."), this), "FontBtn");
    FontLbl = Named(new QLabel(this), "FontLbl", QStringLiteral("Schriftart"));
    PreviewPnl = Named(new TOverviewPreview(this), "PreviewPnl", QStringLiteral("Vorschau"));
    OkBtn = Named(new QPushButton(QStringLiteral("OK"), this), "OkBtn");
    OkBtn->setDefault(true);
    CancelBtn = Named(new QPushButton(QStringLiteral("Abbruch"), this), "CancelBtn");

    auto* left = new QVBoxLayout;
    left->addWidget(folders);
    left->addWidget(files);
    left->addWidget(filters);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(colors);
    right->addWidget(PreviewPnl, 1);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(right, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(AlwaysShowPathsChk);
    bottom->addWidget(FontBtn);
    bottom->addWidget(FontLbl, 1);
    bottom->addWidget(OkBtn);
    bottom->addWidget(CancelBtn);
    bottom->addWidget(HelpButton(this, kHelpOverview));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(bottom);

    connect(FontBtn, &QPushButton::clicked, this, &TOverviewDlg::PickFont);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TOverviewDlg::LoadFrom(const cParameters& params)
{
    ApplyHintOption(this, params.Programm.Tooltips);
    const cOverviewParameters& o = params.Overview;
    (o.OpenFolders ? OpenRbt : ClosedRbt)->setChecked(true);
    (o.OneLineRows ? OneLineRbt : TwoLineRbt)->setChecked(true);
    FilterSizesChk->setChecked(o.FilterSizes);
    FilterDoubleChangeChk->setChecked(o.FilterDoubleChange);
    FilterPropertiesOnlyChk->setChecked(o.FilterPropertiesOnly);
    colors_ = o.Colors;
    for (int i = 0; i < 6; ++i) {
        (o.SystemColor[i] ? SystemRbt[i] : CustomRbt[i])->setChecked(true);
        ShowColor(i);
    }
    AlwaysShowPathsChk->setChecked(o.AlwaysShowPaths);
    fontName_ = QString::fromStdString(o.ListFontName);
    fontSize_ = o.ListFontSize;
    FontLbl->setText(QStringLiteral("%1, %2").arg(fontName_).arg(fontSize_));
    Repaint();
}

cOverviewParameters TOverviewDlg::Current() const
{
    cOverviewParameters o;
    o.OpenFolders = OpenRbt->isChecked();
    o.OneLineRows = OneLineRbt->isChecked();
    o.FilterSizes = FilterSizesChk->isChecked();
    o.FilterDoubleChange = FilterDoubleChangeChk->isChecked();
    o.FilterPropertiesOnly = FilterPropertiesOnlyChk->isChecked();
    for (int i = 0; i < 6; ++i) {
        o.SystemColor[i] = SystemRbt[i]->isChecked();
    }
    o.Colors = colors_;
    o.AlwaysShowPaths = AlwaysShowPathsChk->isChecked();
    o.ListFontName = fontName_.toStdString();
    o.ListFontSize = fontSize_;
    return o;
}

void TOverviewDlg::SaveTo(cParameters& params) const
{
    params.Overview = Current();
    params.Modified = true;
}

void TOverviewDlg::ShowColor(int index)
{
    QPalette palette = ColorPnl[index]->palette();
    palette.setColor(QPalette::Window, ColorFromStored(colors_[index]));
    ColorPnl[index]->setPalette(palette);
}

void TOverviewDlg::PickColor(int index)
{
    const std::optional<QColor> chosen = ChooseColor(this, ColorFromStored(colors_[index]));
    if (!chosen) {
        return;
    }
    colors_[index] = StoredFromColor(*chosen);
    CustomRbt[index]->setChecked(true);
    ShowColor(index);
    Repaint();
}

void TOverviewDlg::PickFont()
{
    QFont current(fontName_);
    current.setPointSize(std::max(1, fontSize_));
    const std::optional<QFont> chosen = ChooseFont(this, current);
    if (!chosen) {
        return;
    }
    fontName_ = chosen->family();
    fontSize_ = chosen->pointSize() > 0 ? chosen->pointSize() : fontSize_;
    FontLbl->setText(QStringLiteral("%1, %2").arg(fontName_).arg(fontSize_));
    Repaint();
}

void TOverviewDlg::Repaint()
{
    PreviewPnl->SetSettings(Current());
}

bool TOverviewDlg::Open(QWidget* parent, cParameters& params, int /*page*/)
{
    TOverviewDlg dialog(parent);
    return EditInDialog(dialog, params);
}

}  // namespace verdal
