#include "stbsim/DemoState.h"
#include "tests/stbsim/BoxClient.h"
#include "tests/stbsim/TestBox.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <thread>

namespace fs = std::filesystem;

namespace {
constexpr const char* kHandshake = "SIG_BACKUP_DATA_CHECK|0xdeadc0ff:0xdeadc011:13:9999";

const char* const kKeywords[] = {
    "SIG_BACKUP_DATA_CHECK", "SIG_INFO_CHDATA",   "SIG_GET_CHDATA",     "SIG_CHN_START",
    "SIG_SET_CHDATA",        "SIG_SET_MENUDATA",  "SIG_UPDATE_CHANNEL", "SIG_STR_START",
    "SIG_MOUNT_START",       "SIG_MOUNT_END",     "SIG_GET_DISK_INFO",  "SIG_GET_DISK_FILE_INFO",
    "SIG_COMMAND_START",     "SIG_GET_FILE_INFO", "SIG_GET_FILE_START", "SIG_SET_FILE_START"};
const char* const kArguments[] = {"",
                                  "|",
                                  "|/dev/sda1",
                                  "|/mnt/link_to_pc/",
                                  "|/mnt/link_to_pc/..",
                                  "|du /mnt/link_to_pc/Music",
                                  "|rm -rf \"/mnt/link_to_pc/Movies\"",
                                  "|mkdir \"/mnt/link_to_pc/fuzz\"",
                                  "|/mnt/link_to_pc/readme.txt|3",
                                  "|7",
                                  "|-5",
                                  "|99999999999999999999",
                                  "|/mnt/link_to_pc/x|0",
                                  "||||",
                                  "|\"'\\"};
} // namespace

TEST(Robustness, OverLongAndBinaryRequestsGetAnErrorOrAClosedConnection)
{
    TestBox box(50, DemoSize::Tiny);
    for (const std::string& request :
         {std::string(5000, 'A'), std::string("SIG_GET_CHDATA\0", 15),
          std::string("SIG_MOUNT_START|/dev/sda1\n"), std::string("\xff\xfe\x01\x02", 4)}) {
        BoxClient client(box.address());
        ASSERT_TRUE(client.Send(request));
        const std::string reply = client.Receive();
        EXPECT_TRUE(reply.empty() || reply == "SIG_REQUEST_ERROR") << reply;
        EXPECT_TRUE(client.WaitClosed());
    }
    BoxClient client(box.address());
    EXPECT_EQ(client.Ask("SIG_NOT_A_KEYWORD"), "SIG_REQUEST_ERROR");
    EXPECT_EQ(client.Ask("SIG_INFO_CHDATA|extra"), "SIG_REQUEST_ERROR");
    EXPECT_EQ(client.Ask(kHandshake), "SIG_BACKUP_DATA_OK");
}

// Random requests, random bytes and broken-off dialogues with a fixed seed: the box answers
// or closes each time, never crashes or stops serving.
TEST(Robustness, RandomGarbageNeverBringsTheBoxDown)
{
    TestBox box(51, DemoSize::Tiny,
                [](StbSimulator::Options& o) { o.idleTimeout = std::chrono::milliseconds(300); });
    ASSERT_TRUE(box.Mount());
    std::mt19937 random(20240601);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    int answered = 0;
    for (int round = 0; round < 300; ++round) {
        BoxClient client(box.address());
        ASSERT_TRUE(client.connected()) << round;
        std::string request;
        switch (pick(3)) {
        case 0:
            request = std::string(kKeywords[pick(std::size(kKeywords))]) +
                      kArguments[pick(std::size(kArguments))];
            break;
        case 1:
            for (int i = pick(200) + 1; i > 0; --i)
                request += static_cast<char>(random());
            break;
        default:
            request = kKeywords[pick(std::size(kKeywords))];
            request += "|";
            for (int i = pick(60); i > 0; --i)
                request += static_cast<char>(0x20 + pick(0x5F));
        }
        client.Send(request);
        if (!client.Receive(65536).empty())
            ++answered;
        // Sometimes the program side just goes away in the middle.
        if (pick(4) != 0)
            client.Send(std::string(static_cast<std::size_t>(pick(3000)), 'z'));
    }
    EXPECT_GT(answered, 100);
    EXPECT_EQ(BoxClient(box.address()).Ask(kHandshake), "SIG_BACKUP_DATA_OK");
    EXPECT_TRUE(fs::exists(box.sda1()));
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
            for (int i = 0; i < 5; ++i) {
                BoxClient client(box.address());
                if (client.Ask(kHandshake) != "SIG_BACKUP_DATA_OK" ||
                    !client.Send("SIG_GET_CHDATA") || client.ReceiveBytes(chdata.size()) != chdata)
                    ++failures;
                const std::string file = "/mnt/link_to_pc/t" + std::to_string(t) + ".bin";
                const std::string bytes(3000 + static_cast<std::size_t>(t),
                                        static_cast<char>('a' + t));
                if (client.Ask("SIG_SET_FILE_START|" + file + "|" + std::to_string(bytes.size())) !=
                        "SIG_SET_FILE_OK" ||
                    !client.SendBlock(bytes) || client.Receive() != "SIG_SET_FILE_OK")
                    ++failures;
                if (!client.Send("SIG_GET_DISK_FILE_INFO|/mnt/link_to_pc/") ||
                    !client.ReceiveUntil("SIG_DISK_FILE_INFO_END").complete)
                    ++failures;
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failures, 0);
    for (int t = 0; t < 8; ++t)
        EXPECT_EQ(fs::file_size(box.sda1() / ("t" + std::to_string(t) + ".bin")),
                  3000u + static_cast<unsigned>(t));
    EXPECT_TRUE(box->Database() == db);
}

TEST(Robustness, ConnectionsBeyondTheLimitAreClosedAndStopEndsIdleOnes)
{
    TestBox box(53, DemoSize::Tiny, [](StbSimulator::Options& o) { o.maxConnections = 2; });
    BoxClient first(box.address());
    BoxClient second(box.address());
    ASSERT_EQ(first.Ask(kHandshake), "SIG_BACKUP_DATA_OK");
    ASSERT_EQ(second.Ask(kHandshake), "SIG_BACKUP_DATA_OK");
    BoxClient third(box.address());
    third.Send(kHandshake);
    EXPECT_TRUE(third.WaitClosed());
    first.Close();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(BoxClient(box.address()).Ask(kHandshake), "SIG_BACKUP_DATA_OK");

    const auto start = std::chrono::steady_clock::now();
    box->Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_TRUE(second.WaitClosed());
    EXPECT_FALSE(BoxClient(box.address()).connected());
}

TEST(Robustness, StartFailsClearlyWhenTheAddressOrTheStateCannotBeUsed)
{
    TestBox running(54, DemoSize::Tiny);
    ASSERT_TRUE(running->running());
    TempDir dir;
    StbSimulator::Options options;
    options.stateDir = dir / "state";
    options.log = nullptr;
    options.address = running.address(); // taken
    StbSimulator busy(options);
    EXPECT_FALSE(busy.Start());
    EXPECT_NE(busy.error().find("cannot listen"), std::string::npos);
    options.address = "127.0.0.300";
    StbSimulator bad(options);
    EXPECT_FALSE(bad.Start());

    // Only one database file: the box will not guess the others.
    options.address = TestAddress(55);
    options.stateDir = dir / "broken";
    fs::create_directories(options.stateDir / "db");
    WriteWholeFile(options.stateDir / "db/chdata.dat", "x");
    StbSimulator broken(options);
    EXPECT_FALSE(broken.Start());
    EXPECT_NE(broken.error().find("lacks a file"), std::string::npos);
    options.stateDir = dir / "config";
    WriteWholeFile(options.stateDir / "disks.conf", "disk sda 10\n");
    StbSimulator config(options);
    EXPECT_FALSE(config.Start());
    EXPECT_NE(config.error().find("disks.conf line 1"), std::string::npos);
}

TEST(Robustness, AStateWithoutDatabaseOrDisksIsFilledFromTheDemo)
{
    TempDir dir;
    ASSERT_TRUE(InitDemoState(dir / "full", 3, DemoSize::Tiny));
    EXPECT_TRUE(fs::is_symlink(dir / "full/disks/sda1/latest.ts"));
    EXPECT_TRUE(fs::is_directory(dir / "full/disks/sdb2/Timeshift"));

    StbSimulator::Options options;
    options.stateDir = dir / "partial";
    options.address = TestAddress(56);
    options.log = nullptr;
    options.size = DemoSize::Tiny;
    options.seed = 3;
    WriteWholeFile(options.stateDir / "notes.txt", "mine");
    StbSimulator box(options);
    ASSERT_TRUE(box.Start()) << box.error();
    EXPECT_TRUE(box.Database() == GenerateDemoDatabase(3, DemoSize::Tiny));
    EXPECT_TRUE(fs::exists(options.stateDir / "disks.conf"));
    EXPECT_TRUE(fs::exists(box.PartitionFolder("/dev/sda1") / "readme.txt"));
    EXPECT_EQ(ReadWholeFile(options.stateDir / "notes.txt"), "mine");
    // Port 0 gives a free port; the box still binds only its own address.
    box.Stop();
    StbSimulator::Options other = options;
    other.port = 0;
    StbSimulator ephemeral(other);
    ASSERT_TRUE(ephemeral.Start());
    EXPECT_NE(ephemeral.port(), 0);
    EXPECT_EQ(BoxClient(other.address, ephemeral.port()).Ask(kHandshake), "SIG_BACKUP_DATA_OK");
    EXPECT_FALSE(BoxClient("127.0.0.1", ephemeral.port()).connected());
}

TEST(Robustness, EveryRequestIsLoggedOnOneLine)
{
    std::ostringstream log;
    TestBox box(57, DemoSize::Tiny, [&](StbSimulator::Options& o) { o.log = &log; });
    BoxClient client(box.address());
    client.Ask(kHandshake);
    client.Send("SIG_GET_CHDATA");
    client.ReceiveBytes(700256);
    client.Ask(std::string("BAD\x01", 4));
    box->Stop();
    const std::string text = log.str();
    EXPECT_NE(text.find("stbsim " + box.address() + ": " + kHandshake + " -> SIG_BACKUP_DATA_OK\n"),
              std::string::npos);
    EXPECT_NE(text.find("stbsim " + box.address() + ": SIG_GET_CHDATA -> 700256 bytes\n"),
              std::string::npos);
    EXPECT_NE(text.find("BAD\\x01"), std::string::npos);
    EXPECT_EQ(box->Requests().size(), 0u); // gone with the stopped server
}
