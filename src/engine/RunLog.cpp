#include "engine/RunLog.h"

#include <string_view>

#include "engine/Candidate.h"
#include "engine/RunContext.h"
#include "platform/Clock.h"
#include "settings/ErrorText.h"
#include "settings/GermanFormat.h"
#include "settings/Parameters.h"

namespace verdal {
namespace {

const std::string kSeparator(141, '-');
constexpr const char* kEntryFormat = "  %-31s %-60s";
constexpr const char* kDetailedEntryFormat = "  %-31s %-60s  %14s  %15s  %12s";
constexpr const char* kDirectoryFormat = "  %-31s %s";
constexpr const char* kNotDoneFormat = "  %-31s %s  ! %s";
constexpr const char* kDateTimeFormat = "dddd ddddd tt";

// The labels of the file events: first line, second line (empty when there is none).
struct FileEventLabels
{
    int Event;
    const char* First;
    const char* Second;
};

constexpr FileEventLabels kFileEvents[] = {
    {kLogCopiedForward, "Datei vorwärts kopiert:", "                  über:"},
    {kLogCopiedBackward, "Datei rückwärts kopiert:", "                   über:"},
    {kLogSkipped, "Datei übersprungen:", "               und:"},
    {kLogDeleted, "Datei gelöscht:", ""},
    {kLogDeleteFailed, "FEHLER beim Löschen:", ""},
    {kLogVerified, "Datei verglichen:", "             mit:"},
    {kLogVerifyFailed, "FEHLER beim Vergleichen:", "                    mit:"},
    {kLogCopyFailed, "FEHLER beim Kopieren:", "                 über:"},
};

const FileEventLabels* FindFileEvent(int event)
{
    for (const auto& labels : kFileEvents) {
        if (labels.Event == event) {
            return &labels;
        }
    }
    return nullptr;
}

// Single-line events whose text takes the first and second item's Path.
const char* SimpleEventText(int event)
{
    switch (event) {
        case kLogNothingToDo:
            return "Fehler: Nichts zu tun. Sie müssen mindestens 1 Verzeichnis und 1 Datei oder "
                   "Dateityp zum Suchen auswählen.";
        case kLogIdentical:
            return "Fehler: Quelle und Ziel sind identisch.";
        case kLogOverlap:
            return "Fehler: Quelle und Ziel überlappen sich.";
        case kLogInvalidDirectory:
            return "Fehler: \"%s\" ist kein gültiges Verzeichnis.";
        case kLogNotReady:
            return "Fehler: Laufwerk %s nicht bereit.";
        case kLogWrongLabel:
            return "Fehler: Bezeichnung des Zieldatenträgers falsch.";
        case kLogMidnight:
            return "Hinweis: Es ist nach Mitternacht. Verdal wird so tun, als wäre noch gestern.";
        case kLogAborted:
            return "Abbruch durch Benutzer.";
        case kLogNoFiles:
            return "Keine Dateien gefunden.";
        case kLogLowSpace:
            return "Warnung: Laufwerk %s hat %s MB zuwenig Speicherplatz.";
        case kLogMassDelete:
            return "Warnung: %d Dateien auf %s nicht gelöscht (Schutz vor Massenlöschung).";
        case kLogUnreadable:
            return "Fehler: Verzeichnis %s nicht lesbar (%s). Darin wird nichts kopiert oder "
                   "gelöscht.";
        case kLogLinkedDir:
            return "Warnung: %s führt über eine Verknüpfung oder Datei, nicht über Verzeichnisse. "
                   "Übergangen.";
        case kLogProfileBusy:
            return "Fehler: Das Profil %s läuft bereits. Dieser Lauf wird nicht gestartet.";
        case kLogBatchInBatch:
            return "Fehler: %s ist eine Batch-Datei und kein Profil. Eintrag übergangen.";
        case kLogEntryUnreadable:
            return "Fehler: Profil %s nicht lesbar. Eintrag übergangen.";
        case kLogLeftoverRemoved:
            return "Hinweis: Zwischendatei eines abgebrochenen Laufs entfernt: %s";
        case kLogLeftoverKept:
            return "Warnung: Zwischendatei eines abgebrochenen Laufs %s nicht entfernt (%s).";
        case kLogOlderVersionKept:
            return "Warnung: Doppelte Änderung an %s: ältere Fassung aufbewahrt als \"%s\".";
        case kLogOlderVersionNotKept:
            return "Fehler: Doppelte Änderung an %s: ältere Fassung nicht aufbewahrt (%s). Datei "
                   "übersprungen.";
        case kLogCaseUnchecked:
            return "Hinweis: Ob %s Groß- und Kleinschreibung unterscheidet, ließ sich nicht "
                   "prüfen (keine Probedatei möglich). Namen, die sich nur darin unterscheiden, "
                   "werden dort als verschiedene Dateien behandelt.";
        case kLogForeignSnapshot:
            return "Hinweis: Schnappschuß %s gehört zu anderen Verzeichnissen oder einem anderen "
                   "Datenträger und wird nicht benutzt. Nichts wird seinetwegen gelöscht.";
        default:
            return nullptr;
    }
}

bool IsTimedEvent(int event)
{
    return (event >= kLogCopiedForward && event <= kLogVerifyFailed) ||
           (event >= kLogSnapshotRead && event <= kLogCopyFailed) || event == kLogUnnamable ||
           event == kLogConflict || event == kLogOlderVersionKept ||
           event == kLogOlderVersionNotKept;
}

// Successful operations that SkipNormal leaves out. A failed delete is kept: an error the
// summary counts must be traceable in the log.
bool IsNormalEvent(int event)
{
    return event >= kLogCopiedForward && event <= kLogVerified && event != kLogDeleteFailed;
}

std::string TriggerLine(const LogRunInfo& run)
{
    switch (run.Trigger & 127) {
        case 0:
            return "- gestartet von Hand";
        case 1:
            return "- automatisch gestartet nach Öffnen";
        case 2:
            return FormatText("- automatisch gestartet, als Anwendung \"%s\" beendet wurde",
                              {run.AppName});
        case 3:
            return "- automatisch gestartet, als Quelle und Ziel verfügbar wurden";
        case 4:
            return "- automatisch gestartet im Herunterfahren von Windows";
        case 5:
            return "- automatisch gestartet vom Zeitplaner";
        default:
            return {};
    }
}

void AddLine(std::string& text, const std::string& line)
{
    text += line;
    text += "\r\n";
}

bool HasHighBytes(std::string_view text)
{
    for (unsigned char c : text) {
        if (c >= 0x80) {
            return true;
        }
    }
    return false;
}

size_t CharacterCount(const std::string& text)
{
    size_t count = 0;
    for (unsigned char c : text) {
        count += (c & 0xC0) != 0x80;
    }
    return count;
}

// Byte offset of the character with index `index`.
size_t ByteOffsetOfCharacter(const std::string& text, size_t index)
{
    size_t count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (count == index) {
                return i;
            }
            ++count;
        }
    }
    return text.size();
}

// Whether an existing log was last written in UTF-8: the newest run with characters beyond
// ASCII decides (runs begin with an empty line and the separator). A log that grows for years
// is judged by its last megabyte.
bool EndIsUtf8(const cOutputFile& file, int64_t size)
{
    constexpr int64_t kTail = 1 << 20;
    std::string tail;
    file.ReadFrom(size > kTail ? size - kTail : 0, tail);
    const std::string runStart = "\r\n\r\n" + kSeparator;
    size_t end = tail.size();
    while (end > 0) {
        const size_t found = tail.rfind(runStart, end - 1);
        const size_t begin = found == std::string::npos ? 0 : found;
        const std::string_view run = std::string_view(tail).substr(begin, end - begin);
        if (HasHighBytes(run)) {
            return IsValidUtf8(run);
        }
        end = begin;
    }
    return false;
}

struct SummaryLine
{
    const char* One;
    const char* Other;
};

}  // namespace

LogFileInfo DescribeFile(const std::string& path, const FileStamp& stamp)
{
    LogFileInfo info(path);
    if (stamp.LastWrite != 0) {
        const TDateTime date = FileTimeToDate(stamp.LastWrite);
        info.SizeText = FormatNumber(stamp.Size, 0);
        info.DateText = FormatDateTime("ddddd", date);
        info.TimeText = FormatDateTime("tt", date);
    }
    return info;
}

std::string ShortenForLog(const std::string& path)
{
    const size_t length = CharacterCount(path);
    if (length <= 60) {
        return path;
    }
    return path.substr(0, ByteOffsetOfCharacter(path, 28)) + "..." +
           path.substr(ByteOffsetOfCharacter(path, length - 29));
}

cLog::cLog(cLogParameters& settings) : settings_(settings) {}

cLog::~cLog()
{
    Close();
}

const std::string& cLog::FileName() const
{
    return settings_.CurrentLogFile;
}

int cLog::Open()
{
    Close();
    if (!settings_.Active) {
        return 0;
    }
    settings_.MakeCurrentLogFile();
    const int code = file_.Open(settings_.CurrentLogFile, settings_.Append);
    if (code != 0) {
        return code;
    }
    runStart_ = file_.Size();
    encoding_ = TextEncoding::Windows1252;
    wroteHighBytes_ = false;
    if (runStart_ > 0 && EndIsUtf8(file_, runStart_)) {
        encoding_ = TextEncoding::Utf8;
    }
    return 0;
}

void cLog::WriteLines(const std::string& text)
{
    if (!file_.IsOpen()) {
        return;
    }
    if (encoding_ == TextEncoding::Windows1252 && !FitsWindows1252(text)) {
        SwitchToUtf8();
    }
    if (encoding_ == TextEncoding::Windows1252 && HasHighBytes(text)) {
        wroteHighBytes_ = true;
    }
    // Write errors are ignored line by line: the run must not fail for its log.
    file_.Write(EncodeTextAs(text, encoding_));
}

void cLog::SwitchToUtf8()
{
    std::string written;
    if (file_.ReadFrom(runStart_, written) == 0 && file_.Truncate(runStart_) == 0) {
        file_.Write(Windows1252ToUtf8(written));
    }
    encoding_ = TextEncoding::Utf8;
}

std::string cLog::TimeStampLine() const
{
    return FormatDateTime("tt", Now());
}

void cLog::Header(const LogRunInfo& run)
{
    std::string text;
    AddLine(text, "");
    AddLine(text, kSeparator);
    AddLine(text, "Profil: " + run.ProfilePath);
    if (!run.BatchFile.empty()) {
        AddLine(text, "- gestartet aus der Batch-Datei " + run.BatchFile);
    }
    const std::string trigger = TriggerLine(run);
    if (!trigger.empty()) {
        AddLine(text, trigger);
    }
    if (settings_.DateTimeMode > 0) {
        AddLine(text, FormatDateTime(kDateTimeFormat, Now()));
    }
    WriteLines(text);
}

std::string cLog::FileLines(int event, const LogFileInfo& first, const LogFileInfo& second) const
{
    const FileEventLabels& labels = *FindFileEvent(event);
    const bool detailed = settings_.FileInfoMode >= 1;
    const bool isVerify = event == kLogVerified || event == kLogVerifyFailed;
    auto entry = [&](const char* label, const LogFileInfo& file) {
        if (detailed && !isVerify) {
            return FormatText(kDetailedEntryFormat, {label, ShortenForLog(file.Path), file.SizeText,
                                                     file.DateText, file.TimeText});
        }
        return FormatText(kEntryFormat, {label, ShortenForLog(file.Path)});
    };
    std::string text;
    AddLine(text, entry(labels.First, first));
    const bool secondLine = *labels.Second && (isVerify ? detailed : settings_.FileInfoMode >= 2);
    if (secondLine) {
        AddLine(text, entry(labels.Second, second));
    }
    return text;
}

void cLog::Event(int event, const LogFileInfo& first, const LogFileInfo& second, int code)
{
    if (!file_.IsOpen() || (settings_.SkipNormal && IsNormalEvent(event))) {
        return;
    }
    std::string text;
    if (settings_.DateTimeMode == 2 && IsTimedEvent(event)) {
        AddLine(text, TimeStampLine());
    }
    if (const char* simple = SimpleEventText(event)) {
        AddLine(text, FormatText(simple, {first.Path, second.Path}));
    } else if (FindFileEvent(event)) {
        text += FileLines(event, first, second);
        if (event == kLogDeleteFailed) {
            AddLine(text, "  ! Datei schreibgeschützt oder nicht gefunden.");
        } else if (event == kLogVerifyFailed || event == kLogCopyFailed) {
            AddLine(text, "  ! " + ErrorText(code));
        }
    } else if (event == kLogDirCreated || event == kLogDirDeleted || event == kLogUnnamable) {
        const char* label = event == kLogDirCreated   ? "Verzeichnis erstellt:"
                            : event == kLogDirDeleted ? "Verzeichnis gelöscht:"
                                                      : "Name nicht darstellbar, übergangen:";
        AddLine(text, FormatText(kDirectoryFormat, {label, first.Path}));
    } else if (event == kLogConflict) {
        AddLine(text, FormatText(kNotDoneFormat,
                                 {"Warnung: Konflikt, übergangen:", first.Path, second.Path}));
    } else if (event == kLogSnapshotRead || event == kLogSnapshotWritten) {
        const bool read = event == kLogSnapshotRead;
        if (code == 0) {
            AddLine(text, FormatText(kDirectoryFormat,
                                     {read ? "Schnappschuß gelesen:" : "Schnappschuß geschrieben:",
                                      first.Path}));
        } else {
            AddLine(text, FormatText(kNotDoneFormat, {read ? "Schnappschuß NICHT gelesen:"
                                                           : "Schnappschuß NICHT geschrieben:",
                                                      first.Path, ErrorText(code)}));
        }
    } else {
        return;
    }
    WriteLines(text);
}

void cLog::Summary(const RunCounters& counters, bool verify)
{
    static constexpr SummaryLine kLines[] = {
        {"     1 Datei vorwärts kopiert", "%6d Dateien vorwärts kopiert"},
        {"     1 Datei rückwärts kopiert", "%6d Dateien rückwärts kopiert"},
        {"     1 Dateipaar übersprungen", "%6d Dateipaare übersprungen"},
        {"     1 einzelne Datei gelöscht", "%6d einzelne Dateien gelöscht"},
        {"     1 leeres Verzeichnis gelöscht", "%6d leere Verzeichnisse gelöscht"},
        {"     1 Verzeichnis erstellt", "%6d Verzeichnisse erstellt"},
        {"     1 Dateipaar erfolgreich verglichen", "%6d Dateipaare erfolgreich verglichen"},
        {"     1 Fehler", "%6d Fehler"},
    };
    const int32_t values[] = {counters.Forward,  counters.Backward,    counters.Skipped,
                              counters.Deleted,  counters.DirsDeleted, counters.DirsCreated,
                              counters.Verified, counters.Errors};
    if (!file_.IsOpen()) {
        return;
    }
    std::string text;
    AddLine(text, "Zusammenfassung");
    for (size_t i = 0; i < std::size(kLines); ++i) {
        if (i == 6 && !verify) {
            continue;
        }
        AddLine(text, values[i] == 1 ? std::string(kLines[i].One)
                                     : FormatText(kLines[i].Other, {values[i]}));
    }
    if (counters.Warnings > 0) {
        AddLine(text, counters.Warnings == 1 ? std::string("     1 Warnung")
                                             : FormatText("%6d Warnungen", {counters.Warnings}));
    }
    WriteLines(text);
}

void cLog::Closing(const LogRunInfo& run)
{
    std::string text;
    if (settings_.DateTimeMode > 0) {
        AddLine(text, FormatDateTime(kDateTimeFormat, Now()));
    }
    if (!run.BatchFile.empty()) {
        AddLine(text,
                "- Bedingung für Fortsetzung der Batch-Datei: " + ContinuationText(run.Condition));
    }
    AddLine(text, kSeparator);
    WriteLines(text);
}

void cLog::Note(int event, const LogFileInfo& first)
{
    if (const char* simple = SimpleEventText(event)) {
        std::string text;
        AddLine(text, TimeStampLine());
        AddLine(text, FormatText(simple, {first.Path}));
        WriteLines(text);
    }
}

void cLog::Action(const std::string& action, const std::string& object, int result)
{
    std::string text;
    AddLine(text, FormatText("Action: %s   Object: %s   Result: %d", {action, object, result}));
    WriteLines(text);
}

void cLog::Close()
{
    if (!file_.IsOpen()) {
        return;
    }
    // Windows-1252 text that happens to be valid UTF-8 would be read back as UTF-8.
    if (encoding_ == TextEncoding::Windows1252 && wroteHighBytes_) {
        std::string written;
        if (file_.ReadFrom(runStart_, written) == 0 && IsValidUtf8(written)) {
            SwitchToUtf8();
        }
    }
    file_.Close();
}

}  // namespace verdal
