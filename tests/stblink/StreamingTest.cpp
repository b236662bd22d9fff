#include "stblink/Streaming.h"

#include "tests/stblink/LinkFixture.h"
#include "tests/support/FileContents.h"
#include "util/Registry.h"

#include <sys/stat.h>

#include <thread>

namespace {

struct FakePlayer final : PlayerLauncher {
    explicit FakePlayer(bool installed) : installed(installed) {}
    bool Launch() override { return ++launches, installed; }
    bool installed;
    int launches = 0;
};

} // namespace

// Six channels; channel 2 is locked.
class StreamingTest : public LinkTest {
protected:
    void SetUp() override
    {
        LinkTest::SetUp();
        state.db = WithChannels(std::vector<Ch>(6));
        EditChannel(state.db, 2, [](ChannelInfo& c) { c.setLock(1); });
        state.list = 0;
    }

    bool Stream(int index, FakePlayer& player, bool pinOk = true)
    {
        return StartStreaming(state, index, messages, [&] { return ++pinAsked, pinOk; }, player, options);
    }

    int pinAsked = 0;
};

TEST_F(StreamingTest, RefusesModifiedTablesLockedChannelsWithoutThePinAndBadIndices)
{
    ScriptedBox box("127.0.0.95");
    box.Start();
    state.stbAddress = "127.0.0.95";
    FakePlayer player(true);
    state.modified = true;
    EXPECT_FALSE(Stream(4, player));
    state.modified = false;
    EXPECT_FALSE(Stream(2, player, false));
    EXPECT_FALSE(Stream(6, player)); // beyond the table
    EXPECT_FALSE(Stream(-1, player));
    box.Finish();
    EXPECT_EQ(std::tuple(box.accepted(), pinAsked, player.launches), std::tuple(false, 1, 0));
    EXPECT_EQ(messages.texts(), Texts({MsgId::UpdateStbFirst}));
}

// The PIN is accepted each time.
TEST_F(StreamingTest, BoxRepliesAndMissingPlayer)
{
    const std::vector<std::tuple<const char*, bool, std::vector<std::string>, int>> cases = {
        // the box's reply (nothing: it closes), the player installed, messages, launches
        {"SIG_STR_SUCCESS", true, {}, 1},
        {"SIG_STR_FAIL", true, Texts({MsgId::Error}), 0},
        {nullptr, true, Texts({MsgId::ServerDisconnected}), 0},
        {"SIG_STR_SUCCESS", false, Texts({MsgId::InstallVlc}), 1},
    };
    state.stbAddress = "127.0.0.94"; // one box after the other
    for (const auto& [reply, installed, texts, launches] : cases) {
        SCOPED_TRACE(reply ? reply : "closes");
        messages.clear();
        ScriptedBox box(state.stbAddress);
        ScriptHandshake(box);
        box.Expect("SIG_STR_START|2");
        reply ? box.Reply(reply) : box.Close();
        box.Start();
        FakePlayer player(installed);
        EXPECT_EQ(Stream(2, player), texts.empty());
        box.Finish();
        EXPECT_EQ(box.received(), std::string(kHandshake) + "SIG_STR_START|2");
        EXPECT_EQ(std::pair(messages.texts(), player.launches), std::pair(texts, launches));
    }
    EXPECT_EQ(pinAsked, 4);
}

// A `vlc` that writes its arguments, one per line, next to itself; it is found through the
// registry, else on PATH.
TEST_F(LinkTest, VlcIsFoundThroughTheRegistryElseOnPathAndGetsTheFixedArguments)
{
    const auto arguments = [&](const char* folder) {
        for (int i = 0; i < 1000 && !std::filesystem::exists(work / folder / "vlc.args"); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return ReadWholeFile(work / folder / "vlc.args");
    };
    for (const char* folder : {"bin", "installed"}) {
        WriteWholeFile(work / folder / "vlc", "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > \"$0.tmp\"\n"
                                              "/bin/mv \"$0.tmp\" \"$0.args\"\n");
        chmod((work / folder / "vlc").c_str(), 0755);
    }
    const std::string expected = "--verbose\n2\n-vvv\nudp://@224.0.0.1\n--width=400\n--height=300\n"
                                 "--one-instance\n--no-video-deco\n";
    const std::string savedPath = getenv("PATH") ? getenv("PATH") : "";
    setenv("PATH", (work / "bin").c_str(), 1);
    VlcLauncher vlc;
    EXPECT_TRUE(vlc.Launch());
    EXPECT_EQ(arguments("bin"), expected);
    RegWriteString(RegRoot::LocalMachine, "SOFTWARE\\VideoLAN\\VLC", "InstallDir", RegType::String,
                   (work / "installed").string());
    EXPECT_TRUE(vlc.Launch());
    EXPECT_EQ(arguments("installed"), expected);

    std::filesystem::remove(home / "registry");
    setenv("PATH", (work / "nowhere").c_str(), 1);
    EXPECT_FALSE(vlc.Launch());
    setenv("PATH", savedPath.c_str(), 1);
}
