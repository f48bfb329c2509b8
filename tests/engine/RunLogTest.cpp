#include "engine/RunLog.h"

#include <gtest/gtest.h>

#include "engine/RunContext.h"
#include "platform/Clock.h"
#include "settings/Parameters.h"
#include "settings/TextCodec.h"
#include "support/TestDir.h"

using namespace verdal;

namespace {

class RunLogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetTestNow(EncodeDateTime(2026, 12, 5, 14, 3, 9));
        settings.Filename = dir.filePath("Log.txt");
        settings.DateTimeMode = 0;
        settings.FileInfoMode = 2;
        settings.Append = true;
    }
    void TearDown() override { SetTestNow(std::nullopt); }

    // Opens a log, lets `body` write into it, closes it and returns the file's bytes.
    template <class F>
    std::string Write(F body)
    {
        cLog log(settings);
        EXPECT_EQ(log.Open(), 0);
        body(log);
        log.Close();
        return dir.readFile("Log.txt");
    }

    test::TestDir dir;
    cLogParameters settings;
};

FileStamp Stamp(int64_t size)
{
    // 05.12.2026 10:20:30 as a local FILETIME.
    const double days = EncodeDateTime(2026, 12, 5, 10, 20, 30) + 109205.0;
    return FileStamp{0, static_cast<FileTime>(days * 864000000000.0 + 0.5), size};
}

}  // namespace

TEST(RunLogShorten, KeepsHeadAndTailOfLongPaths)
{
    const std::string sixty(60, 'a');
    EXPECT_EQ(ShortenForLog(sixty), sixty);
    std::string long61 = std::string(28, 'h') + "xxxx" + std::string(29, 't');
    EXPECT_EQ(ShortenForLog(long61), std::string(28, 'h') + "..." + std::string(29, 't'));
    // Umlauts count as one character each and are never cut in half.
    const std::string umlauts = std::string(27, 'a') + "äxyyy" + "üß" + std::string(27, 'b');
    const std::string shortened = ShortenForLog(umlauts);
    EXPECT_TRUE(IsValidUtf8(shortened));
    EXPECT_EQ(shortened, std::string(27, 'a') + "ä..." + "üß" + std::string(27, 'b'));
}

TEST_F(RunLogTest, FileEvents_UseColumnsAndSecondLines)
{
    const LogFileInfo src = DescribeFile("/q/Brief.txt", Stamp(1234567));
    const LogFileInfo dst = DescribeFile("/z/Brief.txt", FileStamp{});
    const std::string text = Write([&](cLog& log) {
        log.Event(kLogCopiedForward, src, dst);
        log.Event(kLogVerified, src, dst);
        log.Event(kLogDirCreated, {"/z/Neu"});
    });
    const std::string expected = "  Datei vorwärts kopiert:         /q/Brief.txt" +
                                 std::string(48, ' ') +
                                 "       1.234.567       05.12.2026      10:20:30\r\n"
                                 "                    über:         /z/Brief.txt" +
                                 std::string(48, ' ') + std::string(2 + 14 + 2 + 15 + 2 + 12, ' ') +
                                 "\r\n"
                                 "  Datei verglichen:               /q/Brief.txt" +
                                 std::string(48, ' ') +
                                 "\r\n"
                                 "               mit:               /z/Brief.txt" +
                                 std::string(48, ' ') +
                                 "\r\n"
                                 "  Verzeichnis erstellt:           /z/Neu\r\n";
    EXPECT_EQ(DecodeText(text), expected);
}

TEST_F(RunLogTest, SkipNormal_DropsSuccessesButKeepsErrors)
{
    settings.SkipNormal = true;
    settings.FileInfoMode = 0;
    const std::string text = Write([&](cLog& log) {
        for (int event : {kLogCopiedForward, kLogCopiedBackward, kLogSkipped, kLogDeleted,
                          kLogDirCreated, kLogDirDeleted, kLogVerified}) {
            log.Event(event, {"/a"}, {"/b"});
        }
        log.Event(kLogDeleteFailed, {"/weg"});
        log.Event(kLogAborted);
    });
    EXPECT_EQ(DecodeText(text), "  FEHLER beim Löschen:            /weg" + std::string(56, ' ') +
                                    "\r\n  ! Datei schreibgeschützt oder nicht gefunden.\r\n"
                                    "Abbruch durch Benutzer.\r\n");
}

TEST_F(RunLogTest, HeaderSummaryAndClosing_InBatch)
{
    settings.DateTimeMode = 1;
    LogRunInfo run{"/p/Tag.vrd", "/p/Alle.vbf", 1, 2, "gimp"};
    RunCounters counters;
    counters.Forward = 1;
    counters.Skipped = 12;
    const std::string text = Write([&](cLog& log) {
        log.Header(run);
        log.Summary(counters, false);
        log.Closing(run);
    });
    const std::string separator(141, '-');
    EXPECT_EQ(DecodeText(text),
              "\r\n" + separator +
                  "\r\nProfil: /p/Tag.vrd\r\n- gestartet aus der Batch-Datei /p/Alle.vbf\r\n"
                  "- automatisch gestartet, als Anwendung \"gimp\" beendet wurde\r\n"
                  "Samstag 05.12.2026 14:03:09\r\n"
                  "Zusammenfassung\r\n"
                  "     1 Datei vorwärts kopiert\r\n"
                  "     0 Dateien rückwärts kopiert\r\n"
                  "    12 Dateipaare übersprungen\r\n"
                  "     0 einzelne Dateien gelöscht\r\n"
                  "     0 leere Verzeichnisse gelöscht\r\n"
                  "     0 Verzeichnisse erstellt\r\n"
                  "     0 Fehler\r\n"
                  "Samstag 05.12.2026 14:03:09\r\n"
                  "- Bedingung für Fortsetzung der Batch-Datei: Weitermachen bei Erfolg\r\n" +
                  separator + "\r\n");
}

TEST_F(RunLogTest, Encoding_SwitchesWholeRunToUtf8ButKeepsEarlierRuns)
{
    const LogRunInfo run{"/p/Müll.vrd", {}, 255, 0, {}};
    Write([&](cLog& log) { log.Header(run); });
    const std::string firstRun = dir.readFile("Log.txt");
    EXPECT_FALSE(IsValidUtf8(firstRun));  // Windows-1252: every character fits

    const std::string both = Write([&](cLog& log) {
        log.Header(run);
        log.Event(kLogDirCreated, {"/z/Ελλάδα"});
    });
    ASSERT_EQ(both.substr(0, firstRun.size()), firstRun);
    const std::string secondRun = both.substr(firstRun.size());
    EXPECT_TRUE(IsValidUtf8(secondRun));
    EXPECT_EQ(secondRun, DecodeText(firstRun) + "  Verzeichnis erstellt:           /z/Ελλάδα\r\n");
    // The newest run decides how the next one is written, so a run never mixes encodings.
    const std::string third = Write([&](cLog& log) { log.Header(run); });
    EXPECT_EQ(third.substr(both.size()), DecodeText(firstRun));
}

TEST_F(RunLogTest, Append_OffReplacesFile)
{
    Write([](cLog& log) { log.Event(kLogAborted); });
    settings.Append = false;
    EXPECT_EQ(Write([](cLog& log) { log.Event(kLogNoFiles); }), "Keine Dateien gefunden.\r\n");
}

TEST_F(RunLogTest, Open_FailureReportsCodeAndWritesNothing)
{
    settings.Filename = dir.filePath("fehlt/Log.txt");
    cLog log(settings);
    EXPECT_NE(log.Open(), 0);
    EXPECT_FALSE(log.IsOpen());
    log.Event(kLogAborted);  // must be harmless
}
