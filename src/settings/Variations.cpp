#include <string>

#include "platform/ChangeWait.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/SystemInfo.h"
#include "platform/WinError.h"
#include "settings/GermanFormat.h"
#include "settings/Macros.h"
#include "settings/Parameters.h"
#include "settings/Validation.h"

namespace verdal {
namespace {

constexpr size_t kShortNameLength = 8;
constexpr int kSettleMilliseconds = 1000;

std::string ShortenedIf(bool eightThree, const std::string& name)
{
    return eightThree ? FirstCharacters(name, kShortNameLength) : name;
}

std::string DateName(TDateTime day, bool eightThree)
{
    return RemoveInvalidFileNameChars(eightThree ? "A" + FormatDateTime("ddmmyy", day)
                                                 : FormatDateTime("dddddd", day));
}

std::string WeekdayName(TDateTime day, bool eightThree)
{
    return ShortenedIf(eightThree, RemoveInvalidFileNameChars(FormatDateTime("dddd", day)));
}

std::string ParityName(TDateTime day)
{
    return DecodeDateTime(day).Day % 2 ? "Ungerade" : "Gerade";
}

// The user name becomes a directory name, so a name that could leave the destination
// directory (a separator, "." or "..") counts as unknown.
std::string UserDirectoryName(bool eightThree)
{
    const std::string name = ShortenedIf(eightThree, RemoveInvalidFileNameChars(UserName()));
    if (name.empty() || name == "." || name == "..") {
        return eightThree ? "Unbkannt" : "Unbekannter Benutzer";
    }
    return name;
}

// Renames one generation directory and gives a slow drive time to show the change before the
// next rename. A failed rename changed nothing, so there is nothing to wait for.
void RenameGeneration(const std::string& root, const std::string& from, const std::string& to)
{
    cChangeWatch watch(root);
    if (RenameNoReplace(from, to) == kErrSuccess) {
        watch.Wait(kSettleMilliseconds);
    }
}

// Oldest generation becomes the newest: Vater -> Grossvater, Sohn -> Vater, Enkel -> Sohn,
// Grossvater -> Enkel. Missing generations make their renames fail, which is fine.
void RotateGenerations(const std::string& drive, const std::string& dir, bool eightThree)
{
    std::string root;
    if (BuildNativePath(drive, dir, {}, root) != kErrSuccess) {
        return;
    }
    const auto path = [&](const char* name) { return JoinNativePath(root, {}, name); };
    const std::string grandfather = path(eightThree ? "Grossvtr" : "Grossvater");
    const std::string father = path("Vater");
    const std::string son = path("Sohn");
    const std::string grandson = path("Enkel");
    RenameGeneration(root, father, grandfather);
    RenameGeneration(root, son, father);
    RenameGeneration(root, grandson, son);
    RenameGeneration(root, grandfather, grandson);
}

// The subdirectory a variation adds to `dir`, or `dir` itself; false for an unknown variation.
bool VariedDirectory(const cParameters& params, const std::string& dir, std::string& base)
{
    const TDateTime day = Today() - params.MidnightShift;
    switch (params.Variation) {
        case 0:
            base = dir;
            return true;
        case 1:
            base = dir + DateName(day, params.EightThree) + "\\";
            return true;
        case 2:
            base = dir + WeekdayName(day, params.EightThree) + "\\";
            return true;
        case 3:
            base = dir + ParityName(day) + "\\";
            return true;
        case 4:
            base = dir + "Enkel\\";
            return true;
        case 5:
            base = dir + UserDirectoryName(params.EightThree) + "\\";
            return true;
        default:
            return false;
    }
}

}  // namespace

void cParameters::MakeDestinationBase()
{
    const std::string dir = ExpandMacros(DestinationDirectory);
    if (Variation == 4) {
        RotateGenerations(ExpandMacros(DestinationDrive), dir, EightThree);
    }
    std::string base;
    if (VariedDirectory(*this, dir, base)) {
        DestinationBase = base;
    }
}

std::string PreviewDestinationBase(const cParameters& params)
{
    const std::string dir = ExpandMacros(params.DestinationDirectory);
    std::string base = dir;
    VariedDirectory(params, dir, base);
    return base;
}

}  // namespace verdal
