#include "settings/ShortenText.h"

#include <gtest/gtest.h>

#include "settings/GermanFormat.h"

using namespace verdal;

namespace {

int Characters(const std::string& text)
{
    return static_cast<int>(CharacterCount(text));
}

}  // namespace

TEST(ShortenText, ShortenToWidth_CutsTheMiddleAndKeepsBothEnds)
{
    EXPECT_EQ(ShortenToWidth("/home/anna/Brief.txt", 20, Characters), "/home/anna/Brief.txt");
    EXPECT_EQ(ShortenToWidth("/home/anna/Dokumente/Brief.txt", 20, Characters),
              "/home/a .. Brief.txt");
    // Umlauts are removed whole, never split into broken bytes.
    EXPECT_EQ(ShortenToWidth("ÄÖÜäöüÄÖÜäöü", 9, Characters), "ÄÖ .. äöü");
    // Even a label too narrow for the gap ends.
    EXPECT_EQ(ShortenToWidth("x", 0, Characters), " .. ");
}
