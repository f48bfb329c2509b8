#include "settings/BatchFile.h"

namespace verdal {
namespace {

template <class Io, class B>
void CurrentLayout(Io& io, B& b)
{
    io.List(b.Profiles, nullptr);
    io.Byte(b.WarningFlags);
    io.Bool(b.RunAfterOpen);
    io.Bool(b.BeepAfterRun);
    io.Bool(b.ExitAfterRun);
    io.Int(b.ShutdownMode);
    io.Bool(b.HookShutdown);
    io.Empty();
    io.ValueList(b.Schedule);
    ExtraDataBlock(
        io, b, "Verdal 4.03 Extra Data", [](auto& io, auto& b) { io.Bool(b.MinimizeToTray); },
        [](cBatchParameters& b) { b.MinimizeToTray = false; });
    ExtraDataBlock(
        io, b, "Verdal 5.02 Extra Data", [](auto& io, auto& b) { io.Bool(b.OverrideWarnings); },
        [](cBatchParameters& b) { b.OverrideWarnings = false; });
    // The conditions were read as 0 with the paths; a missing block leaves them so.
    ExtraDataBlock(
        io, b, "Verdal 5.03 Extra Data", [](auto& io, auto& b) { io.ItemValues(b.Profiles); },
        [](cBatchParameters&) {});
}

}  // namespace

bool ReadCurrentBatch(cLineReader& reader, cParameters& p)
{
    CurrentLayout(reader, p.Batch);
    p.FileKind = 1;
    p.OldFormat = false;
    return reader.Ok();
}

std::vector<std::string> BatchLines(const cParameters& p)
{
    cLineWriter writer;
    writer.Line(kBatchMarker);
    CurrentLayout(writer, p.Batch);
    return writer.Lines();
}

bool ReadVersion3Batch(cLineReader& r, cParameters& p)
{
    cBatchParameters& b = p.Batch;
    r.Byte(b.WarningFlags);
    b.RunAfterOpen = r.NextInt() != 0;
    b.HookShutdown = false;
    b.ExitAfterRun = r.NextInt() != 0;
    r.Int(b.ShutdownMode);
    b.BeepAfterRun = r.NextInt() != 0;
    b.MinimizeToTray = false;
    r.Empty();
    b.Profiles.Clear();
    while (r.Ok() && !r.AtEnd()) {
        b.Profiles.Add(r.NextLine());
    }
    b.OverrideWarnings = false;
    b.Schedule.Clear();
    p.FileKind = 1;
    p.OldFormat = true;
    return r.Ok();
}

}  // namespace verdal
