#include "app/DialogRegistry.h"

#include <exception>

#include "settings/Parameters.h"
#include "settings/ProgramMessages.h"

namespace verdal {
namespace {

// Sets the flag for the dialog and puts back what it was however the dialog ends (a dialog
// opened from another one must not clear the flag of the outer one).
class cModalScope
{
public:
    explicit cModalScope(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
    ~cModalScope() { flag_ = before_; }
    cModalScope(const cModalScope&) = delete;
    cModalScope& operator=(const cModalScope&) = delete;

private:
    bool& flag_;
    bool before_;
};

void ShowNotAvailable(const QString& caption)
{
    Message message;
    message.Kind = BoxKind::Information;
    message.Buttons = BoxButtons::Ok;
    message.Text = QStringLiteral("Der Dialog \"%1\" ist in dieser Version noch nicht verfügbar.")
                       .arg(caption)
                       .toStdString();
    Presenter().Show(message);
}

bool g_runRequest = false;

}  // namespace

void RequestRunAfterDialog()
{
    g_runRequest = true;
}

void cDialogRegistry::Register(const std::string& routine, const QString& caption,
                               DialogOpener opener)
{
    entries_[routine] = Entry{caption, std::move(opener)};
}

bool cDialogRegistry::Available(const std::string& routine) const
{
    const auto it = entries_.find(routine);
    return it != entries_.end() && it->second.Opener;
}

bool cDialogRegistry::Open(const std::string& routine, cParameters& params, int page)
{
    const auto it = entries_.find(routine);
    if (it == entries_.end() || !it->second.Opener) {
        ShowNotAvailable(it == entries_.end() ? QString::fromStdString(routine)
                                              : it->second.Caption);
        return false;
    }
    bool accepted = false;
    g_runRequest = false;
    {
        cModalScope modal(modalOpen_);
        try {
            accepted = it->second.Opener(parent_, params, page);
        } catch (const std::exception& error) {
            InternalError(error.what(), routine);
        } catch (...) {
            InternalError("Unbekannter Fehler", routine);
        }
    }
    runRequested_ = accepted && g_runRequest;
    g_runRequest = false;
    if (afterClose_) {
        afterClose_(routine, accepted);
    }
    return accepted;
}

}  // namespace verdal
