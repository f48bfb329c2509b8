#include "settings/Summary.h"

#include <cstdint>

#include "platform/Clock.h"
#include "platform/FileTimes.h"
#include "settings/ErrorText.h"
#include "settings/GermanFormat.h"
#include "settings/Parameters.h"

namespace verdal {
namespace {

void AddIf(SummaryNode& parent, bool condition, const char* text)
{
    if (condition) {
        parent.Add(text);
    }
}

void AddList(SummaryNode& parent, const char* caption, const cStringList& list)
{
    SummaryNode& node = parent.Add(caption);
    for (const auto& item : list.Items()) {
        node.Add(item.Text);
    }
}

// A caption with the source and destination lines of a pair of directory switches.
void AddSides(SummaryNode& parent, const char* caption, bool source, bool destination)
{
    SummaryNode& node = parent.Add(caption);
    AddIf(node, source, "In der Quelle");
    AddIf(node, destination, "Im Ziel");
}

// The four warnings with their message and sound bits (layout of `Warnings`).
void AddWarnings(SummaryNode& parent, uint8_t flags, const char* suffix)
{
    static const char* const kNames[] = {"Keine Dateien gefunden",
                                         "Laufwerk hat zuwenig Speicherplatz", "Andere",
                                         "Unterbrechung bei Fehler"};
    for (int i = 0; i < 4; ++i) {
        SummaryNode& node = parent.Add(std::string(kNames[i]) + suffix);
        AddIf(node, (flags & (1 << (2 * i))) != 0, "Meldung");
        AddIf(node, (flags & (2 << (2 * i))) != 0, "Klang");
    }
}

// Picks the text of a numbered choice; values without a text give nullptr.
template <size_t N>
const char* Choice(const char* const (&texts)[N], int value)
{
    return value >= 0 && static_cast<size_t>(value) < N ? texts[value] : nullptr;
}

void AddChoice(SummaryNode& parent, const char* text)
{
    if (text) {
        parent.Add(text);
    }
}

void AddShutdownLine(SummaryNode& parent, int mode)
{
    static const char* const kModes[] = {
        nullptr, "Nach Lauf Windows beenden: Herunterfahren",
        "Nach Lauf Windows beenden: Ausloggen",
        "Nach Lauf Windows beenden: Herunterfahren und ausschalten",
        "Nach Lauf Windows beenden: Herunterfahren und neu starten"};
    AddChoice(parent, Choice(kModes, mode));
}

void AddSchedule(SummaryNode& parent, const cStringList& schedule, const char* inactive)
{
    SummaryNode& node = parent.Add("Zeitplaner...");
    for (int i = 0; i < schedule.Count(); ++i) {
        const uint32_t entry = static_cast<uint32_t>(schedule.Value(i));
        const int minutes = static_cast<int>(entry & 0xFFFF);
        // A hand-edited entry past midnight wraps instead of naming a 25th hour.
        const TDateTime time = EncodeDateTime(1899, 12, 30, minutes / 60 % 24, minutes % 60);
        std::string line = (entry & 0x80000000u) ? inactive : "Aktiv:   ";
        line += FormatDateTime("t", time) + ";   Wochentage:";
        for (int day = 0; day < 7; ++day) {  // bit 30 Monday .. bit 24 Sunday
            if (entry & (1u << (30 - day))) {
                line += "  " + FormatDateTime("ddd", EncodeDateTime(1966, 9, 12 + day));
            }
        }
        node.Add(line);
    }
}

void AddSource(SummaryNode& root, cParameters& p)
{
    SummaryNode& node = root.Add("Quelle");
    p.Groups.Source = &node;
    node.Add("Laufwerk: " + p.SourceDrive);
    AddList(node, "Verzeichnisse durchsuchen...", p.SearchDirectories);
    AddList(node, "Verzeichnisse ausschließen...", p.ExcludeDirectories);
    AddList(node, "Dateien vergleichen...", p.CompareFiles);
    AddList(node, "Dateien erzwingen...", p.EnforceFiles);
    AddList(node, "Dateien löschen...", p.DeleteFiles);
    AddList(node, "Dateien ausschließen...", p.ExcludeFiles);
}

void AddDestination(SummaryNode& root, cParameters& p)
{
    static const char* const kVariations[] = {
        "Variation: Fest",           "Variation: Kalendardatum",
        "Variation: Wochentag",      "Variation: Gerade / ungerade",
        "Variation: 3 Generationen", "Variation: Benutzername"};
    SummaryNode& node = root.Add("Ziel");
    p.Groups.Destination = &node;
    node.Add("Laufwerk: " + p.DestinationDrive);
    node.Add("Verzeichnis: " + p.DestinationDirectory);
    if (const char* variation = Choice(kVariations, p.Variation)) {
        node.Add(std::string(variation) + (p.EightThree ? ", 8.3-kompatibel" : ""));
    }
    SummaryNode& disk = node.Add("Datenträger...");
    if (!p.DiskLabel.empty()) {
        disk.Add("Bezeichnung prüfen: " + p.DiskLabel);
    }
    AddIf(disk, p.OfferFormat, "Formatierung anbieten");
    AddIf(disk, p.EjectDisk, "Hinterher auswerfen");
}

SummaryNode& AddRange(SummaryNode& options, const cParameters& p)
{
    SummaryNode& node = options.Add("Bereich");
    if (p.TouchSrc && p.TouchDest) {
        node.Add("Anrühren: Ziel und Quelle (in beide Richtungen)");
    } else if (p.TouchDest) {
        node.Add("Anrühren: Nur Ziel (vorwärts)");
    } else if (p.TouchSrc) {
        node.Add("Anrühren: Nur Quelle (rückwärts)");
    }
    SummaryNode& attributes = node.Add("Attribute...");
    AddIf(attributes, (p.Attributes & 1) != 0, "Schreibgeschützte Dateien überschreiben / löschen");
    AddIf(attributes, (p.Attributes & 2) != 0, "Versteckte Dateien finden / überschreiben");
    AddIf(attributes, (p.Attributes & 4) != 0, "Systemdateien finden / überschreiben");
    return node;
}

SummaryNode& AddDirectories(SummaryNode& options, const cParameters& p)
{
    SummaryNode& node = options.Add("Verzeichnisse");
    AddIf(node, p.ShortenPaths, "Pfade so weit wie möglich kürzen");
    AddSides(node, "Verzeichnisse erstellen, wenn nötig...", p.CreateSrcDirs, p.CreateDestDirs);
    AddSides(node, "Leere Verzeichnisse löschen...", p.DeleteEmptySrcDirs, p.DeleteEmptyDestDirs);
    AddSides(node, "Alle Verzeichnisse erstellen...", p.CreateAllSrcDirs, p.CreateAllDestDirs);
    AddIf(node, p.TransferDirProperties, "Verzeichniseigenschaften übertragen");
    return node;
}

std::string AgeLine(const cParameters& p)
{
    const bool older = (p.AgeMode & 4) != 0;
    const char* first = older ? "Vor" : "Seit";
    const char* second = older ? "Mehr als" : "Nicht mehr als";
    switch (p.AgeMode & 3) {
        case 1: {
            const std::string days =
                p.RelativeAge == 1 ? "1 Tag" : std::to_string(p.RelativeAge) + " Tage";
            return FormatText(
                "Alter: %s %s alt (%s %s)",
                {second, days, first, FormatDateTime("ddd ddddd", Today() - p.RelativeAge)});
        }
        case 2:
            return FormatText("Alter: %s %s", {first, FormatDateTime("ddd ddddd", p.AbsoluteAge)});
        case 3:
            return FormatText(
                "Alter: %s dem letzten Lauf am %s",
                {first, FormatDateTime("ddd ddddd tt", FileTimeToDateTime(p.LastUpdate))});
        default:
            return "Alter: Keine Grenze";
    }
}

// One caption with the orphan line of each of its fields.
template <size_t N, size_t M>
void AddOrphanGroup(SummaryNode& parent, const char* caption, const char* const (&first)[N],
                    int firstMode, const char* const (&second)[M], int secondMode)
{
    SummaryNode& node = parent.Add(caption);
    AddChoice(node, Choice(first, firstMode));
    AddChoice(node, Choice(second, secondMode));
}

SummaryNode& AddOrphans(SummaryNode& options, const cParameters& p)
{
    static const char* const kD1[] = {
        "Quelle: Vorwärts",  "Quelle: Überspringen", nullptr, nullptr, nullptr, nullptr,
        "Quelle: Nur Waisen"};
    static const char* const kD2[] = {nullptr, "Ziel: Überspringen", "Ziel: Löschen"};
    static const char* const kB[] = {
        nullptr,     "Überspringen",         "Löschen",
        nullptr,     "Vorwärts / rückwärts", "Im Schnappschuß nachsehen",
        "Nur Waisen"};
    static const char* const kS1[] = {
        nullptr, "Ziel: Überspringen", nullptr, "Ziel: Rückwärts", nullptr,
        nullptr, "Ziel: Nur Waisen"};
    static const char* const kS2[] = {nullptr, "Quelle: Überspringen", "Quelle: Löschen"};
    static const char* const kNone[] = {nullptr};
    SummaryNode& node = options.Add("Waisen");
    AddOrphanGroup(node, "Nur Ziel anrühren", kD1, p.OrphanModeD1, kD2, p.OrphanModeD2);
    AddOrphanGroup(node, "Ziel und Quelle anrühren", kB, p.OrphanModeB, kNone, 0);
    AddOrphanGroup(node, "Nur Quelle anrühren", kS1, p.OrphanModeS1, kS2, p.OrphanModeS2);
    AddIf(node, p.ListSkip, "Zu überspringende Dateien listen");
    AddIf(node, p.EnforceBackward, "Löschen beim Erzwingen");
    return node;
}

SummaryNode& AddSorting(SummaryNode& options, const cParameters& p)
{
    static const char* const kModes[] = {
        "Sortierung: Nach Pfad",  "Sortierung: Nach Namen",           "Sortierung: Nach Typ",
        "Sortierung: Nach Größe", "Sortierung: Nach Datum / Uhrzeit", "Sortierung: Nach Kategorie"};
    const char* mode = Choice(kModes, p.SortingMode);
    return options.Add(std::string(mode ? mode : "Sortierung:") +
                       (p.ReverseOrder ? " (Umgekehrte Reihenfolge)" : ""));
}

SummaryNode& AddChecks(SummaryNode& options, const cParameters& p)
{
    SummaryNode& node = options.Add("Kontrollen...");
    if (p.MidnightHours > 0) {
        node.Add(FormatText("Von Mitternacht bis %d Uhr nachfragen", {p.MidnightHours}));
    }
    AddIf(node, p.ShowOverview, "Übersicht zeigen");
    if (p.CheckSizes > 1) {
        node.Add(FormatText("Größen kontrollieren mit Faktor %d", {p.CheckSizes}));
    }
    AddIf(node, p.CompareProperties, "Dateieigenschaften vergleichen");
    AddIf(node, p.Verify, "Dateien nachher vergleichen (Verify)");
    return node;
}

SummaryNode& AddAutomation(SummaryNode& options, const cParameters& p)
{
    SummaryNode& node = options.Add("Automatik...");
    AddIf(node, p.AutoOpen, "Nach Öffnen laufen");
    if (p.AutoApp) {
        node.Add(FormatText("Laufen, wenn Anwendung \"%s\" beendet wird", {p.AppName}));
    }
    AddIf(node, p.AutoSense, "Laufen, wenn Quelle und Ziel verfügbar sind");
    AddIf(node, p.AutoHook, "Ins Herunterfahren von Windows einklinken");
    AddIf(node, p.AutoBeep, "Nach Lauf piepsen");
    AddIf(node, p.AutoExit, "Nach Lauf Verdal beenden");
    AddShutdownLine(node, p.AutoShutdown);
    return node;
}

SummaryNode& AddMiscellaneous(SummaryNode& options, const cParameters& p)
{
    SummaryNode& node = options.Add("Verschiedenes");
    SummaryNode& lists = node.Add("Laufwerks-Listen...");
    AddIf(lists, p.BrowseNetwork, "Netzwerk automatisch durchsuchen");
    AddIf(lists, p.DiskInfo, "Datenträger-Information zeigen");
    SummaryNode& clocks = node.Add("Uhren");
    clocks.Add(FormatText("Maximale Zeitdifferenz in Sekunden: %d", {p.TimeDifference}));
    AddIf(clocks, p.IgnoreDST, "Sommerzeit ignorieren");
    AddIf(clocks, p.UseUTC, "UTC-Zeit benutzen");
    AddIf(node, p.MyCopy, "Eigene Kopierroutine benutzen");
    AddIf(node, p.TransferPermissions, "Dateiberechtigungen übertragen");
    AddIf(node, p.TransferOwner, "Dateibesitzer übertragen");
    AddIf(node, p.Recycle, "Dateien in den Papierkorb löschen");
    AddIf(node, p.TrayIcon, "In die Systemablage verkleinern");
    return node;
}

void AddOptions(SummaryNode& root, cParameters& p)
{
    SummaryNode& node = root.Add("Optionen");
    auto& pages = p.Groups.OptionPages;
    p.Groups.Options = &node;
    pages[0] = &AddRange(node, p);
    pages[1] = &AddDirectories(node, p);
    pages[2] = &node.Add(AgeLine(p));
    pages[3] = &AddOrphans(node, p);
    pages[4] = &AddSorting(node, p);
    pages[5] = &AddChecks(node, p);
    pages[6] = &node.Add("Warnungen");
    AddWarnings(*pages[6], p.Warnings, "...");
    pages[7] = &AddAutomation(node, p);
    pages[8] = &AddMiscellaneous(node, p);
}

void AddOverview(SummaryNode& root, cParameters& p)
{
    static const char* const kColorNames[] = {"Block 1",      "Block 2", "Vorwärts",
                                              "Überspringen", "Löschen", "Rückwärts"};
    const cOverviewParameters& o = p.Overview;
    SummaryNode& node = root.Add("Übersicht");
    p.Groups.Overview = &node;
    node.Add(o.OpenFolders ? "Offene Ordner" : "Geschlossene Ordner");
    node.Add(o.OneLineRows ? "Einzeilige Dateien" : "Mehrzeilige Dateien");
    SummaryNode& filter = node.Add("Filter");
    AddIf(filter, o.FilterSizes, "Größen kontrollieren");
    AddIf(filter, o.FilterDoubleChange, "Doppelte Änderung");
    AddIf(filter, o.FilterPropertiesOnly, "Nur Eigenschaften");
    SummaryNode& colors = node.Add("Farben");
    for (size_t i = 0; i < o.Colors.size(); ++i) {
        const uint32_t c = o.Colors[i];
        colors.Add(o.SystemColor[i]
                       ? FormatText("%s: Systemfarbe", {kColorNames[i]})
                       : FormatText("%s: Rot = %.3d  Grün = %.3d  Blau = %.3d",
                                    {kColorNames[i], c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF}));
    }
    AddIf(node, o.AlwaysShowPaths, "Pfade immer zeigen");
    SummaryNode& font = node.Add("Schriftart");
    font.Add("Name: " + o.ListFontName);
    font.Add(FormatText("Größe: %d", {o.ListFontSize}));
}

void AddDelivery(SummaryNode& parent, const char* caption, bool viewer, bool email, bool printer)
{
    SummaryNode& node = parent.Add(caption);
    AddIf(node, viewer, "Betrachter");
    AddIf(node, email, "E-Mail");
    AddIf(node, printer, "Drucker");
}

std::string ViewerLine(const cLogParameters& l)
{
    static const char* const kViewers[] = {"Eingebaut", "Notizblock (Editor)", "Schnellansicht",
                                           "WordPad"};
    const char* builtIn = Choice(kViewers, l.ViewerKind);
    std::string line = "Betrachter: " +
                       (builtIn ? std::string(builtIn) : (l.ViewerKind == 4 ? l.OtherViewer : ""));
    if (!l.ViewerSwitches.empty()) {
        line += "; Schalter: " + l.ViewerSwitches;
    }
    return line;
}

std::string MailLine(const cLogParameters& l)
{
    if (l.Recipient1Address.empty()) {
        return "E-Mail: -";
    }
    std::string line = FormatText("E-Mail: an %s <%s>", {l.Recipient1Name, l.Recipient1Address});
    if (!l.Recipient2Address.empty() || !l.Recipient3Address.empty()) {
        line += " und andere";
    }
    if (l.AsAttachment) {
        line += " als Anhang";
    }
    return line;
}

void AddLog(SummaryNode& root, cParameters& p)
{
    static const char* const kDateTime[] = {"Datum und Uhrzeit: Ohne",
                                            "Datum und Uhrzeit: Anfang / Ende",
                                            "Datum und Uhrzeit: Für jede Datei"};
    static const char* const kFileInfo[] = {"Datei-Information: Nur Name",
                                            "Datei-Information: Mit Datum und Uhrzeit",
                                            "Datei-Information: Mit alter Datei"};
    const cLogParameters& l = p.Log;
    SummaryNode& node = root.Add("Log");
    p.Groups.Log = &node;
    node.Add(l.Active ? "Aktiv" : "Nicht aktiv");
    node.Add("Log-Datei: " + l.Filename);
    AddChoice(node, Choice(kDateTime, l.DateTimeMode));
    AddChoice(node, Choice(kFileInfo, l.FileInfoMode));
    AddIf(node, l.Daily, "Datum dem Namen hinzufügen");
    AddIf(node, l.Append, "An alte Datei anhängen");
    AddIf(node, l.SkipNormal, "Normale Operation nicht loggen");
    SummaryNode& action = node.Add("Aktion");
    AddDelivery(action, "Wenn kein Fehler aufgetreten ist, Log senden an...", l.Viewer1, l.Email1,
                l.Printer1);
    AddDelivery(action, "Wenn ein Fehler aufgetreten ist, Log senden an...", l.Viewer2, l.Email2,
                l.Printer2);
    action.Add(ViewerLine(l));
    action.Add(MailLine(l));
    action.Add(l.PrinterName.empty() ? "Drucker: -" : "Drucker: " + l.PrinterName);
}

void AddProfile(SummaryNode& root, cParameters& p)
{
    AddSource(root, p);
    AddDestination(root, p);
    AddOptions(root, p);
    AddOverview(root, p);
    AddLog(root, p);
    AddSchedule(root, p.Schedule, "Nicht aktiv:   ");
    p.Groups.Scheduler = root.Children.back().get();
}

void AddBatch(SummaryNode& root, cParameters& p)
{
    const cBatchParameters& b = p.Batch;
    SummaryNode& node = root.Add("Batch");
    p.Groups.Batch = &node;
    SummaryNode& profiles = node.Add("Profile");
    for (const auto& item : b.Profiles.Items()) {
        profiles.Add(item.Text + "   " + ContinuationText(item.Value));
    }
    SummaryNode& warnings = node.Add("Warnungen");
    if (b.OverrideWarnings) {
        warnings.Add("Individuelle Einstellungen in den Profilen überschreiben");
        AddWarnings(warnings, b.WarningFlags, "");
    } else {
        warnings.Add("Siehe individuelle Einstellungen in den Profilen");
    }
    SummaryNode& automation = node.Add("Automatik...");
    AddIf(automation, b.RunAfterOpen, "Nach Öffnen laufen");
    AddIf(automation, b.HookShutdown, "Ins Herunterfahren von Windows einklinken");
    AddIf(automation, b.BeepAfterRun, "Nach Lauf piepsen");
    AddIf(automation, b.ExitAfterRun, "Nach Lauf Verdal beenden");
    AddShutdownLine(automation, b.ShutdownMode);
    AddIf(automation, b.MinimizeToTray, "In die Systemablage verkleinern");
    AddSchedule(root, b.Schedule, "Inaktiv:   ");
    p.Groups.Scheduler = root.Children.back().get();
}

void AppendText(const SummaryNode& node, int level, std::string& out)
{
    for (const auto& child : node.Children) {
        out.append(2 * static_cast<size_t>(level), ' ');
        out += child->Text;
        out += '\n';
        AppendText(*child, level + 1, out);
    }
}

}  // namespace

SummaryNode& SummaryNode::Add(std::string text)
{
    Children.push_back(std::make_unique<SummaryNode>());
    Children.back()->Text = std::move(text);
    return *Children.back();
}

std::unique_ptr<SummaryNode> BuildSummary(cParameters& params)
{
    auto root = std::make_unique<SummaryNode>();
    params.Groups = SummaryGroups{};
    switch (params.FileKind) {
        case 0:
            AddProfile(*root, params);
            break;
        case 1:
            AddBatch(*root, params);
            break;
        default:
            root->Add("Unbekanntes Dateiformat!");
            break;
    }
    return root;
}

std::string SummaryText(const SummaryNode& root)
{
    std::string out;
    AppendText(root, 0, out);
    return out;
}

}  // namespace verdal
