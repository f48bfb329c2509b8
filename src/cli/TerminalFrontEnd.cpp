#include "cli/TerminalFrontEnd.h"

#include <cctype>
#include <istream>
#include <ostream>

#include "engine/RunContext.h"
#include "settings/ErrorText.h"
#include "settings/GermanFormat.h"

namespace verdal {
namespace {

std::string FlagTexts(uint16_t category)
{
    std::string text;
    auto add = [&text](const char* flag) {
        text += text.empty() ? " (" : ", ";
        text += flag;
    };
    if (category & kSizeWarning) {
        add("Größen kontrollieren");
    }
    if (category & kDoubleChange) {
        add("Doppelte Änderung");
    }
    if (category & kPropertiesOnly) {
        add("Nur Eigenschaften");
    }
    return text.empty() ? text : text + ")";
}

void PrintCandidate(const cRunContext& run, const cCandidate& c, std::ostream& out)
{
    const std::string source = c.Source.LastWrite ? run.SourceFile(c) : "-";
    const std::string destination = c.Destination.LastWrite ? run.DestinationFile(c) : "-";
    out << "  " << ActionCaption(c.Action()) << FlagTexts(c.Category) << ": " << source << "  |  "
        << destination << '\n';
}

}  // namespace

void PrintDecisions(const cRunContext& run, std::ostream& out)
{
    const int count = run.Candidates.Count();
    int next = 0;
    for (int h = 0; h < run.Headers.Count(); ++h) {
        const cFolder& folder = run.Headers[h];
        out << folder.Caption << '\n';
        for (int i = folder.First; i <= folder.Last && i < count; ++i) {
            PrintCandidate(run, run.Candidates[i], out);
        }
        next = folder.Last + 1;
    }
    for (int i = next; i < count; ++i) {
        PrintCandidate(run, run.Candidates[i], out);
    }
    out << FormatText("%d Kandidaten", {count}) << '\n';
}

cTerminalFrontEnd::cTerminalFrontEnd(std::ostream& out, std::ostream& err, bool terminal,
                                     bool dryRun, bool interactive, std::istream& in)
    : out_(out),
      err_(err),
      terminal_(terminal),
      dryRun_(dryRun),
      interactive_(interactive),
      in_(in),
      start_(std::chrono::steady_clock::now())
{}

double cTerminalFrontEnd::Seconds() const
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

// Waiting only lets written data settle for a human watching; a terminal run skips it.
void cTerminalFrontEnd::Wait(int /*milliseconds*/) {}

void cTerminalFrontEnd::SetPhase(const std::string& caption, int64_t /*barMax*/)
{
    if (terminal_ && !copying_) {
        err_ << caption << '\n';
    }
}

bool cTerminalFrontEnd::ShowReviewList(cRunContext& run)
{
    if (dryRun_) {
        PrintDecisions(run, out_);
        out_.flush();
    }
    return true;
}

void cTerminalFrontEnd::ShowProgressWindow(bool shown, int64_t bytesToTransfer)
{
    copying_ = shown;
    if (shown) {
        meter_ = cProgressMeter(Seconds());
        meter_.SetBytesToTransfer(bytesToTransfer);
        transferred_ = 0;
        if (terminal_) {
            err_ << "Kopiere Dateien...\n";
        }
    } else {
        EndProgressLine();
    }
}

void cTerminalFrontEnd::ReportProgress(int64_t bytesDelta, int64_t currentFileBytes)
{
    meter_.Report(bytesDelta, currentFileBytes);
    transferred_ += bytesDelta;
    DrawProgress(false);
}

void cTerminalFrontEnd::SetBytesDone(int64_t bytesDone)
{
    meter_.SetBytesDone(bytesDone);
    meter_.Report(0, 0);
    DrawProgress(false);
}

void cTerminalFrontEnd::SetPaused(bool paused)
{
    meter_.SetPaused(paused);
}

void cTerminalFrontEnd::DrawProgress(bool force)
{
    if (!terminal_ || !copying_) {
        return;
    }
    const double now = Seconds();
    if (!force && now - lastDraw_ < 1.0) {
        return;
    }
    meter_.Tick(now);
    lastDraw_ = now;
    const double fraction = meter_.Fraction();
    err_ << "\r  " << FormatNumber(transferred_) << " Bytes";
    if (fraction >= 0) {
        err_ << FormatText(" (%d %%)", {static_cast<int>(fraction * 100)});
    }
    err_ << "  Verstrichen " << meter_.ElapsedText();
    if (const std::string rate = meter_.RateText(); !rate.empty()) {
        err_ << "  " << rate << "  Verbleibend " << meter_.RemainingText();
    }
    err_ << "\x1b[K" << std::flush;
    lineShown_ = true;
}

void cTerminalFrontEnd::EndProgressLine()
{
    if (lineShown_) {
        DrawProgress(true);
        err_ << '\n';
        lineShown_ = false;
    }
}

int cTerminalFrontEnd::ShowInterruption(const FileLabel& source, const FileLabel& destination,
                                        int errorCode)
{
    EndProgressLine();
    err_ << "Kopieren von " << source.Directory << source.Name << " nach " << destination.Directory
         << destination.Name << " unterbrochen: " << ErrorText(errorCode) << '\n';
    if (AbortFlag.load()) {
        return kQuitRun;
    }
    if (!interactive_) {
        return kNextFile;
    }
    static constexpr struct
    {
        char Key;
        int Answer;
    } kKeys[] = {
        {'n', kRetry}, {'d', kNextFile}, {'o', kNextFolder}, {'l', kDeleteFile}, {'b', kQuitRun}};
    for (;;) {
        err_ << "[n]ochmal, nächste [D]atei, nächster [O]rdner, [l]öschen, [b]eenden? "
             << std::flush;
        std::string line;
        if (!std::getline(in_, line)) {
            return kQuitRun;
        }
        const char key = line.empty() ? 'd' : static_cast<char>(std::tolower(line[0]));
        for (const auto& entry : kKeys) {
            if (entry.Key == key) {
                return entry.Answer;
            }
        }
    }
}

}  // namespace verdal
