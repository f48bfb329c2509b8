// Every configuration dialog of the main window, one line per command. A command whose dialog
// is not written yet stands here with nullptr: it then says that it is not available.

#include "app/DialogRegistry.h"
#include "dialogs/TAboutDlg.h"
#include "dialogs/TAppsDlg.h"
#include "dialogs/TBatchDlg.h"
#include "dialogs/TDestinationDlg.h"
#include "dialogs/TExpressSetupDlg.h"
#include "dialogs/TLogDlg.h"
#include "dialogs/TOptionsDlg.h"
#include "dialogs/TOverviewDlg.h"
#include "dialogs/TProgrammDlg.h"
#include "dialogs/TSchedulerDlg.h"
#include "dialogs/TShortcutDlg.h"
#include "dialogs/TSourceDlg.h"
#include "dialogs/TTopTwelveDlg.h"
#include "dialogs/TViewerDlg.h"
#include "settings/Parameters.h"

namespace verdal {
namespace {

// The caption of the main window, which the application list always offers.
QString OwnCaption(QWidget* parent)
{
    return parent ? parent->window()->windowTitle() : QString();
}

// The shortcut dialog; from the main window its "Automatik..." opens the options dialog on
// the automation page.
bool OpenShortcut(cDialogRegistry& registry, QWidget* parent, cParameters& params, bool fromOptions)
{
    TShortcutDlg dialog(parent, fromOptions);
    dialog.LoadFrom(params);
    dialog.OpenAutomation = [&registry, &params](QWidget*) {
        registry.Open("OPTIONS", params, TOptionsDlg::kPageAutomation);
    };
    return dialog.exec() == QDialog::Accepted;
}

// The options dialog opens on the page asked for; its sub-dialogs edit the document directly.
bool OpenOptions(cDialogRegistry& registry, QWidget* parent, cParameters& params, int page)
{
    TOptionsDlg dialog(parent);
    dialog.SetDocument(&params);
    dialog.PickApplication = [parent](QWidget* owner, const QString& current) {
        return TAppsDlg::Pick(owner, current, OwnCaption(parent));
    };
    dialog.CreateShortcut = [&registry, &params](QWidget* owner) {
        OpenShortcut(registry, owner, params, true);
    };
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

// The express setup asks for a run when it closed with a job button and may run at once.
bool OpenExpressSetup(QWidget* parent, cParameters& params, int page)
{
    return TExpressSetupDlg::Open(parent, params, page, RequestRunAfterDialog);
}

}  // namespace

void RegisterDialogs(cDialogRegistry& r)
{
    const auto options = [&r](QWidget* parent, cParameters& params, int page) {
        return OpenOptions(r, parent, params, page);
    };
    const auto shortcut = [&r](QWidget* parent, cParameters& params, int) {
        return OpenShortcut(r, parent, params, false);
    };
    r.Register("EXPRESS SETUP", QStringLiteral("Express-Setup"), OpenExpressSetup);
    r.Register("SOURCE", QStringLiteral("Quelle"), [](QWidget* parent, cParameters& params, int) {
        return OpenSourceDialog(parent, params);
    });
    r.Register("DESTINATION", QStringLiteral("Ziel"),
               [](QWidget* parent, cParameters& params, int) {
                   return OpenDestinationDialog(parent, params);
               });
    r.Register("OPTIONS", QStringLiteral("Optionen"), options);
    r.Register("OVERVIEW", QStringLiteral("Übersicht"), OpenModal<TOverviewDlg>);
    r.Register("LOG", QStringLiteral("Log"), TLogDlg::Open);
    r.Register("BATCH", QStringLiteral("Batch"), TBatchDlg::Open);
    r.Register("SCHEDULER", QStringLiteral("Zeitplaner"), TSchedulerDlg::Open);
    r.Register("VIEWER", QStringLiteral("Log ansehen"), TViewerDlg::Open);
    r.Register("SHORTCUT", QStringLiteral("Verknüpfung erstellen"), shortcut);
    r.Register("PROGRAM", QStringLiteral("Programmoptionen"), OpenModal<TProgrammDlg>);
    r.Register("TOP 12", QStringLiteral("Top 12"), OpenModal<TTopTwelveDlg>);
    r.Register("ABOUT", QStringLiteral("Über"), OpenModal<TAboutDlg>);
}

}  // namespace verdal
