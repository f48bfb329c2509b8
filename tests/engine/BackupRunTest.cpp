#include <sys/stat.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "RunFixture.h"

using namespace verdal;
using namespace verdal::test;
namespace fs = std::filesystem;

namespace {

std::string Capture(const std::string& command)
{
    std::string output;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    char buffer[4096];
    while (pipe && fgets(buffer, sizeof buffer, pipe.get())) {
        output += buffer;
    }
    return output;
}

int64_t MTimeNs(const std::string& path)
{
    struct stat st
    {};
    lstat(path.c_str(), &st);
    return st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
}

}  // namespace

// A generated tree: nested folders, an empty file, a file of exactly two copy blocks, one a
// byte longer, umlauts, a symbolic link, files that changed, and destination orphans.
TEST_F(RunTest, BackupRun_LeavesDestinationEqualToSource)
{
    for (int d = 0; d < 6; ++d) {
        for (int f = 0; f < 5; ++f) {
            dir.createFile(
                Src("Ordner" + std::to_string(d) + "/Unter/Datei" + std::to_string(f) + ".txt"),
                std::string(d * 1000 + f * 37, static_cast<char>('a' + f)), Stamp(3));
        }
    }
    dir.createFile(Src("leer.dat"), "", Stamp(2));
    dir.createFile(Src("zwei Blöcke.bin"), std::string(2 * 131072, 'x'), Stamp(2));
    dir.createFile(Src("Größer.bin"), std::string(2 * 131072 + 1, 'y'), Stamp(2));
    fs::create_symlink("leer.dat", dir.filePath(Src("Verweis")));
    dir.createFile(Dst("Ordner1/Unter/Datei2.txt"), "alt", Stamp(5));
    dir.createFile(Dst("Waise.txt"), "weg damit", Stamp(5));
    dir.createFile(Dst("Ordner9/tief/Waise.txt"), "weg damit", Stamp(5));
    params.DeleteEmptyDestDirs = true;
    EXPECT_EQ(Run(), kRunOk);
    EXPECT_TRUE(presenter.Messages.empty());

    const std::string src = dir.filePath("q"), dst = dir.filePath("z");
    EXPECT_EQ(Capture("diff -r --no-dereference '" + src + "' '" + dst + "' 2>&1"), "");
    EXPECT_EQ(Capture("rsync -rlc --delete --dry-run --itemize-changes '" + src + "/' '" + dst +
                      "/' 2>&1"),
              "");
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        if (entry.is_regular_file() || entry.is_symlink()) {
            const std::string relative = entry.path().lexically_relative(src).string();
            EXPECT_EQ(MTimeNs(entry.path().string()), MTimeNs(dst + "/" + relative)) << relative;
        }
    }
    EXPECT_FALSE(dir.exists(Dst("Ordner9")));
    // A second run finds nothing to do.
    EXPECT_EQ(Run(), kRunOk);
    ASSERT_EQ(presenter.Codes(), std::vector<int>{30014});
}
