#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;

namespace verdal {

// A message of three lines that closes itself after a count of seconds, so that an unattended
// run goes on after a failed mail or print.
class TTimedDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TTimedDlg(const QString& line1, const QString& line2, const QString& line3,
                       QWidget* parent = nullptr, int seconds = 30);

    int Remaining() const { return remaining_; }
    // One tick of the count (the timer calls it once a second).
    void Tick();

    QLabel* Line1Lbl;
    QLabel* Line2Lbl;
    QLabel* Line3Lbl;
    QLabel* CountLbl;
    QPushButton* OkBtn;

private:
    QTimer* timer_;
    int remaining_;
};

// The application's title, "Verdal 5 - " + the open file's name (the caption of this window).
// Kept apart from Qt's display name, which the window system would append to every caption.
void SetApplicationTitle(const QString& title);
QString ApplicationTitle();

// Shows a TTimedDlg modally.
void ShowTimedMessage(const QString& line1, const QString& line2, const QString& line3,
                      QWidget* parent = nullptr);

}  // namespace verdal
