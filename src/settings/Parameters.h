#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/Clock.h"
#include "platform/FileStamp.h"
#include "settings/StringList.h"

namespace verdal {

struct SummaryNode;

// Font style set of the viewer font: bit 0 bold, bit 1 italic, bit 2 underline, bit 3 strike-out.
struct FontStyles
{
    bool Bold = false, Italic = false, Underline = false, StrikeOut = false;
    bool operator==(const FontStyles&) const = default;
};
FontStyles FontStyleFromInt(int value);
int FontStyleToInt(const FontStyles& styles);

// Display settings of the review list.
struct cOverviewParameters
{
    bool OpenFolders = true;
    bool OneLineRows = false;
    bool FilterSizes = false;
    bool FilterDoubleChange = false;
    bool FilterPropertiesOnly = false;
    // Block 1, Block 2, Forward, Skip, Delete, Backward.
    std::array<bool, 6> SystemColor{};
    std::array<uint32_t, 6> Colors{0xFFFFFF, 0xF0F0F0, 0x008000, 0x008080, 0x0000FF, 0x800000};
    bool AlwaysShowPaths = true;
    std::string ListFontName = "MS Sans Serif";
    int ListFontSize = 8;

    bool operator==(const cOverviewParameters&) const = default;
};

// The run log and its delivery.
struct cLogParameters
{
    bool Active = true;
    std::string Filename;
    int DateTimeMode = 1;
    int FileInfoMode = 2;
    bool Daily = false;
    bool Append = true;
    bool SkipNormal = false;
    bool Viewer1 = false, Email1 = false, Printer1 = false;
    bool Viewer2 = false, Email2 = false, Printer2 = false;
    int ViewerKind = 0;
    std::string OtherViewer;
    std::string ViewerSwitches;
    std::string SenderName, SenderAddress;
    std::string Recipient1Name, Recipient1Address;
    std::string Recipient2Name, Recipient2Address;
    std::string Recipient3Name, Recipient3Address;
    std::string SubjectPrefix;
    std::string SmtpServer;
    bool AsAttachment = false;
    std::string PrinterName;
    std::string PrintFontName = "Courier New";
    int PrintFontSize = 9;
    std::string CurrentLogFile;

    // Fills in the defaults: Filename = the default log file, PrinterName = the printer
    // selected at the moment (DefaultPrinterName).
    void Reset();
    // Computes CurrentLogFile from Filename and Daily, with date macros expanded.
    void MakeCurrentLogFile();

    bool operator==(const cLogParameters&) const = default;
};

// The open batch file.
struct cBatchParameters
{
    cStringList Profiles{false};  // value = continuation condition 0/1/2
    bool OverrideWarnings = false;
    uint8_t WarningFlags = 0;
    bool RunAfterOpen = false;
    bool HookShutdown = false;
    bool BeepAfterRun = false;
    bool ExitAfterRun = false;
    int ShutdownMode = 0;
    bool MinimizeToTray = false;
    cStringList Schedule{false};

    bool operator==(const cBatchParameters&) const = default;
};

// Section "Program Options" of the options file.
struct cProgrammParameters
{
    bool Splash = true;
    bool Reopen = false;
    std::string LastFile;
    bool Tooltips = true;
    std::string CompareA;
    std::string CompareB = "%1 %2";

    bool operator==(const cProgrammParameters&) const = default;
};

// A window's restored rectangle in screen pixels.
struct cWindowPos
{
    int16_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool Maximized = false;

    bool operator==(const cWindowPos&) const = default;
};

// Indices into cParameters::WindowPositions.
enum WindowIndex {
    kWinMain = 0,
    kWinNetBrowser,
    kWinLogViewer,
    kWinProfile,
    kWinInfo,
    kWinOverview,
    kWinPrint,
    kWinCopy,
    kWindowCount
};

// Summary tree nodes recorded for the groups of the settings summary.
struct SummaryGroups
{
    SummaryNode* Source = nullptr;
    SummaryNode* Destination = nullptr;
    SummaryNode* Options = nullptr;
    SummaryNode* Overview = nullptr;
    SummaryNode* Log = nullptr;
    SummaryNode* Batch = nullptr;
    SummaryNode* Scheduler = nullptr;
    // The children of Options, one per page of the options dialog: range, directories, age,
    // orphans, sorting, checks, warnings, automation, miscellaneous.
    std::array<SummaryNode*, 9> OptionPages{};
};

// The one settings object: the open document (profile or batch file), the program options
// and lists of the options file, and a few run-time values.
class cParameters
{
public:
    cParameters();

    // Document identity and state.
    std::string FileName = "<unbenannt>";
    uint8_t FileKind = 0;  // 0 profile, 1 batch file
    bool OldFormat = false;
    bool Untitled = true;
    bool Modified = false;

    // Source and destination.
    std::string SourceDrive;
    cStringList SearchDirectories{true};
    cStringList ExcludeDirectories{true};
    cStringList CompareFiles{true};
    cStringList EnforceFiles{true};
    cStringList DeleteFiles{true};
    cStringList ExcludeFiles{true};
    std::string DestinationDrive;
    std::string DestinationDirectory = "\\";
    uint8_t Variation = 0;
    bool EightThree = false;
    std::string DiskLabel;
    bool OfferFormat = false;
    bool EjectDisk = false;

    // Options (also keys of section "Options" of the options file).
    bool TouchSrc = true;
    bool TouchDest = true;
    int Attributes = 0;
    bool ShortenPaths = true;
    bool CreateSrcDirs = true;
    bool CreateDestDirs = true;
    bool DeleteEmptySrcDirs = false;
    bool DeleteEmptyDestDirs = false;
    bool CreateAllSrcDirs = false;
    bool CreateAllDestDirs = false;
    bool TransferDirProperties = false;
    uint8_t AgeMode = 0;
    int RelativeAge = 0;
    int AbsoluteAge = 0;
    uint8_t OrphanModeD1 = 0;
    uint8_t OrphanModeD2 = 1;
    uint8_t OrphanModeB = 4;
    uint8_t OrphanModeS1 = 3;
    uint8_t OrphanModeS2 = 1;
    bool ListSkip = false;
    bool EnforceBackward = false;
    uint8_t SortingMode = 0;
    bool ReverseOrder = false;
    int MidnightHours = 2;
    bool ShowOverview = true;
    int CheckSizes = 3;
    bool CompareProperties = false;
    bool Verify = false;
    bool BrowseNetwork = false;
    bool DiskInfo = false;
    int TimeDifference = 2;
    bool IgnoreDST = true;
    bool UseUTC = false;
    uint8_t Warnings = 0x55;
    bool AutoOpen = false;
    bool AutoApp = false;
    std::string AppName;
    bool AutoSense = false;
    bool AutoHook = false;
    bool AutoBeep = false;
    bool AutoExit = false;
    int AutoShutdown = 0;
    bool MyCopy = true;
    bool TransferPermissions = false;
    bool TransferOwner = false;
    bool Recycle = true;
    bool TrayIcon = false;
    int NotebookPage = 0;

    // Other document data.
    cStringList Schedule{false};
    // Start of the last successful run: local time (shown, and kept for older readers) and
    // UTC (compared); and its end by the system clock, UTC, after which a file's change time
    // means a change.
    FileTime LastUpdate = 0;
    FileTime LastUpdateUtc = 0;
    FileTime LastRunEndUtc = 0;

    // Program-wide data kept only in the options file.
    std::string ViewerFontName = "System";
    int ViewerFontSize = 10;
    FontStyles ViewerFontStyle;
    std::array<std::string, 10> OldFiles;         // indices 1..9 used
    std::array<std::string, 13> TopProfiles;      // indices 1..12 used
    std::array<std::string, 13> TopDescriptions;  // indices 1..12 used
    std::array<cWindowPos, kWindowCount> WindowPositions;
    int OSVersion = 3;
    bool Metric = true;

    cOverviewParameters Overview;
    cLogParameters Log;
    cBatchParameters Batch;
    cProgrammParameters Programm;

    // Run-time values.
    double MidnightShift = 0.0;   // days subtracted from today for date macros
    std::string DestinationBase;  // computed by MakeDestinationBase
    SummaryGroups Groups;         // recorded by BuildSummary

    // Fills in the defaults, in the documented order (reads option groups 1, 2, 3).
    void Reset();

    // Document files: profile or batch file by FileKind / by the file's first line.
    bool LoadFromFile(const std::string& path);
    bool SaveToFile(const std::string& path);

    // Options file groups and last-run times.
    void ReadOptions(int group);
    void WriteOptions(int group);
    void ReadLastUpdate(const std::string& path);
    void WriteLastUpdate(const std::string& path);

    // Applies the destination variation; the result is DestinationBase.
    void MakeDestinationBase();
};

// The directory relative to the destination drive that a run started now would use, without
// the renames of the generation rotation (for a preview while the user edits the profile).
std::string PreviewDestinationBase(const cParameters& params);

// The one instance of the running program (created on first use).
cParameters& Params();

// The name of the printer selected at the moment, for the log's PrinterName. The core has no
// printers of its own: the front end installs a source; without one the name is empty.
std::string DefaultPrinterName();
void SetDefaultPrinterSource(std::function<std::string()> source);

}  // namespace verdal
