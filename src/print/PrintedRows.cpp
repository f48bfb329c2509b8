#include "print/PrintedRows.h"

#include "dialogs/ReviewDelegate.h"
#include "dialogs/ReviewModel.h"
#include "engine/RunContext.h"
#include "settings/GermanFormat.h"
#include "settings/Parameters.h"

namespace verdal {
namespace {

QString Utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

PrintedSide SideOf(const ReviewModel& model, const cCandidate& c, bool source)
{
    PrintedSide side;
    const FileStamp& stamp = source ? c.Source : c.Destination;
    side.Present = stamp.LastWrite != 0;
    side.Shown = side.Present || model.View().AlwaysShowPaths;
    if (!side.Shown) {
        return side;
    }
    const cRunContext& run = model.Run();
    const auto& dirs = source ? run.SourceDirs : run.DestinationDirs;
    if (c.DirIndex >= 0 && static_cast<size_t>(c.DirIndex) < dirs.size()) {
        side.Dir = Utf8(RelativeDirText(dirs[static_cast<size_t>(c.DirIndex)]));
    }
    side.Name = Utf8(source ? c.SourceFileName() : c.DestinationFileName());
    if (side.Present) {
        const TDateTime date = source ? c.SourceDate : c.DestinationDate;
        side.Size = Utf8(FormatNumber(stamp.Size));
        side.Date = Utf8(FormatDateTime("ddddd", date));
        side.Time = Utf8(FormatDateTime("tt", date));
    }
    return side;
}

}  // namespace

std::vector<PrintedRow> PrintedRowsOf(const ReviewModel& model, const ReviewColors& colors,
                                      const std::vector<int>& selectedRows)
{
    std::vector<PrintedRow> rows(static_cast<size_t>(model.rowCount()));
    for (int i = 0; i < model.rowCount(); ++i) {
        PrintedRow& row = rows[static_cast<size_t>(i)];
        row.Text = model.RowText(i);
        if (const cFolder* group = model.GroupAt(i)) {
            row.Group = true;
            row.Text = Utf8(group->Caption);
            const ActionCounts& counts = model.CountsOf(model.RowAt(i).Index());
            for (size_t k = 0; k < row.Counts.size() && k < counts.size(); ++k) {
                row.Counts[k] = counts[k];
            }
        } else if (const cCandidate* c = model.CandidateAt(i)) {
            row.TwoLines = !model.View().OneLineRows;
            row.Category = c->Category;
            row.Action = c->Action();
            row.Color = colors.OfAction(row.Action);
            row.Source = SideOf(model, *c, true);
            row.Destination = SideOf(model, *c, false);
        }
    }
    for (int index : selectedRows) {
        if (index >= 0 && static_cast<size_t>(index) < rows.size()) {
            rows[static_cast<size_t>(index)].Selected = true;
        }
    }
    return rows;
}

}  // namespace verdal
