#include "RunFixture.h"

#include "engine/RunFrontEnd.h"
#include "platform/Clock.h"
#include "platform/FaultInjection.h"
#include "platform/FileTimes.h"
#include "settings/OptionsFile.h"
#include "settings/TextCodec.h"

namespace verdal::test {
namespace {

// 06.12.2026 12:00:00, UTC (the time zone is pinned to UTC as well).
constexpr int64_t kNowUnix = 1796558400;

}  // namespace

void RunTest::SetUp()
{
    SetTestUtcOffset(0);
    SetTestNow(EncodeDateTime(2026, 12, 6, 12, 0, 0));
    SetOptionsFilePath(dir.filePath("Verdal50.ini"));
    params.Reset();
    dir.createDir("q");
    dir.createDir("z");
    profilePath = dir.filePath("Test.vrd");
    params.FileName = profilePath;
    params.FileKind = 0;
    params.SourceDrive = dir.filePath("q");
    params.DestinationDrive = dir.filePath("z");
    params.SearchDirectories.Clear();
    params.SearchDirectories.Add("\\*");
    params.CompareFiles.Clear();
    params.CompareFiles.Add("*.*");
    params.DestinationDirectory = "\\";
    params.ShortenPaths = true;
    params.TouchSrc = false;
    params.TouchDest = true;
    params.OrphanModeD1 = 0;
    params.OrphanModeD2 = 2;
    params.ShowOverview = false;
    params.Recycle = false;
    params.Verify = false;
    params.Warnings = 0x55;
    params.LastUpdate = 0;
    params.Log.Active = true;
    params.Log.Filename = dir.filePath("Log.txt");
    params.Log.Daily = false;
    params.Log.Append = true;
    params.Log.SkipNormal = false;
    params.Log.DateTimeMode = 1;
    params.Log.FileInfoMode = 2;
}

void RunTest::TearDown()
{
    ClearFaults();
    AbortFlag = false;
    InterruptRequest = false;
    SetTestNow(std::nullopt);
    SetTestUtcOffset(std::nullopt);
}

int RunTest::Run(const RunOptions& options)
{
    return RunProfile(params, frontEnd, profilePath, {}, 255, 0, options);
}

std::string RunTest::Log() const
{
    return dir.exists("Log.txt") ? DecodeText(dir.readFile("Log.txt")) : std::string();
}

int64_t RunTest::Stamp(double daysAgo)
{
    return kNowUnix - static_cast<int64_t>(daysAgo * 86400);
}

}  // namespace verdal::test
