#include "dialogs/OptionsRules.h"

#include <algorithm>

#include "platform/TextCase.h"

namespace verdal {

const std::vector<int>& OrphanCodes(OrphanCombo combo)
{
    static const std::vector<int> d1{0, 1, 6}, d2{1, 2}, b{4, 1, 2, 5, 6}, s1{3, 1, 6};
    switch (combo) {
        case OrphanCombo::D1:
            return d1;
        case OrphanCombo::B:
            return b;
        case OrphanCombo::S1:
            return s1;
        case OrphanCombo::D2:
        case OrphanCombo::S2:
            break;
    }
    return d2;
}

std::vector<std::string> OrphanItemTexts(OrphanCombo combo)
{
    switch (combo) {
        case OrphanCombo::D1:
            return {"Vorwärts", "Überspringen", "Nur Waisen"};
        case OrphanCombo::B:
            return {"Vorwärts / rückwärts", "Überspringen", "Löschen", "Im Schnappschuß nachsehen",
                    "Nur Waisen"};
        case OrphanCombo::S1:
            return {"Rückwärts", "Überspringen", "Nur Waisen"};
        case OrphanCombo::D2:
        case OrphanCombo::S2:
            break;
    }
    return {"Überspringen", "Löschen"};
}

int OrphanCodeOfIndex(OrphanCombo combo, int index)
{
    const auto& codes = OrphanCodes(combo);
    if (index < 0 || index >= static_cast<int>(codes.size())) {
        return codes.front();
    }
    return codes[index];
}

int OrphanIndexOfCode(OrphanCombo combo, int code)
{
    const auto& codes = OrphanCodes(combo);
    const auto it = std::find(codes.begin(), codes.end(), code);
    return it == codes.end() ? 0 : static_cast<int>(it - codes.begin());
}

TouchMode TouchModeOf(bool touchSrc, bool touchDest)
{
    if (touchSrc && touchDest) {
        return TouchMode::Both;
    }
    return touchSrc ? TouchMode::SrcOnly : TouchMode::DestOnly;
}

std::pair<bool, bool> TouchFlagsOf(TouchMode mode)
{
    switch (mode) {
        case TouchMode::Both:
            return {true, true};
        case TouchMode::SrcOnly:
            return {true, false};
        case TouchMode::DestOnly:
            break;
    }
    return {false, true};
}

bool OrphanColumnEnabled(TouchMode mode, int column)
{
    return static_cast<int>(mode) == column;
}

uint8_t AgeModeOf(int kind, bool reversed)
{
    const int k = std::clamp(kind, 0, 3);
    return static_cast<uint8_t>(k == 0 ? 0 : k + (reversed ? 4 : 0));
}

int AgeKindOf(uint8_t ageMode)
{
    return ageMode & 3;
}

bool AgeReversedOf(uint8_t ageMode)
{
    return AgeKindOf(ageMode) != 0 && (ageMode & 4) != 0;
}

bool AgeReverseEnabled(int kind)
{
    return kind >= 1 && kind <= 3;
}

AgeCaptions AgeCaptionsOf(bool reversed)
{
    if (reversed) {
        return {"Mehr als", "Vor", "Vor dem letzten Lauf am", "(Vor "};
    }
    return {"Nicht mehr als", "Seit", "Seit dem letzten Lauf am", "(Seit "};
}

std::string DayUnitText(int days)
{
    return days == 1 ? "Tag alt" : "Tage alt";
}

CheckedNumber CheckedNumberOf(int stored, int defaultNumber)
{
    if (stored == 0) {
        return {false, defaultNumber};
    }
    return {true, stored};
}

int StoredCheckedNumber(bool checked, int number)
{
    return checked ? number : 0;
}

std::vector<std::string> ApplicationChoices(const std::string& appName)
{
    std::vector<std::string> choices{
        "Microsoft Word",   "Microsoft Excel",     "Microsoft PowerPoint",
        "Microsoft Access", "Microsoft Outlook",   "LibreOffice Writer",
        "LibreOffice Calc", "LibreOffice Impress", "Thunderbird"};
    if (!appName.empty() && std::find(choices.begin(), choices.end(), appName) == choices.end()) {
        choices.push_back(appName);
    }
    std::sort(choices.begin(), choices.end(),
              [](const std::string& a, const std::string& b) { return CompareTextCI(a, b) < 0; });
    return choices;
}

std::vector<std::string> ShutdownItemTexts()
{
    return {"-", "Herunterfahren", "Abmelden", "Herunterfahren und ausschalten",
            "Herunterfahren und neu starten"};
}

}  // namespace verdal
