#include <gtest/gtest.h>

#include <atomic>

#include "FakeSmtpServer.h"
#include "mail/MailErrors.h"
#include "mail/SmtpClient.h"

using namespace verdal;
using verdal::test::FakeSmtpServer;

namespace {

const std::string kRejection = "550 5.1.1 <nobody@example.org>: Recipient address rejected";

class SmtpDialogue : public ::testing::Test
{
protected:
    void SetUp() override
    {
        message.Sender = {"Verdal", "verdal@example.org"};
        message.Recipients.Add("anna@example.org", "Anna");
        message.Subject = "Log";
        message.Body = {"Zeile 1", ".", ".versteckt", "Zeile 4"};
        client.HeloDomain = "client.test";
        client.MailMessage = &message;
        client.TimeOut = 5;
    }

    void SendTo(FakeSmtpServer& server)
    {
        client.Host = "127.0.0.1";
        client.Port = server.Port();
        client.Send();
    }

    TmsMessage message;
    TmsSMTPClient client;
};

}  // namespace

TEST_F(SmtpDialogue, Send_TwoLineGreetingAndBareHeloFallback)
{
    FakeSmtpServer server("220-first line\r\n220 second line",
                          {"500 who are you", "250 ok", "250 sender ok", "250 rcpt ok",
                           "354 go ahead", "250 queued", "221 bye"});
    ASSERT_NO_THROW(SendTo(server));
    const std::vector<std::string> expected = {"HELO client.test",
                                               "HELO",
                                               "MAIL FROM:<verdal@example.org>",
                                               "RCPT TO:<anna@example.org>",
                                               "DATA",
                                               "<data>",
                                               "QUIT"};
    EXPECT_EQ(server.Received(), expected);
    // Lines beginning with a dot travel with a second one, which the server removes again.
    EXPECT_NE(server.Data().find("\r\n..\r\n..versteckt\r\n"), std::string::npos);
    EXPECT_EQ(client.RejectedCount(), 0);
}

TEST_F(SmtpDialogue, Send_RejectedRecipientSendsQuitAndReportsLine)
{
    FakeSmtpServer server("220 ready", {"250 hello", "250 sender ok", kRejection, "221 bye"});
    try {
        SendTo(server);
        FAIL() << "no error";
    } catch (const EmsServerError& e) {
        EXPECT_EQ(e.what(), kRejection);
    }
    EXPECT_EQ(server.Received().back(), "QUIT");
    EXPECT_EQ(client.RejectedCount(), 1);
}

TEST_F(SmtpDialogue, Send_IgnoredRejectionGoesOnWithTheOthers)
{
    message.CC.Add("bert@example.org", "Bert");
    client.OnAddressRejected = [](const std::string&, const std::string&, const std::string&,
                                  bool& ignore) { ignore = true; };
    FakeSmtpServer server("220 ready", {"250 hello", "250 sender ok", kRejection, "250 ok",
                                        "354 go", "250 queued", "221 bye"});
    ASSERT_NO_THROW(SendTo(server));
    EXPECT_EQ(server.Received()[3], "RCPT TO:<bert@example.org>");
    EXPECT_EQ(client.RejectedCount(), 1);
}

TEST_F(SmtpDialogue, Send_ErrorsBeforeTheEnvelopeSendNoQuit)
{
    const struct
    {
        const char* Greeting;
        std::vector<std::string> Replies;
        std::string Error;
    } cases[] = {
        {"554 go away", {}, "554 go away"},
        {"220 ready", {"500 no", "501 still no"}, "501 still no"},
    };
    for (const auto& c : cases) {
        FakeSmtpServer server(c.Greeting, c.Replies);
        try {
            SendTo(server);
            ADD_FAILURE() << c.Greeting << ": no error";
        } catch (const EmsServerError& e) {
            EXPECT_EQ(e.what(), c.Error);
        }
        for (const std::string& line : server.Received()) {
            EXPECT_NE(line, "QUIT");
        }
    }
}

TEST_F(SmtpDialogue, Send_SilentServerTimesOutWithoutQuit)
{
    client.TimeOut = 1;
    int pumps = 0;
    client.Pump = [&pumps] { ++pumps; };
    FakeSmtpServer server("220 ready", {"250 hello", ""});
    EXPECT_THROW(SendTo(server), EmsTimedOutError);
    const std::vector<std::string> expected = {"HELO client.test",
                                               "MAIL FROM:<verdal@example.org>"};
    EXPECT_EQ(server.Received(), expected);
    EXPECT_GT(pumps, 0);
}

TEST_F(SmtpDialogue, Send_CancelFlagBreaksOffTheWait)
{
    std::atomic<bool> cancel{false};
    client.CancelFlag = &cancel;
    client.Pump = [&cancel] { cancel = true; };
    FakeSmtpServer server("", {});
    EXPECT_THROW(SendTo(server), EmsCanceledError);
}

TEST_F(SmtpDialogue, Send_RefusedConnectionIsSocketError)
{
    client.Host = "127.0.0.1";
    client.Port = FakeSmtpServer::ClosedPort();
    try {
        client.Send();
        FAIL() << "no error";
    } catch (const EWinsockError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("[10061]", 0), 0u) << e.what();
    }
}

TEST_F(SmtpDialogue, Send_EmptyHostFailsBeforeAnyNetworkActivity)
{
    bool pumped = false;
    client.Pump = [&pumped] { pumped = true; };
    try {
        client.Send();
        FAIL() << "no error";
    } catch (const EmsError& e) {
        EXPECT_STREQ(e.what(), "Host property must be assigned");
    }
    EXPECT_FALSE(pumped);
}

TEST_F(SmtpDialogue, Send_InvalidMessageEndsWithoutQuit)
{
    message.Sender.Address.clear();
    FakeSmtpServer server("220 ready", {"250 hello", "221 bye"});
    EXPECT_THROW(SendTo(server), EMessageError);
    EXPECT_EQ(server.Received().size(), 1u);
}

TEST(SmtpServerSetting, Split_HostAndOptionalPort)
{
    const struct
    {
        const char* Setting;
        bool Valid;
        const char* Host;
        uint16_t Port;
    } cases[] = {
        {"mail.example.org", true, "mail.example.org", 25},
        {" mail.example.org:587 ", true, "mail.example.org", 587},
        {"192.168.1.2:2525", true, "192.168.1.2", 2525},
        {"[::1]:26", true, "::1", 26},
        {"::1", true, "::1", 25},
        {"host:0", false, "", 0},
        {"host:70000", false, "", 0},
        {"host:smtp", false, "", 0},
        {"", false, "", 0},
        {":25", false, "", 0},
    };
    for (const auto& c : cases) {
        std::string host;
        uint16_t port = 0;
        EXPECT_EQ(SplitServerSetting(c.Setting, host, port), c.Valid) << c.Setting;
        if (c.Valid) {
            EXPECT_EQ(host, c.Host) << c.Setting;
            EXPECT_EQ(port, c.Port) << c.Setting;
        }
    }
}

TEST(SmtpData, DotStuffed_DoublesLeadingDotsAndEndsLinesWithCrLf)
{
    EXPECT_EQ(DotStuffed(".a\r\nb.\r\n.\r\n"), "..a\r\nb.\r\n..\r\n");
    EXPECT_EQ(DotStuffed("x\n.y"), "x\r\n..y");
}
