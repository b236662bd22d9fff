#include "tests/stblink/LinkFixture.h"

#include "util/Settings.h"

class DatabaseUpdateTest : public LinkTest {
protected:
    void SetUp() override
    {
        LinkTest::SetUp();
        state.db = RandomImages(3);
        state.list = 0;
        state.modified = true;
    }
};

TEST_F(DatabaseUpdateTest, BoxReceivesExactlyTheRequestsAndTheThreeImages)
{
    WriteLastConnectIp("127.0.0.86");
    ScriptedBox box("127.0.0.86");
    ScriptHandshake(box);
    ScriptUploads(box, state.db);
    box.Expect("SIG_UPDATE_CHANNEL").Reply("SIG_UPDATE_OK");
    box.Start();
    const UpdateStatus status = UpdateDatabase(state, work.path(), messages, Answer("127.0.0.86"), options);
    box.Finish();

    ASSERT_EQ(status, UpdateStatus::Success) << ::testing::PrintToString(messages.texts());
    EXPECT_EQ(prefill, "127.0.0.86"); // no current address: asked, pre-filled from the store
    EXPECT_EQ(messages.texts(), Texts({MsgId::UpdateStbQuestion, MsgId::UpdateStb}));
    EXPECT_EQ(box.received(), std::string(kHandshake) + "SIG_SET_CHDATA|700256" +
                                  Bytes(state.db.image(ChannelDatabase::kChData)) + "SIG_SET_CHINDEX|440104" +
                                  Bytes(state.db.image(ChannelDatabase::kChIdx)) + "SIG_SET_MENUDATA|512" +
                                  Bytes(state.db.image(ChannelDatabase::kMenuData)) + "SIG_UPDATE_CHANNEL");
    EXPECT_EQ(std::pair(state.modified, state.stbAddress), std::pair(false, std::string("127.0.0.86")));
    EXPECT_TRUE(std::filesystem::exists(work / "menudata.dat")); // the uploaded files stay
}

// "Update STB?" answered No, no data shown, the address dialog cancelled.
TEST_F(DatabaseUpdateTest, NoOrNothingShownSendsNothing)
{
    ScriptedBox box("127.0.0.87");
    box.Start();
    state.stbAddress = "127.0.0.87";
    messages.QueueAnswer(MessageService::Answer::No);
    EXPECT_EQ(UpdateDatabase(state, work.path(), messages, Answer("x"), options), UpdateStatus::Cancelled);
    state.list = DatabaseState::kNoData;
    EXPECT_EQ(UpdateDatabase(state, work.path(), messages, Answer("x"), options), UpdateStatus::Cancelled);
    state.list = 0;
    state.stbAddress.clear();
    EXPECT_EQ(UpdateDatabase(state, work.path(), messages, Answer({}), options), UpdateStatus::Cancelled);
    box.Finish();
    EXPECT_FALSE(box.accepted());
    EXPECT_EQ(messages.texts(), Texts({MsgId::UpdateStbQuestion, MsgId::UpdateStbQuestion}));
    EXPECT_TRUE(state.modified);
}

TEST_F(DatabaseUpdateTest, FailuresKeepTheFlagAndStoreTheAddressOnlyAfterAllFiles)
{
    // The first announcement, or after all files the apply request, answered with `reply`
    // (nothing: the box closes).
    auto announce = [](const char* reply) {
        return [reply](ScriptedBox& b) {
            b.Expect("SIG_SET_CHDATA|700256");
            reply ? b.Reply(reply) : b.Close();
        };
    };
    auto apply = [&](const char* reply) {
        return [&, reply](ScriptedBox& b) {
            ScriptUploads(b, state.db);
            b.Expect("SIG_UPDATE_CHANNEL");
            reply ? b.Reply(reply) : b.Close();
        };
    };
    const auto failed = UpdateStatus::Failed, applyFailed = UpdateStatus::ApplyFailed;
    const std::vector<std::tuple<const char*, std::function<void(ScriptedBox&)>, MsgId, UpdateStatus>> cases = {
        {"announcement unanswered", announce(nullptr), MsgId::DataError, failed},
        {"announcement refused", announce("SIG_UPDATE_FAIL"), MsgId::SendError, failed},
        {"last file refused after its data", [&](ScriptedBox& b) { ScriptUploads(b, state.db, "SIG_WRITE_FAILED"); },
         MsgId::SendError, failed},
        {"apply unanswered", apply(nullptr), MsgId::DataError, applyFailed},
        {"apply refused", apply("SIG_UPDATE_OK\n"), MsgId::UpdateError, applyFailed},
        {"working folder unwritable", [](ScriptedBox&) {}, MsgId::FileWriteError, failed},
    };
    const std::string address = "127.0.0.88"; // one box after the other
    for (const auto& [name, script, message, status] : cases) {
        SCOPED_TRACE(name);
        messages.clear();
        WriteLastConnectIp("stored");
        state.stbAddress.clear();
        ScriptedBox box(address);
        ScriptHandshake(box);
        script(box);
        box.Start();
        const auto folder = message == MsgId::FileWriteError ? work / "missing" : work.path();
        EXPECT_EQ(UpdateDatabase(state, folder, messages, Answer(address), options), status);
        box.Finish();
        EXPECT_EQ(messages.texts(), Texts({MsgId::UpdateStbQuestion, message}));
        EXPECT_TRUE(state.modified);
        const bool stored = status == applyFailed;
        EXPECT_EQ(ReadLastConnectIp() + " " + state.stbAddress, stored ? address + " " + address : "stored ");
    }
}
