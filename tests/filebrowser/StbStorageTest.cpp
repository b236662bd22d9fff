// The browser's exchanges and their failures against scripted boxes (the demo box is browsed
// in FileBrowserDialogTest).
#include "filebrowser/StbStorage.h"
#include "tests/filebrowser/TransferFixtures.h"
#include "tests/support/ScriptedBox.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

// Each exchange's failures, one scripted box after another on the same address: refusals,
// broken replies, a close, a box that falls silent, a reply without end that is read only up
// to its bound; then no box.
TEST(StbStorage, FailuresShowTheirMessageAndGiveNothing)
{
    enum Exchange { Disks, Mount, List, Free };
    const std::string list = "SIG_GET_DISK_FILE_INFO|/mnt/link_to_pc/a b";
    const std::string df = "SIG_COMMAND_START|df /dev/sda1";
    const std::string line = "-rw-r--r-- 1 u g 5 Mar 1 10:00 x\n";
    const std::string silent = "(no answer)";
    const struct {
        Exchange exchange;
        std::string request;
        Texts replies; // one write each, 100 ms apart, then the box closes; "~" floods the rest
        std::string message;
    } cases[] = {
        // clang-format off
        {Disks, "SIG_GET_DISK_INFO", {"SIG_DISK_INFO_ERROR"}, "USB memory info error!"},
        {Disks, "SIG_GET_DISK_INFO", {kGarbage + "\nSIG_DISK_INFO_END"}, "No usb memory connected!"},
        {Disks, "SIG_GET_DISK_INFO", {kGarbage + "SIG_DISK_INFO_END"}, "Data error!"},
        {Disks, "SIG_GET_DISK_INFO", {kGarbage}, "Server disconnected!"},
        {Disks, "SIG_GET_DISK_INFO", {"~Disk /dev/sda: 1 MB, 1000 bytes\n"}, "Data error!"},
        {Disks, "SIG_GET_DISK_INFO", {silent}, "Recv error!"},
        {Mount, "SIG_MOUNT_START|/dev/sda1", {"SIG_MOUNT_ERROR"}, "USB memory connect error!"},
        {Mount, "SIG_MOUNT_START|/dev/sda1", {"SIG_MOUNT_SUCCESS\n"}, "USB memory connect error!"},
        {Mount, "SIG_MOUNT_START|/dev/sda1", {}, "Server disconnected!"},
        {List, list, {"SIG_DISK_FILE_INFO_ERROR"}, "USB memory info error!"},
        {List, list, {line + kGarbage}, "Server disconnected!"},
        {List, list, {line + kGarbage + "SIG_DISK_FILE_INFO_END"}, "Data error!"},
        {List, list, {"~" + line}, "Data error!"},
        {Free, df, {"SIG_COMMAND_ERROR"}, "USB memory free space error!"},
        {Free, df, {kGarbage}, "Server disconnected!"},
        {Free, df, {"/dev/sda1 1 1 1 1% /\n" + kGarbage + "SIG_COMMAND_SUCCESS"}, "Data error!"},
        {Free, df, {"~/dev/sda1 1 1 1 1% /\n"}, "Data error!"},
        // clang-format on
    };
    for (const auto& c : cases) {
        const bool stalls = c.replies == Texts{silent};
        ScriptedBox script("127.0.0.169");
        script.Expect(c.request);
        for (const std::string& reply : stalls ? Texts{} : c.replies)
            reply[0] == '~' ? script.Flood(reply.substr(1), std::size_t{1} << 30)
                            : script.Pause(100ms).Reply(reply);
        if (!stalls && (c.replies.empty() || c.replies.back()[0] != '~'))
            script.Close();
        script.Start();
        RecordingMessages messages;
        StbStorage storage("127.0.0.169", messages, Reachable(stalls ? 200ms : 2000ms));
        const bool ok = c.exchange == Disks   ? storage.QueryDisks().has_value()
                        : c.exchange == Mount ? storage.Mount("/dev/sda1")
                        : c.exchange == List  ? storage.ListFolder("/a b").has_value()
                                              : storage.QueryFreeSpace("/dev/sda1").has_value();
        script.Finish();
        EXPECT_FALSE(ok) << c.message;
        EXPECT_EQ(messages.texts(), Texts{c.message}) << c.request;
        EXPECT_TRUE(script.errors().empty()) << c.request;
        // What sits in the socket buffers may still come after the bound.
        EXPECT_LT(script.flooded(), std::size_t(kMaxStbReplyBytes) + (16u << 20)) << c.request;
    }
    // Unreachable, or nothing listening: nothing is sent, or the send fails.
    RecordingMessages messages;
    LinkOptions unreachable = Reachable();
    unreachable.isReachable = [](const std::string&) { return false; };
    EXPECT_FALSE(StbStorage("127.0.0.169", messages, unreachable).Mount("/dev/sda1"));
    StbStorage("127.0.0.169", messages, unreachable).Unmount();
    EXPECT_FALSE(StbStorage("127.0.0.169", messages, Reachable()).QueryFreeSpace("/dev/sda1"));
    EXPECT_EQ(messages.texts(), Texts(2, "Connection failed!"));
}
