#pragma once

#include <string>

namespace verdal {

// Kinds of message box, as the numbered messages name them.
enum class BoxKind { Error, Warning, Information, Confirmation };

// Button sets; a set with help adds a "Hilfe" button that shows HelpContext.
enum class BoxButtons { Ok, OkHelp, YesNoHelp, YesNo, YesNoCancel, OkCancel };

// What a box returns.
enum class BoxResult { None = 0, Ok = 1, Cancel = 2, Yes = 6, No = 7 };

struct Message
{
    BoxKind Kind = BoxKind::Information;
    BoxButtons Buttons = BoxButtons::Ok;
    std::string Text;  // UTF-8; line breaks as "\r" like the program's texts
    int HelpContext = 0;
    int Code = 0;  // number of a program message, 0 for other texts
    // The answer the program takes when this message is switched off; a presenter that cannot
    // ask (verdal-run, the silent one) gives it. None: OK or Yes.
    BoxResult DefaultAnswer = BoxResult::None;
};

// The answer of a box's first button: Yes for the sets that ask Yes or No, else OK.
inline BoxResult FirstButton(BoxButtons buttons)
{
    const bool yesNo = buttons == BoxButtons::YesNo || buttons == BoxButtons::YesNoHelp ||
                       buttons == BoxButtons::YesNoCancel;
    return yesNo ? BoxResult::Yes : BoxResult::Ok;
}

// The seam through which the Qt-free core shows messages, asks questions and beeps.
// The GUI installs message boxes, verdal-run a terminal presenter, tests a recorder.
class cPresenter
{
public:
    virtual ~cPresenter() = default;
    virtual BoxResult Show(const Message& message) = 0;
    virtual void Beep() = 0;
};

// The installed presenter; until one is installed, a silent one answers as a switched-off
// message would (OK / Yes), so library code never crashes for want of a front end.
cPresenter& Presenter();
// Installs `presenter` (not owned) and returns the previous one; nullptr restores the silent one.
cPresenter* SetPresenter(cPresenter* presenter);

}  // namespace verdal
