#include "tests/stblink/LinkFixture.h"

using namespace std::chrono_literals;

using StbConnectionTest = LinkTest;

// The stalling box is the one that accepts and never answers: the receive time-out ends it. An
// address that gave no echo is not connected to.
TEST_F(StbConnectionTest, HandshakeSendsTheFormatAndChecksTheReplyExactly)
{
    const std::vector<std::pair<std::function<void(ScriptedBox&)>, std::vector<std::string>>> cases = {
        {[](ScriptedBox& b) { b.Reply("SIG_BACKUP_DATA_OK"); }, {}},
        {[](ScriptedBox& b) { b.Reply("SIG_BACKUP_DATA_OK\n"); }, Texts({MsgId::VersionNotMatching})},
        {[](ScriptedBox& b) { b.Close(); }, Texts({MsgId::ServerDisconnected})},
        {[](ScriptedBox& b) { b.Stall(); }, Texts({MsgId::RecvError})},
        {[&](ScriptedBox&) { options.isReachable = [](const std::string&) { return false; }; },
         Texts({MsgId::ConnectionFailed})},
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
        const bool reachable = options.isReachable("127.0.0.64");
        EXPECT_EQ(std::pair(box.accepted(), box.received()), std::pair(reachable, std::string(reachable ? kHandshake : "")));
    }
    messages.clear();
    options.isReachable = [](const std::string&) { return true; };
    EXPECT_FALSE(StbConnection::OpenWithHandshake("127.0.0.70", messages, options)); // nothing listens
    EXPECT_EQ(messages.texts(), Texts({MsgId::ConnectionFailed}));
}
