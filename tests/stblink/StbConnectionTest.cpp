#include "tests/stblink/LinkFixture.h"

using namespace std::chrono_literals;

using StbConnectionTest = LinkTest;

TEST_F(StbConnectionTest, HandshakeSendsTheFormatAndChecksTheReplyExactly)
{
    struct Case {
        const char* address;
        std::function<void(ScriptedBox&)> script;
        std::vector<std::string> messages;
    };
    const std::vector<Case> cases = {
        {"127.0.0.64",
         [](ScriptedBox& b) { b.Expect(kHandshake).Reply("SIG_BACKUP_DATA_OK"); },
         {}},
        {"127.0.0.65", [](ScriptedBox& b) { b.Expect(kHandshake).Reply("SIG_BACKUP_DATA_OK\n"); },
         Texts({MsgId::VersionNotMatching})},
        {"127.0.0.66", [](ScriptedBox& b) { b.Expect(kHandshake).Close(); },
         Texts({MsgId::ServerDisconnected})},
        {"127.0.0.67", [](ScriptedBox& b) { b.Expect(kHandshake).Stall(); },
         Texts({MsgId::RecvError})},
    };
    for (const Case& c : cases) {
        messages.clear();
        ScriptedBox box(c.address);
        c.script(box);
        box.Start();
        const bool opened =
            StbConnection::OpenWithHandshake(c.address, messages, options).has_value();
        box.Finish();
        EXPECT_EQ(opened, c.messages.empty()) << c.address;
        EXPECT_EQ(messages.texts(), c.messages) << c.address;
        EXPECT_EQ(box.received(), kHandshake) << c.address;
        EXPECT_TRUE(box.errors().empty()) << c.address;
    }
}

TEST_F(StbConnectionTest, BoxThatNeverAnswersEndsWithRecvErrorAfterTheTimeOut)
{
    ScriptedBox box("127.0.0.68");
    box.Stall();
    box.Start();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(StbConnection::OpenWithHandshake("127.0.0.68", messages, options));
    const auto waited = std::chrono::steady_clock::now() - start;
    box.Finish();
    EXPECT_EQ(messages.texts(), Texts({MsgId::RecvError}));
    EXPECT_GE(waited, 250ms);
    EXPECT_LT(waited, 5s);
}

TEST_F(StbConnectionTest, UnreachableOrClosedPortGivesConnectionFailed)
{
    ScriptedBox box("127.0.0.69");
    box.Start();
    options.isReachable = [](const std::string&) { return false; };
    EXPECT_FALSE(StbConnection::OpenWithHandshake("127.0.0.69", messages, options));
    box.Finish();
    EXPECT_FALSE(box.accepted()) << "no socket may be opened for an address without echo";

    options.isReachable = [](const std::string&) { return true; };
    EXPECT_FALSE(StbConnection::OpenWithHandshake("127.0.0.70", messages, options)); // no listener
    EXPECT_EQ(messages.texts(), Texts({MsgId::ConnectionFailed, MsgId::ConnectionFailed}));
}

TEST_F(StbConnectionTest, ReplyComparisonStopsAtTheFirstNul)
{
    EXPECT_TRUE(ReplyEquals(std::string("SIG_UPDATE_OK\0junk", 18), "SIG_UPDATE_OK"));
    EXPECT_FALSE(ReplyEquals("SIG_UPDATE_OK ", "SIG_UPDATE_OK"));
    EXPECT_EQ(ReplyText(std::string("12\0"
                                    "3",
                                    4)),
              "12");
}
