#pragma once

#include <string>
#include <vector>

#include "dialogs/SourceRules.h"
#include "settings/StringList.h"

namespace verdal {

// The value rules of the batch dialog.

// Moves `from` to `to` as a list box does: take the item out, then insert it at `to`.
void MoveItem(std::vector<cStringList::Item>& items, int from, int to);

// Reordering by drop: the selected rows (ascending) go to `target`, target + 1, ... when the
// first of them lies at or after the target, else, last first, to target, target - 1, ...
// Each carries its condition. Returns the rows the moved entries now stand on, ascending.
std::vector<int> MoveRowsForDrop(std::vector<cStringList::Item>& items,
                                 const std::vector<int>& selected, int target);

// The drop target: the row under the mouse, or the last row below the rows (-1 = none).
int DropTargetRow(int rowUnderMouse, int rowCount);

// A profile entry split for display: the folder (with its trailing separator) and the name.
struct ProfileEntryParts
{
    std::string Folder, Name;
};
ProfileEntryParts SplitProfileEntry(const std::string& entry);

// The drive and directory the dialog starts in: those of the first entry's folder, else
// drive "C:" and "\". A folder whose mount does not answer in time is taken below "/".
DrivePath StartDriveAndDirectory(const cStringList& profiles);

// The names of the profile files (*.vrd, any case) in `folder`, sorted; folders left out. The
// folder is read with a bounded wait: a dead mount gives an empty list.
std::vector<std::string> ProfileFilesIn(const std::string& folder);

// The full path of `name` in `folder`; a name that is a full path already stays as it is.
std::string ProfilePath(const std::string& folder, const std::string& name);

}  // namespace verdal
