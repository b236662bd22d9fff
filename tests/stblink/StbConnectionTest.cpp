#include "stblink/TextReply.h"

#include "tests/stblink/LinkFixture.h"

using namespace std::chrono_literals;

namespace {

constexpr std::string_view kMarker = "SIG_CHN_END";
const std::string kFull(StbConnection::kChunkSize, 'x'); // one whole receive

struct Case {
    std::vector<std::string> pieces; // each one write of the box, which then stalls or closes
    TextReplyEnd end;
    std::string handed; // what reached the sink
    std::int64_t maxBytes = 1 << 20;
    bool close = false;
    bool sinkFails = false;
};

} // namespace

using TextReplyTest = LinkTest;
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


// In the split cases the first piece fills one receive exactly, so the marker is cut where the
// case says.
TEST_F(TextReplyTest, FindsTheMarkerWhereverTheReceivesSplitItAndEndsOnEveryFailure)
{
    std::vector<Case> cases = {
        {{"SIG_STR_ERROR"}, TextReplyEnd::ErrorReply, ""},
        {{"closed\n"}, TextReplyEnd::Closed, "closed\n", 1 << 20, true},
        {{"stalls\n"}, TextReplyEnd::RecvError, "stalls\n"},
        {{kFull, kFull, kFull}, TextReplyEnd::TooLarge, kFull, 2000},
        {{kFull, "SIG_CHN_END"}, TextReplyEnd::Complete, kFull + "SIG_CHN_END", 1034},
        {{kFull, "SIG_CHN_END"}, TextReplyEnd::TooLarge, kFull, 1033}, // one byte over
        {{"sink fails"}, TextReplyEnd::SinkFailed, "sink fails", 1 << 20, false, true},
    };
    for (std::size_t at = 1; at < kMarker.size(); ++at) {
        const std::string first = kFull.substr(at) + std::string(kMarker.substr(0, at));
        const std::string second = std::string(kMarker.substr(at)) + "\nafter\n";
        cases.push_back({{first, second}, TextReplyEnd::Complete, first + second});
    }
    const std::string first = kFull.substr(4) + "SIG_"; // over three receives
    cases.push_back({{first, "CHN", "_END"}, TextReplyEnd::Complete, first + "CHN_END"});
    const std::string address = "127.0.0.114"; // one box after the other, one reply read from each
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pieces.back());
        ScriptedBox box(address);
        for (const std::string& piece : c.pieces)
            box.Send(piece).Pause(50ms);
        c.close ? box.Close() : box.Stall();
        box.Start();
        std::string handed;
        TextReplyEnd end = TextReplyEnd::Closed;
        const TextReplyOptions reply{kMarker, "SIG_STR_ERROR", c.maxBytes};
        if (auto connection = StbConnection::Open(address, options); connection && c.sinkFails)
            end = ReceiveTextReply(*connection, reply, [&](std::string_view chunk) { handed += chunk; return false; });
        else if (connection)
            end = ReceiveTextReply(*connection, reply, handed);
        box.Finish();
        EXPECT_EQ(std::pair(end, handed), std::pair(c.end, c.handed));
    }
}
