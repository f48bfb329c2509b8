#pragma once

#include <string>
#include <vector>

namespace verdal {

class cParameters;
class cStringList;

// The value rules of the express setup.

// The masks of a field: pieces between blanks; empty pieces (leading or doubled blanks) are
// skipped rather than ending the list.
std::vector<std::string> SplitMasks(const std::string& text);
// The field text of a list: every mask followed by one blank.
std::string JoinMasks(const cStringList& masks);

// The first search entry as the dialog shows it: the directory, and whether it is searched
// with its subdirectories (a trailing "*", which is taken off; a "*" elsewhere stays).
struct SearchEntry
{
    std::string Directory = "\\";
    bool Subdirectories = false;
};
SearchEntry SearchEntryOf(const cStringList& searchDirectories);
// The entry stored back: "*" appended when asked for and not there already.
std::string SearchEntryText(const SearchEntry& entry);

// The three jobs and the touch flags they set.
enum class ExpressJob { Sync, Backup, Restore };
void SetTouchFlags(cParameters& params, ExpressJob job);
// "Alle anderen Einstellungen automatisch setzen": the fixed values of every other option.
void ApplyExpressDefaults(cParameters& params);

}  // namespace verdal
