#include "mail/Message.h"

#include <gtest/gtest.h>

#include <regex>

#include "mail/MailErrors.h"
#include "platform/MimeGlobs.h"
#include "support/TestDir.h"

using namespace verdal;

namespace {

class MessageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        message.AddDateAndMessageId = false;
        message.Sender = {"Verdal", "verdal@example.org"};
        message.Recipients.Add("anna@example.org", "Anna");
        message.Subject = "Log: Log.txt";
        message.Body = {"Zeile"};
    }

    std::string Written() const
    {
        std::string out;
        message.WriteTo(out);
        return out;
    }

    std::string Header(const std::string& name) const
    {
        const std::string all = "\r\n" + Written();
        const size_t at = all.find("\r\n" + name);
        return at == std::string::npos ? std::string()
                                       : all.substr(at + 2, all.find("\r\n", at + 2) - at - 2);
    }

    TmsMessage message;
    test::TestDir dir;
};

std::string ErrorOf(const TmsMessage& message)
{
    try {
        message.Validate();
    } catch (const EMessageError& e) {
        return e.what();
    }
    return {};
}

}  // namespace

TEST_F(MessageTest, WriteTo_PlainTextLayout)
{
    message.Recipients.Add("bert@example.org", "Bert B.");
    message.Recipients.Add("carla@example.org", "Carla");
    message.CC.Add("dora@example.org", "Dora");
    message.BCC.Add("geheim@example.org", "Geheim");
    message.Priority = TmsPriority::High;
    EXPECT_EQ(Written(),
              "From:     Verdal <verdal@example.org>\r\n"
              "To:       Anna <anna@example.org>,\r\n"
              "          \"Bert B.\" <bert@example.org>,\r\n"
              "          Carla <carla@example.org>\r\n"
              "CC:       Dora <dora@example.org>\r\n"
              "X-Priority: 1\r\n"
              "Subject: Log: Log.txt\r\n"
              "Mime-Version: 1.0\r\n"
              "Content-Type: text/plain; charset=\"us-ascii\"\r\n"
              "Content-Transfer-Encoding: 7bit\r\n"
              "\r\n"
              "Zeile\r\n");
}

TEST_F(MessageTest, WriteTo_NamesThatWouldSplitTheListAreQuoted)
{
    const std::pair<std::string, std::string> cases[] = {
        {"Verdal Inc.", "\"Verdal Inc.\" <verdal@example.org>"},
        {"Meier, Hans", "\"Meier, Hans\" <verdal@example.org>"},
        {"Sag \"Hallo\".", "\"Sag \\\"Hallo\\\".\" <verdal@example.org>"},
        {"Plain Name", "Plain Name <verdal@example.org>"},
    };
    for (const auto& [name, expected] : cases) {
        message.Sender.Name = name;
        EXPECT_EQ(Header("From:"), "From:     " + expected);
    }
}

TEST_F(MessageTest, WriteTo_DateAndMessageIdWhenAsked)
{
    message.AddDateAndMessageId = true;
    EXPECT_TRUE(std::regex_match(
        Header("Date:"), std::regex(R"(Date: \w{3}, \d\d \w{3} \d{4} \d\d:\d\d:\d\d [+-]\d{4})")))
        << Header("Date:");
    EXPECT_TRUE(
        std::regex_match(Header("Message-ID:"), std::regex(R"(Message-ID: <[^@<>]+@[^@<>]+>)")));
}

TEST_F(MessageTest, TextForm_SevenBitOnlyForShortAsciiLines)
{
    const struct
    {
        std::vector<std::string> Body;
        const char* Charset;
        const char* Encoding;
    } cases[] = {
        {{"kurz", "."}, "us-ascii", "7bit"},
        {{std::string(256, 'x')}, "us-ascii", "quoted-printable"},
        {{"Gr\xC3\xBC\xC3\x9F"
          "e"},
         "utf-8",
         "quoted-printable"},
        {{"Gr\xFC\xDF"
          "e"},
         "windows-1252",
         "quoted-printable"},
        {{"a\rb"}, "us-ascii", "quoted-printable"},
    };
    for (const auto& c : cases) {
        message.Body = c.Body;
        EXPECT_EQ(Header("Content-Type:"),
                  std::string("Content-Type: text/plain; charset=\"") + c.Charset + "\"");
        EXPECT_EQ(Header("Content-Transfer-Encoding:"),
                  std::string("Content-Transfer-Encoding: ") + c.Encoding);
    }
}

TEST_F(MessageTest, Validate_Errors)
{
    EXPECT_EQ(ErrorOf(message), "");
    TmsMessage noSender = message;
    noSender.Sender.Address.clear();
    EXPECT_EQ(ErrorOf(noSender), "The address of sender is required");
    TmsMessage noRecipient = message;
    noRecipient.Recipients.Clear();
    noRecipient.CC.Add("", "Nur ein Name");
    EXPECT_EQ(ErrorOf(noRecipient), "At least one Recipient, CC or BCC must be entered");
    noRecipient.BCC.Add("bcc@example.org");
    EXPECT_EQ(ErrorOf(noRecipient), "");
    TmsMessage injected = message;
    injected.Recipients.Add("x@example.org>\r\nRCPT TO:<y@example.org");
    EXPECT_EQ(ErrorOf(injected).rfind("Ungültige E-Mail-Adresse", 0), 0u);
}

TEST_F(MessageTest, ContentType_ByBodyAndAttachments)
{
    const std::string one = dir.createFile("a.txt", "a"), two = dir.createFile("b.zzqq", "b");
    EXPECT_EQ(message.ContentType(), "text/plain");
    message.Attachments.Add(one);
    EXPECT_EQ(message.ContentType(), "multipart/mixed");
    message.Body.clear();
    EXPECT_EQ(message.ContentType(), "text/plain");
    message.Attachments.Add(two);
    EXPECT_EQ(message.ContentType(), "multipart/mixed");
}

TEST_F(MessageTest, WriteTo_MixedMessageStructure)
{
    message.Body = {"siehe Anhang"};
    message.Attachments.Add(dir.createFile("Log.txt", "a=b\r\n"));
    const std::string all = Written();
    std::smatch m;
    ASSERT_TRUE(std::regex_search(all, m, std::regex("boundary=\"([0-8]{8})\"")));
    const std::string b = m[1];
    EXPECT_NE(all.find("Mime-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"" + b +
                       "\"\r\n\r\nThis is a multipart message in MIME format\r\n\r\n--" + b +
                       "\r\nContent-Type: text/plain; charset=\"us-ascii\"\r\n"
                       "Content-Transfer-Encoding: 7bit\r\n\r\nsiehe Anhang\r\n\r\n--" +
                       b +
                       "\r\nContent-Type: text/plain; name=\"Log.txt\"\r\n"
                       "Content-Transfer-Encoding: Quoted-Printable\r\n"
                       "Content-Disposition: attachment; filename=\"Log.txt\"\r\n\r\n"
                       "a=3Db\r\n\r\n--" +
                       b + "--\r\n"),
              std::string::npos)
        << all;
}

TEST_F(MessageTest, Attachment_TypeAndEncodingByExtension)
{
    message.Attachments.Add(dir.createFile("Log.TXT", "x"));
    message.Attachments.Add(dir.createFile("daten.zzqq", "x"));
    EXPECT_EQ(message.Attachments[0].ContentType, "text/plain");
    EXPECT_EQ(message.Attachments[0].Encoding, TmsTransferEncoding::QuotedPrintable);
    EXPECT_EQ(message.Attachments[1].ContentType, "application/octet-stream");
    EXPECT_EQ(message.Attachments[1].Encoding, TmsTransferEncoding::Base64);
    EXPECT_EQ(EncodingForContentType("TEXT/HTML"), TmsTransferEncoding::QuotedPrintable);
    EXPECT_EQ(EncodingForContentType("message/rfc822"), TmsTransferEncoding::SevenBit);
    EXPECT_THROW(message.Attachments.Add(dir.filePath("fehlt.txt")), EMessageError);
}

TEST_F(MessageTest, MimeGlobs_WeightThenLongestThenCase)
{
    const std::string globs = dir.createFile("globs2",
                                             "# comment\n"
                                             "50:application/gzip:*.gz\n"
                                             "50:application/x-tgz:*.tar.gz\n"
                                             "40:text/x-weak:*.abc\n"
                                             "60:text/x-strong:*.abc\n"
                                             "50:text/x-upper:*.C:cs\n"
                                             "50:text/x-name:README\n");
    const std::pair<const char*, const char*> cases[] = {
        {"a.tar.gz", "application/x-tgz"},
        {"a.GZ", "application/gzip"},
        {"x.abc", "text/x-strong"},
        {"m.C", "text/x-upper"},
        {"m.c", ""},
        {"README", ""},
    };
    for (const auto& [name, type] : cases) {
        EXPECT_EQ(MimeTypeFromGlobs(name, globs), type) << name;
    }
}

TEST(MailLines, Split_AtLineFeedsDroppingCr)
{
    EXPECT_EQ(SplitMailLines("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(SplitMailLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_TRUE(SplitMailLines("").empty());
}
