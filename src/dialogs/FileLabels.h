#pragma once

#include <QGridLayout>
#include <QLabel>

#include "engine/RunFrontEnd.h"

namespace verdal {

// One block of labels describing a file (directory, name, size, date, time), as the progress
// window and the interruption dialog show the two files of a copy.
class FileLabelBlock
{
public:
    // Adds the caption and the five labels to `grid` from `row` on; names start with `prefix`.
    FileLabelBlock(const QString& caption, const QString& prefix, QGridLayout* grid, int row,
                   QWidget* parent);

    void Show(const FileLabel& file);
    void Clear();

    QLabel *Caption, *DirLbl, *NameLbl, *SizeLbl, *DateLbl, *TimeLbl;
};

}  // namespace verdal
