#pragma once

#include <array>
#include <cstdint>

#include <QCheckBox>
#include <QGroupBox>

namespace verdal {

// The group " Warnungen ": a "Meldung" and a "Klang" box for each of the four warnings,
// edited as one 8-bit value (bit 2k = message, bit 2k+1 = sound of warning k).
class TWarningsBox : public QGroupBox
{
    Q_OBJECT

public:
    explicit TWarningsBox(QWidget* parent = nullptr);

    void SetFlags(uint8_t flags);
    uint8_t Flags() const;
    // The boxes keep their values while disabled.
    void SetBoxesEnabled(bool enabled);

private:
    std::array<QCheckBox*, 8> boxes_{};
};

}  // namespace verdal
