#include "settings/ErrorText.h"

#include <string_view>

namespace verdal {
namespace {

struct CodeText
{
    int Code;
    std::string_view Text;
};

constexpr CodeText kSuffixes[] = {
    {0, " - Erfolg"},
    {2, " - Datei nicht gefunden"},
    {3, " - Pfad nicht gefunden"},
    {4, " - Zuviele offene Dateien"},
    {5, " - Datei schreibgeschützt/versteckt/System oder ungenügende Berechtigungen"},
    {15, " - Laufwerk nicht gefunden"},
    {19, " - Datenträger schreibgeschützt"},
    {20, " - Gerät nicht gefunden"},
    {21, " - Gerät nicht bereit"},
    {23, " - Datenfehler (Cyclic Redundancy Check"},
    {26, " - Diskette ist keine DOS-Diskette"},
    {29, " - Kann nicht auf Gerät schreiben"},
    {30, " - Kann nicht von Gerät lesen"},
    {31, " - Allgemeiner Fehler"},
    {32, " - Datei wird von einem anderen Prozeß benutzt"},
    {33, " - Ein anderer Prozeß hat die Datei gesperrt"},
    {36, " - Zuviele Dateien geöffnet fürs Sharing"},
    {51, " - Entfernter Computer nicht verfügbar"},
    {53, " - Netzwerkpfad nicht gefunden"},
    {54, " - Netzwerk ausgelastet"},
    {64, " - Netzwerkname nicht mehr verfügbar"},
    {65, " - Zugang zum Netzwerk verweigert"},
    {67, " - Netzwerk-Freigabename nicht gefunden"},
    {111, " - Dateiname zu lang"},
    {112, " - Kein Platz mehr auf dem Datenträger"},
    {123, " - Ungültiger Name"},
    {161, " - Pfad ungültig"},
    {206, " - Pfad zu lang"},
    {1231, " - Netzwerk nicht erreichbar"},
};

constexpr CodeText kOwnTexts[] = {
    {1235, "Benutzerwunsch"},
    {2000, "Dateien haben verschiedene Größen"},
    {2001, "Dateiinhalte sind nicht identisch"},
    {2002, "Ungültiges Dateiformat"},
    {2003, "Der Schnappschuß ist nicht verfügbar, solange das Profil noch unbenannt ist"},
    {2004, "Keine gewöhnliche Datei (Gerät, Pipe oder Verzeichnis)"},
    {2005, "Datei zu groß"},
};

template <size_t N>
const std::string_view* Find(const CodeText (&table)[N], int code)
{
    for (const auto& entry : table) {
        if (entry.Code == code) {
            return &entry.Text;
        }
    }
    return nullptr;
}

}  // namespace

std::string ErrorText(int code)
{
    if (const auto* own = Find(kOwnTexts, code)) {
        return std::string(*own);
    }
    std::string text = "Fehler " + std::to_string(code);
    if (const auto* suffix = Find(kSuffixes, code)) {
        text += *suffix;
    }
    return text;
}

std::string ContinuationText(int condition)
{
    switch (condition) {
        case 0:
            return "Immer weitermachen";
        case 1:
            return "Weitermachen bei Erfolg";
        case 2:
            return "Weitermachen bei Mißerfolg";
        default:
            return {};
    }
}

}  // namespace verdal
