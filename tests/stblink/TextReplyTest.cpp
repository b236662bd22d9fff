#include "stblink/TextReply.h"

#include "tests/stblink/LinkFixture.h"

using namespace std::chrono_literals;

namespace {

constexpr std::string_view kMarker = "SIG_CHN_END";
const std::string kFull(StbConnection::kChunkSize, 'x');

struct Received {
    TextReplyEnd end = TextReplyEnd::Closed;
    std::string handed;
};

} // namespace

class TextReplyTest : public LinkTest {
protected:
    // A box at `address` writes each piece separately, then closes or stalls; one reply is read.
    Received Read(const std::string& address, const std::vector<std::string>& pieces, bool close,
                  const TextReplyOptions& reply, bool sinkFails = false)
    {
        ScriptedBox box(address);
        for (const std::string& piece : pieces)
            box.Send(piece).Pause(50ms);
        close ? box.Close() : box.Stall();
        box.Start();
        Received r;
        std::optional<StbConnection> connection = StbConnection::Open(address, options);
        if (connection && sinkFails)
            r.end = ReceiveTextReply(*connection, reply, [&](std::string_view chunk) {
                r.handed += chunk;
                return false;
            });
        else if (connection)
            r.end = ReceiveTextReply(*connection, reply, r.handed);
        connection.reset();
        box.Finish();
        return r;
    }
};

// The first piece fills one receive exactly, so the marker is cut where the case says.
TEST_F(TextReplyTest, FindsTheMarkerWhereverTheReceivesSplitIt)
{
    std::vector<std::vector<std::string>> cases;
    for (std::size_t at = 1; at < kMarker.size(); ++at)
        cases.push_back({kFull.substr(at) + std::string(kMarker.substr(0, at)),
                         std::string(kMarker.substr(at)) + "\nafter\n"});
    cases.push_back({kFull.substr(4) + "SIG_", "CHN", "_END"}); // over three receives
    for (const auto& pieces : cases) {
        SCOPED_TRACE(pieces.back());
        std::string all;
        for (const std::string& piece : pieces)
            all += piece;
        const Received r = Read("127.0.0.114", pieces, false, {.endMarker = kMarker});
        EXPECT_EQ(r.end, TextReplyEnd::Complete);
        EXPECT_EQ(r.handed, all);
    }
}

TEST_F(TextReplyTest, EndsOnErrorReplyCloseTimeOutOverflowAndSinkFailure)
{
    struct Case {
        const char* name;
        std::vector<std::string> pieces;
        bool close;
        std::int64_t maxBytes;
        bool sinkFails;
        TextReplyEnd end;
        std::string handed;
    };
    constexpr std::int64_t kAny = 1 << 20;
    const std::vector<Case> cases = {
        {"error reply", {"SIG_STR_ERROR"}, false, kAny, false, TextReplyEnd::ErrorReply, ""},
        {"closed", {"partial\n"}, true, kAny, false, TextReplyEnd::Closed, "partial\n"},
        {"stalls", {"partial\n"}, false, kAny, false, TextReplyEnd::RecvError, "partial\n"},
        {"too large", {kFull, kFull, kFull}, false, 2000, false, TextReplyEnd::TooLarge, kFull},
        {"exactly the limit", {kFull, "SIG_CHN_END"}, false, 1034, false, TextReplyEnd::Complete,
         kFull + "SIG_CHN_END"},
        {"sink fails", {"text"}, false, kAny, true, TextReplyEnd::SinkFailed, "text"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Received r =
            Read("127.0.0.115", c.pieces, c.close,
                 {.endMarker = kMarker, .errorReply = "SIG_STR_ERROR", .maxBytes = c.maxBytes},
                 c.sinkFails);
        EXPECT_EQ(r.end, c.end);
        EXPECT_EQ(r.handed, c.handed);
    }
}
