#include <sys/wait.h>
#include <unistd.h>
#include <string>

#include "DocumentFileFixture.h"
#include "settings/IniFile.h"

using namespace verdal;
using namespace verdal::test;

// Two instances writing the options file at once (the window and a verdal-run from cron):
// each write re-reads the file under a lock and changes only its own keys, so neither loses
// what the other wrote.
TEST_F(DocumentFileTest, OptionsFile_TwoInstancesKeepEachOthersKeys)
{
    constexpr int kWrites = 150;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        for (int i = 0; i < kWrites; ++i)
            WriteOptionInt("Fenster", "Kind" + std::to_string(i), i);
        _exit(0);
    }
    cParameters p;
    for (int i = 0; i < kWrites; ++i) {
        p.LastUpdateUtc = 133000000000000000ULL + static_cast<uint64_t>(i);
        p.WriteLastUpdate("/home/anna/Profil" + std::to_string(i) + ".vrd");
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    cIniFile ini;
    ASSERT_EQ(ini.Load(OptionsFilePath()), 0);
    int missing = 0;
    for (int i = 0; i < kWrites; ++i) {
        missing += ini.HasKey("Fenster", "Kind" + std::to_string(i)) ? 0 : 1;
        missing +=
            ini.HasKey("Last Update", "/home/anna/Profil" + std::to_string(i) + ".vrd UTC") ? 0 : 1;
    }
    EXPECT_EQ(missing, 0);
}
