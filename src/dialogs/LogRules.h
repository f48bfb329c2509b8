#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace verdal {

// Where a "..." button's file dialog starts: the folder and the preselected name taken from the
// text in the field. A text with one of `" < > |` gives neither.
struct BrowseStart
{
    QString Directory;
    QString Name;
};
BrowseStart BrowseStartOf(const QString& text);

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
