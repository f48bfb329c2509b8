#include <gtest/gtest.h>

#include "platform/TextCase.h"

using namespace verdal;

// Names equal but for case fold alike; names that a file system keeps apart never do.
TEST(TextCaseTest, FoldCase_SimpleOneToOneFolding)
{
    EXPECT_EQ(FoldCase("Brief.TXT"), "brief.txt");
    EXPECT_EQ(FoldCase("ÄRGER.doc"), FoldCase("ärger.DOC"));
    EXPECT_EQ(FoldCase("ΣΟΦΊΑ"), FoldCase("σοφία"));
    EXPECT_FALSE(SameTextCI("Maße.txt", "Masse.txt"));
    EXPECT_FALSE(SameTextCI("MASSE.txt", "Maße.txt"));
    EXPECT_FALSE(SameTextCI("\xEF\xAC\x81le.txt", "file.txt"));  // ligature fi
    EXPECT_FALSE(SameTextCI("\xE2\x84\xAA.txt", "k.txt"));       // Kelvin sign
    EXPECT_FALSE(SameTextCI("\xC5\xBF.txt", "s.txt"));           // long s
    EXPECT_TRUE(SameTextCI("Straße", "STRAßE"));
    // Bytes that are not UTF-8 stand for themselves and are never lost.
    EXPECT_EQ(FoldCase("Gr\xFC\xDF"
                       "E"),
              "gr\xFC\xDF"
              "e");
    EXPECT_LT(CompareTextCI("apfel", "Birne"), 0);
}
