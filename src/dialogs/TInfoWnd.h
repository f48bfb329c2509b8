#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace verdal {

// The small phase window of runs, mailing and printing: one line of text, a progress bar and
// "Abbrechen", which calls the cancel handler (a run sets its abort flag there).
class TInfoWnd : public QWidget
{
    Q_OBJECT

public:
    explicit TInfoWnd(QWidget* parent = nullptr);

    void SetText(const QString& text);
    // A bar range of 0 hides the bar.
    void SetRange(int64_t maximum);
    void SetPosition(int64_t position);
    void SetCancelHandler(std::function<void()> handler) { cancel_ = std::move(handler); }
    // Places the window at the "Info Window" position of the options file.
    void ApplyPlacement();

    QLabel* TextLbl;
    QProgressBar* ProgressBar;
    QPushButton* CancelBtn;

private:
    int64_t maximum_ = 0;
    int shift_ = 0;  // bits dropped so that large byte counts fit the bar's int range
    std::function<void()> cancel_;
};

}  // namespace verdal
