#include <sys/time.h>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "RunFixture.h"
#include "platform/FaultInjection.h"
#include "settings/TextCodec.h"

using namespace verdal;
using namespace verdal::test;
namespace fs = std::filesystem;

namespace {

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
    return text;
}

// The log's columns depend on the length of the paths, so the tree lives at a path of fixed
// length whatever TMPDIR says.
class GoldenLogTest : public RunTest
{
protected:
    void SetUp() override
    {
        RunTest::SetUp();
        char pattern[] = "/tmp/verdal-gold-XXXXXX";
        root = mkdtemp(pattern);
        params.SourceDrive = root + "/q";
        params.DestinationDrive = root + "/z";
        params.SortingMode = 1;  // by name: a fixed order of the entries
        profilePath = root + "/Tag.vrd";
    }
    void TearDown() override
    {
        fs::remove_all(root);
        RunTest::TearDown();
    }
    void Create(const std::string& relative, const std::string& bytes, int64_t mtime)
    {
        const std::string path = root + "/" + relative;
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        const timeval times[2] = {{mtime, 0}, {mtime, 0}};
        utimes(path.c_str(), times);
    }

    std::string root;
};

}  // namespace

// Three runs into one log: a detailed run with copies, a created folder, a deletion and
// verification; a run that keeps only its errors (SkipNormal) with a time on every entry; and
// a run cancelled in the review list.
TEST_F(GoldenLogTest, RepresentativeRuns_MatchGoldenFile)
{
    params.Log.Filename = root + "/Log.txt";
    Create("q/Briefe/Antwort an Müller.txt", std::string(1234567, 'a'), Stamp(1));
    Create("q/Briefe/Rechnung.txt", "neu", Stamp(2));
    Create("z/Briefe/Rechnung.txt", "alt", Stamp(10));
    Create("q/gleich.txt", "=", Stamp(5));
    Create("z/gleich.txt", "=", Stamp(5));
    Create("z/Waise.txt", "weg", Stamp(7));
    Create("q/Neu/Notiz.txt", "", Stamp(3));
    params.Verify = true;
    EXPECT_EQ(Run(), kRunOk);

    params.Verify = false;
    params.Warnings = 0;
    params.Log.SkipNormal = true;
    params.Log.DateTimeMode = 2;
    params.Log.FileInfoMode = 0;
    Create("q/a.txt", "1", Stamp(1));
    Create("q/b.txt", "2", Stamp(1));
    InjectFault(FileOp::Write, 1, ENOSPC);
    EXPECT_EQ(Run(), kRunErrors);

    params.Log.SkipNormal = false;
    params.Log.DateTimeMode = 1;
    params.ShowOverview = true;
    frontEnd.OnReview = [](cRunContext&) { return false; };
    Create("q/c.txt", "3", Stamp(1));
    EXPECT_EQ(Run(), kRunAborted);

    const std::string actual = ReplaceAll(DecodeText(ReadText(root + "/Log.txt")), root, "<T>");
    const std::string golden = std::string(VERDAL_TEST_DATA) + "/engine/golden-log.txt";
    if (std::getenv("VERDAL_WRITE_GOLDEN")) {
        std::ofstream(golden, std::ios::binary) << actual;
    }
    EXPECT_EQ(actual, ReadText(golden));
}
