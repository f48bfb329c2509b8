#pragma once

class QCoreApplication;

namespace verdal {

// Loads Qt's German translation so that standard buttons read "Ja", "Nein", "Abbrechen".
// Returns false when the translation files are not installed.
bool LoadGermanTranslations(QCoreApplication& app);

}  // namespace verdal
