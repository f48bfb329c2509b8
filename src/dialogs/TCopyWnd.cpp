#include "dialogs/TCopyWnd.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

#include "dialogs/FileLabels.h"
#include "settings/Parameters.h"

namespace verdal {
namespace {

double SteadySeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

QLabel* Caption(const QString& text, QWidget* parent)
{
    return new QLabel(text, parent);
}

QLabel* Figure(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setMinimumWidth(90);
    return label;
}

}  // namespace

CopyBar::CopyBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("BarPanel"));
    setFixedHeight(18);
    setMinimumWidth(100);
}

void CopyBar::SetFraction(double fraction)
{
    fraction_ = fraction < 0 ? -1 : std::min(fraction, 1.0);
    update();
}

int CopyBar::FillWidth() const
{
    if (fraction_ < 0) {
        return 0;
    }
    return static_cast<int>(std::lround((width() - 2) * fraction_));
}

void CopyBar::paintEvent(QPaintEvent* /*event*/)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0x40, 0x40, 0x40));
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(0, 0, width() - 1, 0);
    p.drawLine(0, 0, 0, height() - 1);
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(0, height() - 1, width() - 1, height() - 1);
    p.drawLine(width() - 1, 0, width() - 1, height() - 1);
    if (const int w = FillWidth(); w > 0) {
        p.fillRect(QRect(1, 1, w, height() - 2), QColor(255, 206, 0));
    }
}

TCopyWnd::TCopyWnd(const std::string& profilePath, cParameters& params, QWidget* parent,
                   Clock clock)
    : QDialog(parent),
      params_(params),
      clock_(clock ? std::move(clock) : Clock(&SteadySeconds)),
      meter_(clock_())
{
    setWindowTitle(QStringLiteral("Verdal 5 - ") + QString::fromStdString(profilePath));
    setModal(false);
    auto* grid = new QGridLayout(this);
    From = std::make_unique<FileLabelBlock>(QStringLiteral("Kopiere"), QStringLiteral("From"), grid,
                                            0, this);
    To = std::make_unique<FileLabelBlock>(QStringLiteral("nach"), QStringLiteral("To"), grid, 2,
                                          this);
    BarPanel = new CopyBar(this);
    grid->addWidget(BarPanel, 4, 0, 1, 5);
    RateLbl = Figure("RateLbl", this);
    ElapsedLbl = Figure("ElapsedLbl", this);
    RemainingLbl = Figure("RemainingLbl", this);
    auto* figures = new QGridLayout;
    figures->addWidget(Caption(QStringLiteral("Übertragungsrate:"), this), 0, 0);
    figures->addWidget(RateLbl, 0, 1);
    figures->addWidget(Caption(QStringLiteral("Verstrichene Zeit:"), this), 1, 0);
    figures->addWidget(ElapsedLbl, 1, 1);
    figures->addWidget(Caption(QStringLiteral("Verbleibende Zeit:"), this), 2, 0);
    figures->addWidget(RemainingLbl, 2, 1);
    figures->setColumnStretch(2, 1);
    InterruptBtn = new QToolButton(this);
    InterruptBtn->setObjectName(QStringLiteral("InterruptBtn"));
    InterruptBtn->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
    InterruptBtn->setIconSize(QSize(24, 24));
    InterruptBtn->setAccessibleName(QStringLiteral("Unterbrechen"));
    if (params.Programm.Tooltips) {
        InterruptBtn->setToolTip(QStringLiteral("Unterbrechen"));
    }
    InterruptBtn->setEnabled(false);
    figures->addWidget(InterruptBtn, 0, 3, 3, 1, Qt::AlignRight | Qt::AlignBottom);
    grid->addLayout(figures, 5, 0, 1, 5);
    grid->setColumnStretch(1, 1);
    connect(InterruptBtn, &QToolButton::clicked, this, &TCopyWnd::Interrupt);

    const cWindowPos& pos = params.WindowPositions[kWinCopy];
    if (pos.Left != 0 || pos.Top != 0) {
        move(pos.Left, pos.Top);
    }
    CopyTmr = new QTimer(this);
    CopyTmr->setInterval(1000);
    connect(CopyTmr, &QTimer::timeout, this, &TCopyWnd::Tick);
    CopyTmr->start();
    ShowFigures();
}

TCopyWnd::~TCopyWnd() = default;

void TCopyWnd::SetBytesToTransfer(int64_t bytes)
{
    meter_.SetBytesToTransfer(bytes);
    InterruptBtn->setEnabled(true);
    BarPanel->SetFraction(meter_.Fraction());
}

void TCopyWnd::SetLabels(const FileLabel& from, const FileLabel& to)
{
    From->Show(from);
    To->Show(to);
    // A new file starts: the part of the previous one is in the finished bytes now.
    meter_.Report(0, 0);
}

void TCopyWnd::ReportProgress(int64_t bytesDelta, int64_t currentFileBytes)
{
    meter_.Report(bytesDelta, currentFileBytes);
    BarPanel->SetFraction(meter_.Fraction());
}

void TCopyWnd::SetBytesDone(int64_t bytesDone)
{
    meter_.SetBytesDone(bytesDone);
    meter_.Report(0, 0);
    BarPanel->SetFraction(meter_.Fraction());
}

void TCopyWnd::SetPaused(bool paused)
{
    meter_.SetPaused(paused);
}

void TCopyWnd::Tick()
{
    meter_.Tick(clock_());
    ShowFigures();
}

void TCopyWnd::ShowFigures()
{
    ElapsedLbl->setText(QString::fromStdString(meter_.ElapsedText()));
    RateLbl->setText(QString::fromStdString(meter_.RateText()));
    RemainingLbl->setText(QString::fromStdString(meter_.RemainingText()));
}

void TCopyWnd::Interrupt()
{
    QCoreApplication::processEvents();
    InterruptRequest = true;
    QCoreApplication::processEvents();
}

void TCopyWnd::hideEvent(QHideEvent* event)
{
    cWindowPos& pos = params_.WindowPositions[kWinCopy];
    pos.Left = static_cast<int16_t>(x());
    pos.Top = static_cast<int16_t>(y());
    QDialog::hideEvent(event);
}

}  // namespace verdal
