#include "tests/stblink/LinkFixture.h"

#include "util/Settings.h"

namespace {

const std::string kSections = "SIG_SAT_LIST_START|2\nAstra:0x00c0:0\nHotbird:0082:1\n"
                              "SIG_CAS_LIST_START|1\nIrdeto:0x4\n";

// More than one receive's worth: lines before the first section header are skipped, and the
// bytes after the marker are kept with the rest. (Where receives split the marker is the text
// reply's test.)
const std::string kReport = std::string(2500, '\n') + kSections + "SIG_CHN_END\nafter\n";

} // namespace

using DatabaseDownloadTest = LinkTest;

TEST_F(DatabaseDownloadTest, LoadsFilesAndReportAndRemembersTheAddress)
{
    const ChannelDatabase images = RandomImages(3);
    ScriptedBox box("127.0.0.71");
    ScriptHandshake(box);
    ScriptFiles(box, images);
    box.Expect("SIG_CHN_START").Send(kReport);
    box.Start();
    ShowOldData("127.0.0.71");

    const DownloadResult result = DownloadDatabase(state, work.path(), messages, Answer("127.0.0.71"), options);
    box.Finish();
    ASSERT_EQ(result.status, DownloadStatus::Success) << ::testing::PrintToString(messages.texts());
    EXPECT_EQ(result.report, kReport);
    EXPECT_EQ(prefill, "127.0.0.71"); // the current address wins over the stored one
    EXPECT_EQ(box.received(), std::string(kHandshake) +
                                  "SIG_INFO_CHDATASIG_GET_CHDATASIG_INFO_CHINDEXSIG_GET_CHINDEXSIG_INFO_MENUDATA"
                                  "SIG_GET_MENUDATASIG_CHN_START");
    EXPECT_TRUE(state.db == images);
    EXPECT_EQ(state.satList, (std::vector<SatListEntry>{{"Astra", 0xc0, 0}, {"Hotbird", 0x82, 1}}));
    EXPECT_EQ(state.casList, (std::vector<CasEntry>{{"Irdeto", 4}}));
    EXPECT_EQ(std::tuple(state.pin, state.list, state.modified, state.stbAddress, ReadLastConnectIp(),
                         std::filesystem::is_empty(work.path()), messages.texts().empty()),
              std::tuple(images.pinText(), 0, false, "127.0.0.71", "127.0.0.71", true, true));
}

TEST_F(DatabaseDownloadTest, CancelledDialogTouchesNothing)
{
    WriteLastConnectIp("127.0.0.74");
    ScriptedBox box("127.0.0.74");
    box.Start();
    ShowOldData("");
    EXPECT_EQ(DownloadDatabase(state, work.path(), messages, Answer({}), options).status, DownloadStatus::Cancelled);
    box.Finish();
    EXPECT_EQ(prefill, "127.0.0.74"); // no current address: the stored one
    EXPECT_FALSE(box.accepted() || !messages.texts().empty());
    ExpectOldDataShown();
}

// Each failing transfer shows one message and leaves the old data and the stored address. A
// report that arrived whole but does not parse clears the data, and the address is stored.
TEST_F(DatabaseDownloadTest, FailuresShowOneMessageAndKeepTheOldDataUnlessTheReportIsBroken)
{
    const ChannelDatabase images = RandomImages(3);
    const std::string chdata = Bytes(images.image(ChannelDatabase::kChData));
    struct Case {
        const char* name;
        std::function<void(ScriptedBox&)> script;
        MsgId message;
        const char* lastRequest; // the client stops at the failure
        std::filesystem::path folder = {};
    };
    auto sizeReply = [](std::string reply) {
        return [reply](ScriptedBox& b) { b.Expect("SIG_INFO_CHDATA").Reply(reply); };
    };
    // The first file announced with `size`, then `sent` of its bytes.
    auto data = [&](std::string size, std::size_t sent) {
        return [=](ScriptedBox& b) {
            b.Expect("SIG_INFO_CHDATA").Reply(size).Expect("SIG_GET_CHDATA");
            b.Send(chdata.substr(0, sent)).Stall();
        };
    };
    // All files, then `text` as the report.
    auto report = [&](std::string text) {
        return [=](ScriptedBox& b) {
            ScriptFiles(b, images);
            b.Expect("SIG_CHN_START").Send(text).Stall();
        };
    };
    const Case broken = {"marker inside a longer line", report(kSections + "xSIG_CHN_END\n"),
                         MsgId::DataError, "SIG_CHN_START"};
    const std::vector<Case> cases = {
        broken,
        {"size reply missing", [](ScriptedBox& b) { b.Expect("SIG_INFO_CHDATA").Close(); }, MsgId::DataError,
         "SIG_INFO_CHDATA"},
        {"size zero", sizeReply("0"), MsgId::ChannelDataDoNotExist, "SIG_INFO_CHDATA"},
        {"size above the file", sizeReply("700257"), MsgId::DataError, "SIG_INFO_CHDATA"},
        {"more bytes than announced", data("100", 300), MsgId::DataError, "SIG_GET_CHDATA"},
        {"box closes inside the file",
         [&](ScriptedBox& b) {
             b.Expect("SIG_INFO_CHDATA").Reply("700256").Expect("SIG_GET_CHDATA");
             b.Send(chdata.substr(0, 100)).Close();
         },
         MsgId::DataError, "SIG_GET_CHDATA"},
        {"report stalls", report(kSections), MsgId::RecvError, "SIG_CHN_START"},
        {"working folder unwritable", data("700256", 0), MsgId::FileWriteError, "SIG_GET_CHDATA",
         work / "missing"},
    };
    const std::string address = "127.0.0.75"; // one box after the other
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        WriteLastConnectIp("stored");
        ShowOldData("old");
        ScriptedBox box(address);
        ScriptHandshake(box);
        c.script(box);
        box.Start();
        const DownloadResult result =
            DownloadDatabase(state, c.folder.empty() ? work.path() : c.folder, messages, Answer(address), options);
        box.Finish();
        EXPECT_EQ(messages.texts(), Texts({c.message}));
        EXPECT_TRUE(box.errors().empty()) << ::testing::PrintToString(box.errors());
        const std::string received = box.received();
        EXPECT_EQ(received.substr(received.rfind("SIG_")), c.lastRequest);
        if (c.name != broken.name) {
            EXPECT_EQ(result.status, DownloadStatus::FailedDataKept);
            EXPECT_EQ(state.stbAddress + " " + ReadLastConnectIp(), "old stored");
            ExpectOldDataShown();
        } else {
            EXPECT_EQ(result.status, DownloadStatus::FailedNoData);
            EXPECT_EQ(ReadLastConnectIp(), address); // the transfer itself was complete
            EXPECT_EQ(std::tuple(state.list, state.satList.size(), state.casList.size(), state.modified),
                      std::tuple(DatabaseState::kNoData, 0u, 0u, false));
            EXPECT_TRUE(std::filesystem::is_empty(work.path()));
        }
    }
}
