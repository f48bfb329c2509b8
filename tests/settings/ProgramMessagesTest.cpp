#include "settings/ProgramMessages.h"

#include <gtest/gtest.h>

#include "settings/Parameters.h"
#include "support/RecordingPresenter.h"

using namespace verdal;
using verdal::test::RecordingPresenter;

class ProgramMessagesTest : public ::testing::Test
{
protected:
    void SetUp() override { saved_ = Params().Warnings; }
    void TearDown() override { Params().Warnings = saved_; }

    RecordingPresenter presenter;

private:
    uint8_t saved_ = 0;
};

TEST_F(ProgramMessagesTest, WarningBits_SwitchBoxAndBeepIndependently)
{
    // Warnings, shown, beeps; a message that is not shown answers Yes on its own.
    const std::tuple<uint8_t, bool, int> cases[] = {
        {0x00, false, 0}, {0x04, true, 0}, {0x08, false, 1}, {0x0C, true, 1}, {0xF3, false, 0}};
    for (const auto& [warnings, shown, beeps] : cases) {
        RecordingPresenter local;
        local.Answers.push_back(BoxResult::No);
        Params().Warnings = warnings;
        const BoxResult result = ShowProgramMessage(kMsgTooLittleSpace, {"/media/x", "1,5"});
        EXPECT_EQ(local.Messages.size(), shown ? 1u : 0u) << int(warnings);
        EXPECT_EQ(local.Beeps, beeps) << int(warnings);
        EXPECT_EQ(result, shown ? BoxResult::No : BoxResult::Yes) << int(warnings);
    }
    Params().Warnings = kWarnOtherMessage | kWarnOtherBeep;
    ShowProgramMessage(kMsgSameSourceAndDest);
    EXPECT_EQ(presenter.Events, (std::vector<std::string>{"beep", "show 30008"}));
}

TEST_F(ProgramMessagesTest, SwitchedOffMessages_GiveTheirFixedAnswers)
{
    Params().Warnings = 0;
    const std::pair<int, BoxResult> cases[] = {
        {kMsgLogNotWritable, BoxResult::Yes},
        {kMsgNothingToDo, BoxResult::Ok},
        {kMsgDriveNotReady, BoxResult::No},
        {kMsgAfterMidnight, BoxResult::No},
        {kMsgMassDelete, BoxResult::No},
        {kMsgCompareError, BoxResult::No},
        {12345, BoxResult::None},
    };
    for (const auto& [code, answer] : cases) {
        EXPECT_EQ(ShowProgramMessage(code, {"a", "b", "c"}), answer) << code;
    }
    EXPECT_TRUE(presenter.Messages.empty());
    // The checks of the dialogs are shown whatever the warnings say.
    ShowProgramMessage(kMsgValidDrive, {"C:"});
    ShowProgramMessage(kMsgTooManyEntries, {16384, 1});
    EXPECT_EQ(presenter.Codes(), (std::vector<int>{30001, 30016}));
}

TEST_F(ProgramMessagesTest, Texts_FillArgumentsAndConvertCodesAndNumbers)
{
    Params().Warnings = 0xFF;
    ShowProgramMessage(kMsgLogNotWritable, {"/var/log/x.txt", 2});
    ShowProgramMessage(kMsgCompareError, {"/a/f.txt", "/b/f.txt", 2001});
    ShowProgramMessage(kMsgTooLittleSpace, {"/media/STICK", 1234.5});
    ShowProgramMessage(kMsgTooManyEntries, {16384, 2500});
    ShowProgramMessage(kMsgMassDelete, {"/srv/ziel", 12, 30});
    ASSERT_EQ(presenter.Messages.size(), 5u);
    const char* texts[] = {
        "Das Log kann nicht nach /var/log/x.txt geschrieben werden:\r\rFehler 2 - Datei nicht "
        "gefunden\r\rFortfahren ohne Log?",
        "Fehler beim Vergleichen:\r\r/a/f.txt\r\rmit:\r\r/b/f.txt\r\rDATEIINHALTE SIND NICHT "
        "IDENTISCH\r\rNochmal versuchen?",
        "Laufwerk /media/STICK hat 1.234,500 MB zuwenig Speicherplatz.\r\rNeu berechnen und "
        "fortfahren?",
        "Windows 9x erlaubt nur ca. 16.384 Einträge in einer Liste.\r\rDieser Ordner kann nur "
        "geöffnet werden, wenn Sie vorher andere Ordner schließen, die zusammen mindestens 2.500 "
        "Einträge enthalten.",
        "Auf /srv/ziel würden 12 von 30 Dateien gelöscht.\r\rIst das Laufwerk richtig "
        "eingebunden?\r\rTrotzdem löschen?",
    };
    for (size_t i = 0; i < std::size(texts); ++i) {
        EXPECT_EQ(presenter.Messages[i].Text, texts[i]);
    }
    EXPECT_EQ(presenter.Messages[4].Buttons, BoxButtons::YesNo);
}

TEST_F(ProgramMessagesTest, HelpContexts_FollowTheMessageUnlessGiven)
{
    ShowProgramMessage(kMsgValidDrive, {"C:"});
    ShowProgramMessage(kMsgInvalidDrive, {"CD"});
    ShowProgramMessage(kMsgInvalidDrive, {"CD"}, 4711);
    InternalError("Zugriffsverletzung", "GoItmClick");
    ShowRunProgramError("den Editor", "gedit Log.txt", 2, 0);
    ASSERT_EQ(presenter.Messages.size(), 5u);
    EXPECT_EQ(presenter.Messages[0].HelpContext, 0);
    EXPECT_EQ(presenter.Messages[1].HelpContext, 30002);
    EXPECT_EQ(presenter.Messages[2].HelpContext, 4711);
    EXPECT_EQ(presenter.Messages[3].HelpContext, 10010);
    EXPECT_EQ(presenter.Messages[4].Buttons, BoxButtons::Ok);
    EXPECT_EQ(presenter.Messages[4].Text,
              "Konnte den Editor\r\rgedit Log.txt\r\rnicht ausführen\r\rFehler 2 - Datei nicht "
              "gefunden");
}
