#include "print/UnitSpinBox.h"

#include <cmath>

namespace verdal {

cUnitSpinBox::cUnitSpinBox(bool metric, QWidget* parent) : QSpinBox(parent), metric_(metric) {}

QString cUnitSpinBox::Format(double value, bool metric, int decimalsInch)
{
    if (metric) {
        return QStringLiteral("%1mm").arg(std::lround(value));
    }
    return QString::number(value * 0.01, 'f', decimalsInch)
               .replace(QLatin1Char('.'), QLatin1Char(',')) +
           QLatin1Char('"');
}

QString cUnitSpinBox::textFromValue(int value) const
{
    return Format(value, metric_);
}

int cUnitSpinBox::valueFromText(const QString& text) const
{
    QString number = text;
    number.remove(QStringLiteral("mm"))
        .remove(QLatin1Char('"'))
        .replace(QLatin1Char(','), QLatin1Char('.'));
    const double value = number.trimmed().toDouble();
    return static_cast<int>(std::lround(metric_ ? value : value * 100));
}

QValidator::State cUnitSpinBox::validate(QString& text, int& /*pos*/) const
{
    for (const QChar c : text) {
        if (!c.isDigit() && !QStringLiteral(".,\"m ").contains(c)) {
            return QValidator::Invalid;
        }
    }
    const int value = valueFromText(text);
    return value >= minimum() && value <= maximum() ? QValidator::Acceptable
                                                    : QValidator::Intermediate;
}

}  // namespace verdal
