#pragma once

#include <string>

namespace verdal {

// The system's MIME database (shared-mime-info): the content type registered for a file
// name's extension ("*.txt" -> "text/plain"), or an empty string when the database has none
// or is missing. The default database is read once and kept.
std::string MimeTypeFromGlobs(const std::string& fileName);
// The same look-up in a given globs2 file (read on every call).
std::string MimeTypeFromGlobs(const std::string& fileName, const std::string& globsPath);

}  // namespace verdal
