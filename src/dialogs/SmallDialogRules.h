#pragma once

#include <QString>
#include <string>

namespace verdal {

// Rules of the small dialogs, without widgets.

// `text` with `variable` inserted at `caret`; `caret` moves behind the insertion.
QString InsertAtCaret(const QString& text, int& caret, const QString& variable);

// Where a file dialog starts for the path in a field: the folder up to the last "/" and the
// name after it; nothing when the text holds a character no path may hold (" < > |).
struct BrowseStart
{
    QString Directory;
    QString Name;
};
BrowseStart BrowseStartOf(const QString& text);

// The launcher file of a document in `folder`: the document's file name + ".desktop".
std::string LauncherPath(const std::string& folder, const std::string& documentPath);
// The launcher's arguments: the document path quoted, " /mute" after it in mute mode.
std::string LauncherArguments(const std::string& documentPath, bool mute);

// The system line of the about box: "Linux Version 6.1 Build 0 Debian GNU/Linux 12
// (bookworm) (x86_64)" from the kernel release "6.1.0-18-amd64", the product and machine.
QString SystemLine(const QString& kernelType, const QString& kernelRelease, const QString& product,
                   const QString& machine);

}  // namespace verdal
