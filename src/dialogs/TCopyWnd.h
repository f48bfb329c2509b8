#pragma once

#include <functional>
#include <memory>

#include <QDialog>

#include "engine/ProgressMeter.h"
#include "engine/RunFrontEnd.h"

class QLabel;
class QToolButton;
class QTimer;

namespace verdal {

class cParameters;
class FileLabelBlock;

// The bar of the progress window: dark grey, filled in amber up to the fraction of the run.
class CopyBar : public QWidget
{
    Q_OBJECT

public:
    explicit CopyBar(QWidget* parent = nullptr);
    // -1 hides the fill (nothing to transfer); other values are kept within 0..1.
    void SetFraction(double fraction);
    double Fraction() const { return fraction_; }
    // The width of the amber fill in pixels; never wider than the panel.
    int FillWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double fraction_ = -1;
};

// The progress window of the copy pass: the two files of the current copy, a bar over the
// whole run, rate, elapsed and remaining time, and the interrupt button. The clock is
// injectable (seconds from any fixed start) so tests can drive the figures.
class TCopyWnd : public QDialog
{
    Q_OBJECT

public:
    using Clock = std::function<double()>;

    TCopyWnd(const std::string& profilePath, cParameters& params, QWidget* parent = nullptr,
             Clock clock = {});
    ~TCopyWnd() override;

    void SetBytesToTransfer(int64_t bytes);
    void SetLabels(const FileLabel& from, const FileLabel& to);
    void ReportProgress(int64_t bytesDelta, int64_t currentFileBytes);
    void SetBytesDone(int64_t bytesDone);
    void SetPaused(bool paused);
    // The once-a-second update of the times and the rate (the timer calls it).
    void Tick();

    const cProgressMeter& Meter() const { return meter_; }

    std::unique_ptr<FileLabelBlock> From, To;
    CopyBar* BarPanel;
    QLabel *RateLbl, *ElapsedLbl, *RemainingLbl;
    QToolButton* InterruptBtn;
    QTimer* CopyTmr;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void Interrupt();
    void ShowFigures();

    cParameters& params_;
    Clock clock_;
    cProgressMeter meter_;
};

}  // namespace verdal
