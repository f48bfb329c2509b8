#pragma once

#include <string>

namespace verdal {

// The layout of the printed review list, kept in the section "Print Format" of the options
// file. Margins and spacing are in millimetres or hundredths of an inch (`Metric`).
struct cPrintFormat
{
    int Orientation = 0;
    std::string HeaderFontName = "Arial";
    int HeaderFontSize = 12;
    bool HeaderFontBold = true, HeaderFontItalic = false;
    std::string DataFontName = "Arial";
    int DataFontSize = 10;
    bool DataFontBold = false, DataFontItalic = false;
    bool Selection = false;
    bool DividingLine = true;
    bool InColor = true;
    int Copies = 1;
    int BlockShade1 = 100, BlockShade2 = 90;
    int TopMargin = 25, LeftMargin = 25, RightMargin = 25, BottomMargin = 25;
    int Spacing = 0;
    std::string Remark;
    int PenWidth = 3;

    // Reads the section; margins default to 25 mm or 1 inch by the measurement system.
    void Load(bool metric);
    // Writes the section. The ruled line's width goes back as 5 whatever was read, as files
    // written by earlier versions expect.
    void Save() const;
};

}  // namespace verdal
