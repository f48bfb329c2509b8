#include "settings/Presenter.h"

namespace verdal {
namespace {

class cSilentPresenter : public cPresenter
{
public:
    BoxResult Show(const Message& message) override
    {
        if (message.DefaultAnswer != BoxResult::None) {
            return message.DefaultAnswer;
        }
        return FirstButton(message.Buttons);
    }
    void Beep() override {}
};

cSilentPresenter g_silent;
cPresenter* g_presenter = &g_silent;

}  // namespace

cPresenter& Presenter()
{
    return *g_presenter;
}

cPresenter* SetPresenter(cPresenter* presenter)
{
    cPresenter* previous = g_presenter == &g_silent ? nullptr : g_presenter;
    g_presenter = presenter ? presenter : &g_silent;
    return previous;
}

}  // namespace verdal
