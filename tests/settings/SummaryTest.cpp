#include "settings/Summary.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/Clock.h"
#include "platform/FileTimes.h"
#include "settings/OptionsFile.h"
#include "settings/Parameters.h"
#include "support/TestDir.h"

using namespace verdal;

namespace {

// A profile reset with an empty options file, on a fixed day.
class SummaryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetOptionsFilePath(dir_.filePath("Verdal50.ini"));
        SetTestNow(EncodeDateTime(2026, 12, 5, 14, 30));
        p_.FileKind = 0;
        p_.Reset();
        p_.DestinationDrive = "/media/stick";
        p_.Log.Filename = "/home/anna/Log.txt";
        p_.Log.PrinterName.clear();
    }
    void TearDown() override { SetTestNow(std::nullopt); }

    std::string Text() { return SummaryText(*BuildSummary(p_)); }
    // The lines below the first line `parent` (two blanks of indentation stripped per level).
    std::vector<std::string> Children(const std::string& parent)
    {
        const auto root = BuildSummary(p_);
        const SummaryNode* found = Find(*root, parent);
        std::vector<std::string> lines;
        if (found) {
            for (const auto& child : found->Children) {
                lines.push_back(child->Text);
            }
        }
        return lines;
    }
    static const SummaryNode* Find(const SummaryNode& node, const std::string& text)
    {
        for (const auto& child : node.Children) {
            if (child->Text == text) {
                return child.get();
            }
            if (const SummaryNode* deeper = Find(*child, text)) {
                return deeper;
            }
        }
        return nullptr;
    }
    using Lines = std::vector<std::string>;

    test::TestDir dir_;
    cParameters p_;
};

}  // namespace

TEST_F(SummaryTest, NewProfile_ShowsEveryDefaultLine)
{
    EXPECT_EQ(Text(), R"(Quelle
  Laufwerk: /
  Verzeichnisse durchsuchen...
  Verzeichnisse ausschließen...
  Dateien vergleichen...
    *.*
  Dateien erzwingen...
  Dateien löschen...
  Dateien ausschließen...
Ziel
  Laufwerk: /media/stick
  Verzeichnis: \
  Variation: Fest
  Datenträger...
Optionen
  Bereich
    Anrühren: Ziel und Quelle (in beide Richtungen)
    Attribute...
  Verzeichnisse
    Pfade so weit wie möglich kürzen
    Verzeichnisse erstellen, wenn nötig...
      In der Quelle
      Im Ziel
    Leere Verzeichnisse löschen...
    Alle Verzeichnisse erstellen...
  Alter: Keine Grenze
  Waisen
    Nur Ziel anrühren
      Quelle: Vorwärts
      Ziel: Überspringen
    Ziel und Quelle anrühren
      Vorwärts / rückwärts
    Nur Quelle anrühren
      Ziel: Rückwärts
      Quelle: Überspringen
  Sortierung: Nach Pfad
  Kontrollen...
    Von Mitternacht bis 2 Uhr nachfragen
    Übersicht zeigen
    Größen kontrollieren mit Faktor 3
  Warnungen
    Keine Dateien gefunden...
      Meldung
    Laufwerk hat zuwenig Speicherplatz...
      Meldung
    Andere...
      Meldung
    Unterbrechung bei Fehler...
      Meldung
  Automatik...
  Verschiedenes
    Laufwerks-Listen...
    Uhren
      Maximale Zeitdifferenz in Sekunden: 2
      Sommerzeit ignorieren
    Eigene Kopierroutine benutzen
    Dateien in den Papierkorb löschen
Übersicht
  Offene Ordner
  Mehrzeilige Dateien
  Filter
  Farben
    Block 1: Rot = 255  Grün = 255  Blau = 255
    Block 2: Rot = 240  Grün = 240  Blau = 240
    Vorwärts: Rot = 000  Grün = 128  Blau = 000
    Überspringen: Rot = 128  Grün = 128  Blau = 000
    Löschen: Rot = 255  Grün = 000  Blau = 000
    Rückwärts: Rot = 000  Grün = 000  Blau = 128
  Pfade immer zeigen
  Schriftart
    Name: MS Sans Serif
    Größe: 8
Log
  Aktiv
  Log-Datei: /home/anna/Log.txt
  Datum und Uhrzeit: Anfang / Ende
  Datei-Information: Mit alter Datei
  An alte Datei anhängen
  Aktion
    Wenn kein Fehler aufgetreten ist, Log senden an...
    Wenn ein Fehler aufgetreten ist, Log senden an...
    Betrachter: Eingebaut
    E-Mail: -
    Drucker: -
Zeitplaner...
)");
}

TEST_F(SummaryTest, ConfiguredProfile_ShowsConditionalLines)
{
    p_.TouchSrc = p_.TouchDest = false;
    p_.Attributes = 5;
    p_.OrphanModeB = 3;  // no text for "backward" when both sides are touched
    p_.OrphanModeD1 = 6;
    p_.CheckSizes = 1;
    p_.MidnightHours = 0;
    p_.SortingMode = 4;
    p_.ReverseOrder = true;
    p_.Variation = 1;
    p_.EightThree = true;
    p_.DiskLabel = "BACKUP";
    p_.AutoApp = true;
    p_.AppName = "gimp";
    p_.AutoShutdown = 3;
    p_.Overview.Colors[2] = 0x0000FF;
    p_.Overview.SystemColor[3] = true;
    p_.Log.ViewerKind = 4;
    p_.Log.OtherViewer = "/usr/bin/less";
    p_.Log.ViewerSwitches = "-N";
    p_.Log.Recipient1Name = "Anna";
    p_.Log.Recipient1Address = "anna@example.org";
    p_.Log.Recipient3Address = "b@example.org";
    p_.Log.AsAttachment = true;
    p_.Schedule.Add("", 0x40000000 + 480);
    p_.Schedule.Add("", static_cast<int32_t>(0x80000000u | 0x01000000 | 0x02000000 | 1439));

    EXPECT_EQ(Children("Bereich"), (Lines{"Attribute..."}));
    EXPECT_EQ(Children("Attribute..."), (Lines{"Schreibgeschützte Dateien überschreiben / löschen",
                                               "Systemdateien finden / überschreiben"}));
    EXPECT_EQ(Children("Ziel und Quelle anrühren"), Lines{});
    EXPECT_EQ(Children("Nur Ziel anrühren"), (Lines{"Quelle: Nur Waisen", "Ziel: Überspringen"}));
    EXPECT_EQ(Children("Kontrollen..."), (Lines{"Übersicht zeigen"}));
    EXPECT_EQ(Children("Datenträger..."), (Lines{"Bezeichnung prüfen: BACKUP"}));
    EXPECT_EQ(Children("Automatik..."),
              (Lines{"Laufen, wenn Anwendung \"gimp\" beendet wird",
                     "Nach Lauf Windows beenden: Herunterfahren und ausschalten"}));
    const Lines colors = Children("Farben");
    EXPECT_EQ(colors[2], "Vorwärts: Rot = 255  Grün = 000  Blau = 000");
    EXPECT_EQ(colors[3], "Überspringen: Systemfarbe");
    EXPECT_EQ(Children("Aktion")[2], "Betrachter: /usr/bin/less; Schalter: -N");
    EXPECT_EQ(Children("Aktion")[3], "E-Mail: an Anna <anna@example.org> und andere als Anhang");
    EXPECT_EQ(Children("Zeitplaner..."), (Lines{"Aktiv:   08:00;   Wochentage:  Mo",
                                                "Nicht aktiv:   23:59;   Wochentage:  Sa  So"}));
    const std::string text = Text();
    EXPECT_NE(text.find("\n  Variation: Kalendardatum, 8.3-kompatibel\n"), std::string::npos);
    EXPECT_NE(text.find("\n  Sortierung: Nach Datum / Uhrzeit (Umgekehrte Reihenfolge)\n"),
              std::string::npos);
}

TEST_F(SummaryTest, AgeLine_FollowsModeAndDirection)
{
    struct Case
    {
        uint8_t Mode;
        int RelativeAge;
        const char* Expected;
    } cases[] = {
        {1, 1, "Alter: Nicht mehr als 1 Tag alt (Seit Fr 04.12.2026)"},
        {5, 30, "Alter: Mehr als 30 Tage alt (Vor Do 05.11.2026)"},
        {2, 0, "Alter: Seit Mi 01.07.2026"},
        {7, 0, "Alter: Vor dem letzten Lauf am Mo 01.01.1990 00:00:00"},
    };
    p_.AbsoluteAge = static_cast<int>(EncodeDateTime(2026, 7, 1));
    p_.LastUpdate = DateTimeToFileTime(EncodeDateTime(1990, 1, 1));
    for (const Case& c : cases) {
        p_.AgeMode = c.Mode;
        p_.RelativeAge = c.RelativeAge;
        const auto root = BuildSummary(p_);
        EXPECT_EQ(p_.Groups.OptionPages[2]->Text, c.Expected);
    }
}

TEST_F(SummaryTest, Groups_RecordTheirNodes)
{
    const auto root = BuildSummary(p_);
    ASSERT_EQ(root->Children.size(), 6u);
    EXPECT_EQ(p_.Groups.Source, root->Children[0].get());
    EXPECT_EQ(p_.Groups.Overview->Text, "Übersicht");
    EXPECT_EQ(p_.Groups.Scheduler->Text, "Zeitplaner...");
    EXPECT_EQ(p_.Groups.Batch, nullptr);
    const auto& options = p_.Groups.Options->Children;
    ASSERT_EQ(options.size(), 9u);
    for (size_t i = 0; i < options.size(); ++i) {
        EXPECT_EQ(p_.Groups.OptionPages[i], options[i].get());
    }
}

TEST_F(SummaryTest, BatchFile_ShowsEntriesWarningsAndSchedule)
{
    p_.FileKind = 1;
    p_.Batch.Profiles.Add("/home/anna/Daten.vrd", 1);
    p_.Batch.Profiles.Add("/home/anna/Daten.vrd", 2);
    p_.Batch.ShutdownMode = 2;
    p_.Batch.MinimizeToTray = true;
    p_.Batch.Schedule.Add("", static_cast<int32_t>(0x80000000u | 0x40000000 | 600));
    p_.Batch.OverrideWarnings = false;
    EXPECT_EQ(Text(), R"(Batch
  Profile
    /home/anna/Daten.vrd   Weitermachen bei Erfolg
    /home/anna/Daten.vrd   Weitermachen bei Mißerfolg
  Warnungen
    Siehe individuelle Einstellungen in den Profilen
  Automatik...
    Nach Lauf Windows beenden: Ausloggen
    In die Systemablage verkleinern
Zeitplaner...
  Inaktiv:   10:00;   Wochentage:  Mo
)");
    const auto root = BuildSummary(p_);
    EXPECT_EQ(p_.Groups.Batch, root->Children[0].get());

    p_.Batch.OverrideWarnings = true;
    p_.Batch.WarningFlags = 0x86;
    EXPECT_EQ(
        Children("Warnungen"),
        (Lines{"Individuelle Einstellungen in den Profilen überschreiben", "Keine Dateien gefunden",
               "Laufwerk hat zuwenig Speicherplatz", "Andere", "Unterbrechung bei Fehler"}));
    EXPECT_EQ(Children("Keine Dateien gefunden"), (Lines{"Klang"}));
    EXPECT_EQ(Children("Laufwerk hat zuwenig Speicherplatz"), (Lines{"Meldung"}));
    EXPECT_EQ(Children("Unterbrechung bei Fehler"), (Lines{"Klang"}));
}

TEST_F(SummaryTest, UnknownKind_ShowsOneLine)
{
    p_.FileKind = 7;
    EXPECT_EQ(Text(), "Unbekanntes Dateiformat!\n");
}
