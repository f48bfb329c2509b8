#include "settings/TerminalPresenter.h"

#include <string>

#include "platform/TextCase.h"

namespace verdal {
namespace {

std::string_view KindCaption(BoxKind kind)
{
    switch (kind) {
        case BoxKind::Error:
            return "Fehler";
        case BoxKind::Warning:
            return "Warnung";
        case BoxKind::Confirmation:
            return "Frage";
        case BoxKind::Information:
            break;
    }
    return "Hinweis";
}

bool AsksYesNo(BoxButtons buttons)
{
    return buttons == BoxButtons::YesNo || buttons == BoxButtons::YesNoHelp ||
           buttons == BoxButtons::YesNoCancel;
}

bool HasCancel(BoxButtons buttons)
{
    return buttons == BoxButtons::YesNoCancel || buttons == BoxButtons::OkCancel;
}

std::string_view Prompt(BoxButtons buttons)
{
    switch (buttons) {
        case BoxButtons::YesNoCancel:
            return " [j/n/a] ";
        case BoxButtons::OkCancel:
            return " [o/a] ";
        default:
            return " [j/n] ";
    }
}

std::string Trimmed(const std::string& line)
{
    const size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    const size_t last = line.find_last_not_of(" \t\r");
    return FoldCase(line.substr(first, last - first + 1));
}

}  // namespace

cTerminalPresenter::cTerminalPresenter(bool interactive, std::istream& in, std::ostream& out)
    : interactive_(interactive), in_(in), out_(out)
{}

BoxResult cTerminalPresenter::Show(const Message& message)
{
    std::string text = message.Text;
    for (char& c : text) {
        c = c == '\r' ? '\n' : c;
    }
    out_ << KindCaption(message.Kind) << ": " << text << '\n';
    const BoxResult fallback = message.DefaultAnswer != BoxResult::None
                                   ? message.DefaultAnswer
                                   : FirstButton(message.Buttons);
    const bool asks = AsksYesNo(message.Buttons) || HasCancel(message.Buttons);
    const BoxResult answer = interactive_ && asks ? Ask(message, fallback) : fallback;
    out_.flush();
    return answer;
}

void cTerminalPresenter::Beep()
{
    if (interactive_) {
        out_ << '\a' << std::flush;
    }
}

// Asks until the answer is understood; an empty line or the end of input takes `fallback`.
BoxResult cTerminalPresenter::Ask(const Message& message, BoxResult fallback)
{
    const bool yesNo = AsksYesNo(message.Buttons);
    for (;;) {
        out_ << Prompt(message.Buttons) << std::flush;
        std::string line;
        if (!std::getline(in_, line)) {
            out_ << '\n';
            return fallback;
        }
        const std::string answer = Trimmed(line);
        if (answer.empty()) {
            return fallback;
        }
        if (yesNo && (answer == "j" || answer == "ja" || answer == "y")) {
            return BoxResult::Yes;
        }
        if (yesNo && (answer == "n" || answer == "nein")) {
            return BoxResult::No;
        }
        if (!yesNo && (answer == "o" || answer == "ok")) {
            return BoxResult::Ok;
        }
        if (HasCancel(message.Buttons) && (answer == "a" || answer == "abbrechen")) {
            return BoxResult::Cancel;
        }
        out_ << "Bitte antworten Sie mit" << Prompt(message.Buttons) << '\n';
    }
}

}  // namespace verdal
