#include "settings/LineFile.h"

#include <gtest/gtest.h>

#include "platform/WinError.h"
#include "support/TestDir.h"

using namespace verdal;
using Lines = std::vector<std::string>;

TEST(LineFile, SplitLines_HandlesLineEnds)
{
    const struct
    {
        const char* Text;
        Lines Expected;
    } cases[] = {
        {"", {}},       {"a\r\nb\r\n", {"a", "b"}}, {"a\nb", {"a", "b"}}, {"a\r\n\r\n", {"a", ""}},
        {"\r\n", {""}}, {"a\rb\r\n", {"a\rb"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitLines(c.Text), c.Expected) << c.Text;
    }
}

TEST(LineFile, Write_RefusesLineBreaksInsideALineAndKeepsOldFile)
{
    test::TestDir dir;
    const std::string path = dir.createFile("a.txt", "alt\r\n");
    EXPECT_EQ(WriteLineFile(path, {"eins\nzwei"}), kErrInvalidName);
    EXPECT_EQ(dir.readFile("a.txt"), "alt\r\n");
}
