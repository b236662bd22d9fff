#include "tests/cli/CliBoxFixture.h"

#include <csignal>

namespace fs = std::filesystem;
using Args = std::vector<std::string>;
using CliTransferTest = CliBoxTest;

TEST_F(CliTransferTest, GetPutAndRmCopyAndDeleteWholeTrees)
{
    TestBox box(195, DemoSize::Tiny);
    const std::string& address = box.address();
    TempDir pc;
    EXPECT_EQ(Cli({"get", address, "/dev/sda1", "/Movies", "/readme.txt", pc.path()}).result(), "0 ");
    EXPECT_EQ(ReadWholeFile(pc / "Movies/Short clips/Outtakes/take 1.ts"),
              ReadWholeFile(box.sda1() / "Movies/Short clips/Outtakes/take 1.ts"));
    EXPECT_EQ(ReadTree(pc.path()).size(), 9u);
    EXPECT_TRUE(Released(box));

    EXPECT_EQ(Cli({"put", address, "/dev/sda1", (pc / "Movies").string(), (pc / "readme.txt").string(),
                   "/Empty folder", "--quiet"}).result(), "0 ");
    EXPECT_EQ(ReadTree(box.sda1() / "Empty folder"), ReadTree(pc.path()));
    EXPECT_TRUE(Released(box));

    EXPECT_EQ(Cli({"rm", address, "/dev/sda1", "/Empty folder/Movies", "/Empty folder/readme.txt"}).result(), "0 ");
    EXPECT_TRUE(fs::is_empty(box.sda1() / "Empty folder"));
    EXPECT_TRUE(Released(box));
}

// Without a terminal existing files are skipped and named; asked, each answer counts.
TEST_F(CliTransferTest, ExistingFilesAreSkippedReplacedOrAskedAbout)
{
    TestBox box(196, DemoSize::Tiny);
    TempDir pc;
    const std::string clips = (pc / "Short clips").string();
    const Args get = {"get", box.address(), "/dev/sda1", "/Movies/Short clips", pc.path()};
    ASSERT_EQ(Cli(get).status, 0);
    ASSERT_TRUE(Released(box)); // before the next command mounts again
    for (const char* name : {"clip 01.ts", "clip 02.ts", "Outtakes/take 1.ts"})
        WriteWholeFile(pc / "Short clips" / name, "old");

    const auto skipped = [&](const char* name) { return "Skipped, it exists: " + clips + name + "\n"; };
    const auto asked = [&](const char* name) { return "Overwrite " + clips + name + "? [y]es, [n]o, [a]ll, [s]kip all: "; };
    EXPECT_EQ(Cli(get).result(), "0 " + skipped("/clip 01.ts") + skipped("/clip 02.ts") + skipped("/Outtakes/take 1.ts"));
    EXPECT_TRUE(Released(box));
    EXPECT_EQ(Cli(get, "y\nmaybe\nn\n").result(), "0 " + asked("/clip 01.ts") + asked("/clip 02.ts") + asked("/clip 02.ts") +
                                skipped("/clip 02.ts") + asked("/Outtakes/take 1.ts") + "\n" +
                                skipped("/Outtakes/take 1.ts"));
    EXPECT_TRUE(Released(box));
    EXPECT_EQ(ReadWholeFile(pc / "Short clips/clip 01.ts") + ReadWholeFile(pc / "Short clips/clip 02.ts"),
              ReadWholeFile(box.sda1() / "Movies/Short clips/clip 01.ts") + "old");
    Args all = get;
    all.push_back("--overwrite=all");
    EXPECT_EQ(Cli(all).err, "");
    EXPECT_NE(ReadWholeFile(pc / "Short clips/clip 02.ts"), "old");
}

TEST_F(CliTransferTest, UsageErrorsAndMissingSourcesChangeNothing)
{
    TestBox box(197, DemoSize::Tiny);
    const std::string& a = box.address();
    TempDir pc;
    const std::string local = pc.path().string();
    for (const Args& usage : std::vector<Args>{
             {"get", a, "/dev/sda1", "/Movies", "/Music/Playlist.m3u", local}, // two folders
             {"get", a, "/dev/sda1", "/", local},
             {"get", a, "/dev/sda1", "Movies", local},
             {"get", a, "/dev/sda1", "/Movies", (pc / "missing").string()},
             {"get", a, "/dev/sda1", "/Movies", local, "--overwrite", "never"},
             {"put", a, "/dev/sda1", local + "/a", "/tmp/b", "/"},
             {"put", a, "/dev/sda1", local, "Movies"},
             {"rm", a, "/dev/sda1"},
             {"rm", a, "/dev/sda1", "/Movies", "/Music/x", "--quiet"}})
        EXPECT_EQ(Cli(usage).status, 2) << usage[0] << " " << usage[3];
    EXPECT_TRUE(box->Requests().empty());

    EXPECT_EQ(Cli({"rm", a, "/dev/sda1", "/readme.txt", "/nothing"}).result(), "1 File not exist!: /nothing\n");
    ASSERT_TRUE(fs::exists(box.sda1() / "readme.txt") && Released(box));
    EXPECT_EQ(Cli({"put", a, "/dev/sda1", local + "/gone.txt", "/"}).result(), "1 File open error!: " + local + "/gone.txt\n");
}

// Ctrl+C while the bytes arrive (the box pauses halfway through): no part file is left, the
// disk is released, the exit status is 130.
TEST_F(CliTransferTest, CtrlCCancelsCleanly)
{
    TestBox box(198, DemoSize::Tiny, [](StbSimulator::Options& options) {
        options.splitPause = std::chrono::seconds(2);
    });
    WriteWholeFile(box.sda1() / "slow.ts", std::string(100000, 's'));
    box->SetFault("SIG_GET_FILE_START", Fault::Split());
    TempDir pc;
    std::thread interrupter([&] {
        for (int i = 0; i < 2000 && fs::is_empty(pc.path()); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        ::kill(::getpid(), SIGINT);
    });
    const CliRun run = Cli({"get", box.address(), "/dev/sda1", "/slow.ts", pc.path()});
    interrupter.join();
    EXPECT_EQ(run.result(), "130 ");
    EXPECT_TRUE(fs::is_empty(pc.path()));
    EXPECT_TRUE(Released(box));
}
