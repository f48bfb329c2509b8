#include "settings/ShortenText.h"

#include <gtest/gtest.h>

using namespace verdal;

namespace {

int Characters(const std::string& text)
{
    int count = 0;
    for (const char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }
    return count;
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
