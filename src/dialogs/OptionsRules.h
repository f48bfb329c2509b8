#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace verdal {

// The value rules of the options dialog, kept apart from the widgets so that they can be
// checked without a window.

// The five orphan combos and the code each of their items stores.
enum class OrphanCombo { D1, D2, B, S1, S2 };
const std::vector<int>& OrphanCodes(OrphanCombo combo);
// The item texts of a combo, in item order.
std::vector<std::string> OrphanItemTexts(OrphanCombo combo);
int OrphanCodeOfIndex(OrphanCombo combo, int index);
// The item showing `code`; a code the combo does not offer shows its first item.
int OrphanIndexOfCode(OrphanCombo combo, int code);

// Touch mode: which sides a run may change.
enum class TouchMode { DestOnly = 0, Both = 1, SrcOnly = 2 };
// Both flags false cannot be run; it shows as the backup mode.
TouchMode TouchModeOf(bool touchSrc, bool touchDest);
std::pair<bool, bool> TouchFlagsOf(TouchMode mode);  // {TouchSrc, TouchDest}

// Which orphan column is usable in a touch mode: 0 "Nur Ziel", 1 "Ziel und Quelle",
// 2 "Nur Quelle".
bool OrphanColumnEnabled(TouchMode mode, int column);

// AgeMode: kind 0..3 in bits 0..1, 4 for "older than the limit". Without a limit the
// reversal is meaningless and is dropped.
uint8_t AgeModeOf(int kind, bool reversed);
int AgeKindOf(uint8_t ageMode);
bool AgeReversedOf(uint8_t ageMode);
// "Alter umdrehen" is usable only with a limit.
bool AgeReverseEnabled(int kind);
// Captions of the three limit radio buttons and the bracket prefix of the relative date.
struct AgeCaptions
{
    std::string Relative, Absolute, LastRun, DatePrefix;
};
AgeCaptions AgeCaptionsOf(bool reversed);
// "Tag alt" for one day, "Tage alt" otherwise.
std::string DayUnitText(int days);

// A check box with a number beside it, stored as one integer with 0 for "off"
// (midnight question, size check).
struct CheckedNumber
{
    bool Checked = false;
    int Number = 0;
};
// Loading: 0 leaves the box unchecked and the number at its default.
CheckedNumber CheckedNumberOf(int stored, int defaultNumber);
int StoredCheckedNumber(bool checked, int number);
inline constexpr int kMidnightDefault = 2, kMidnightMin = 1, kMidnightMax = 23;
inline constexpr int kCheckSizesDefault = 3, kCheckSizesMin = 2, kCheckSizesMax = 99;

// The applications offered for "Laufen, wenn diese Anwendung beendet wird:": the fixed list
// plus `appName` when it is neither empty nor there already, sorted.
std::vector<std::string> ApplicationChoices(const std::string& appName);

// Item texts of the shutdown combos.
std::vector<std::string> ShutdownItemTexts();

}  // namespace verdal
