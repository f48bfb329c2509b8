#include "cli/Arguments.h"

namespace verdal {
namespace {

cArguments Invalid(std::string error)
{
    cArguments result;
    result.Error = std::move(error);
    return result;
}

// Takes the value of an option given as "--name VALUE" or "--name=VALUE"; false when it is
// missing.
bool TakeValue(const std::vector<std::string>& args, size_t& i, const std::string& name,
               std::string& value)
{
    const std::string& arg = args[i];
    if (arg.size() > name.size() && arg.compare(0, name.size() + 1, name + "=") == 0) {
        value = arg.substr(name.size() + 1);
        return true;
    }
    if (i + 1 >= args.size()) {
        return false;
    }
    value = args[++i];
    return true;
}

bool IsOption(const std::string& arg, const std::string& name)
{
    return arg == name || arg.rfind(name + "=", 0) == 0;
}

}  // namespace

cArguments ParseArguments(const std::vector<std::string>& args)
{
    cArguments result;
    result.Mode = CliMode::Run;
    std::vector<std::string> files;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            files.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            result.Mode = CliMode::Help;
            return result;
        } else if (arg == "--version") {
            result.Mode = CliMode::Version;
            return result;
        } else if (arg == "--summary") {
            result.Mode = CliMode::Summary;
        } else if (arg == "--dry-run") {
            result.DryRun = true;
        } else if (arg == "--interactive") {
            result.Interactive = true;
        } else if (arg == "--allow-mass-delete") {
            result.AllowMassDelete = true;
        } else if (IsOption(arg, "--ini")) {
            if (!TakeValue(args, i, "--ini", result.IniPath) || result.IniPath.empty()) {
                return Invalid("Nach --ini fehlt der Name der Optionsdatei.");
            }
        } else {
            return Invalid("Unbekannte Option: " + arg);
        }
    }
    if (files.empty()) {
        return Invalid("Keine Profil- oder Batch-Datei angegeben.");
    }
    if (files.size() > 1) {
        return Invalid("Zu viele Dateien angegeben: " + files[1]);
    }
    result.File = files.front();
    return result;
}

std::string UsageText()
{
    return "Aufruf: verdal-run [Optionen] DATEI\n"
           "Führt ein Verdal-Profil (.vrd) oder eine Batch-Datei (.vbf) ohne Fenster aus.\n"
           "\n"
           "  --summary        die Einstellungen der Datei zeigen, statt sie auszuführen\n"
           "  --dry-run        nur zeigen, was geschehen würde; nichts ändern\n"
           "  --interactive    Fragen im Terminal beantworten\n"
           "  --allow-mass-delete\n"
           "                   auch löschen, wenn ein Lauf die Hälfte oder mehr der Dateien\n"
           "                   einer Seite löschen würde (sonst wird das verweigert, Rückgabe 2)\n"
           "  --ini DATEI      diese Optionsdatei statt Verdal50.ini benutzen\n"
           "  --help           diesen Text zeigen\n"
           "  --version        die Version zeigen\n"
           "\n"
           "Rückgabewert: 0 ohne Fehler, 1 abgebrochen, 2 Fehler, 3 Datei nicht lesbar\n"
           "oder falscher Aufruf.\n";
}

}  // namespace verdal
