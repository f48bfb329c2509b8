#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/RunContext.h"
#include "engine/RunDriver.h"
#include "engine/RunFrontEnd.h"
#include "settings/Parameters.h"
#include "support/RecordingPresenter.h"
#include "support/TestDir.h"

namespace verdal::test {

// A front end that records what the run showed and answers from a script.
class ScriptedFrontEnd : public cRunFrontEnd
{
public:
    void Wait(int /*milliseconds*/) override
    {
        if (OnWait) {
            OnWait();
        }
    }
    void SetPhase(const std::string& caption, int64_t /*barMax*/) override
    {
        Phases.push_back(caption);
    }
    bool ShowReviewList(cRunContext& run) override
    {
        ++ReviewShown;
        return OnReview ? OnReview(run) : true;
    }
    void ReportProgress(int64_t bytesDelta, int64_t /*currentFileBytes*/) override
    {
        BytesReported += bytesDelta;
    }
    int ShowInterruption(const FileLabel& source, const FileLabel& /*destination*/,
                         int errorCode) override
    {
        InterruptionCodes.push_back(errorCode);
        Interrupted.push_back(source.Name);
        if (Answers.empty()) {
            return kQuitRun;
        }
        const int answer = Answers.front();
        Answers.pop_front();
        return answer;
    }

    std::vector<std::string> Phases;
    std::vector<int> InterruptionCodes;
    std::vector<std::string> Interrupted;  // names of the files whose copy failed
    std::deque<int> Answers;
    std::function<bool(cRunContext&)> OnReview;
    std::function<void()> OnWait;
    int ReviewShown = 0;
    int64_t BytesReported = 0;
};

// A temporary tree with a source "q" and a destination "z", the global settings object set
// to a plain backup profile between them, a fixed clock and time zone, and an options file
// and log inside the tree.
class RunTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the profile held by Params() with the scripted front end.
    int Run(const RunOptions& options = {});
    std::string Log() const;
    std::string Src(const std::string& relative) const { return "q/" + relative; }
    std::string Dst(const std::string& relative) const { return "z/" + relative; }
    // Unix seconds of the fixed "now" minus `daysAgo`.
    static int64_t Stamp(double daysAgo = 1.0);

    TestDir dir;
    RecordingPresenter presenter;
    ScriptedFrontEnd frontEnd;
    cParameters& params = Params();
    std::string profilePath;
};

}  // namespace verdal::test
