#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/RunContext.h"
#include "engine/RunFrontEnd.h"
#include "engine/Scan.h"
#include "platform/FileTimes.h"
#include "settings/Parameters.h"
#include "support/TestDir.h"

namespace verdal::test {

// Unix time of the files the scenarios create (2023-11-14), and of the last run.
constexpr int64_t kT0 = 1700000000;

// A run over two fresh trees, "src" and "dst", with UTC stamps and the options file kept in
// the temporary folder. Search entry \* and compare mask *.* unless a test says otherwise.
class ScanFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (const char* xdg = std::getenv("XDG_CONFIG_HOME"))
            oldXdg_ = xdg;
        setenv("XDG_CONFIG_HOME", tree_.filePath("config").c_str(), 1);
        SetTestUtcOffset(0);
        AbortFlag = false;
        params_ = std::make_unique<cParameters>();
        run_ = std::make_unique<cRunContext>(*params_, nullptr);
        cParameters& p = *params_;
        p.UseUTC = true;
        p.CheckSizes = 0;
        p.TimeDifference = 2;
        p.IgnoreDST = true;
        p.ShortenPaths = false;
        p.LastUpdate = 0;
        p.Attributes = 0;
        p.CompareFiles.Clear();
        p.CompareFiles.Add("*.*");
        run_->SourceNativeRoot = tree_.createDir("src");
        run_->DestinationNativeRoot = tree_.createDir("dst");
        run_->DestinationBase = "\\";
        run_->SearchList.Add("\\*");
    }

    void TearDown() override
    {
        SetTestUtcOffset(std::nullopt);
        if (oldXdg_)
            setenv("XDG_CONFIG_HOME", oldXdg_->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
    }

    cParameters& P() { return *params_; }
    cRunContext& Run() { return *run_; }

    void Src(const std::string& rel, const std::string& bytes = "x", int64_t mtime = kT0)
    {
        tree_.createFile("src/" + rel, bytes, mtime);
    }
    void Dst(const std::string& rel, const std::string& bytes = "x", int64_t mtime = kT0)
    {
        tree_.createFile("dst/" + rel, bytes, mtime);
    }

    static FileTime At(int64_t unixSeconds) { return FileTimeFromUnix(unixSeconds, 0); }

    // Scans and describes the candidates, sorted by path: action letter, flags, source path.
    std::string ScanAndDescribe()
    {
        Scan(*run_);
        return Describe();
    }

    std::string Describe() const
    {
        std::vector<std::string> rows;
        for (const auto& c : run_->Candidates.Items()) {
            static const char* letters = "?FS?D???B";
            std::string row(1, letters[c->Action()]);
            if (c->Category & ~kActionMask)
                row += std::to_string(c->Category & ~kActionMask);
            rows.push_back(run_->SourceDirs[c->DirIndex] + c->FileName() + " " + row);
        }
        std::sort(rows.begin(), rows.end());
        std::string text;
        for (const std::string& row : rows)
            text += (text.empty() ? "" : ", ") + row;
        return text;
    }

    TestDir tree_;
    std::unique_ptr<cParameters> params_;
    std::unique_ptr<cRunContext> run_;
    std::optional<std::string> oldXdg_;
};

}  // namespace verdal::test
