#include "print/PrintFormat.h"

#include <algorithm>

#include "settings/OptionsFile.h"

namespace verdal {
namespace {

const char* const kSection = "Print Format";

bool ReadBool(const char* key, bool def)
{
    return ReadOptionInt(kSection, key, def ? 1 : 0) != 0;
}

void WriteBool(const char* key, bool value)
{
    WriteOptionInt(kSection, key, value ? 1 : 0);
}

}  // namespace

void cPrintFormat::Load(bool metric)
{
    const int margin = metric ? 25 : 100;
    const int maxSpacing = metric ? 50 : 200;
    Orientation = ReadOptionInt(kSection, "Orientation", 0);
    HeaderFontName = ReadOptionString(kSection, "HeaderFontName", "Arial");
    HeaderFontSize = std::max(1, ReadOptionInt(kSection, "HeaderFontSize", 12));
    HeaderFontBold = ReadBool("HeaderFontBold", true);
    HeaderFontItalic = ReadBool("HeaderFontItalic", false);
    DataFontName = ReadOptionString(kSection, "DataFontName", "Arial");
    DataFontSize = std::max(1, ReadOptionInt(kSection, "DataFontSize", 10));
    DataFontBold = ReadBool("DataFontBold", false);
    DataFontItalic = ReadBool("DataFontItalic", false);
    Selection = ReadBool("Selection", false);
    DividingLine = ReadBool("DividingLine", true);
    InColor = ReadBool("InColor", true);
    Copies = std::clamp(ReadOptionInt(kSection, "Copies", 1), 1, 999);
    BlockShade1 = std::clamp(ReadOptionInt(kSection, "BlockShade1", 100), 0, 100);
    BlockShade2 = std::clamp(ReadOptionInt(kSection, "BlockShade2", 90), 0, 100);
    TopMargin = std::max(0, ReadOptionInt(kSection, "TopMargin", margin));
    LeftMargin = std::max(0, ReadOptionInt(kSection, "LeftMargin", margin));
    RightMargin = std::max(0, ReadOptionInt(kSection, "RightMargin", margin));
    BottomMargin = std::max(0, ReadOptionInt(kSection, "BottomMargin", margin));
    Spacing = std::clamp(ReadOptionInt(kSection, "Spacing", 0), 0, maxSpacing);
    Remark = ReadOptionString(kSection, "Remark", "");
    PenWidth = std::max(1, ReadOptionInt(kSection, "PenWidth", 3));
}

void cPrintFormat::Save() const
{
    WriteOptionInt(kSection, "Orientation", Orientation);
    WriteOptionString(kSection, "HeaderFontName", HeaderFontName);
    WriteOptionInt(kSection, "HeaderFontSize", HeaderFontSize);
    WriteBool("HeaderFontBold", HeaderFontBold);
    WriteBool("HeaderFontItalic", HeaderFontItalic);
    WriteOptionString(kSection, "DataFontName", DataFontName);
    WriteOptionInt(kSection, "DataFontSize", DataFontSize);
    WriteBool("DataFontBold", DataFontBold);
    WriteBool("DataFontItalic", DataFontItalic);
    WriteBool("Selection", Selection);
    WriteBool("DividingLine", DividingLine);
    WriteBool("InColor", InColor);
    WriteOptionInt(kSection, "Copies", Copies);
    WriteOptionInt(kSection, "BlockShade1", BlockShade1);
    WriteOptionInt(kSection, "BlockShade2", BlockShade2);
    WriteOptionInt(kSection, "TopMargin", TopMargin);
    WriteOptionInt(kSection, "LeftMargin", LeftMargin);
    WriteOptionInt(kSection, "RightMargin", RightMargin);
    WriteOptionInt(kSection, "BottomMargin", BottomMargin);
    WriteOptionInt(kSection, "Spacing", Spacing);
    WriteOptionString(kSection, "Remark", Remark);
    WriteOptionInt(kSection, "PenWidth", 5);
}

}  // namespace verdal
