#pragma once

#include <QSpinBox>

namespace verdal {

// A spin box for margins and spacing: whole millimetres shown as "25mm", or hundredths of an
// inch shown as inches with two decimals and the inch sign ("1,00\"").
class cUnitSpinBox : public QSpinBox
{
    Q_OBJECT

public:
    cUnitSpinBox(bool metric, QWidget* parent = nullptr);

    // The text of a value in this unit, as the spin box and the printer labels show it.
    static QString Format(double value, bool metric, int decimalsInch = 2);

protected:
    QString textFromValue(int value) const override;
    int valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& pos) const override;

private:
    bool metric_;
};

}  // namespace verdal
