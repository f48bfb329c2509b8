#pragma once

#include <QString>
#include <functional>

#include "dialogs/SmallDialogRules.h"

class QWidget;

namespace verdal {

// The switches of an external viewer mean something only for viewer kinds 1 to 4.
inline bool SwitchesEnabled(int viewerKind)
{
    return viewerKind != 0;
}

// The file dialogs of the log windows, replaceable so that tests answer them. Empty = cancelled.
struct LogFileDialogs
{
    // Open: an existing file; Name: any name, no overwrite question; Save: with the question.
    enum class Mode { Open, Name, Save };
    static std::function<QString(QWidget* parent, Mode mode, const QString& title,
                                 const BrowseStart& start, const QString& filter,
                                 const QString& defaultSuffix)>
        Choose;
};

// The filter of log files in every file dialog of the log windows.
QString LogFileFilter();

}  // namespace verdal
