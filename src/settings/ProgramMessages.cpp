#include "settings/ProgramMessages.h"

#include <string_view>
#include <vector>

#include "platform/TextCase.h"
#include "settings/ErrorText.h"
#include "settings/Parameters.h"

namespace verdal {
namespace {

struct MessageEntry
{
    int Code;
    std::string_view Text;
    BoxKind Kind;
    BoxButtons Buttons;
    uint8_t MessageBit;  // 0: always shown
    uint8_t BeepBit;
    BoxResult NotShown;
};

constexpr std::string_view kInvalidDriveText =
    "\"%s\" ist kein gültiges Laufwerk.\r\rEin Laufwerk ist entweder ein Buchstabe plus ein "
    "Doppelpunkt oder ein UNC-Name der Form \\\\Computer\\Freigabename ohne abschließenden "
    "umgekehrten Schrägstrich. Es darf keins dieser Zeichen enthalten: /:*?\"<|>";
constexpr std::string_view kInvalidDirectoryText =
    "\"%s\" ist kein gültiges Verzeichnis.\r\rEin Verzeichnis beginnt und endet mit einem "
    "umgekehrten Schrägstrich. Es darf keins dieser Zeichen enthalten: /:*?\"<|>";

using enum BoxKind;
constexpr BoxButtons kOk = BoxButtons::Ok;
constexpr BoxButtons kOkHelp = BoxButtons::OkHelp;
constexpr BoxButtons kYesNoHelp = BoxButtons::YesNoHelp;
constexpr BoxResult kNone = BoxResult::None;
constexpr BoxResult kOkResult = BoxResult::Ok;
constexpr BoxResult kYes = BoxResult::Yes;
constexpr BoxResult kNo = BoxResult::No;

constexpr MessageEntry kMessages[] = {
    {30001, "\"%s\" ist ein gültiges Laufwerk.", Information, kOk, 0, 0, kNone},
    {30002, kInvalidDriveText, Error, kOkHelp, 0, 0, kNone},
    {30003, "\"%s\" ist ein gültiges Verzeichnis.", Information, kOk, 0, 0, kNone},
    {30004, kInvalidDirectoryText, Error, kOkHelp, 0, 0, kNone},
    {30005, "Das Log kann nicht nach %s geschrieben werden:\r\r%s\r\rFortfahren ohne Log?", Error,
     kYesNoHelp, kWarnOtherMessage, kWarnOtherBeep, kYes},
    {30007,
     "Nichts zu tun.\rSie müssen mindestens 1 Verzeichnis und 1 Datei oder Dateityp zum Suchen "
     "auswählen.",
     Error, kOkHelp, kWarnOtherMessage, kWarnOtherBeep, kOkResult},
    {30008, "Quelle und Ziel sind identisch.", Error, kOkHelp, kWarnOtherMessage, kWarnOtherBeep,
     kOkResult},
    {30009, "Quelle und Ziel überlappen sich.", Error, kOkHelp, kWarnOtherMessage, kWarnOtherBeep,
     kOkResult},
    {30010, "Laufwerk %s nicht bereit.\r\rNochmal versuchen?", Error, kYesNoHelp, kWarnOtherMessage,
     kWarnOtherBeep, kNo},
    {30011, "Bezeichnung des Zieldatenträgers falsch.", Error, kOkHelp, kWarnOtherMessage,
     kWarnOtherBeep, kOkResult},
    {30012, "Es ist nach Mitternacht.\r\rSoll Verdal so tun, als wäre noch gestern?", Confirmation,
     kYesNoHelp, kWarnOtherMessage, kWarnOtherBeep, kNo},
    {30014, "Keine Dateien gefunden.", Information, kOkHelp, kWarnNoFilesMessage, kWarnNoFilesBeep,
     kOkResult},
    {30015, "Laufwerk %s hat %s MB zuwenig Speicherplatz.\r\rNeu berechnen und fortfahren?",
     Warning, kYesNoHelp, kWarnSpaceMessage, kWarnSpaceBeep, kYes},
    {30016,
     "Windows 9x erlaubt nur ca. %.0n Einträge in einer Liste.\r\rDieser Ordner kann nur "
     "geöffnet werden, wenn Sie vorher andere Ordner schließen, die zusammen mindestens %.0n "
     "%s enthalten.",
     Information, kOkHelp, 0, 0, kNone},
    // Asked before a run deletes half or more of the files of one side, which is what an
    // unmounted, emptied or retargeted drive on the other side looks like.
    {30017,
     "Auf %s würden %d von %d Dateien gelöscht.\r\rIst das Laufwerk richtig "
     "eingebunden?\r\rTrotzdem löschen?",
     Warning, BoxButtons::YesNo, kWarnOtherMessage, kWarnOtherBeep, kNo},
    {30109, "Fehler beim Vergleichen:\r\r%s\r\rmit:\r\r%s\r\r%s\r\rNochmal versuchen?", Error,
     kYesNoHelp, kWarnErrorMessage, kWarnErrorBeep, kNo},
};

const MessageEntry* FindMessage(int code)
{
    for (const auto& entry : kMessages) {
        if (entry.Code == code) {
            return &entry;
        }
    }
    return nullptr;
}

// Turns the arguments callers naturally have (an error code, a number of megabytes) into the
// texts the message shows.
std::vector<FormatArg> MessageArgs(int code, std::initializer_list<FormatArg> given)
{
    std::vector<FormatArg> args(given);
    const auto isNumber = [&](size_t i) {
        return i < args.size() && !std::holds_alternative<std::string>(args[i].Get());
    };
    const auto asInteger = [&](size_t i) {
        const auto& value = args[i].Get();
        return std::holds_alternative<int64_t>(value)
                   ? std::get<int64_t>(value)
                   : static_cast<int64_t>(std::get<double>(value));
    };
    switch (code) {
        case kMsgLogNotWritable:
            if (isNumber(1)) {
                args[1] = ErrorText(static_cast<int>(asInteger(1)));
            }
            break;
        case kMsgCompareError:
            if (isNumber(2)) {
                args[2] = ErrorText(static_cast<int>(asInteger(2)));
            }
            if (args.size() > 2) {
                args[2] = UpperCase(std::get<std::string>(args[2].Get()));
            }
            break;
        case kMsgTooLittleSpace:
            if (isNumber(1)) {
                const auto& value = args[1].Get();
                args[1] = std::holds_alternative<double>(value)
                              ? FormatNumber(std::get<double>(value), 3)
                              : FormatNumber(std::get<int64_t>(value), 3);
            }
            break;
        case kMsgTooManyEntries:
            if (args.size() == 2 && isNumber(1)) {
                args.emplace_back(asInteger(1) == 1 ? "Eintrag" : "Einträge");
            }
            break;
        default:
            break;
    }
    return args;
}

}  // namespace

BoxResult ShowProgramMessage(int code, std::initializer_list<FormatArg> args, int helpContext)
{
    const MessageEntry* entry = FindMessage(code);
    if (!entry) {
        return BoxResult::None;
    }
    const uint8_t warnings = Params().Warnings;
    if (entry->BeepBit && (warnings & entry->BeepBit)) {
        Presenter().Beep();
    }
    if (entry->MessageBit && !(warnings & entry->MessageBit)) {
        return entry->NotShown;
    }
    Message message;
    message.Kind = entry->Kind;
    message.Buttons = entry->Buttons;
    message.Text = FormatText(entry->Text, MessageArgs(code, args));
    message.HelpContext = entry->Buttons == kOk ? 0 : (helpContext ? helpContext : code);
    message.Code = code;
    message.DefaultAnswer = entry->NotShown;
    return Presenter().Show(message);
}

void InternalError(const std::string& errorText, const std::string& routine)
{
    Message message;
    message.Kind = BoxKind::Error;
    message.Buttons = BoxButtons::OkHelp;
    message.Text = FormatText(
        "Fehler \"%s\" aufgetreten in Routine %s!\rBitte setzen Sie sich mit dem Hersteller in "
        "Verbindung.\rKontaktinformation erhalten Sie über den Hilfe-Schalter.",
        {errorText, routine});
    message.HelpContext = 10010;
    Presenter().Show(message);
}

void ShowRunProgramError(const std::string& what, const std::string& commandLine, int code,
                         int helpContext)
{
    Message message;
    message.Kind = BoxKind::Error;
    message.Buttons = helpContext ? BoxButtons::OkHelp : BoxButtons::Ok;
    message.Text = FormatText("Konnte %s\r\r%s\r\rnicht ausführen\r\r%s",
                              {what, commandLine, ErrorText(code)});
    message.HelpContext = helpContext;
    Presenter().Show(message);
}

}  // namespace verdal
