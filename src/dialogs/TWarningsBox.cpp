#include "dialogs/TWarningsBox.h"

#include <QGridLayout>
#include <QLabel>

#include "dialogs/NamedControls.h"

namespace verdal {

TWarningsBox::TWarningsBox(QWidget* parent) : QGroupBox(QStringLiteral(" Warnungen "), parent)
{
    static const char* const kCaptions[4] = {"Keine Dateien gefunden",
                                             "Laufwerk hat zuwenig Speicherplatz", "Andere",
                                             "Unterbrechung bei Fehler"};
    static const char* const kNames[8] = {"NoFilesMsgChk",     "NoFilesSoundChk", "DiskSpaceMsgChk",
                                          "DiskSpaceSoundChk", "OtherMsgChk",     "OtherSoundChk",
                                          "ErrorMsgChk",       "ErrorSoundChk"};
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Meldung"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Klang"), this), 0, 2);
    for (int warning = 0; warning < 4; ++warning) {
        const QString caption = QString::fromUtf8(kCaptions[warning]);
        grid->addWidget(new QLabel(caption, this), warning + 1, 0);
        for (int kind = 0; kind < 2; ++kind) {
            const int bit = warning * 2 + kind;
            auto* box = new QCheckBox(this);
            Named(box, kNames[bit],
                  caption + (kind == 0 ? QStringLiteral(": Meldung") : QStringLiteral(": Klang")));
            boxes_[bit] = box;
            grid->addWidget(box, warning + 1, kind + 1, Qt::AlignHCenter);
        }
    }
}

void TWarningsBox::SetFlags(uint8_t flags)
{
    for (int bit = 0; bit < 8; ++bit) {
        boxes_[bit]->setChecked((flags >> bit) & 1);
    }
}

uint8_t TWarningsBox::Flags() const
{
    uint8_t flags = 0;
    for (int bit = 0; bit < 8; ++bit) {
        if (boxes_[bit]->isChecked()) {
            flags |= static_cast<uint8_t>(1u << bit);
        }
    }
    return flags;
}

void TWarningsBox::SetBoxesEnabled(bool enabled)
{
    for (QCheckBox* box : boxes_) {
        box->setEnabled(enabled);
    }
}

}  // namespace verdal
