#include "mail/MimeCoders.h"

#include <gtest/gtest.h>

#include "mail/MailErrors.h"

using namespace verdal;

TEST(Base64, Encode_KnownVectors)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
        {std::string("\0\xff\xfe", 3), "AP/+"},
    };
    for (const auto& [input, expected] : cases) {
        EXPECT_EQ(Base64Encode(input, 0), expected) << input;
    }
}

TEST(Base64, Encode_Breaks76CharacterLines)
{
    const std::string line = Base64Encode(std::string(57, 'a'));
    EXPECT_EQ(line.size(), 78u);
    EXPECT_EQ(line.substr(76), "\r\n");
    const std::string two = Base64Encode(std::string(58, 'a'));
    EXPECT_EQ(two.substr(0, 78), line);
    EXPECT_EQ(two.substr(78), "YQ==\r\n");
}

TEST(QuotedPrintable, Encode_Cases)
{
    const std::string a60(60, 'a'), a65(65, 'a'), a66(66, 'a'), c70(70, 'c');
    const std::pair<std::string, std::string> cases[] = {
        {"a=b", "a=3Db"},
        {"Gr\xC3\xBC\xC3\x9F"
         "e",
         "Gr=C3=BC=C3=9Fe"},
        {std::string("a\tb\x01\x7f", 5), "a=09b=01\x7f"},
        {"eins\r\nzwei\n", "eins\r\nzwei\r\n"},
        {"a\rb", "a=0Db"},
        {"Ende ", "Ende=20"},
        // The cut goes before the last blank among the next 66 characters ...
        {a60 + " bbbbbbbbbb", a60 + "=\r\n bbbbbbbbbb"},
        {a65 + " bb", a65 + "=\r\n bb"},
        // ... or after 65 characters when there is none.
        {a66 + " b", a65 + "=\r\na b"},
        {std::string(70, 'x'), std::string(65, 'x') + "=\r\nxxxxx"},
        // A blank at the very start must not make an empty piece.
        {" " + c70, " " + std::string(64, 'c') + "=\r\ncccccc"},
    };
    for (const auto& [input, expected] : cases) {
        EXPECT_EQ(QuotedPrintableEncode(input), expected) << input;
    }
}

TEST(QuotedPrintable, Encode_ParagraphLimit)
{
    EXPECT_NO_THROW(QuotedPrintableEncode(std::string(24576, 'x') + "\r\nkurz"));
    try {
        QuotedPrintableEncode("kurz\n" + std::string(24577, 'x'));
        FAIL() << "no error";
    } catch (const EMessageError& e) {
        EXPECT_STREQ(e.what(), "Paragraph is too large");
    }
}

TEST(HeaderText, Encode_AsciiStaysNonAsciiBecomesWords)
{
    EXPECT_EQ(EncodeHeaderText("Log: Log.txt"), "Log: Log.txt");
    EXPECT_EQ(EncodeHeaderText("a\r\nBcc: x@y"), "a  Bcc: x@y");
    EXPECT_EQ(EncodeHeaderText("M\xC3\xA4rz"), "=?utf-8?B?TcOkcno=?=");
    // Long text is split into several words, never inside a character.
    const std::string long_ = std::string(44, 'x') + "\xC3\xA4" + "yz";
    EXPECT_EQ(EncodeHeaderText(long_), "=?utf-8?B?" + Base64Encode(std::string(44, 'x'), 0) +
                                           "?=\r\n =?utf-8?B?" + Base64Encode("\xC3\xA4yz", 0) +
                                           "?=");
}

TEST(HeaderText, MimeParameter_QuotesOrExtends)
{
    EXPECT_EQ(MimeParameter("name", "Log.txt"), "name=\"Log.txt\"");
    EXPECT_EQ(MimeParameter("name", "a\"b\\c"), "name=\"a\\\"b\\\\c\"");
    EXPECT_EQ(MimeParameter("filename", "M\xC3\xA4rz 1.txt"), "filename*=utf-8''M%C3%A4rz%201.txt");
}
