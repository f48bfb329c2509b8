#pragma once

#include <deque>
#include <string>
#include <vector>

#include "settings/Presenter.h"

namespace verdal::test {

// Installs itself as the presenter for its lifetime, records every message and beep in order,
// and answers from a scripted queue (when empty: the first button of the box).
class RecordingPresenter : public cPresenter
{
public:
    RecordingPresenter() : previous_(SetPresenter(this)) {}
    ~RecordingPresenter() override { SetPresenter(previous_); }
    RecordingPresenter(const RecordingPresenter&) = delete;
    RecordingPresenter& operator=(const RecordingPresenter&) = delete;

    BoxResult Show(const Message& message) override
    {
        Messages.push_back(message);
        Events.push_back("show " + std::to_string(message.Code));
        if (!Answers.empty()) {
            const BoxResult answer = Answers.front();
            Answers.pop_front();
            return answer;
        }
        return FirstButton(message.Buttons);
    }

    void Beep() override
    {
        ++Beeps;
        Events.push_back("beep");
    }

    // Codes of the shown messages, in order.
    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (const auto& message : Messages) {
            codes.push_back(message.Code);
        }
        return codes;
    }

    std::vector<Message> Messages;
    std::vector<std::string> Events;  // "beep" or "show <code>"
    std::deque<BoxResult> Answers;
    int Beeps = 0;

private:
    cPresenter* previous_;
};

}  // namespace verdal::test
