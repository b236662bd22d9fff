#include "tests/stbsim/BoxClient.h"
#include "tests/stbsim/TestBox.h"

#include <gtest/gtest.h>

#include <chrono>

namespace fs = std::filesystem;

namespace {
constexpr const char* kHandshake = "SIG_BACKUP_DATA_CHECK|0xdeadc0ff:0xdeadc011:13:9999";
}

TEST(FaultInjection, CloseEndsTheConnectionInsteadOfReplyingAndOnceFiresOnce)
{
    TestBox box(40);
    box->SetFault("SIG_BACKUP_DATA_CHECK", Fault::Close().Once());
    {
        BoxClient client(box.address());
        ASSERT_TRUE(client.Send(kHandshake));
        EXPECT_TRUE(client.WaitClosed());
    }
    EXPECT_EQ(BoxClient(box.address()).Ask(kHandshake), "SIG_BACKUP_DATA_OK");
}

TEST(FaultInjection, AWrongReplyMeansTheRequestWasNotCarriedOut)
{
    TestBox box(41);
    box->SetFault("SIG_MOUNT_START", Fault::Reply("SIG_MOUNT_FAIL"));
    BoxClient client(box.address());
    EXPECT_EQ(client.Ask("SIG_MOUNT_START|/dev/sda1"), "SIG_MOUNT_FAIL");
    EXPECT_FALSE(box->MountedDevice());
    box->ClearFault("SIG_MOUNT_START");
    EXPECT_EQ(client.Ask("SIG_MOUNT_START|/dev/sda1"), "SIG_MOUNT_SUCCESS");
    // A command verb can be hit alone.
    box->SetFault("SIG_COMMAND_START:mkdir", Fault::Reply("SIG_COMMAND_ERROR"));
    EXPECT_EQ(client.Ask("SIG_COMMAND_START|mkdir \"/mnt/link_to_pc/x\""), "SIG_COMMAND_ERROR");
    EXPECT_FALSE(fs::exists(box.sda1() / "x"));
    EXPECT_EQ(client.Ask("SIG_COMMAND_START|rm -rf \"/mnt/link_to_pc/Music\""),
              "SIG_COMMAND_SUCCESS");
    box->SetFault("SIG_INFO_CHDATA", Fault::Reply("0"));
    EXPECT_EQ(client.Ask("SIG_INFO_CHDATA"), "0");
}

TEST(FaultInjection, ShortDataWithholdsTheLastBytesThenCloses)
{
    TestBox box(42);
    box->SetFault("SIG_GET_CHDATA", Fault::ShortData(1000));
    BoxClient client(box.address());
    ASSERT_TRUE(client.Send("SIG_GET_CHDATA"));
    EXPECT_EQ(client.ReceiveBytes(700256).size(), 700256u - 1000);
    EXPECT_TRUE(client.WaitClosed());

    ASSERT_TRUE(box.Mount());
    box->SetFault("SIG_GET_FILE_START", Fault::ShortData(10));
    BoxClient file(box.address());
    ASSERT_TRUE(file.Send("SIG_GET_FILE_START|/mnt/link_to_pc/Music/Playlist.m3u"));
    EXPECT_EQ(file.ReceiveBytes(120).size(), 110u);
    box->SetFault("SIG_CHN_START", Fault::ShortData(5));
    BoxClient report(box.address());
    ASSERT_TRUE(report.Send("SIG_CHN_START"));
    EXPECT_FALSE(report.ReceiveUntil("SIG_CHN_END").complete);
}

TEST(FaultInjection, SplitSendsAReplyInTwoReceives)
{
    TestBox box(43);
    box->SetFault("SIG_BACKUP_DATA_CHECK", Fault::Split());
    BoxClient client(box.address());
    ASSERT_TRUE(client.Send(kHandshake));
    const std::string first = client.Receive();
    EXPECT_LT(first.size(), std::string("SIG_BACKUP_DATA_OK").size());
    EXPECT_EQ(first + client.Receive(), "SIG_BACKUP_DATA_OK");

    box->SetFault("SIG_GET_MENUDATA", Fault::Split());
    ASSERT_TRUE(client.Send("SIG_GET_MENUDATA"));
    EXPECT_EQ(client.Receive().size(), 256u);
    EXPECT_EQ(client.ReceiveBytes(256).size(), 256u);
}

TEST(FaultInjection, AStallNeverAnswersAndEndsWhenTheBoxStops)
{
    TestBox box(44);
    box->SetFault("SIG_CHN_START", Fault::Stall());
    BoxClient client(box.address());
    ASSERT_TRUE(client.Send("SIG_CHN_START"));
    EXPECT_TRUE(client.Silent(300));
    // Other connections are served meanwhile.
    EXPECT_EQ(BoxClient(box.address()).Ask(kHandshake), "SIG_BACKUP_DATA_OK");
    const auto start = std::chrono::steady_clock::now();
    box->Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_TRUE(client.WaitClosed());
}

TEST(FaultInjection, FaultsAfterAnUploadHitTheSecondReplyAndStoreNothing)
{
    TestBox box(45);
    const ChannelDatabase before = box->Database();
    box->SetFault("SIG_SET_MENUDATA", Fault::Reply("SIG_UPDATE_FAIL").AfterData());
    BoxClient client(box.address());
    ASSERT_EQ(client.Ask("SIG_SET_MENUDATA|512"), "SIG_UPDATE_OK");
    client.SendBlock(std::string(512, 'm'));
    EXPECT_EQ(client.Receive(), "SIG_UPDATE_FAIL");
    EXPECT_NE(client.Ask("SIG_UPDATE_CHANNEL"), "SIG_UPDATE_OK");
    EXPECT_TRUE(box->Database() == before);

    ASSERT_TRUE(box.Mount());
    box->SetFault("SIG_SET_FILE_START", Fault::Close().AfterData().Once());
    ASSERT_EQ(client.Ask("SIG_SET_FILE_START|/mnt/link_to_pc/f.bin|4"), "SIG_SET_FILE_OK");
    client.Send("abcd");
    EXPECT_TRUE(client.WaitClosed());
    EXPECT_FALSE(fs::exists(box.sda1() / "f.bin"));
    // The update's own reply can be wrong too: then nothing is applied.
    box->ClearFault("SIG_SET_MENUDATA");
    box->SetFault("SIG_UPDATE_CHANNEL", Fault::Reply("SIG_UPDATE_FAIL"));
    BoxClient update(box.address());
    ASSERT_EQ(update.Ask("SIG_SET_MENUDATA|512"), "SIG_UPDATE_OK");
    update.SendBlock(std::string(512, 'm'));
    ASSERT_EQ(update.Receive(), "SIG_UPDATE_OK");
    EXPECT_EQ(update.Ask("SIG_UPDATE_CHANNEL"), "SIG_UPDATE_FAIL");
    EXPECT_TRUE(box->Database() == before);
}

TEST(FaultInjection, FaultsSetBeforeStartApplyUntilCleared)
{
    TestBox box(46, DemoSize::Tiny);
    box->Stop();
    box->SetFault("SIG_GET_DISK_INFO", Fault::Reply("SIG_DISK_INFO_ERROR"));
    ASSERT_TRUE(box->Start());
    EXPECT_EQ(BoxClient(box.address()).Ask("SIG_GET_DISK_INFO"), "SIG_DISK_INFO_ERROR");
    box->ClearFaults();
    EXPECT_NE(BoxClient(box.address()).Ask("SIG_GET_DISK_INFO"), "SIG_DISK_INFO_ERROR");
}
