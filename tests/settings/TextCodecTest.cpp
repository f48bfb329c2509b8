#include "settings/TextCodec.h"

#include <gtest/gtest.h>

using namespace verdal;

TEST(TextCodec, Decode_ValidUtf8StaysAsItIs)
{
    TextEncoding detected = TextEncoding::Windows1252;
    EXPECT_EQ(DecodeText("Gr\xC3\xB6\xC3\x9F"
                         "e",
                         &detected),
              "Gr\xC3\xB6\xC3\x9F"
              "e");
    EXPECT_EQ(detected, TextEncoding::Utf8);
    EXPECT_EQ(DecodeText("\xEF\xBB\xBFText"), "Text");
}

TEST(TextCodec, Decode_Windows1252UmlautsAndSpecialBytes)
{
    TextEncoding detected = TextEncoding::Utf8;
    // "Größe €" plus the bullet 0x95 and the undefined byte 0x81.
    EXPECT_EQ(DecodeText("Gr\xF6\xDF"
                         "e \x80\x95\x81",
                         &detected),
              "Gr\xC3\xB6\xC3\x9F"
              "e \xE2\x82\xAC\xE2\x80\xA2\xC2\x81");
    EXPECT_EQ(detected, TextEncoding::Windows1252);
}

TEST(TextCodec, IsValidUtf8_RejectsMalformedSequences)
{
    const char* bad[] = {"\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80", "\xFF"};
    for (const char* bytes : bad) {
        EXPECT_FALSE(IsValidUtf8(bytes)) << bytes;
    }
    EXPECT_TRUE(IsValidUtf8("a\xF0\x9F\x98\x80z"));
}

TEST(TextCodec, Encode_PicksWindows1252WhenEveryCharacterFits)
{
    TextEncoding chosen = TextEncoding::Utf8;
    EXPECT_EQ(EncodeText("\xC3\xA4\xE2\x82\xAC", &chosen), "\xE4\x80");
    EXPECT_EQ(chosen, TextEncoding::Windows1252);
    EXPECT_EQ(EncodeText("plain", &chosen), "plain");
    EXPECT_EQ(chosen, TextEncoding::Windows1252);
}

TEST(TextCodec, Encode_KeepsUtf8WhenACharacterDoesNotFit)
{
    TextEncoding chosen = TextEncoding::Windows1252;
    const std::string polish =
        "\xC5\x81\xC3\xB3"
        "d\xC5\xBA";  // Łódź
    EXPECT_EQ(EncodeText(polish, &chosen), polish);
    EXPECT_EQ(chosen, TextEncoding::Utf8);
    EXPECT_EQ(EncodeTextAs(polish, TextEncoding::Windows1252),
              "?\xF3"
              "d?");
}

TEST(TextCodec, RoundTrip_SurvivesTextWhose1252BytesLookLikeUtf8)
{
    // "Ã¤" in Windows-1252 is C3 A4, which reads back as UTF-8 "ä" unless written as UTF-8.
    const std::string tricky = "\xC3\x83\xC2\xA4";
    EXPECT_EQ(DecodeText(EncodeText(tricky)), tricky);
    for (const std::string text : {"Gr\xC3\xB6\xC3\x9F"
                                   "e",
                                   "\xC5\x81\xC3\xB3"
                                   "d\xC5\xBA",
                                   ""}) {
        EXPECT_EQ(DecodeText(EncodeText(text)), text);
    }
}
