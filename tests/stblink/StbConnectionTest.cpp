#include "tests/stblink/LinkFixture.h"

using namespace std::chrono_literals;

using StbConnectionTest = LinkTest;

// The stalling box is the one that accepts and never answers: the receive time-out ends it.
TEST_F(StbConnectionTest, HandshakeSendsTheFormatAndChecksTheReplyExactly)
{
    const std::vector<std::pair<std::function<void(ScriptedBox&)>, std::vector<std::string>>> cases = {
        {[](ScriptedBox& b) { b.Reply("SIG_BACKUP_DATA_OK"); }, {}},
        {[](ScriptedBox& b) { b.Reply("SIG_BACKUP_DATA_OK\n"); }, Texts({MsgId::VersionNotMatching})},
        {[](ScriptedBox& b) { b.Close(); }, Texts({MsgId::ServerDisconnected})},
        {[](ScriptedBox& b) { b.Stall(); }, Texts({MsgId::RecvError})},
    };
    for (const auto& [reply, texts] : cases) {
        messages.clear();
        ScriptedBox box("127.0.0.64"); // one box after the other
        box.Expect(kHandshake);
        reply(box);
        box.Start();
        const auto start = std::chrono::steady_clock::now();
        const bool opened = StbConnection::OpenWithHandshake("127.0.0.64", messages, options).has_value();
        EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
        box.Finish();
        EXPECT_EQ(opened, texts.empty());
        EXPECT_EQ(messages.texts(), texts);
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
