#pragma once

#include <map>
#include <string>
#include <vector>

namespace verdal {

// The program's options file "Verdal50.ini": where it is, and the sections that are not option
// groups of cParameters (those move with cParameters::ReadOptions / WriteOptions).
// Every read opens the file afresh and every write changes it at once, atomically; failures to
// write are swallowed, a missing file or key gives the defaults.

inline constexpr const char* kOptionsFileName = "Verdal50.ini";

// Path of the options file: the one set with SetOptionsFilePath; else "Verdal50.ini" beside the
// executable when one stands there (portable use); else $XDG_CONFIG_HOME/verdal/Verdal50.ini
// (default ~/.config/verdal/).
std::string OptionsFilePath();
// Overrides the location (verdal-run --ini, tests); an empty path restores the rule above.
void SetOptionsFilePath(const std::string& path);
// The options file's folder, ending with "/".
std::string OptionsDirectory();
// The default log file: "Log.txt" in the options file's folder.
std::string DefaultLogFileName();

// Size of the primary screen in pixels, for the default places of the centred windows
// (info and progress window). 1024 x 768 until the front end sets it.
void SetPrimaryScreenSize(int width, int height);

// Single values of any section, for controls that keep their own state in the options file.
std::string ReadOptionString(const std::string& section, const std::string& key,
                             const std::string& def = {});
int ReadOptionInt(const std::string& section, const std::string& key, int def);
void WriteOptionString(const std::string& section, const std::string& key,
                       const std::string& value);
void WriteOptionInt(const std::string& section, const std::string& key, int value);

// Drives added by hand to a drive list: section "Drive Lists", key prefix + "Count" and
// prefix + "1", prefix + "2", ... ("Src", "Dest").
std::vector<std::string> ReadDriveHistory(const std::string& prefix);
void WriteDriveHistory(const std::string& prefix, const std::vector<std::string>& drives);

// Section "Drive Letters": which native directory a drive letter stands for, as lines such as
// "C:=/" or "D:=/media/anna/STICK". "C:" is "/" unless the section says otherwise; an empty
// value removes a letter; letters must be A..Z and roots absolute paths.
std::map<char, std::string> ReadDriveLetters();
// Reads the drive letters and hands them to the platform layer's path mapping.
void ApplyDriveLetters();

}  // namespace verdal
