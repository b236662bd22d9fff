// Each fault mode, hostile input, overlapping and surplus connections, start and stop.
#include "tests/stbsim/TestBox.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace fs = std::filesystem;
using namespace std::string_literals;
using std::chrono::steady_clock;

// Close and Reply take the place of the answer, and the request is not carried out; Split
// cuts a reply in two receives. Faults outlive a restart, so they may be set before the box
// starts; a command verb can be hit alone.
TEST(FaultInjection, CloseReplyAndSplitReplaceOrCutTheAnswer)
{
    TestBox box(40);
    box->Stop();
    box->SetFault("SIG_BACKUP_DATA_CHECK", Fault::Close().Once());
    box->SetFault("SIG_MOUNT_START", Fault::Reply("SIG_MOUNT_FAIL"));
    box->SetFault("SIG_COMMAND_START:mkdir", Fault::Reply("SIG_COMMAND_ERROR"));
    ASSERT_TRUE(box->Start());
    BoxClient closed(box.address()), client(box.address());
    EXPECT_TRUE(closed.Send(kHandshake) && closed.WaitClosed());
    EXPECT_EQ(client.Ask(kHandshake), "SIG_BACKUP_DATA_OK"); // Once
    EXPECT_EQ(client.Ask("SIG_MOUNT_START|/dev/sda1"), "SIG_MOUNT_FAIL");
    EXPECT_FALSE(box->MountedDevice());
    box->ClearFault("SIG_MOUNT_START");
    EXPECT_EQ(client.Ask("SIG_MOUNT_START|/dev/sda1"), "SIG_MOUNT_SUCCESS");
    const std::string mkdir = "SIG_COMMAND_START|mkdir \"/mnt/link_to_pc/x\"";
    EXPECT_EQ(client.Ask(mkdir), "SIG_COMMAND_ERROR");
    EXPECT_FALSE(fs::exists(box.sda1() / "x"));
    EXPECT_EQ(client.Ask("SIG_COMMAND_START|rm -rf \"/mnt/link_to_pc/Music\""),
              "SIG_COMMAND_SUCCESS");
    box->ClearFaults();
    EXPECT_EQ(client.Ask(mkdir), "SIG_COMMAND_SUCCESS");
    box->SetFault("SIG_BACKUP_DATA_CHECK", Fault::Split());
    const std::string first = client.Ask(kHandshake);
    EXPECT_LT(first.size(), std::string("SIG_BACKUP_DATA_OK").size());
    EXPECT_EQ(first + client.Receive(), "SIG_BACKUP_DATA_OK");
}

// Replies from memory and files from the partition travel apart, so both are cut short; the
// uploads of both take their data apart, so a fault after the data hits both and stores nothing.
TEST(FaultInjection, ShortDataAndFaultsAfterTheDataReachMemoryAndFilesAlike)
{
    TestBox box(42);
    ASSERT_TRUE(box.Mount());
    const ChannelDatabase before = box->Database();
    box->SetFault("SIG_GET_CHDATA", Fault::ShortData(1000));
    box->SetFault("SIG_GET_FILE_START", Fault::ShortData(10));
    box->SetFault("SIG_SET_MENUDATA", Fault::Reply("SIG_UPDATE_FAIL").AfterData());
    box->SetFault("SIG_SET_FILE_START", Fault::Close().AfterData().Once());
    BoxClient chdata(box.address()), file(box.address()), client(box.address());
    ASSERT_TRUE(chdata.Send("SIG_GET_CHDATA") &&
                file.Send("SIG_GET_FILE_START|/mnt/link_to_pc/Music/Playlist.m3u"));
    EXPECT_EQ(chdata.ReceiveBytes(700256).size(), 700256u - 1000);
    EXPECT_EQ(file.ReceiveBytes(120).size(), 110u);
    EXPECT_TRUE(chdata.WaitClosed() && file.WaitClosed());

    ASSERT_EQ(client.Ask("SIG_SET_MENUDATA|512"), "SIG_UPDATE_OK");
    client.Send(std::string(512, 'm'));
    EXPECT_EQ(client.Receive(), "SIG_UPDATE_FAIL");
    EXPECT_NE(client.Ask("SIG_UPDATE_CHANNEL"), "SIG_UPDATE_OK");
    EXPECT_TRUE(box->Database() == before);
    ASSERT_EQ(client.Ask("SIG_SET_FILE_START|/mnt/link_to_pc/f.bin|4"), "SIG_SET_FILE_OK");
    client.Send("abcd");
    EXPECT_TRUE(client.WaitClosed());
    EXPECT_FALSE(fs::exists(box.sda1() / "f.bin"));
}

// A stall never answers; the box still serves up to its limit of connections, closes those
// beyond it at once, and its Stop ends stalled and idle ones alike, promptly.
TEST(Robustness, StallsAndSurplusConnectionsAndAPromptStop)
{
    TestBox box(53, DemoSize::Tiny, [](StbSimulator::Options& o) { o.maxConnections = 2; });
    box->SetFault("SIG_CHN_START", Fault::Stall());
    BoxClient stalled(box.address()), idle(box.address());
    EXPECT_TRUE(stalled.Send("SIG_CHN_START") && stalled.Silent(300));
    ASSERT_EQ(idle.Ask(kHandshake), "SIG_BACKUP_DATA_OK");
    EXPECT_TRUE(BoxClient(box.address()).WaitClosed()); // one too many
    idle.Close();
    // The slot is free once the box has noticed the close, which a busy machine may delay.
    std::unique_ptr<BoxClient> again;
    for (int i = 0; i < 100; ++i) {
        again = std::make_unique<BoxClient>(box.address());
        if (again->Ask(kHandshake) == "SIG_BACKUP_DATA_OK")
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_EQ(again->Ask(kHandshake), "SIG_BACKUP_DATA_OK");
    const auto start = steady_clock::now();
    box->Stop();
    EXPECT_LT(steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_TRUE(stalled.WaitClosed() && again->WaitClosed());
    EXPECT_FALSE(BoxClient(box.address()).connected());
}

TEST(Robustness, OverLongAndBinaryRequestsGetAnErrorOrAClosedConnection)
{
    TestBox box(50, DemoSize::Tiny);
    for (const std::string& request : {std::string(5000, 'A'), "SIG_GET_CHDATA\0"s,
                                       "SIG_MOUNT_START|/dev/sda1\n"s, "\xff\xfe\x01\x02"s}) {
        BoxClient client(box.address());
        const std::string reply = client.Ask(request);
        EXPECT_TRUE(reply.empty() || reply == "SIG_REQUEST_ERROR") << reply;
        EXPECT_TRUE(client.WaitClosed());
    }
    BoxClient client(box.address());
    EXPECT_EQ(client.Ask("SIG_NOT_A_KEYWORD"), "SIG_REQUEST_ERROR");
    EXPECT_EQ(client.Ask("SIG_INFO_CHDATA|extra"), "SIG_REQUEST_ERROR");
    EXPECT_EQ(client.Ask(kHandshake), "SIG_BACKUP_DATA_OK");
}

TEST(Robustness, OverlappingConnectionsSeeAConsistentState)
{
    TestBox box(52);
    ASSERT_TRUE(box.Mount());
    const ChannelDatabase db = box->Database();
    const auto image = db.image(ChannelDatabase::kChData);
    const std::string chdata(image.begin(), image.end());
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&, t] {
            const std::string upload = "SIG_SET_FILE_START|/mnt/link_to_pc/t" + std::to_string(t) +
                                       ".bin|" + std::to_string(3000 + t);
            for (int i = 0; i < 5; ++i) {
                BoxClient client(box.address());
                failures += client.Ask(kHandshake) != "SIG_BACKUP_DATA_OK" ||
                            !client.Send("SIG_GET_CHDATA") ||
                            client.ReceiveBytes(chdata.size()) != chdata;
                failures += client.Ask(upload) != "SIG_SET_FILE_OK" ||
                            !client.Send(std::string(3000 + t, static_cast<char>('a' + t)), 1023) ||
                            client.Receive() != "SIG_SET_FILE_OK";
                failures += !box.AskUntil("SIG_GET_DISK_FILE_INFO|/mnt/link_to_pc/",
                                          "SIG_DISK_FILE_INFO_END")
                                 .complete;
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failures, 0);
    for (int t = 0; t < 8; ++t)
        EXPECT_EQ(fs::file_size(box.sda1() / ("t" + std::to_string(t) + ".bin")), 3000u + t);
    EXPECT_TRUE(box->Database() == db);
}

TEST(Robustness, StartFailsClearlyWhenTheAddressOrTheStateCannotBeUsed)
{
    TestBox running(54, DemoSize::Tiny);
    TempDir dir;
    // Only one database file: the box will not guess the others.
    WriteWholeFile(dir / "broken/db/chdata.dat", "x");
    WriteWholeFile(dir / "config/disks.conf", "disk sda 10\n");
    const std::tuple<std::string, const char*, const char*> cases[] = {
        {running.address(), "state", "cannot listen"}, // taken
        {"127.0.0.300", "state", ""},
        {"127.0.0.55", "broken", "lacks a file"},
        {"127.0.0.55", "config", "disks.conf line 1"}};
    for (const auto& [address, state, error] : cases) {
        StbSimulator box({.stateDir = dir / state, .address = address, .log = nullptr});
        EXPECT_TRUE(!box.Start() && box.error().find(error) != std::string::npos) << box.error();
    }
}

// Port 0 gives a free port; the box still binds only its own address. Each request is logged
// on one line.
TEST(Robustness, AStateWithoutDatabaseOrDisksIsFilledFromTheDemoAndRequestsAreLogged)
{
    std::ostringstream log;
    TestBox box(56, DemoSize::Tiny, [&](StbSimulator::Options& o) {
        o.seed = 3;
        o.port = 0;
        o.log = &log;
        WriteWholeFile(o.stateDir / "notes.txt", "mine");
    });
    ASSERT_TRUE(box->running()) << box->error();
    EXPECT_TRUE(box->Database() == GenerateDemoDatabase(3, DemoSize::Tiny));
    EXPECT_TRUE(fs::exists(box.dir() / "state/disks.conf") &&
                fs::exists(box.sda1() / "readme.txt"));
    EXPECT_EQ(ReadWholeFile(box.dir() / "state/notes.txt"), "mine");
    EXPECT_FALSE(BoxClient("127.0.0.1", box->port()).connected());
    BoxClient client(box.address(), box->port());
    EXPECT_EQ(client.Ask(kHandshake), "SIG_BACKUP_DATA_OK");
    client.Send("SIG_GET_CHDATA");
    client.ReceiveBytes(700256);
    client.Ask(std::string("BAD\x01", 4));
    box->Stop();
    const std::string at = "stbsim " + box.address() + ": ";
    for (const std::string& line : {at + kHandshake + " -> SIG_BACKUP_DATA_OK\n",
                                    at + "SIG_GET_CHDATA -> 700256 bytes\n", at + "BAD\\x01"})
        EXPECT_NE(log.str().find(line), std::string::npos) << line;
}
