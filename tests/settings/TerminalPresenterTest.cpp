#include "settings/TerminalPresenter.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace verdal;

namespace {

Message Question(BoxResult defaultAnswer)
{
    Message message{BoxKind::Error, BoxButtons::YesNoHelp, "Laufwerk x nicht bereit.\r\rNochmal?",
                    30010};
    message.DefaultAnswer = defaultAnswer;
    return message;
}

}  // namespace

TEST(TerminalPresenter, Unattended_PrintsLinesAndTakesTheSwitchedOffAnswer)
{
    std::istringstream in("j\n");
    std::ostringstream out;
    cTerminalPresenter presenter(false, in, out);
    EXPECT_EQ(presenter.Show(Question(BoxResult::No)), BoxResult::No);
    EXPECT_EQ(presenter.Show(Question(BoxResult::None)), BoxResult::Yes);
    presenter.Beep();
    EXPECT_EQ(out.str(),
              "Fehler: Laufwerk x nicht bereit.\n\nNochmal?\n"
              "Fehler: Laufwerk x nicht bereit.\n\nNochmal?\n");
}

TEST(TerminalPresenter, Interactive_AsksUntilTheAnswerIsUnderstood)
{
    std::istringstream in("vielleicht\n  Nein \nJA\n\n");
    std::ostringstream out;
    cTerminalPresenter presenter(true, in, out);
    EXPECT_EQ(presenter.Show(Question(BoxResult::Yes)), BoxResult::No);
    EXPECT_NE(out.str().find("Bitte antworten Sie mit [j/n]"), std::string::npos);
    EXPECT_EQ(presenter.Show(Question(BoxResult::No)), BoxResult::Yes);
    // An empty line and the end of input take the switched-off answer.
    EXPECT_EQ(presenter.Show(Question(BoxResult::No)), BoxResult::No);
    EXPECT_EQ(presenter.Show(Question(BoxResult::No)), BoxResult::No);
    // A plain notice asks nothing.
    Message notice{BoxKind::Information, BoxButtons::OkHelp, "Keine Dateien gefunden.", 30014};
    EXPECT_EQ(presenter.Show(notice), BoxResult::Ok);
    EXPECT_NE(out.str().find("Hinweis: Keine Dateien gefunden.\n"), std::string::npos);
}
