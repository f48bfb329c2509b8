#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdint>
#include <string>
#include <vector>

#include "DocumentFileFixture.h"
#include "platform/FileIO.h"
#include "platform/FileTimes.h"
#include "platform/ScopedEnv.h"
#include "platform/WinError.h"
#include "settings/IniFile.h"
#include "settings/Macros.h"
#include "settings/TextCodec.h"

using namespace verdal;
using namespace verdal::test;

namespace {

class HostileInputTest : public DocumentFileTest
{
protected:
    std::string Fifo(const std::string& name)
    {
        const std::string path = Dir.filePath(name);
        EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
        return path;
    }
    // A file of `size` bytes that takes no space: a hole.
    std::string Huge(const std::string& name, off_t size)
    {
        const std::string path = Dir.createFile(name, "Verdal 5.0 Profile\r\n");
        EXPECT_EQ(::truncate(path.c_str(), size), 0);
        return path;
    }
    bool ShownError(const std::string& text) const
    {
        return !Shown.Messages.empty() &&
               Shown.Messages.back().Text.find(text) != std::string::npos;
    }
};

}  // namespace

// FIFOs and devices are refused at once (a read would block or never end), each with its
// German message, and the open document stays as it was.
TEST_F(HostileInputTest, NonRegularFilesRefusedWithoutBlocking)
{
    P.SourceDrive = "D:";
    for (const std::string& path :
         {Fifo("pipe.vrd"), std::string("/dev/zero"), std::string("/dev/null"), Dir.path()}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(P.LoadFromFile(path));
        EXPECT_TRUE(ShownError("Keine gewöhnliche Datei")) << Shown.Messages.back().Text;
        EXPECT_EQ(P.SourceDrive, "D:");
    }
    std::vector<std::string> lines;
    EXPECT_EQ(ReadLineFile(Fifo("snap.lst"), lines), kErrNotRegularFile);

    // An options file replaced by a FIFO: defaults, no hang.
    cIniFile ini;
    EXPECT_EQ(ini.Load(Fifo("Verdal50.ini")), kErrNotRegularFile);
    EXPECT_EQ(ini.GetInt("Options", "AgeMode", 7, 0, 255), 7);
}

// Files over the limit are refused before anything is allocated for them.
TEST_F(HostileInputTest, HugeFilesRefusedWithTheirMessage)
{
    const std::string profile = Huge("riesig.vrd", kMaxSettingsFileBytes + 1);
    EXPECT_FALSE(P.LoadFromFile(profile));
    EXPECT_TRUE(ShownError("Datei zu groß"));
    std::string bytes;
    EXPECT_EQ(ReadRegularFile(profile, bytes, 1024), kErrFileTooLarge);
    EXPECT_TRUE(bytes.empty());
    cIniFile ini;
    EXPECT_EQ(ini.Load(Huge("Verdal50.ini", int64_t{1} << 30)), kErrFileTooLarge);
}

// A long list is read whole, sorted and without duplicates (case-insensitive); it is sorted
// once after reading rather than by inserting line after line.
TEST_F(HostileInputTest, LongListReadSortedWithoutDuplicates)
{
    P.ExcludeFiles.Clear();
    std::vector<std::string> names;
    constexpr int kCount = 400000;
    for (int i = kCount - 1; i >= 0; --i)
        names.push_back("datei" + std::to_string(i) + ".tmp");
    names.push_back("DATEI7.TMP");  // a duplicate but for case: dropped, the first one stays
    P.ExcludeFiles.AddAll(names);
    P.FileKind = 0;
    const std::string path = Dir.filePath("lang.vrd");
    ASSERT_TRUE(P.SaveToFile(path));
    cParameters q;
    q.Reset();
    ASSERT_TRUE(q.LoadFromFile(path));
    ASSERT_EQ(q.ExcludeFiles.Count(), kCount);
    for (int i = 1; i < q.ExcludeFiles.Count(); ++i)
        ASSERT_LT(q.ExcludeFiles[i - 1], q.ExcludeFiles[i]) << i;
    EXPECT_NE(q.ExcludeFiles.IndexOf("datei7.tmp"), -1);
    EXPECT_EQ(q.ExcludeFiles.IndexOf("DATEI7.TMP"), q.ExcludeFiles.IndexOf("datei7.tmp"));
    EXPECT_EQ(q.ExcludeFiles[q.ExcludeFiles.IndexOf("datei7.tmp")], "datei7.tmp");
}

// A negative list count is a damaged file: the load fails like any other, never aborts.
TEST_F(HostileInputTest, NegativeListCountRefused)
{
    P.FileKind = 0;
    const std::string path = Dir.filePath("kaputt.vrd");
    ASSERT_TRUE(P.SaveToFile(path));
    std::string text = Dir.readFile("kaputt.vrd");
    const size_t header = text.find(":\r\n");
    ASSERT_NE(header, std::string::npos);
    const size_t count = header + 3;
    text.replace(count, text.find("\r\n", count) - count, "-2");
    Dir.createFile("kaputt.vrd", text);
    cParameters q;
    q.Reset();
    q.SourceDrive = "/offen";
    EXPECT_FALSE(q.LoadFromFile(path));
    EXPECT_EQ(q.SourceDrive, "/offen");
}

// File times outside the calendar clamp instead of overflowing.
TEST_F(HostileInputTest, FileTimesOutsideTheCalendarAreClamped)
{
    EXPECT_EQ(FileTimeFromUnix(INT64_MIN / 2, 0), 0u);
    EXPECT_EQ(FileTimeFromUnix(-20000000000, 0), 0u);
    const FileTime far = FileTimeFromUnix(INT64_MAX / 2, 999999999);
    EXPECT_GT(far, FileTimeFromUnix(40000000000, 0));
    EXPECT_LE(far, static_cast<FileTime>(INT64_MAX));
    EXPECT_EQ(FileTimeFromUnix(0, 0), static_cast<FileTime>(kFileTimeOfUnixEpoch));
}

// One line in another code page leaves every other line as it was written.
TEST_F(HostileInputTest, MixedEncodingsDecodedLineByLine)
{
    const std::string bytes = "Grüße.txt\r\nCaf\xE9.txt\r\nÜbersicht.doc\r\n";
    const std::string path = Dir.createFile("mixed.lst", bytes);
    std::vector<std::string> lines;
    ASSERT_EQ(ReadLineFile(path, lines), 0);
    EXPECT_EQ(lines, (std::vector<std::string>{"Grüße.txt", "Café.txt", "Übersicht.doc"}));

    // Text whose Windows-1252 bytes on some line would read back as UTF-8 is written as UTF-8.
    WriteLines("tricky.lst", {"M\xC3\x83\xC2\xA4rz", "\xC3\xBC"});  // "MÃ¤rz", "ü"
    ASSERT_EQ(ReadLineFile(Dir.filePath("tricky.lst"), lines), 0);
    EXPECT_EQ(lines, (std::vector<std::string>{"M\xC3\x83\xC2\xA4rz", "\xC3\xBC"}));
}

// Profiles written on Windows name Windows variables; on Linux they fall back to their
// counterparts when the variable itself is not set.
TEST_F(HostileInputTest, WindowsEnvironmentMacrosFallBack)
{
    ScopedEnv user("USER", "anna");
    ScopedEnv tmp("TMPDIR", "/var/tmp/");
    ScopedEnv home("HOME", "/home/anna");
    ScopedEnv config("XDG_CONFIG_HOME", "/home/anna/.einstellungen");
    for (const char* name : {"USERNAME", "TEMP", "TMP", "USERPROFILE", "APPDATA", "COMPUTERNAME"})
        unsetenv(name);
    EXPECT_EQ(ExpandMacros("%USERNAME%"), "anna");
    EXPECT_EQ(ExpandMacros("%TEMP%/x"), "/var/tmp/x");
    EXPECT_EQ(ExpandMacros("%tmp%"), "/var/tmp");
    EXPECT_EQ(ExpandMacros("%USERPROFILE%"), "/home/anna");
    EXPECT_EQ(ExpandMacros("%APPDATA%"), "/home/anna/.einstellungen");
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    EXPECT_EQ(ExpandMacros("%COMPUTERNAME%"), host);
    EXPECT_EQ(ExpandMacros("%UNBEKANNT%x"), "x");
    unsetenv("TMPDIR");
    EXPECT_EQ(ExpandMacros("%TEMP%"), "/tmp");
    ScopedEnv own("USERNAME", "Anna Schmidt");  // the variable itself wins
    EXPECT_EQ(ExpandMacros("%USERNAME%"), "Anna Schmidt");
}
