#include "settings/ErrorText.h"

#include <gtest/gtest.h>

using namespace verdal;

TEST(ErrorText, Codes_GiveNumberWithSuffixOrOwnText)
{
    struct Case
    {
        int Code;
        const char* Text;
    } cases[] = {
        {0, "Fehler 0 - Erfolg"},
        {5, "Fehler 5 - Datei schreibgeschützt/versteckt/System oder ungenügende Berechtigungen"},
        {7, "Fehler 7"},
        {32, "Fehler 32 - Datei wird von einem anderen Prozeß benutzt"},
        {112, "Fehler 112 - Kein Platz mehr auf dem Datenträger"},
        {1231, "Fehler 1231 - Netzwerk nicht erreichbar"},
        {1235, "Benutzerwunsch"},
        {2000, "Dateien haben verschiedene Größen"},
        {2001, "Dateiinhalte sind nicht identisch"},
        {2002, "Ungültiges Dateiformat"},
        {2003, "Der Schnappschuß ist nicht verfügbar, solange das Profil noch unbenannt ist"},
        {-1, "Fehler -1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ErrorText(c.Code), c.Text);
    }
}

TEST(ErrorText, ContinuationText_NamesTheThreeConditions)
{
    EXPECT_EQ(ContinuationText(0), "Immer weitermachen");
    EXPECT_EQ(ContinuationText(1), "Weitermachen bei Erfolg");
    EXPECT_EQ(ContinuationText(2), "Weitermachen bei Mißerfolg");
    EXPECT_EQ(ContinuationText(3), "");
}
