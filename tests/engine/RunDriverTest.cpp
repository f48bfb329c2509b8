#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "RunFixture.h"
#include "platform/Clock.h"

using namespace verdal;
using namespace verdal::test;

namespace {

struct CheckCase
{
    const char* Name;
    std::function<void(cParameters&, TestDir&)> Setup;
    int Message;
    const char* LogLine;
    int Result;
};

class ChecksTest : public RunTest, public ::testing::WithParamInterface<CheckCase>
{};

std::vector<CheckCase> Checks()
{
    return {
        {"nothing to do", [](cParameters& p, TestDir&) { p.CompareFiles.Clear(); }, 30007,
         "Fehler: Nichts zu tun. Sie müssen mindestens 1 Verzeichnis", kRunAborted},
        {"identical",
         [](cParameters& p, TestDir&) {
             p.DestinationDrive = p.SourceDrive;
             p.ShortenPaths = false;
         },
         30008, "Fehler: Quelle und Ziel sind identisch.", kRunAborted},
        {"overlap",
         [](cParameters& p, TestDir& d) {
             p.DestinationDrive = d.path();
             p.SourceDrive = d.path();
             p.SearchDirectories.Clear();
             p.SearchDirectories.Add("\\q\\*");
             p.DestinationDirectory = "\\q\\Sicherung\\";
         },
         30009, "Fehler: Quelle und Ziel überlappen sich.", kRunAborted},
        // Different drive texts that name nested directories still overlap.
        {"nested drives",
         [](cParameters& p, TestDir& d) {
             p.SourceDrive = d.path();
             p.DestinationDrive = d.createDir("q/Sicherung");
         },
         30009, "Fehler: Quelle und Ziel überlappen sich.", kRunAborted},
        {"source not ready",
         [](cParameters& p, TestDir& d) { p.SourceDrive = d.filePath("fehlt"); }, 30010,
         "Fehler: Laufwerk ", kRunAborted},
        {"no files", [](cParameters&, TestDir&) {}, 30014, "Keine Dateien gefunden.", kRunOk},
    };
}

}  // namespace

// Each check before the scan: its message, its log line and the result of the run.
TEST_P(ChecksTest, ShowMessageLogAndEndRun)
{
    const CheckCase& c = GetParam();
    c.Setup(params, dir);
    presenter.Answers = {BoxResult::No};
    EXPECT_EQ(Run(), c.Result);
    ASSERT_EQ(presenter.Codes(), std::vector<int>{c.Message});
    const std::string log = Log();
    EXPECT_NE(log.find(c.LogLine), std::string::npos) << log;
    EXPECT_EQ(log.find("Abbruch durch Benutzer.") != std::string::npos, c.Result == kRunAborted);
    EXPECT_NE(log.find("Zusammenfassung"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(BeforeScan, ChecksTest, ::testing::ValuesIn(Checks()),
                         [](const ::testing::TestParamInfo<CheckCase>& info) {
                             std::string name = info.param.Name;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

TEST_F(RunTest, MidnightRule_YesTreatsYesterdayAsToday)
{
    SetTestNow(EncodeDateTime(2026, 12, 6, 0, 30, 0));
    params.AgeMode = 1;
    params.RelativeAge = 0;
    params.MidnightHours = 2;
    // Written yesterday at 23:00: within the window only when yesterday counts as today.
    dir.createFile(Src("spät.txt"), "x", Stamp(0.5) - 12 * 3600 + 1800);
    EXPECT_EQ(Run(), kRunOk);
    EXPECT_EQ(presenter.Codes(), std::vector<int>{30012});
    EXPECT_TRUE(dir.exists(Dst("spät.txt")));
    EXPECT_NE(Log().find("Hinweis: Es ist nach Mitternacht."), std::string::npos);
}

TEST_F(RunTest, Recycle_MovesDeletedFilesToTheTrash)
{
    const std::string dataHome = dir.createDir("xdg");
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
    params.Recycle = true;
    dir.createFile(Src("da.txt"), "x", Stamp(3));
    dir.createFile(Dst("Waise.txt"), "Inhalt", Stamp(3));
    EXPECT_EQ(Run(), kRunOk);
    old ? setenv("XDG_DATA_HOME", saved.c_str(), 1) : unsetenv("XDG_DATA_HOME");
    EXPECT_FALSE(dir.exists(Dst("Waise.txt")));
    EXPECT_EQ(dir.readFile("xdg/Trash/files/Waise.txt"), "Inhalt");
    EXPECT_NE(Log().find("Datei gelöscht:"), std::string::npos);
}
