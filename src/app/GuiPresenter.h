#pragma once

#include <functional>

#include "settings/Presenter.h"

class QWidget;

namespace verdal {

// The presenter of the window program: each message is a modal German message box
// ("Verdal 5", buttons "OK", "Ja", "Nein", "Abbrechen" from Qt's German translation).
// A "Hilfe" button appears only once a help handler is installed; it shows the message's help
// context and leaves the box open.
class cGuiPresenter : public cPresenter
{
public:
    // `parent` (may be null) centres the boxes over the main window.
    explicit cGuiPresenter(QWidget* parent = nullptr) : parent_(parent) {}

    void SetParent(QWidget* parent) { parent_ = parent; }
    void SetHelpHandler(std::function<void(int helpContext)> handler)
    {
        help_ = std::move(handler);
    }

    BoxResult Show(const Message& message) override;
    void Beep() override;

private:
    QWidget* parent_;
    std::function<void(int)> help_;
};

}  // namespace verdal
