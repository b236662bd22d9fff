#include "tests/stblink/LinkFixture.h"

using namespace std::chrono_literals;

using StbConnectionTest = LinkTest;

// The stalling box is the one that accepts and never answers: the receive time-out ends it.
TEST_F(StbConnectionTest, HandshakeSendsTheFormatAndChecksTheReplyExactly)
{
    struct Case {
        const char* address;
        std::function<void(ScriptedBox&)> reply;
        std::vector<std::string> messages;
    };
    const std::vector<Case> cases = {
        {"127.0.0.64", [](ScriptedBox& b) { b.Reply("SIG_BACKUP_DATA_OK"); }, {}},
        {"127.0.0.65", [](ScriptedBox& b) { b.Reply("SIG_BACKUP_DATA_OK\n"); },
         Texts({MsgId::VersionNotMatching})},
        {"127.0.0.66", [](ScriptedBox& b) { b.Close(); }, Texts({MsgId::ServerDisconnected})},
        {"127.0.0.67", [](ScriptedBox& b) { b.Stall(); }, Texts({MsgId::RecvError})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        messages.clear();
        ScriptedBox box(c.address);
        box.Expect(kHandshake);
        c.reply(box);
        box.Start();
        const auto start = std::chrono::steady_clock::now();
        const bool opened =
            StbConnection::OpenWithHandshake(c.address, messages, options).has_value();
        EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
        box.Finish();
        EXPECT_EQ(opened, c.messages.empty());
        EXPECT_EQ(messages.texts(), c.messages);
        EXPECT_EQ(box.received(), kHandshake);
    }
}

TEST_F(StbConnectionTest, UnreachableOrClosedPortGivesConnectionFailed)
{
    ScriptedBox box("127.0.0.69");
    box.Start();
    options.isReachable = [](const std::string&) { return false; };
    EXPECT_FALSE(StbConnection::OpenWithHandshake("127.0.0.69", messages, options));
    box.Finish();
    EXPECT_FALSE(box.accepted()) << "no connection to an address that gave no echo";

    options.isReachable = [](const std::string&) { return true; };
    EXPECT_FALSE(StbConnection::OpenWithHandshake("127.0.0.70", messages, options)); // no listener
    EXPECT_EQ(messages.texts(), Texts({MsgId::ConnectionFailed, MsgId::ConnectionFailed}));
}
