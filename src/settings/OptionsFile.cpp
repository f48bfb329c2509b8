#include "settings/OptionsFile.h"

#include <cctype>
#include <climits>
#include <cstdint>
#include <limits>

#include "platform/AppPaths.h"
#include "platform/Clock.h"
#include "platform/FileIO.h"
#include "platform/FileTimes.h"
#include "platform/Paths.h"
#include "platform/TextCase.h"
#include "platform/WinError.h"
#include "settings/IniFile.h"
#include "settings/Parameters.h"

namespace verdal {
namespace {

std::string g_optionsPath;  // empty = not yet resolved
int g_screenWidth = 1024;
int g_screenHeight = 768;

constexpr const char* kDriveListsSection = "Drive Lists";
constexpr const char* kDriveLettersSection = "Drive Letters";
constexpr const char* kLastUpdateSection = "Last Update";
// Keys of the UTC stamps: the profile's full path followed by these.
const std::string kUtcSuffix = " UTC";
const std::string kEndUtcSuffix = " End UTC";

// Moves the values of one group between the options file and their fields: reading fills each
// field from the file or with its default, writing stores the field. Each group's keys are
// listed once, in file order, and serve both directions.
class cGroupIo
{
public:
    cGroupIo(cIniFile& ini, bool reading) : ini_(ini), reading_(reading) {}

    bool Reading() const { return reading_; }
    void Section(std::string name) { section_ = std::move(name); }

    void Bool(const std::string& key, bool& field, bool def)
    {
        if (reading_) {
            field = ini_.GetBool(section_, key, def);
        } else {
            ini_.SetBool(section_, key, field);
        }
    }
    void Int(const std::string& key, int& field, int def) { Number(key, field, def); }
    // Byte fields and window coordinates: a hand-edited value outside their range reads as
    // the default rather than being cut to fit.
    void Byte(const std::string& key, uint8_t& field, uint8_t def) { Number(key, field, def); }
    void Short(const std::string& key, int16_t& field, int16_t def) { Number(key, field, def); }
    void String(const std::string& key, std::string& field, const std::string& def = {})
    {
        if (reading_) {
            field = ini_.GetString(section_, key, def);
        } else {
            ini_.SetString(section_, key, field);
        }
    }

private:
    template <typename T>
    void Number(const std::string& key, T& field, T def)
    {
        if (reading_) {
            field = static_cast<T>(ini_.GetInt(section_, key, def, std::numeric_limits<T>::min(),
                                               std::numeric_limits<T>::max()));
        } else {
            ini_.SetInt(section_, key, field);
        }
    }

    cIniFile& ini_;
    bool reading_;
    std::string section_;
};

void TransferProgramOptions(cGroupIo& io, cProgrammParameters& p)
{
    io.Section("Program Options");
    io.Bool("Splash", p.Splash, true);
    io.Bool("Reopen", p.Reopen, false);
    io.String("LastFile", p.LastFile);
    io.Bool("Tooltips", p.Tooltips, true);
    io.String("CompareA", p.CompareA);
    io.String("CompareB", p.CompareB, "%1 %2");
}

void TransferOptionsPart1(cGroupIo& io, cParameters& p)
{
    io.Bool("TouchSrc", p.TouchSrc, true);
    io.Bool("TouchDest", p.TouchDest, true);
    io.Int("Attributes", p.Attributes, 0);
    io.Bool("ShortenPaths", p.ShortenPaths, true);
    io.Bool("CreateSrcDirs", p.CreateSrcDirs, true);
    io.Bool("CreateDestDirs", p.CreateDestDirs, true);
    io.Bool("DeleteEmptySrcDirs", p.DeleteEmptySrcDirs, false);
    io.Bool("DeleteEmptyDestDirs", p.DeleteEmptyDestDirs, false);
    io.Bool("CreateAllSrcDirs", p.CreateAllSrcDirs, false);
    io.Bool("CreateAllDestDirs", p.CreateAllDestDirs, false);
    io.Bool("TransferDirProperties", p.TransferDirProperties, false);
    io.Byte("AgeMode", p.AgeMode, 0);
    io.Int("RelativeAge", p.RelativeAge, 0);
    io.Int("AbsoluteAge", p.AbsoluteAge, static_cast<int>(Today()));
    io.Byte("OrphanModeD1", p.OrphanModeD1, 0);
    io.Byte("OrphanModeD2", p.OrphanModeD2, 1);
    io.Byte("OrphanModeB", p.OrphanModeB, 4);
    io.Byte("OrphanModeS1", p.OrphanModeS1, 3);
    io.Byte("OrphanModeS2", p.OrphanModeS2, 1);
    io.Bool("ListSkip", p.ListSkip, false);
    io.Bool("EnforceBackward", p.EnforceBackward, false);
    io.Byte("SortingMode", p.SortingMode, 0);
    io.Bool("ReverseOrder", p.ReverseOrder, false);
    io.Int("MidnightHours", p.MidnightHours, 2);
    io.Bool("ShowOverview", p.ShowOverview, true);
    io.Int("CheckSizes", p.CheckSizes, 3);
    // Older versions stored 1 for "check sizes" before the factor existed.
    if (io.Reading() && p.CheckSizes == 1) {
        p.CheckSizes = 5;
    }
    io.Bool("CompareProperties", p.CompareProperties, false);
    io.Bool("Verify", p.Verify, false);
    io.Byte("Warnings", p.Warnings, 0x55);
}

void TransferOptionsPart2(cGroupIo& io, cParameters& p)
{
    io.Bool("AutoOpen", p.AutoOpen, false);
    io.Bool("AutoApp", p.AutoApp, false);
    io.String("AppName", p.AppName);
    io.Bool("AutoSense", p.AutoSense, false);
    io.Bool("AutoHook", p.AutoHook, false);
    io.Bool("AutoBeep", p.AutoBeep, false);
    io.Bool("AutoExit", p.AutoExit, false);
    io.Int("AutoShutdown", p.AutoShutdown, 0);
    io.Bool("BrowseNetwork", p.BrowseNetwork, false);
    io.Bool("DiskInfo", p.DiskInfo, false);
    io.Int("TimeDifference", p.TimeDifference, 2);
    io.Bool("IgnoreDST", p.IgnoreDST, true);
    io.Bool("UseUTC", p.UseUTC, false);
    io.Bool("MyCopy", p.MyCopy, true);
    io.Bool("TransferPermissions", p.TransferPermissions, false);
    io.Bool("TransferOwner", p.TransferOwner, false);
    io.Bool("Recycle", p.Recycle, true);
    io.Bool("TrayIcon", p.TrayIcon, false);
    io.Int("NotebookPage", p.NotebookPage, 0);
}

void TransferTopTwelve(cGroupIo& io, cParameters& p)
{
    io.Section("Top Twelve");
    for (int i = 1; i <= 12; ++i) {
        io.String("Description" + std::to_string(i), p.TopDescriptions[i]);
        io.String("Profile" + std::to_string(i), p.TopProfiles[i]);
    }
}

void TransferOldFiles(cGroupIo& io, cParameters& p)
{
    io.Section("Old Files");
    for (int i = 1; i <= 9; ++i) {
        io.String("File" + std::to_string(i), p.OldFiles[i]);
    }
}

struct WindowDefaults
{
    const char* Section;
    int16_t Left, Top, Right, Bottom;
    // Windows centred on the screen keep only their top-left corner; these are their sizes.
    int CentredWidth, CentredHeight;
};

constexpr WindowDefaults kWindowDefaults[kWindowCount] = {
    {"Main Window", 100, 10, 540, 470, 0, 0},   {"NetBrowser Dialog", 160, 60, 480, 420, 0, 0},
    {"Viewer Dialog", 160, 60, 480, 420, 0, 0}, {"Profile Window", 160, 60, 480, 420, 0, 0},
    {"Info Window", 0, 0, 0, 0, 408, 121},      {"List Dialog", 0, 0, 480, 640, 0, 0},
    {"Hardcopy Dialog", 0, 0, 480, 640, 0, 0},  {"Copy Window", 0, 0, 0, 0, 640, 258},
};

void TransferViewerFont(cGroupIo& io, cParameters& p)
{
    io.String("FontName", p.ViewerFontName, "System");
    io.Int("FontSize", p.ViewerFontSize, 10);
    int style = FontStyleToInt(p.ViewerFontStyle);
    io.Int("FontStyle", style, 0);
    p.ViewerFontStyle = FontStyleFromInt(style);
}

void TransferWindow(cGroupIo& io, cParameters& p, int index)
{
    const WindowDefaults& d = kWindowDefaults[index];
    cWindowPos& w = p.WindowPositions[index];
    io.Section(d.Section);
    if (d.CentredWidth != 0) {
        io.Short("Left", w.Left, static_cast<int16_t>((g_screenWidth - d.CentredWidth) / 2));
        io.Short("Top", w.Top, static_cast<int16_t>((g_screenHeight - d.CentredHeight) / 2));
        return;
    }
    io.Short("Left", w.Left, d.Left);
    io.Short("Top", w.Top, d.Top);
    io.Short("Right", w.Right, d.Right);
    io.Short("Bottom", w.Bottom, d.Bottom);
    io.Bool("Maximized", w.Maximized, false);
    if (index == kWinLogViewer) {
        TransferViewerFont(io, p);
    }
}

// Returns false for numbers that name no group.
bool TransferGroup(cGroupIo& io, cParameters& p, int group)
{
    switch (group) {
        case 0:
            TransferProgramOptions(io, p.Programm);
            return true;
        case 1:
            io.Section("Options");
            TransferOptionsPart1(io, p);
            TransferOptionsPart2(io, p);
            return true;
        case 2:
            TransferTopTwelve(io, p);
            return true;
        case 3:
            TransferOldFiles(io, p);
            return true;
        default:
            if (group >= 5 && group <= 12) {
                TransferWindow(io, p, group - 5);
                return true;
            }
            return false;
    }
}

// Loads the options file for a change. An existing file that cannot be read is left alone:
// writing it would replace everything in it with the one group being written.
bool LoadForWriting(cIniFile& ini)
{
    // Callers hold OptionsLock(): the file is read afresh and changed in one step, so another
    // instance's keys written meanwhile are kept.
    return ini.Load(OptionsFilePath()) == kErrSuccess;
}

// Serialises the changes of all instances (the window, verdal-run from cron) to the file.
cFileLock OptionsLock()
{
    return cFileLock(OptionsFilePath() + ".lock");
}

std::string LastUpdateKey(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string OptionsFilePath()
{
    if (g_optionsPath.empty()) {
        const std::string portable = ExecutableDirectory() + kOptionsFileName;
        g_optionsPath = RegularFileExists(portable)
                            ? portable
                            : ConfigDirectory() + "verdal/" + kOptionsFileName;
    }
    return g_optionsPath;
}

void SetOptionsFilePath(const std::string& path)
{
    g_optionsPath = path;
}

std::string OptionsDirectory()
{
    const std::string path = OptionsFilePath();
    return path.substr(0, path.rfind('/') + 1);
}

std::string DefaultLogFileName()
{
    return OptionsDirectory() + "Log.txt";
}

void SetPrimaryScreenSize(int width, int height)
{
    g_screenWidth = width;
    g_screenHeight = height;
}

std::string ReadOptionString(const std::string& section, const std::string& key,
                             const std::string& def)
{
    cIniFile ini;
    ini.Load(OptionsFilePath());
    return ini.GetString(section, key, def);
}

int ReadOptionInt(const std::string& section, const std::string& key, int def)
{
    cIniFile ini;
    ini.Load(OptionsFilePath());
    return static_cast<int>(ini.GetInt(section, key, def, INT_MIN, INT_MAX));
}

void WriteOptionString(const std::string& section, const std::string& key, const std::string& value)
{
    const cFileLock lock = OptionsLock();
    cIniFile ini;
    if (LoadForWriting(ini)) {
        ini.SetString(section, key, value);
        ini.Save();
    }
}

void WriteOptionInt(const std::string& section, const std::string& key, int value)
{
    WriteOptionString(section, key, std::to_string(value));
}

std::vector<std::string> ReadDriveHistory(const std::string& prefix)
{
    cIniFile ini;
    ini.Load(OptionsFilePath());
    const long long count = ini.GetInt(kDriveListsSection, prefix + "Count", 0, 0, 1000);
    std::vector<std::string> drives;
    for (long long i = 1; i <= count; ++i) {
        std::string drive = ini.GetString(kDriveListsSection, prefix + std::to_string(i));
        if (!drive.empty()) {
            drives.push_back(std::move(drive));
        }
    }
    return drives;
}

void WriteDriveHistory(const std::string& prefix, const std::vector<std::string>& drives)
{
    const cFileLock lock = OptionsLock();
    cIniFile ini;
    if (!LoadForWriting(ini)) {
        return;
    }
    ini.SetInt(kDriveListsSection, prefix + "Count", static_cast<long long>(drives.size()));
    for (size_t i = 0; i < drives.size(); ++i) {
        ini.SetString(kDriveListsSection, prefix + std::to_string(i + 1), drives[i]);
    }
    ini.Save();
}

std::map<char, std::string> ReadDriveLetters()
{
    std::map<char, std::string> letters{{'C', "/"}};
    cIniFile ini;
    ini.Load(OptionsFilePath());
    for (const std::string& key : ini.Keys(kDriveLettersSection)) {
        const bool isLetter = (key.size() == 1 || (key.size() == 2 && key[1] == ':')) &&
                              std::isalpha(static_cast<unsigned char>(key[0]));
        if (!isLetter) {
            continue;
        }
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(key[0])));
        std::string root = ini.GetString(kDriveLettersSection, key);
        while (root.size() > 1 && root.back() == '/') {
            root.pop_back();
        }
        if (root.empty()) {
            letters.erase(letter);
        } else if (root.front() == '/') {
            letters[letter] = root;
        }
    }
    return letters;
}

void ApplyDriveLetters()
{
    SetDriveLetters(ReadDriveLetters());
}

void cParameters::ReadOptions(int group)
{
    cIniFile ini;
    ini.Load(OptionsFilePath());
    cGroupIo io(ini, true);
    TransferGroup(io, *this, group);
}

void cParameters::WriteOptions(int group)
{
    const cFileLock lock = OptionsLock();
    cIniFile ini;
    if (!LoadForWriting(ini)) {
        return;
    }
    cGroupIo io(ini, false);
    if (TransferGroup(io, *this, group)) {
        ini.Save();
    }
}

void cParameters::ReadLastUpdate(const std::string& path)
{
    cIniFile ini;
    ini.Load(OptionsFilePath());
    const std::string name = LastUpdateKey(path);
    const std::string utcKey = path + kUtcSuffix;
    LastRunEndUtc = static_cast<FileTime>(
        ini.GetInt(kLastUpdateSection, path + kEndUtcSuffix, 0, 0, INT64_MAX));
    if (ini.HasKey(kLastUpdateSection, utcKey)) {
        LastUpdateUtc =
            static_cast<FileTime>(ini.GetInt(kLastUpdateSection, utcKey, 0, 0, INT64_MAX));
        LastUpdate = LastUpdateUtc != 0 ? UtcToLocalFileTime(LastUpdateUtc) : 0;
        return;
    }
    LastUpdateUtc = 0;
    LastUpdate = 0;
    // The name-only stamp belongs to another profile of the same name once that one has its
    // own: taking it over would make this profile's edits look old.
    for (const std::string& key : ini.Keys(kLastUpdateSection)) {
        if (key.size() > name.size() + 1 + kUtcSuffix.size() && key.ends_with(kUtcSuffix) &&
            !key.ends_with(kEndUtcSuffix) &&
            SameTextCI(LastUpdateKey(key.substr(0, key.size() - kUtcSuffix.size())), name)) {
            return;
        }
    }
    // Each half is a signed 32-bit number; its unsigned spelling is accepted as well.
    const auto half = [&](const char* suffix) {
        return static_cast<uint32_t>(
            ini.GetInt(kLastUpdateSection, name + suffix, 0, INT32_MIN, UINT32_MAX));
    };
    LastUpdate = (static_cast<FileTime>(half(" Hi")) << 32) | half(" Lo");
    // A local stamp of an older version: made UTC with today's offset, the best there is.
    if ((LastUpdate >> 32) != 0)
        LastUpdateUtc = LocalToUtcFileTime(LastUpdate);
}

void cParameters::WriteLastUpdate(const std::string& path)
{
    const cFileLock lock = OptionsLock();
    cIniFile ini;
    if (!LoadForWriting(ini)) {
        return;
    }
    // The name-only local pair stays for older versions; this version reads the UTC stamps of
    // the full path.
    const std::string key = LastUpdateKey(path);
    ini.SetInt(kLastUpdateSection, key + " Lo", static_cast<int32_t>(LastUpdate & 0xFFFFFFFFu));
    ini.SetInt(kLastUpdateSection, key + " Hi", static_cast<int32_t>(LastUpdate >> 32));
    ini.SetInt(kLastUpdateSection, path + kUtcSuffix, static_cast<long long>(LastUpdateUtc));
    ini.SetInt(kLastUpdateSection, path + kEndUtcSuffix, static_cast<long long>(LastRunEndUtc));
    ini.Save();
}

}  // namespace verdal
