#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Clock.h"
#include "settings/LineFile.h"
#include "settings/OptionsFile.h"
#include "settings/Parameters.h"
#include "support/RecordingPresenter.h"
#include "support/TestDir.h"

namespace verdal::test {

// A reset settings object, a pinned clock, an options file in a temporary folder and a
// recording presenter, for the tests of the settings object and its document files.
class DocumentFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetOptionsFilePath(Dir.filePath("Verdal50.ini"));
        SetTestNow(EncodeDateTime(2026, 12, 6, 10, 15));
        P.Reset();
    }
    void TearDown() override
    {
        SetTestNow(std::nullopt);
        SetOptionsFilePath({});
    }

    static std::string Fixture(const std::string& relativePath)
    {
        return std::string(VERDAL_TEST_DATA) + "/" + relativePath;
    }
    std::vector<std::string> FixtureLines(const std::string& relativePath) const
    {
        std::vector<std::string> lines;
        EXPECT_EQ(ReadLineFile(Fixture(relativePath), lines), 0);
        return lines;
    }
    // Writes `lines` to a file of the temporary folder and returns its path.
    std::string WriteLines(const std::string& name, const std::vector<std::string>& lines)
    {
        const std::string path = Dir.filePath(name);
        EXPECT_EQ(WriteLineFile(path, lines), 0);
        return path;
    }

    TestDir Dir;
    RecordingPresenter Shown;
    cParameters P;
};

}  // namespace verdal::test
