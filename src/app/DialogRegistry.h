#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <map>
#include <string>

#include "dialogs/EditDialog.h"

class QWidget;

namespace verdal {

class cParameters;

// Opens one configuration dialog on `params`: true when the user pressed OK (the dialog has then
// copied its values back and set Modified). `page` is the page to open on, -1 for the default.
using DialogOpener = std::function<bool(QWidget* parent, cParameters& params, int page)>;

// Every configuration dialog of the main window, by the routine name of its command ("SOURCE",
// "OPTIONS", "TOP 12", ...). Opening one sets the window's ModalOpen, runs the dialog inside
// the guard that reports an escaping error as an internal error of that routine, clears
// ModalOpen on every path and then lets the window refresh. A command registered without an
// opener says in German that its dialog is not available yet.
class cDialogRegistry
{
public:
    // Called after every dialog, accepted or not, with its routine name.
    using AfterClose = std::function<void(const std::string& routine, bool accepted)>;

    cDialogRegistry(QWidget* parent, bool& modalOpen) : parent_(parent), modalOpen_(modalOpen) {}

    // `caption` names the dialog in the "not available" message.
    void Register(const std::string& routine, const QString& caption, DialogOpener opener);
    bool Has(const std::string& routine) const { return entries_.count(routine) != 0; }
    // True when the routine has a dialog (not only a placeholder).
    bool Available(const std::string& routine) const;

    void SetAfterClose(AfterClose afterClose) { afterClose_ = std::move(afterClose); }
    void SetParent(QWidget* parent) { parent_ = parent; }

    // Opens the dialog of `routine`; returns true when it ended with OK.
    bool Open(const std::string& routine, cParameters& params, int page = -1);
    // Whether the dialog just closed asked for a run (express setup's "run now").
    bool RunRequested() const { return runRequested_; }

private:
    struct Entry
    {
        QString Caption;
        DialogOpener Opener;
    };
    QWidget* parent_;
    bool& modalOpen_;
    std::map<std::string, Entry> entries_;
    AfterClose afterClose_;
    bool runRequested_ = false;
};

// Called by an opener whose dialog asks for a run once it has closed with OK.
void RequestRunAfterDialog();

// Fills `registry` with every command of the program (DialogTable.cpp).
void RegisterDialogs(cDialogRegistry& registry);

// The usual opener of a dialog class with LoadFrom / SaveTo: load, show modally, save on OK.
template <typename TDialog>
bool OpenModal(QWidget* parent, cParameters& params, int /*page*/)
{
    TDialog dialog(parent);
    return EditInDialog(dialog, params);
}

// The same for a dialog with pages that has SetPage(int).
template <typename TDialog>
bool OpenModalOnPage(QWidget* parent, cParameters& params, int page)
{
    TDialog dialog(parent);
    dialog.LoadFrom(params);
    if (page >= 0) {
        dialog.SetPage(page);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    dialog.SaveTo(params);
    return true;
}

}  // namespace verdal
