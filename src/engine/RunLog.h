#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "platform/FileStamp.h"
#include "platform/OutputFile.h"
#include "settings/TextCodec.h"

namespace verdal {

struct cLogParameters;
struct RunCounters;

// Numbers of the log events; the same numbers select the program messages of the checks.
enum LogEvent : int {
    kLogInvalidDirectory = 30004,
    kLogHeader = 30006,
    kLogNothingToDo = 30007,
    kLogIdentical = 30008,
    kLogOverlap = 30009,
    kLogNotReady = 30010,
    kLogWrongLabel = 30011,
    kLogMidnight = 30012,
    kLogAborted = 30013,
    kLogNoFiles = 30014,
    kLogLowSpace = 30015,
    kLogMassDelete = 30017,
    kLogUnnamable = 30018,
    kLogConflict = 30019,
    kLogUnreadable = 30020,
    kLogLinkedDir = 30021,
    kLogForeignSnapshot = 30022,
    kLogProfileBusy = 30023,
    kLogBatchInBatch = 30024,
    kLogEntryUnreadable = 30025,
    kLogLeftoverRemoved = 30026,
    kLogLeftoverKept = 30027,
    kLogOlderVersionKept = 30028,
    kLogOlderVersionNotKept = 30029,
    kLogCaseUnchecked = 30030,
    kLogCopiedForward = 30101,
    kLogCopiedBackward = 30102,
    kLogSkipped = 30103,
    kLogDeleted = 30104,
    kLogDeleteFailed = 30105,
    kLogDirCreated = 30106,
    kLogDirDeleted = 30107,
    kLogVerified = 30108,
    kLogVerifyFailed = 30109,
    kLogSummary = 30110,
    kLogSnapshotRead = 30111,
    kLogSnapshotWritten = 30112,
    kLogCopyFailed = 30113,
    kLogAction = 30254,
    kLogClosing = 30255,
};

// One file of a log entry: its native path and, for the detailed columns, the texts of its
// size, date and time. Events that name no file carry their text (a drive, a figure) in Path.
struct LogFileInfo
{
    LogFileInfo() = default;
    LogFileInfo(std::string path) : Path(std::move(path)) {}  // NOLINT: implicit on purpose
    LogFileInfo(const char* path) : Path(path) {}             // NOLINT

    std::string Path;
    std::string SizeText;
    std::string DateText;
    std::string TimeText;
};

// Describes a file for the log; a missing file (zero time) gets empty size, date and time.
LogFileInfo DescribeFile(const std::string& path, const FileStamp& stamp);

// Paths longer than 60 characters keep their first 28 and last 29 around "...".
std::string ShortenForLog(const std::string& path);

// What the header and the closing lines name: the profile, the batch file that started it
// (empty for a single profile), its continuation condition, the trigger and, for trigger 2,
// the application whose end started the run (macros expanded).
struct LogRunInfo
{
    std::string ProfilePath;
    std::string BatchFile;
    int Condition = 255;
    int Trigger = 0;
    std::string AppName;
};

// The run log. Each run's text is written as Windows-1252 while every character fits; the first
// character that does not fit turns what the run wrote so far, and the rest, into UTF-8, so no
// file name is ever lost. An appended file already written in UTF-8 stays UTF-8. Lines end in
// CR LF and reach the file as soon as their event is logged.
class cLog
{
public:
    explicit cLog(cLogParameters& settings);
    ~cLog();
    cLog(const cLog&) = delete;
    cLog& operator=(const cLog&) = delete;

    // Works out CurrentLogFile and opens it when the log is active. Returns 0, or the error code
    // when the file cannot be opened (the caller asks whether to go on without a log).
    int Open();
    bool IsOpen() const { return file_.IsOpen(); }
    const std::string& FileName() const;

    void Header(const LogRunInfo& run);
    // Writes the lines of a numbered event; `code` is the error code of failed operations and
    // of the snapshot events.
    void Event(int event, const LogFileInfo& first = {}, const LogFileInfo& second = {},
               int code = 0);
    void Summary(const RunCounters& counters, bool verify);
    void Closing(const LogRunInfo& run);
    // A numbered event with a time stamp, outside any run (a batch entry that did not run).
    void Note(int event, const LogFileInfo& first);
    // An action after the run (30254).
    void Action(const std::string& action, const std::string& object, int result);
    void Close();

private:
    void WriteLines(const std::string& text);
    void SwitchToUtf8();
    std::string TimeStampLine() const;
    std::string FileLines(int event, const LogFileInfo& first, const LogFileInfo& second) const;

    cLogParameters& settings_;
    cOutputFile file_;
    int64_t runStart_ = 0;
    TextEncoding encoding_ = TextEncoding::Windows1252;
    bool wroteHighBytes_ = false;
};

}  // namespace verdal
