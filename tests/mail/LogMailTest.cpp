#include "mail/LogMail.h"

#include <gtest/gtest.h>

#include <optional>

#include "FakeSmtpServer.h"
#include "SmtpSink.h"
#include "mail/MimeCoders.h"
#include "settings/Presenter.h"
#include "support/TestDir.h"

using namespace verdal;
using verdal::test::FakeSmtpServer;

namespace {

class RecordingPresenter : public cPresenter
{
public:
    BoxResult Show(const Message& message) override
    {
        Texts.push_back(message.Text);
        return BoxResult::Ok;
    }
    void Beep() override {}
    std::vector<std::string> Texts;
};

// Mails logs to a real SMTP server on loopback and lets Python's email package read them.
class LogMailTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        previous = SetPresenter(&presenter);
        cLogParameters& log = params.Log;
        log.SenderName = "Verdal Backup GmbH.";
        log.SenderAddress = "verdal@example.org";
        log.Recipient1Name = "Anna Äpfel";
        log.Recipient1Address = "anna@example.org";
        log.Recipient2Name = "Nur Name";  // no address: not added
        log.Recipient3Name = "Carla";
        log.Recipient3Address = "carla@example.org";
        log.SubjectPrefix = "Log: ";
        log.CurrentLogFile = logs.createFile("Logs/Log.txt", kLog);
    }

    void TearDown() override { SetPresenter(previous); }

    // Sends through the sink; an empty map when the sink cannot run here.
    std::map<std::string, std::string> SendThroughSink(const std::string& host = "127.0.0.1")
    {
        if (!Sink().Problem().empty()) {
            return {};
        }
        params.Log.SmtpServer = host + ":" + std::to_string(Sink().Port());
        EXPECT_TRUE(SendLogByMail(params, {{}, nullptr, 10, {}}))
            << ::testing::PrintToString(presenter.Texts);
        return Sink().Facts(1);
    }

    // Started on first use: tests that need no real server do not wait for Python.
    test::SmtpSink& Sink()
    {
        if (!sink) {
            sink.emplace(spool.path());
        }
        return *sink;
    }

    static constexpr const char* kLog =
        "Verdal 5 Log\r\n"
        ".\r\n"
        ".profile kopiert\r\n"
        "Größe: 1.234 Bytes, a=b\r\n";

    test::TestDir logs, spool;
    std::optional<test::SmtpSink> sink;
    RecordingPresenter presenter;
    cPresenter* previous = nullptr;
    cParameters params;
};

#define SKIP_WITHOUT_SINK()                                           \
    if (!Sink().Problem().empty()) {                                  \
        GTEST_SKIP() << "Kein SMTP-Testserver: " << Sink().Problem(); \
    }

}  // namespace

TEST_F(LogMailTest, Inline_LogIsTheBody)
{
    SKIP_WITHOUT_SINK();
    auto facts = SendThroughSink();
    EXPECT_EQ(facts["defects"], "");
    EXPECT_EQ(facts["mail_from"], "verdal@example.org");
    EXPECT_EQ(facts["rcpt_tos"], "anna@example.org,carla@example.org");
    EXPECT_EQ(facts["from"], "Verdal Backup GmbH.|verdal@example.org");
    EXPECT_EQ(facts["to"], "Anna Äpfel|anna@example.org;Carla|carla@example.org");
    EXPECT_EQ(facts["subject"], "Log: Log.txt");
    EXPECT_EQ(facts["date_ok"], "1");
    EXPECT_NE(facts["message_id"], "");
    EXPECT_EQ(facts["content_type"], "text/plain");
    EXPECT_EQ(facts["body.charset"], "utf-8");
    EXPECT_EQ(facts["body.cte"], "quoted-printable");
    EXPECT_EQ(facts["body.text"], kLog);
    EXPECT_NE(Sink().RawMessage(1).find("From:     \"Verdal Backup GmbH.\" <verdal@example.org>"),
              std::string::npos);
}

TEST_F(LogMailTest, Inline_AsciiLogTravelsSevenBit)
{
    SKIP_WITHOUT_SINK();
    logs.createFile("Logs/Log.txt", "Alles gut\r\n.\r\n");
    // By name: "localhost" may resolve to ::1 first, where nobody listens; 127.0.0.1 follows.
    auto facts = SendThroughSink("localhost");
    EXPECT_EQ(facts["body.charset"], "us-ascii");
    EXPECT_EQ(facts["body.cte"], "7bit");
    EXPECT_EQ(facts["body.text"], "Alles gut\r\n.\r\n");
}

TEST_F(LogMailTest, Attachment_TextLogTravelsQuotedPrintable)
{
    SKIP_WITHOUT_SINK();
    // Windows-1252 bytes, a long line with blanks, "=" and a trailing blank must arrive intact.
    std::string bytes =
        "Gr\xF6\xDF"
        "e=1 \r\n";
    for (int i = 0; i < 30; ++i) {
        bytes += "Wort" + std::to_string(i) + " ";
    }
    bytes += "\r\nEnde";
    logs.createFile("Logs/Log.txt", bytes);
    params.Log.AsAttachment = true;
    auto facts = SendThroughSink();
    EXPECT_EQ(facts["defects"], "");
    EXPECT_EQ(facts["content_type"], "multipart/mixed");
    EXPECT_EQ(facts["parts"], "2");
    EXPECT_EQ(facts["part0.text"], "siehe Anhang\r\n");
    EXPECT_EQ(facts["part1.content_type"], "text/plain");
    EXPECT_EQ(facts["part1.cte"], "Quoted-Printable");
    EXPECT_EQ(facts["part1.filename"], "Log.txt");
    EXPECT_EQ(facts["part1.payload_b64"], Base64Encode(bytes, 0));
}

TEST_F(LogMailTest, Attachment_UnknownTypeTravelsBase64WithItsName)
{
    SKIP_WITHOUT_SINK();
    std::string bytes;
    for (int i = 0; i < 1000; ++i) {
        bytes += static_cast<char>(i * 7);
    }
    params.Log.CurrentLogFile = logs.createFile("Logs/Log vom 4. März.zzqq", bytes);
    params.Log.AsAttachment = true;
    auto facts = SendThroughSink();
    EXPECT_EQ(facts["defects"], "");
    EXPECT_EQ(facts["subject"], "Log: Log vom 4. März.zzqq");
    EXPECT_EQ(facts["part1.content_type"], "application/octet-stream");
    EXPECT_EQ(facts["part1.cte"], "Base64");
    EXPECT_EQ(facts["part1.filename"], "Log vom 4. März.zzqq");
    EXPECT_EQ(facts["part1.payload_b64"], Base64Encode(bytes, 0));
}

TEST_F(LogMailTest, Failure_ReportedThroughThePresenter)
{
    FakeSmtpServer server(
        "220 ready", {"250 hello", "250 ok", "550 5.1.1 anna@example.org unbekannt", "221 bye"});
    const struct
    {
        std::string Server;
        std::string LogFile;
        std::string Reason;
    } cases[] = {
        {"127.0.0.1:" + std::to_string(server.Port()), params.Log.CurrentLogFile,
         "550 5.1.1 anna@example.org unbekannt"},
        {"", params.Log.CurrentLogFile, "Host property must be assigned"},
        {"localhost:99999", params.Log.CurrentLogFile,
         "Ungültige Angabe des SMTP-Servers: localhost:99999"},
        {"127.0.0.1", logs.filePath("fehlt.txt"),
         "Die Datei " + logs.filePath("fehlt.txt") + " kann nicht gelesen werden."},
    };
    for (const auto& c : cases) {
        presenter.Texts.clear();
        params.Log.SmtpServer = c.Server;
        params.Log.CurrentLogFile = c.LogFile;
        EXPECT_FALSE(SendLogByMail(params));
        ASSERT_EQ(presenter.Texts.size(), 1u);
        EXPECT_EQ(
            presenter.Texts[0],
            "Fehler beim Verschicken...\rE-Mail an Anna Äpfel <anna@example.org>\r" + c.Reason);
    }
    EXPECT_EQ(server.Received().back(), "QUIT");
}

TEST_F(LogMailTest, SendingLogText_NamesRecipientOne)
{
    EXPECT_EQ(SendingLogText(params.Log), "Verschicke Log an Anna Äpfel <anna@example.org>...");
}
