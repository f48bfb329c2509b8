#include "settings/Parameters.h"

#include <utility>

#include "platform/AppPaths.h"
#include "platform/Paths.h"
#include "platform/SystemInfo.h"
#include "settings/GermanFormat.h"
#include "settings/Macros.h"
#include "settings/OptionsFile.h"

namespace verdal {
namespace {

std::function<std::string()>& PrinterSource()
{
    static std::function<std::string()> source;
    return source;
}

// FILETIME of 1990-01-01 00:00, the "never run" value of LastUpdate.
constexpr FileTime kLastUpdateDefault = 122756256000000000ULL;

// The system measurement setting: LC_MEASUREMENT 2 (US customary) is the only non-metric one.
bool LocaleIsMetric()
{
    for (const char* name : {"LC_ALL", "LC_MEASUREMENT", "LANG"}) {
        const std::optional<std::string> value = GetEnvironment(name);
        if (value && !value->empty()) {
            return !value->starts_with("en_US") && !value->starts_with("es_US");
        }
    }
    return true;
}

}  // namespace

cParameters::cParameters() = default;

cParameters& Params()
{
    static cParameters instance;
    return instance;
}

std::string DefaultPrinterName()
{
    return PrinterSource() ? PrinterSource()() : std::string();
}

void SetDefaultPrinterSource(std::function<std::string()> source)
{
    PrinterSource() = std::move(source);
}

FontStyles FontStyleFromInt(int value)
{
    return {(value & 1) != 0, (value & 2) != 0, (value & 4) != 0, (value & 8) != 0};
}

int FontStyleToInt(const FontStyles& styles)
{
    return (styles.Bold ? 1 : 0) | (styles.Italic ? 2 : 0) | (styles.Underline ? 4 : 0) |
           (styles.StrikeOut ? 8 : 0);
}

void cParameters::Reset()
{
    FileName = "<unbenannt>";
    OldFormat = false;

    ReadOptions(1);
    ReadOptions(2);
    ReadOptions(3);

    // The Windows directory's drive; on Linux the root file system.
    SourceDrive = "/";

    for (cStringList* list : {&SearchDirectories, &ExcludeDirectories, &CompareFiles, &EnforceFiles,
                              &DeleteFiles, &ExcludeFiles}) {
        list->Clear();
    }
    CompareFiles.Add("*.*");

    DestinationDrive = DriveOfPath(CurrentDirectory());
    DestinationDirectory = "\\";
    Variation = 0;
    EightThree = false;
    DiskLabel.clear();
    OfferFormat = false;
    EjectDisk = false;

    Overview = cOverviewParameters();
    Log.Reset();

    Schedule.Clear();
    Batch.Profiles.Clear();
    Batch.Schedule.Clear();

    Programm = cProgrammParameters();
    LastUpdate = kLastUpdateDefault;
    LastUpdateUtc = 0;
    LastRunEndUtc = 0;
    OSVersion = DetectOS().Code;
    Metric = LocaleIsMetric();

    Untitled = true;
    Modified = false;
}

void cLogParameters::Reset()
{
    *this = cLogParameters();
    Filename = DefaultLogFileName();
    PrinterName = DefaultPrinterName();
}

void cLogParameters::MakeCurrentLogFile()
{
    std::string name = Filename;
    if (Daily) {
        // The extension begins at the last dot after the last path separator.
        const size_t separator = name.find_last_of("\\/:");
        const size_t dot = name.rfind('.');
        const bool hasExtension =
            dot != std::string::npos && (separator == std::string::npos || dot > separator);
        const size_t cut = hasExtension ? dot : name.size();
        name = name.substr(0, cut) + " vom " + FormatDateTime("dddddd", Today()) + name.substr(cut);
    }
    CurrentLogFile = ExpandMacros(name);
}

}  // namespace verdal
