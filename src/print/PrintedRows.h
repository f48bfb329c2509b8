#pragma once

#include <QColor>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace verdal {

class ReviewModel;
struct ReviewColors;

// One side (source or destination) of a printed candidate row, as the screen row shows it.
struct PrintedSide
{
    bool Shown = false;    // path and name are printed
    bool Present = false;  // the file exists there: size, date and time are printed
    QString Dir, Name, Size, Date, Time;
};

// One row of the review list as it is printed: a group row with its caption and four counts,
// or a candidate row with its warning marks, both sides and its action.
struct PrintedRow
{
    QString Text;  // group caption; for candidates what a screen reader reads
    bool Group = false;
    bool Selected = false;
    bool TwoLines = false;  // a candidate row of the two-line view
    std::array<int64_t, 4> Counts{};
    int Category = 0;  // the warning bits of the candidate
    int Action = 0;
    QColor Color = Qt::black;  // the action colour, used with "Farbig"
    PrintedSide Source, Destination;
};

// What the page and column headers say.
struct PrintedHeader
{
    QString ProfilePath;
    QString Totals;  // "Vorwärts %d, Überspringen %d, ..."
    QString SourceRoot, SourceFree;
    QString DestinationRoot, DestinationFree;
    QColor Block1 = Qt::white, Block2 = QColor(230, 230, 230);
};

// The visible rows of the review list in its current view, `selectedRows` marked.
std::vector<PrintedRow> PrintedRowsOf(const ReviewModel& model, const ReviewColors& colors,
                                      const std::vector<int>& selectedRows);

}  // namespace verdal
