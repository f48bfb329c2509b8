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
    struct Case
    {
        uint8_t Warnings;
        bool Shown;
        int Beeps;
    } cases[] = {
        {0x00, false, 0}, {0x04, true, 0}, {0x08, false, 1}, {0x0C, true, 1}, {0xF3, false, 0}};
    for (const auto& c : cases) {
        RecordingPresenter local;
        local.Answers.push_back(BoxResult::No);
        Params().Warnings = c.Warnings;
        const BoxResult result = ShowProgramMessage(kMsgTooLittleSpace, {"/media/x", "1,5"});
        EXPECT_EQ(local.Messages.size(), c.Shown ? 1u : 0u) << int(c.Warnings);
        EXPECT_EQ(local.Beeps, c.Beeps) << int(c.Warnings);
        // Not shown, the message answers Yes on its own.
        EXPECT_EQ(result, c.Shown ? BoxResult::No : BoxResult::Yes) << int(c.Warnings);
    }
}

TEST_F(ProgramMessagesTest, Beep_SoundsBeforeTheBox)
{
    Params().Warnings = kWarnOtherMessage | kWarnOtherBeep;
    ShowProgramMessage(kMsgSameSourceAndDest);
    EXPECT_EQ(presenter.Events, (std::vector<std::string>{"beep", "show 30008"}));
}

TEST_F(ProgramMessagesTest, SwitchedOffMessages_GiveTheirFixedAnswers)
{
    Params().Warnings = 0;
    const std::pair<int, BoxResult> cases[] = {
        {kMsgLogNotWritable, BoxResult::Yes}, {kMsgNothingToDo, BoxResult::Ok},
        {kMsgDriveNotReady, BoxResult::No},   {kMsgAfterMidnight, BoxResult::No},
        {kMsgNoFiles, BoxResult::Ok},         {kMsgMassDelete, BoxResult::No},
        {kMsgCompareError, BoxResult::No},    {12345, BoxResult::None},
    };
    for (const auto& [code, answer] : cases) {
        EXPECT_EQ(ShowProgramMessage(code, {"a", "b", "c"}), answer) << code;
    }
    EXPECT_TRUE(presenter.Messages.empty());
    // The checks of the dialogs are shown whatever the warnings say.
    ShowProgramMessage(kMsgValidDrive, {"C:"});
    ShowProgramMessage(kMsgInvalidDirectory, {"Daten"});
    ShowProgramMessage(kMsgTooManyEntries, {16384, 1});
    EXPECT_EQ(presenter.Codes(), (std::vector<int>{30001, 30004, 30016}));
    EXPECT_EQ(presenter.Beeps, 0);
}

TEST_F(ProgramMessagesTest, Texts_FillArgumentsAndConvertCodesAndNumbers)
{
    Params().Warnings = 0xFF;
    ShowProgramMessage(kMsgLogNotWritable, {"/var/log/x.txt", 5});
    ShowProgramMessage(kMsgCompareError, {"/a/f.txt", "/b/f.txt", 2001});
    ShowProgramMessage(kMsgTooLittleSpace, {"/media/STICK", 1234.5});
    ShowProgramMessage(kMsgTooManyEntries, {16384, 1});
    ShowProgramMessage(kMsgTooManyEntries, {16384, 2500});
    ShowProgramMessage(kMsgMassDelete, {"/srv/ziel", 12, "/media/STICK"});
    ASSERT_EQ(presenter.Messages.size(), 6u);
    EXPECT_EQ(presenter.Messages[0].Text,
              "Das Log kann nicht nach /var/log/x.txt geschrieben werden:\r\rFehler 5 - Datei "
              "schreibgeschützt/versteckt/System oder ungenügende Berechtigungen\r\rFortfahren "
              "ohne Log?");
    EXPECT_EQ(presenter.Messages[1].Text,
              "Fehler beim Vergleichen:\r\r/a/f.txt\r\rmit:\r\r/b/f.txt\r\rDATEIINHALTE SIND "
              "NICHT IDENTISCH\r\rNochmal versuchen?");
    EXPECT_EQ(presenter.Messages[2].Text,
              "Laufwerk /media/STICK hat 1.234,500 MB zuwenig Speicherplatz.\r\rNeu berechnen "
              "und fortfahren?");
    EXPECT_NE(presenter.Messages[3].Text.find("ca. 16.384 Einträge"), std::string::npos);
    EXPECT_NE(presenter.Messages[3].Text.find("mindestens 1 Eintrag enthalten."),
              std::string::npos);
    EXPECT_NE(presenter.Messages[4].Text.find("mindestens 2.500 Einträge enthalten."),
              std::string::npos);
    EXPECT_EQ(presenter.Messages[5].Text,
              "Auf /srv/ziel würden alle 12 Dateien gelöscht, weil /media/STICK keine Dateien "
              "enthält.\r\rIst das Laufwerk richtig eingebunden?\r\rTrotzdem löschen?");
    EXPECT_EQ(presenter.Messages[5].Kind, BoxKind::Warning);
    EXPECT_EQ(presenter.Messages[5].Buttons, BoxButtons::YesNo);
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
    EXPECT_EQ(presenter.Messages[3].Text.find(
                  "Fehler \"Zugriffsverletzung\" aufgetreten in Routine GoItmClick!\rBitte"),
              0u);
    EXPECT_EQ(presenter.Messages[4].Buttons, BoxButtons::Ok);
    EXPECT_EQ(presenter.Messages[4].Text,
              "Konnte den Editor\r\rgedit Log.txt\r\rnicht ausführen\r\rFehler 2 - Datei nicht "
              "gefunden");
}
