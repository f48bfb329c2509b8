#include "settings/Presenter.h"

#include <gtest/gtest.h>

using namespace verdal;

TEST(Presenter, SilentPresenter_AnswersLikeASwitchedOffMessage)
{
    Message question{BoxKind::Confirmation, BoxButtons::YesNoHelp, "Frage?", 0};
    EXPECT_EQ(Presenter().Show(question), BoxResult::Yes);
    Message info{BoxKind::Information, BoxButtons::Ok, "Info", 0};
    EXPECT_EQ(Presenter().Show(info), BoxResult::Ok);
}
