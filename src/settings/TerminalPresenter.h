#pragma once

#include <iostream>

#include "settings/Presenter.h"

namespace verdal {

// The presenter of verdal-run: writes each message to a stream (standard error), with the
// program's "\r" line breaks as new lines. By default it takes the answer a switched-off
// message gives; with `interactive` set it asks "[j/n]" on the terminal instead and beeps.
class cTerminalPresenter : public cPresenter
{
public:
    explicit cTerminalPresenter(bool interactive, std::istream& in = std::cin,
                                std::ostream& out = std::cerr);

    BoxResult Show(const Message& message) override;
    void Beep() override;

private:
    BoxResult Ask(const Message& message, BoxResult fallback);

    bool interactive_;
    std::istream& in_;
    std::ostream& out_;
};

}  // namespace verdal
