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

TEST(LineFile, WriteThenRead_KeepsLinesAndChoosesEncoding)
{
    test::TestDir dir;
    const std::string path = dir.filePath("a.txt");
    TextEncoding encoding = TextEncoding::Utf8;
    ASSERT_EQ(WriteLineFile(path,
                            {"M\xC3\xBC"
                             "ller",
                             ""},
                            &encoding),
              kErrSuccess);
    EXPECT_EQ(encoding, TextEncoding::Windows1252);
    EXPECT_EQ(dir.readFile("a.txt"), "M\xFCller\r\n\r\n");

    Lines lines;
    ASSERT_EQ(ReadLineFile(path, lines), kErrSuccess);
    EXPECT_EQ(lines, (Lines{"M\xC3\xBC"
                            "ller",
                            ""}));
}

TEST(LineFile, Write_RefusesLineBreaksInsideALineAndKeepsOldFile)
{
    test::TestDir dir;
    const std::string path = dir.createFile("a.txt", "alt\r\n");
    EXPECT_EQ(WriteLineFile(path, {"eins\nzwei"}), kErrInvalidName);
    EXPECT_EQ(dir.readFile("a.txt"), "alt\r\n");
}

TEST(LineFile, Read_MissingFileReportsError)
{
    test::TestDir dir;
    Lines lines{"x"};
    EXPECT_EQ(ReadLineFile(dir.filePath("fehlt.txt"), lines), kErrFileNotFound);
    EXPECT_TRUE(lines.empty());
}
