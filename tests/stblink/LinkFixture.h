#pragma once

#include "chdb/DatabaseState.h"
#include "stblink/DatabaseTransfer.h"
#include "stblink/StbConnection.h"

#include "tests/support/RecordingMessages.h"
#include "tests/support/ScriptedBox.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

inline constexpr const char* kHandshake = "SIG_BACKUP_DATA_CHECK|0xdeadc0ff:0xdeadc011:13:9999";

// Three images with a distinct byte pattern each and the PIN 1234.
ChannelDatabase SampleImages();
std::string Bytes(std::span<const std::uint8_t> image);
std::vector<std::string> Texts(std::initializer_list<MsgId> ids);

void ScriptHandshake(ScriptedBox& box);
// Size and content of each file as a well-behaved box sends them.
void ScriptFiles(ScriptedBox& box, const ChannelDatabase& db);
// Each file announced, taken and confirmed; the box answers the last file's data with
// `lastReply`.
void ScriptUploads(ScriptedBox& box, const ChannelDatabase& db,
                   const std::string& lastReply = "SIG_UPDATE_OK");

// Registry in a temporary file, a working folder, recorded messages, quick time-outs and a
// reachability check that always answers.
class LinkTest : public ::testing::Test {
protected:
    void SetUp() override;

    // Answers the address dialog with `address` (nothing: cancels) and remembers its prefill.
    AskAddress Answer(std::optional<std::string> address);
    // Data on screen that a failed download must leave alone.
    void ShowOldData(const std::string& address);
    void ExpectOldDataShown() const;

    TempDir home;
    TempDir work;
    RecordingMessages messages;
    LinkOptions options;
    DatabaseState state;
    std::optional<std::string> prefill;
};
