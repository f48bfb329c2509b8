#include "settings/TextCodec.h"

#include <gtest/gtest.h>

using namespace verdal;

TEST(TextCodec, Decode_TakesUtf8AsItIsAndEverythingElseAsWindows1252)
{
    const struct
    {
        const char* Bytes;
        const char* Text;
        TextEncoding Encoding;
    } cases[] = {
        {"Größe", "Größe", TextEncoding::Utf8},
        {"\xEF\xBB\xBFText", "Text", TextEncoding::Utf8},
        // Umlauts, the euro sign, the bullet and the undefined byte 0x81.
        {"Gr\xF6\xDF"
         "e \x80\x95\x81",
         "Größe €•\xC2\x81", TextEncoding::Windows1252},
        // Malformed UTF-8: truncated, overlong, surrogate, beyond U+10FFFF.
        {"\xC3", "Ã", TextEncoding::Windows1252},
        {"\xC0\xAF", "À¯", TextEncoding::Windows1252},
        {"\xED\xA0\x80", "í\xC2\xA0€", TextEncoding::Windows1252},
        {"\xF4\x90\x80\x80", "ô\xC2\x90€€", TextEncoding::Windows1252},
    };
    for (const auto& c : cases) {
        TextEncoding detected{};
        EXPECT_EQ(DecodeText(c.Bytes, &detected), c.Text) << c.Bytes;
        EXPECT_EQ(detected, c.Encoding) << c.Bytes;
    }
}

TEST(TextCodec, Encode_PicksWindows1252OnlyWhenItReadsBackTheSame)
{
    const struct
    {
        const char* Text;
        const char* Bytes;
        TextEncoding Encoding;
    } cases[] = {
        {"ä€", "\xE4\x80", TextEncoding::Windows1252},
        {"plain", "plain", TextEncoding::Windows1252},
        {"Łódź", "Łódź", TextEncoding::Utf8},
        // "Ã¤" in Windows-1252 is C3 A4, which would read back as UTF-8 "ä".
        {"Ã¤", "Ã¤", TextEncoding::Utf8},
    };
    for (const auto& c : cases) {
        TextEncoding chosen{};
        EXPECT_EQ(EncodeText(c.Text, &chosen), c.Bytes) << c.Text;
        EXPECT_EQ(chosen, c.Encoding) << c.Text;
        EXPECT_EQ(DecodeText(EncodeText(c.Text)), c.Text);
    }
    EXPECT_EQ(EncodeTextAs("Łódź", TextEncoding::Windows1252),
              "?\xF3"
              "d?");
}
