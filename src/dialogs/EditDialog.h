#pragma once

#include <QDialog>

namespace verdal {

class cParameters;

// The one way a settings dialog edits a profile: LoadFrom copies the fields in, the dialog runs
// modally, and only OK copies them back with SaveTo (which sets Modified). True on OK.
template <typename TDialog>
bool EditInDialog(TDialog& dialog, cParameters& params)
{
    dialog.LoadFrom(params);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    dialog.SaveTo(params);
    return true;
}

}  // namespace verdal
