#include "dialogs/TTimedDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace verdal {
namespace {

QString& StoredTitle()
{
    static QString title = QStringLiteral("Verdal 5");
    return title;
}

}  // namespace

void SetApplicationTitle(const QString& title)
{
    StoredTitle() = title;
}

QString ApplicationTitle()
{
    return StoredTitle();
}

TTimedDlg::TTimedDlg(const QString& line1, const QString& line2, const QString& line3,
                     QWidget* parent, int seconds)
    : QDialog(parent),
      Line1Lbl(new QLabel(line1, this)),
      Line2Lbl(new QLabel(line2, this)),
      Line3Lbl(new QLabel(line3, this)),
      CountLbl(new QLabel(this)),
      OkBtn(new QPushButton(QStringLiteral("OK"), this)),
      timer_(new QTimer(this)),
      remaining_(seconds)
{
    setObjectName(QStringLiteral("TimedDlg"));
    setWindowTitle(ApplicationTitle());
    const std::pair<QWidget*, const char*> names[] = {{Line1Lbl, "Line1Lbl"},
                                                      {Line2Lbl, "Line2Lbl"},
                                                      {Line3Lbl, "Line3Lbl"},
                                                      {CountLbl, "CountLbl"},
                                                      {OkBtn, "OkBtn"}};
    for (const auto& [widget, name] : names) {
        widget->setObjectName(QLatin1String(name));
    }
    Line1Lbl->setAccessibleName(line1);
    Line2Lbl->setAccessibleName(line2);
    Line3Lbl->setAccessibleName(line3);
    CountLbl->setAccessibleName(QStringLiteral("Sekunden bis zum Schließen"));
    OkBtn->setAccessibleName(QStringLiteral("OK"));
    OkBtn->setDefault(true);
    auto* layout = new QGridLayout(this);
    layout->addWidget(Line1Lbl, 0, 0, 1, 2);
    layout->addWidget(Line2Lbl, 1, 0, 1, 2);
    layout->addWidget(Line3Lbl, 2, 0, 1, 2);
    layout->addWidget(CountLbl, 3, 0);
    layout->addWidget(OkBtn, 3, 1);
    CountLbl->setText(QString::number(remaining_));
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(timer_, &QTimer::timeout, this, &TTimedDlg::Tick);
    timer_->start(1000);
}

void TTimedDlg::Tick()
{
    if (remaining_ > 0) {
        --remaining_;
    }
    CountLbl->setText(QString::number(remaining_));
    if (remaining_ == 0) {
        timer_->stop();
        accept();
    }
}

void ShowTimedMessage(const QString& line1, const QString& line2, const QString& line3,
                      QWidget* parent)
{
    TTimedDlg dialog(line1, line2, line3, parent);
    dialog.exec();
}

}  // namespace verdal
