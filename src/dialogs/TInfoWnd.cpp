#include "dialogs/TInfoWnd.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/Parameters.h"

namespace verdal {

TInfoWnd::TInfoWnd(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      TextLbl(new QLabel(this)),
      ProgressBar(new QProgressBar(this)),
      CancelBtn(new QPushButton(QStringLiteral("Abbrechen"), this))
{
    setObjectName(QStringLiteral("InfoWnd"));
    setWindowTitle(QStringLiteral("Verdal 5"));
    TextLbl->setObjectName(QStringLiteral("TextLbl"));
    TextLbl->setAccessibleName(QStringLiteral("Phase"));
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setAccessibleName(QStringLiteral("Fortschritt"));
    ProgressBar->setTextVisible(false);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setAccessibleName(QStringLiteral("Abbrechen"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TextLbl);
    layout->addWidget(ProgressBar);
    layout->addWidget(CancelBtn, 0, Qt::AlignHCenter);
    resize(408, 121);
    SetRange(0);
    connect(CancelBtn, &QPushButton::clicked, this, [this] {
        if (cancel_) {
            cancel_();
        }
    });
}

void TInfoWnd::SetText(const QString& text)
{
    TextLbl->setText(text);
}

void TInfoWnd::SetRange(int64_t maximum)
{
    maximum_ = maximum;
    shift_ = 0;
    while ((maximum >> shift_) > 0x7FFFFFFF) {
        ++shift_;
    }
    ProgressBar->setVisible(maximum > 0);
    ProgressBar->setRange(0, static_cast<int>(maximum >> shift_));
    ProgressBar->setValue(0);
}

void TInfoWnd::SetPosition(int64_t position)
{
    position = std::clamp<int64_t>(position, 0, maximum_);
    ProgressBar->setValue(static_cast<int>(position >> shift_));
}

void TInfoWnd::ApplyPlacement()
{
    const cWindowPos& pos = Params().WindowPositions[kWinInfo];
    move(pos.Left, pos.Top);
}

}  // namespace verdal
