#pragma once

#include "chdb/DatabaseState.h"
#include "stblink/DatabaseTransfer.h"
#include "stblink/StbConnection.h"
#include "stblink/TransferTable.h"

#include "tests/chdb/Tables.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/ScriptedBox.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

inline constexpr const char* kHandshake = "SIG_BACKUP_DATA_CHECK|0xdeadc0ff:0xdeadc011:13:9999";

inline std::string Bytes(std::span<const std::uint8_t> image)
{
    return {reinterpret_cast<const char*>(image.data()), image.size()};
}

inline std::vector<std::string> Texts(std::initializer_list<MsgId> ids)
{
    std::vector<std::string> texts;
    for (MsgId id : ids)
        texts.push_back(GetMessageText(id));
    return texts;
}

inline void ScriptHandshake(ScriptedBox& box)
{
    box.Expect(kHandshake).Reply("SIG_BACKUP_DATA_OK");
}

// Size and content of each file as a well-behaved box sends them.
inline void ScriptFiles(ScriptedBox& box, const ChannelDatabase& db)
{
    for (const TransferStep& step : kTransferSteps) {
        const std::string image = Bytes(db.image(step.file));
        box.Expect(step.sizeRequest).Reply(std::to_string(image.size()));
        box.Expect(step.downloadRequest).Send(image);
    }
}

// Each file announced, taken and confirmed; the box answers the last file's data with
// `lastReply`.
inline void ScriptUploads(ScriptedBox& box, const ChannelDatabase& db, const std::string& lastReply = "SIG_UPDATE_OK")
{
    for (const TransferStep& step : kTransferSteps) {
        const std::size_t size = db.image(step.file).size();
        box.Expect(std::string(step.uploadRequest) + "|" + std::to_string(size));
        box.Reply("SIG_UPDATE_OK").ExpectBytes(size);
        box.Reply(step.file == kTransferSteps.back().file ? lastReply : "SIG_UPDATE_OK");
    }
}

// Registry in a temporary file, a working folder, recorded messages, quick time-outs and a
// reachability check that always answers.
class LinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("CHANNELTOOL_REGISTRY", (home / "registry").c_str(), 1);
        options.isReachable = [](const std::string&) { return true; };
        options.receiveTimeout = std::chrono::seconds(1); // short for the stalls, long enough for a busy machine
        options.connectTimeout = std::chrono::seconds(1);
    }

    // Answers the address dialog with `address` (nothing: cancels) and remembers its prefill.
    AskAddress Answer(std::optional<std::string> address)
    {
        return [this, address](const std::string& shown) { return prefill = shown, address; };
    }
    // Data on screen that a failed download must leave alone.
    void ShowOldData(const std::string& address)
    {
        state.db.setPin(77);
        state.pin = "0077";
        state.satList = {{"Old", 0x10, 1}};
        state.list = 1;
        state.modified = true;
        state.stbAddress = address;
    }
    void ExpectOldDataShown() const
    {
        EXPECT_EQ(std::tuple(state.list, state.modified, state.db.pin(), state.pin, state.satList),
                  std::tuple(1, true, 77, "0077", std::vector<SatListEntry>{{"Old", 0x10, 1}}));
    }

    TempDir home;
    TempDir work;
    RecordingMessages messages;
    LinkOptions options;
    DatabaseState state;
    std::optional<std::string> prefill;
};
