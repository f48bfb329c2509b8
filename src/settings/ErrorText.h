#pragma once

#include <string>

namespace verdal {

// German text of a Windows error code or of the program's own codes (1235, 2000 to 2003):
// "Fehler 5 - Datei schreibgeschützt/..." or, for the own codes, their whole text.
std::string ErrorText(int code);

// Text of a batch continuation condition: 0 always, 1 on success, 2 on failure.
std::string ContinuationText(int condition);

}  // namespace verdal
