#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Candidate.h"
#include "engine/CandidateOrder.h"
#include "platform/FileTimes.h"

using namespace verdal;

namespace {

FileStamp Stamp(int64_t size, int64_t unixSeconds)
{
    return FileStamp{0, FileTimeFromUnix(unixSeconds, 0), size};
}

TEST(Candidate, ShownSizeAndTime_ComeFromTheSideTheActionConcerns)
{
    const FileStamp source = Stamp(10, 1700000000);
    const FileStamp destination = Stamp(20, 1600000000);
    struct Row
    {
        uint16_t category;
        bool sourceMissing;
        int64_t size;
    };
    const Row rows[] = {{kForward, false, 10}, {kBackward, false, 20}, {kSkip, false, 10},
                        {kDelete, false, 10},  {kDelete, true, 20},    {kSkip, true, 20}};
    for (const Row& row : rows) {
        const cCandidate c(row.category, destination, row.sourceMissing ? FileStamp{} : source, "a",
                           ".txt", 0);
        EXPECT_EQ(c.ShowSize, row.size) << row.category << row.sourceMissing;
        EXPECT_EQ(c.ShowTime, row.size == 10 ? source.LastWrite : destination.LastWrite);
        EXPECT_EQ(c.Kind, 'C');
    }
    const cCandidate orphan(kDelete, destination, FileStamp{}, "a", "", 0);
    EXPECT_EQ(orphan.SourceDate, 0);
    EXPECT_NEAR(orphan.DestinationDate, FileTimeToDateTime(destination.LastWrite), 1e-9);
}

TEST(Candidate, SplitFileName_AtTheLastDot)
{
    const std::pair<const char*, std::pair<const char*, const char*>> rows[] = {
        {"brief.doc", {"brief", ".doc"}},
        {"archiv.tar.gz", {"archiv.tar", ".gz"}},
        {"Makefile", {"Makefile", ""}},
        {".profile", {"", ".profile"}},
    };
    for (const auto& [file, expected] : rows) {
        std::string name, ext;
        SplitFileName(file, name, ext);
        EXPECT_EQ(name, expected.first) << file;
        EXPECT_EQ(ext, expected.second) << file;
    }
}

class CandidateOrderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Add(kForward, "beta", ".TXT", 0, 5, 1700000000);
        Add(kDelete, "Alpha", ".doc", 1, 1500, 1700100000);
        Add(kBackward, "gamma", "", 2, 0, 1690000000);
        Add(kSkip, "alpha2", ".txt", 1, 1000000000, 1700000100);
    }
    void Add(uint16_t category, const char* name, const char* ext, int dir, int64_t size,
             int64_t time)
    {
        list_.Emplace(category, Stamp(size, time), Stamp(size, time), name, ext, dir);
    }
    std::string Names() const
    {
        std::string text;
        for (const auto& c : list_.Items())
            text += (text.empty() ? "" : " ") + c->Name;
        return text;
    }
    std::vector<std::string> Captions(int mode)
    {
        SortCandidates(list_, mode, false);
        BuildHeaders(list_, mode, {"\\Data\\A\\", "\\Data\\B\\", "\\Data\\C\\"}, "\\Data\\", true,
                     headers_);
        std::vector<std::string> captions;
        for (const auto& h : headers_.Items())
            captions.push_back(h->Caption);
        return captions;
    }

    cCandidateList list_;
    cFolderList headers_;
};

TEST_F(CandidateOrderTest, Sort_EachModeAndReverse)
{
    const std::pair<int, const char*> rows[] = {
        {kSortPath, "beta Alpha alpha2 gamma"}, {kSortName, "Alpha alpha2 beta gamma"},
        {kSortType, "gamma Alpha alpha2 beta"}, {kSortSize, "alpha2 Alpha beta gamma"},
        {kSortDate, "Alpha alpha2 beta gamma"}, {kSortCategory, "beta alpha2 Alpha gamma"},
    };
    for (const auto& [mode, expected] : rows) {
        SortCandidates(list_, mode, false);
        EXPECT_EQ(Names(), expected) << mode;
    }
    SortCandidates(list_, kSortSize, true);
    EXPECT_EQ(Names(), "gamma beta Alpha alpha2");
}

TEST_F(CandidateOrderTest, Headers_CaptionsAndRanges)
{
    using Texts = std::vector<std::string>;
    EXPECT_EQ(Captions(kSortPath), (Texts{"...\\A\\", "...\\B\\", "...\\C\\"}));
    EXPECT_EQ(headers_[1].First, 1);
    EXPECT_EQ(headers_[1].Last, 2);
    EXPECT_EQ(headers_[2].Last, 3);
    EXPECT_EQ(headers_[0].Kind, 'F');
    EXPECT_EQ(Captions(kSortName), (Texts{"A...", "B...", "G..."}));
    EXPECT_EQ(Captions(kSortType), (Texts{"<ohne Typ>", ".doc", ".txt"}));
    EXPECT_EQ(Captions(kSortSize), (Texts{"Größer als 1.000.000.000 Bytes", "1.000...9.999 Bytes",
                                          "1...9 Bytes", "0 Bytes"}));
    EXPECT_EQ(Captions(kSortDate),
              (Texts{"Donnerstag 16.11.2023", "Dienstag 14.11.2023", "Samstag 22.07.2023"}));
    EXPECT_EQ(Captions(kSortCategory), (Texts{"Vorwärts", "Überspringen", "Löschen", "Rückwärts"}));
}

}  // namespace
