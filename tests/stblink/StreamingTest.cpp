#include "stblink/Streaming.h"

#include "tests/stblink/LinkFixture.h"
#include "util/Registry.h"

#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <thread>

namespace {

struct FakePlayer final : PlayerLauncher {
    explicit FakePlayer(bool installed) : installed(installed) {}
    bool Launch() override
    {
        ++launches;
        return installed;
    }
    bool installed;
    int launches = 0;
};

} // namespace

class StreamingTest : public LinkTest {
protected:
    void SetUp() override
    {
        LinkTest::SetUp();
        ChannelInfo channel;
        channel.setSatelliteId(1);
        for (int i = 0; i < 6; ++i) {
            channel.setLock(i == 2 ? 1 : 0);
            state.db.setChannel(i, channel);
        }
        state.db.setChannelCount(6);
        state.list = 0;
    }

    bool Stream(int index, FakePlayer& player, bool pinOk = true)
    {
        return StartStreaming(
            state, index, messages,
            [&] {
                ++pinAsked;
                return pinOk;
            },
            player, options);
    }

    int pinAsked = 0;
};

TEST_F(StreamingTest, RefusesModifiedTablesAndLockedChannelsWithoutThePin)
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
    EXPECT_FALSE(box.accepted());
    EXPECT_EQ(pinAsked, 1);
    EXPECT_EQ(player.launches, 0);
    EXPECT_EQ(messages.texts(), Texts({MsgId::UpdateStbFirst}));
}

// Channel 2 is locked; the PIN is accepted each time.
TEST_F(StreamingTest, BoxRepliesAndMissingPlayer)
{
    struct Case {
        const char* address;
        const char* reply; // nothing: the box closes
        bool installed;
        std::vector<std::string> messages;
        int launches;
    };
    const std::vector<Case> cases = {
        {"127.0.0.94", "SIG_STR_SUCCESS", true, {}, 1},
        {"127.0.0.96", "SIG_STR_FAIL", true, Texts({MsgId::Error}), 0},
        {"127.0.0.97", nullptr, true, Texts({MsgId::ServerDisconnected}), 0},
        {"127.0.0.99", "SIG_STR_SUCCESS", false, Texts({MsgId::InstallVlc}), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        messages.clear();
        ScriptedBox box(c.address);
        ScriptHandshake(box);
        box.Expect("SIG_STR_START|2");
        c.reply ? box.Reply(c.reply) : box.Close();
        box.Start();
        state.stbAddress = c.address;
        FakePlayer player(c.installed);
        EXPECT_EQ(Stream(2, player), c.messages.empty());
        box.Finish();
        EXPECT_EQ(box.received(), std::string(kHandshake) + "SIG_STR_START|2");
        EXPECT_EQ(messages.texts(), c.messages);
        EXPECT_EQ(player.launches, c.launches);
    }
    EXPECT_EQ(pinAsked, 4);
}

namespace {

// A `vlc` that writes its arguments, one per line, next to itself.
void WriteFakeVlc(const std::filesystem::path& folder)
{
    std::filesystem::create_directories(folder);
    const auto path = folder / "vlc";
    std::ofstream(path) << "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > \"$0.tmp\"\n"
                           "/bin/mv \"$0.tmp\" \"$0.args\"\n";
    chmod(path.c_str(), 0755);
}

std::string WaitForArguments(const std::filesystem::path& folder)
{
    for (int i = 0; i < 1000 && !std::filesystem::exists(folder / "vlc.args"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream in(folder / "vlc.args");
    return {std::istreambuf_iterator<char>(in), {}};
}

constexpr const char* kExpectedArguments =
    "--verbose\n2\n-vvv\nudp://@224.0.0.1\n--width=400\n--height=300\n--one-instance\n"
    "--no-video-deco\n";

} // namespace

TEST_F(LinkTest, VlcIsFoundThroughTheRegistryElseOnPathAndGetsTheFixedArguments)
{
    const std::string savedPath = getenv("PATH") ? getenv("PATH") : "";
    WriteFakeVlc(work / "bin");
    WriteFakeVlc(work / "installed");
    setenv("PATH", (work / "bin").c_str(), 1);

    VlcLauncher vlc;
    EXPECT_TRUE(vlc.Launch());
    EXPECT_EQ(WaitForArguments(work / "bin"), kExpectedArguments);

    RegWriteString(RegRoot::LocalMachine, "SOFTWARE\\VideoLAN\\VLC", "InstallDir", RegType::String,
                   (work / "installed").string());
    EXPECT_TRUE(vlc.Launch());
    EXPECT_EQ(WaitForArguments(work / "installed"), kExpectedArguments);

    std::filesystem::remove(home / "registry");
    setenv("PATH", (work / "nowhere").c_str(), 1);
    EXPECT_FALSE(vlc.Launch());
    setenv("PATH", savedPath.c_str(), 1);
}
