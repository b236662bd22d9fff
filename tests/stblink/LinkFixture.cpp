#include "tests/stblink/LinkFixture.h"

#include "stblink/TransferTable.h"

#include <cstdlib>

using namespace std::chrono_literals;

ChannelDatabase SampleImages()
{
    ChannelDatabase db;
    unsigned k = 1;
    for (auto file :
         {ChannelDatabase::kChData, ChannelDatabase::kChIdx, ChannelDatabase::kMenuData}) {
        auto image = db.image(file);
        for (std::size_t i = 0; i < image.size(); ++i)
            image[i] = static_cast<std::uint8_t>((i * 31 + k * 7) ^ (i >> 9));
        ++k;
    }
    db.setPin(1234);
    return db;
}

std::string Bytes(std::span<const std::uint8_t> image)
{
    return {reinterpret_cast<const char*>(image.data()), image.size()};
}

std::vector<std::string> Texts(std::initializer_list<MsgId> ids)
{
    std::vector<std::string> texts;
    for (MsgId id : ids)
        texts.push_back(GetMessageText(id));
    return texts;
}

void ScriptHandshake(ScriptedBox& box)
{
    box.Expect(kHandshake).Reply("SIG_BACKUP_DATA_OK");
}

void ScriptFiles(ScriptedBox& box, const ChannelDatabase& db)
{
    for (const TransferStep& step : kTransferSteps) {
        const std::string image = Bytes(db.image(step.file));
        box.Expect(step.sizeRequest).Reply(std::to_string(image.size()));
        box.Expect(step.downloadRequest).Send(image);
    }
}

void ScriptUploads(ScriptedBox& box, const ChannelDatabase& db, const std::string& lastReply)
{
    for (const TransferStep& step : kTransferSteps) {
        const std::size_t size = db.image(step.file).size();
        box.Expect(std::string(step.uploadRequest) + "|" + std::to_string(size));
        box.Reply("SIG_UPDATE_OK").ExpectBytes(size);
        box.Reply(step.file == kTransferSteps.back().file ? lastReply : "SIG_UPDATE_OK");
    }
}

void LinkTest::SetUp()
{
    setenv("CHANNELTOOL_REGISTRY", (home / "registry").c_str(), 1);
    options.isReachable = [](const std::string&) { return true; };
    options.receiveTimeout = 1s; // short for the stalls, long enough for a busy machine
    options.connectTimeout = 1s;
}

AskAddress LinkTest::Answer(std::optional<std::string> address)
{
    return [this, address](const std::string& shown) {
        prefill = shown;
        return address;
    };
}

void LinkTest::ShowOldData(const std::string& address)
{
    state.db.setPin(77);
    state.pin = "0077";
    state.satList = {{"Old", 0x10, 1}};
    state.list = 1;
    state.modified = true;
    state.stbAddress = address;
}

void LinkTest::ExpectOldDataShown() const
{
    EXPECT_EQ(state.list, 1);
    EXPECT_TRUE(state.modified);
    EXPECT_EQ(state.db.pin(), 77);
    EXPECT_EQ(state.pin, "0077");
    ASSERT_EQ(state.satList.size(), 1u);
    EXPECT_EQ(state.satList[0].name, "Old");
}
