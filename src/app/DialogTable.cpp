// Every configuration dialog of the main window, one line per command. A command whose dialog
// is not written yet stands here with nullptr: it then says that it is not available.

#include "app/DialogRegistry.h"
#include "dialogs/TOptionsDlg.h"
#include "dialogs/TOverviewDlg.h"
#include "settings/Parameters.h"

namespace verdal {
namespace {

// The options dialog opens on the page asked for; its sub-dialogs edit the document directly.
bool OpenOptions(QWidget* parent, cParameters& params, int page)
{
    TOptionsDlg dialog(parent);
    dialog.SetDocument(&params);
    dialog.LoadFrom(params);
    if (page >= 0) {
        dialog.ShowPage(page);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    dialog.SaveTo(params);
    return true;
}

}  // namespace

void RegisterDialogs(cDialogRegistry& r)
{
    r.Register("EXPRESS SETUP", QStringLiteral("Express-Setup"), nullptr);
    r.Register("SOURCE", QStringLiteral("Quelle"), nullptr);
    r.Register("DESTINATION", QStringLiteral("Ziel"), nullptr);
    r.Register("OPTIONS", QStringLiteral("Optionen"), OpenOptions);
    r.Register("OVERVIEW", QStringLiteral("Übersicht"), OpenModal<TOverviewDlg>);
    r.Register("LOG", QStringLiteral("Log"), nullptr);
    r.Register("BATCH", QStringLiteral("Batch"), nullptr);
    r.Register("SCHEDULER", QStringLiteral("Zeitplaner"), nullptr);
    r.Register("VIEWER", QStringLiteral("Log ansehen"), nullptr);
    r.Register("SHORTCUT", QStringLiteral("Verknüpfung erstellen"), nullptr);
    r.Register("PROGRAM", QStringLiteral("Programmoptionen"), nullptr);
    r.Register("TOP 12", QStringLiteral("Top 12"), nullptr);
    r.Register("ABOUT", QStringLiteral("Über"), nullptr);
}

}  // namespace verdal
