#include "settings/ProfileFile.h"

#include <array>
#include <tuple>
#include <utility>

#include "platform/Clock.h"
#include "platform/TextCase.h"

namespace verdal {
namespace {

// The main block of the current layout; one template for reading and writing keeps the two
// in the same order.
template <class Io, class P>
void MainBlock(Io& io, P& p)
{
    io.String(p.SourceDrive);
    io.List(p.SearchDirectories, "Search directories:");
    io.List(p.ExcludeDirectories, "Exclude directories:");
    io.List(p.CompareFiles, "Compare files:");
    io.List(p.EnforceFiles, "Enforce files:");
    io.List(p.DeleteFiles, "Delete files:");
    io.List(p.ExcludeFiles, "Exclude files:");
    io.String(p.DestinationDrive);
    io.String(p.DestinationDirectory);
    io.Byte(p.Variation);
    io.Empty();
    io.Bool(p.TouchSrc);
    io.Bool(p.TouchDest);
    io.Int(p.Attributes);
    io.Bool(p.ShortenPaths);
    io.Bool(p.CreateSrcDirs);
    io.Bool(p.CreateDestDirs);
    io.Bool(p.DeleteEmptySrcDirs);
    io.Bool(p.DeleteEmptyDestDirs);
    io.Bool(p.TransferDirProperties);
    io.Byte(p.AgeMode);
    io.Int(p.RelativeAge);
    io.Int(p.AbsoluteAge);
    io.Byte(p.OrphanModeD1);
    io.Byte(p.OrphanModeD2);
    io.Byte(p.OrphanModeB);
    io.Byte(p.OrphanModeS1);
    io.Byte(p.OrphanModeS2);
    io.Bool(p.ListSkip);
    io.Bool(p.EnforceBackward);
    io.Byte(p.SortingMode);
    io.Bool(p.ReverseOrder);
    io.Bool(p.ShowOverview);
    io.Int(p.CheckSizes);
    io.Bool(p.BrowseNetwork);
    io.Bool(p.DiskInfo);
    io.Empty();
    io.Int(p.TimeDifference);
    io.Bool(p.UseUTC);
    io.Byte(p.Warnings);
    io.Bool(p.AutoOpen);
    io.Bool(p.AutoBeep);
    io.Bool(p.AutoExit);
    io.Int(p.AutoShutdown);
    io.Bool(p.AutoHook);
    io.Int(p.NotebookPage);
}

template <class Io, class P>
void OverviewBlock(Io& io, P& p)
{
    auto& o = p.Overview;
    io.Bool(o.OpenFolders);
    io.Bool(o.OneLineRows);
    io.Bool(o.FilterSizes);
    io.Bool(o.FilterDoubleChange);
    for (size_t i = 0; i < o.Colors.size(); ++i) {
        io.Bool(o.SystemColor[i]);
        io.Color(o.Colors[i]);
    }
    io.Bool(o.AlwaysShowPaths);
}

template <class Io, class P>
void LogBlock(Io& io, P& p)
{
    auto& l = p.Log;
    io.Bool(l.Active);
    io.String(l.Filename);
    io.Int(l.DateTimeMode);
    io.Int(l.FileInfoMode);
    io.Bool(l.Daily);
    io.Bool(l.Append);
    io.Bool(l.SkipNormal);
    io.Empty();
    io.Int(l.ViewerKind);
    io.String(l.OtherViewer);
    io.String(l.ViewerSwitches);
}

// The log's delivery switches and mail texts, in file order.
template <class Log>
auto DeliveryFlags(Log& l)
{
    return std::array{&l.Viewer1, &l.Email1, &l.Printer1, &l.Viewer2, &l.Email2, &l.Printer2};
}

template <class Log>
auto MailTexts(Log& l)
{
    return std::array{&l.SenderName,        &l.SenderAddress,     &l.Recipient1Name,
                      &l.Recipient1Address, &l.Recipient2Name,    &l.Recipient2Address,
                      &l.Recipient3Name,    &l.Recipient3Address, &l.SubjectPrefix,
                      &l.SmtpServer};
}

void Missing403(cParameters& p)
{
    p.EightThree = p.CreateAllSrcDirs = p.CreateAllDestDirs = p.TrayIcon = false;
}

void Missing420(cParameters& p)
{
    p.DiskLabel.clear();
    p.OfferFormat = p.EjectDisk = false;
}

void Missing501(cParameters& p)
{
    p.TransferPermissions = true;
    p.MidnightHours = 2;
    p.CompareProperties = p.Overview.FilterPropertiesOnly = false;
}

void Missing502(cParameters& p)
{
    const cOverviewParameters defaults;
    p.Overview.ListFontName = defaults.ListFontName;
    p.Overview.ListFontSize = defaults.ListFontSize;
    p.Recycle = p.IgnoreDST = true;
    p.Verify = p.AutoSense = false;
}

void Missing503(cParameters& p)
{
    p.AutoApp = p.TransferOwner = false;
    p.AppName.clear();
    p.MyCopy = true;
    auto& l = p.Log;
    for (bool* flag : DeliveryFlags(l)) {
        *flag = false;
    }
    for (auto* text : MailTexts(l)) {
        text->clear();
    }
    l.AsAttachment = false;
    l.PrinterName = DefaultPrinterName();
    const cLogParameters defaults;
    l.PrintFontName = defaults.PrintFontName;
    l.PrintFontSize = defaults.PrintFontSize;
}

template <class Io, class P>
void ExtraBlocks(Io& io, P& p)
{
    ExtraDataBlock(
        io, p, "Verdal 4.03 Extra Data",
        [](auto& io, auto& p) {
            io.Bool(p.EightThree);
            io.Bool(p.CreateAllSrcDirs);
            io.Bool(p.CreateAllDestDirs);
            io.Empty();
            io.Bool(p.TrayIcon);
        },
        Missing403);
    ExtraDataBlock(
        io, p, "Verdal 4.20 Extra Data",
        [](auto& io, auto& p) {
            io.String(p.DiskLabel);
            io.Bool(p.OfferFormat);
            io.Bool(p.EjectDisk);
        },
        Missing420);
    ExtraDataBlock(
        io, p, "Verdal 5.01 Extra Data",
        [](auto& io, auto& p) {
            io.Bool(p.TransferPermissions);
            io.Int(p.MidnightHours);
            io.Bool(p.CompareProperties);
            io.Bool(p.Overview.FilterPropertiesOnly);
        },
        Missing501);
    ExtraDataBlock(
        io, p, "Verdal 5.02 Extra Data",
        [](auto& io, auto& p) {
            io.String(p.Overview.ListFontName);
            io.Int(p.Overview.ListFontSize);
            io.Bool(p.Recycle);
            io.Bool(p.Verify);
            io.Bool(p.IgnoreDST);
            io.Bool(p.AutoSense);
        },
        Missing502);
    ExtraDataBlock(
        io, p, "Verdal 5.03 Extra Data",
        [](auto& io, auto& p) {
            auto& l = p.Log;
            io.Bool(p.AutoApp);
            io.String(p.AppName);
            io.Bool(p.MyCopy);
            io.Bool(p.TransferOwner);
            for (auto* flag : DeliveryFlags(l)) {
                io.Bool(*flag);
            }
            for (auto* text : MailTexts(l)) {
                io.String(*text);
            }
            io.Bool(l.AsAttachment);
            io.String(l.PrinterName);
            io.String(l.PrintFontName);
            io.Int(l.PrintFontSize);
        },
        Missing503);
}

template <class Io, class P>
void CurrentLayout(Io& io, P& p)
{
    MainBlock(io, p);
    OverviewBlock(io, p);
    LogBlock(io, p);
    io.ValueList(p.Schedule);
    ExtraBlocks(io, p);
}

// Splits a full path of the old layouts into its drive ("D:" or "\\server\share") and the
// rest.
std::pair<std::string, std::string> SplitDrive(const std::string& path)
{
    size_t length = path.size() < 2 ? path.size() : 2;
    if (path.starts_with("\\\\")) {
        const size_t server = path.find('\\', 2);
        length = server == std::string::npos ? path.size() : path.find('\\', server + 1);
        length = length == std::string::npos ? path.size() : length;
    }
    return {UpperCase(path.substr(0, length)), path.substr(length)};
}

// Old layouts wrote the subdirectory marker as a trailing bullet (byte 149).
std::string FixBullet(std::string path)
{
    constexpr std::string_view kBullet = "\xE2\x80\xA2";
    if (path.ends_with(kBullet)) {
        path.replace(path.size() - kBullet.size(), kBullet.size(), "*");
    }
    return path;
}

// Header line, count, full paths; `drive` (when given) takes the drive of the first path.
void ReadFullPaths(cLineReader& r, cStringList& list, std::string* drive)
{
    cStringList paths;
    r.List(paths, "");
    list.Clear();
    for (int i = 0; i < paths.Count(); ++i) {
        auto [pathDrive, rest] = SplitDrive(FixBullet(paths[i]));
        if (i == 0 && drive != nullptr) {
            *drive = pathDrive;
        }
        list.Add(rest);
    }
}

void ReadSourceLists(cLineReader& r, cParameters& p)
{
    p.SourceDrive = "C:";
    ReadFullPaths(r, p.SearchDirectories, &p.SourceDrive);
    ReadFullPaths(r, p.ExcludeDirectories, nullptr);
    r.List(p.CompareFiles, "");
    p.EnforceFiles.Clear();
    p.DeleteFiles.Clear();
}

void ReadDestination(cLineReader& r, cParameters& p)
{
    std::tie(p.DestinationDrive, p.DestinationDirectory) = SplitDrive(r.NextLine());
    r.Byte(p.Variation);
    p.EightThree = false;
    Missing420(p);
    p.MidnightHours = 2;
}

// Values the old layouts did not have.
void OldFixedValues(cParameters& p)
{
    p.BrowseNetwork = p.DiskInfo = p.UseUTC = false;
    p.TimeDifference = 2;
    p.IgnoreDST = p.MyCopy = p.Recycle = true;
    p.TransferPermissions = p.TransferOwner = p.TrayIcon = false;
    p.NotebookPage = 0;
}

void ReadShowOverview(cLineReader& r, cParameters& p)
{
    const int v = r.NextInt();
    p.ShowOverview = v > 0;
    p.CompareProperties = p.Verify = false;
}

void ReadShortenPaths(cLineReader& r, cParameters& p)
{
    const int v = r.NextInt();
    p.ShortenPaths = v == 0 || v == 2;
}

void ReadTouchMode(cLineReader& r, cParameters& p)
{
    const int v = r.NextInt();
    p.TouchSrc = v > 0;
    p.TouchDest = v < 2;
}

void ReadVersion3Orphans(cLineReader& r, cParameters& p)
{
    const int a = r.NextInt(), b = r.NextInt(), c = r.NextInt(), d = r.NextInt();
    const int e = r.NextInt();
    p.OrphanModeD1 = a == 1 ? 1 : 0;
    p.OrphanModeD2 = b == 2 ? 2 : 1;
    p.OrphanModeB = c == 2 ? 2 : (c == 1 ? 1 : 4);
    p.OrphanModeS1 = d == 1 ? 1 : 3;
    p.OrphanModeS2 = e == 2 ? 2 : 1;
    p.ListSkip = p.EnforceBackward = false;
}

void ReadVersion3Log(cLineReader& r, cParameters& p)
{
    Missing503(p);
    auto& l = p.Log;
    l.Daily = l.SkipNormal = false;
    l.ViewerKind = 0;
    l.OtherViewer.clear();
    l.ViewerSwitches.clear();
    r.Bool(l.Active);
    r.Int(l.DateTimeMode);
    r.Int(l.FileInfoMode);
    r.String(l.Filename);
    r.Bool(l.Append);
    l.Viewer1 = l.Viewer2 = r.NextInt() != 0;
}

void ReadVersion3Overview(cLineReader& r, cParameters& p)
{
    auto& o = p.Overview;
    o = cOverviewParameters();
    o.OneLineRows = r.NextInt() == 1;
    r.Bool(o.FilterSizes);
    r.Bool(o.FilterDoubleChange);
    r.Color(o.Colors[0]);
    r.Color(o.Colors[1]);
    o.AlwaysShowPaths = false;
}

void ReadUnversionedOptions(cLineReader& r, cParameters& p)
{
    ReadShowOverview(r, p);
    r.Byte(p.SortingMode);
    p.ReverseOrder = false;
    ReadShortenPaths(r, p);
    const int age = r.NextInt();
    p.AgeMode = age == 32767 ? 0 : 1;
    if (age != 32767) {
        p.RelativeAge = age;
    }
    p.AbsoluteAge = static_cast<int>(Today());
    const int dirs = r.NextInt();
    p.CreateSrcDirs = p.CreateDestDirs = (dirs & 1) != 0;
    p.DeleteEmptySrcDirs = p.DeleteEmptyDestDirs = (dirs & 2) != 0;
    p.CreateAllSrcDirs = p.CreateAllDestDirs = p.TransferDirProperties = false;
    r.Int(p.CheckSizes);
    if (p.CheckSizes != 0) {
        p.CheckSizes = 5;
    }
    OldFixedValues(p);
    ReadTouchMode(r, p);
    p.DeleteEmptySrcDirs = p.DeleteEmptySrcDirs && p.TouchSrc;
    p.DeleteEmptyDestDirs = p.DeleteEmptyDestDirs && p.TouchDest;
}

void ReadUnversionedBits(cLineReader& r, cParameters& p)
{
    const int v = r.NextInt();
    struct Orphans
    {
        uint8_t D1, D2, B, S1, S2;
    };
    const Orphans o = (v & 1)   ? Orphans{0, 1, 1, 1, 1}
                      : (v & 2) ? Orphans{0, 2, 2, 3, 2}
                                : Orphans{0, 1, 4, 3, 1};
    p.OrphanModeD1 = o.D1;
    p.OrphanModeD2 = o.D2;
    p.OrphanModeB = o.B;
    p.OrphanModeS1 = o.S1;
    p.OrphanModeS2 = o.S2;
    p.ListSkip = p.EnforceBackward = false;
    p.Attributes = ((v & 4) ? 2 : 0) + ((v & 8) ? 4 : 0) + ((v & 16) ? 1 : 0);
    p.Warnings = 0x55;
    p.AutoOpen = p.AutoApp = p.AutoSense = p.AutoHook = p.AutoBeep = p.AutoExit = false;
    p.AutoShutdown = 0;
    p.AppName.clear();
}

}  // namespace

bool ReadCurrentProfile(cLineReader& reader, cParameters& p)
{
    CurrentLayout(reader, p);
    p.FileKind = 0;
    p.OldFormat = false;
    return reader.Ok();
}

std::vector<std::string> ProfileLines(const cParameters& p)
{
    cLineWriter writer;
    writer.Line(kProfileMarker);
    CurrentLayout(writer, p);
    return writer.Lines();
}

bool ReadVersion3Profile(cLineReader& r, cParameters& p)
{
    ReadSourceLists(r, p);
    r.List(p.ExcludeFiles, "");
    ReadDestination(r, p);
    ReadShowOverview(r, p);
    r.Byte(p.SortingMode);
    p.ReverseOrder = r.NextInt() != 0;
    ReadShortenPaths(r, p);
    r.Int(p.Attributes);
    ReadTouchMode(r, p);
    r.Byte(p.AgeMode);
    r.Int(p.RelativeAge);
    r.Int(p.AbsoluteAge);
    ReadVersion3Orphans(r, p);
    r.Byte(p.Warnings);
    r.Bool(p.AutoOpen);
    p.AutoApp = p.AutoSense = p.AutoHook = false;
    p.AppName.clear();
    r.Bool(p.AutoExit);
    r.Int(p.AutoShutdown);
    r.Bool(p.AutoBeep);
    r.Bool(p.CreateSrcDirs);
    r.Bool(p.CreateDestDirs);
    p.CreateAllSrcDirs = p.CreateAllDestDirs = false;
    r.Bool(p.DeleteEmptySrcDirs);
    r.Bool(p.DeleteEmptyDestDirs);
    p.TransferDirProperties = false;
    r.Int(p.CheckSizes);
    OldFixedValues(p);
    ReadVersion3Log(r, p);
    ReadVersion3Overview(r, p);
    p.Schedule.Clear();
    p.FileKind = 0;
    p.OldFormat = true;
    return r.Ok();
}

bool ReadUnversionedProfile(cLineReader& r, cParameters& p)
{
    r.Empty();
    ReadDestination(r, p);
    ReadUnversionedOptions(r, p);
    ReadUnversionedBits(r, p);
    ReadSourceLists(r, p);
    r.List(p.ExcludeFiles, "");
    p.Overview = cOverviewParameters();
    p.Overview.AlwaysShowPaths = false;
    p.Log.Reset();
    p.Log.Filename = "C:\\Log.txt";
    p.Schedule.Clear();
    p.FileKind = 0;
    p.OldFormat = true;
    return r.Ok();
}

}  // namespace verdal
