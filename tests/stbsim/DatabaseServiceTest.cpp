// Handshake, database download, report, update and streaming.
#include "chdb/ChannelReport.h"
#include "chdb/ListBuilds.h"
#include "tests/stbsim/TestBox.h"

#include <gtest/gtest.h>

namespace {

const std::pair<const char*, ChannelDatabase::File> kFiles[] = {
    {"CHDATA", ChannelDatabase::kChData},
    {"CHINDEX", ChannelDatabase::kChIdx},
    {"MENUDATA", ChannelDatabase::kMenuData}};

std::string Image(const ChannelDatabase& db, ChannelDatabase::File file)
{
    const auto image = db.image(file);
    return {image.begin(), image.end()};
}

} // namespace

// The update on the same connection after errors; the download as the program runs it is
// BoxRoundTripTest's.
TEST(DatabaseService, AppliesOnlyAWholeUpdateOfItsOwnConnection)
{
    TestBox box(11);
    const ChannelDatabase before = box->Database();
    BoxClient client(box.address());
    // Wrong sizes, a broken upload and staging on another connection change nothing.
    const ChannelDatabase edited = GenerateDemoDatabase(2, DemoSize::Tiny);
    auto stored = [&] {
        ChannelDatabase db;
        EXPECT_TRUE(db.LoadFromFolder(box.dir() / "state/db"));
        return db;
    };
    for (const char* request :
         {"SIG_SET_CHDATA|700255", "SIG_SET_CHDATA|700257", "SIG_SET_CHDATA|",
          "SIG_SET_CHDATA|-700256", "SIG_SET_CHINDEX|700256", "SIG_SET_MENUDATA|512x",
          "SIG_SET_CHDATA", "SIG_UPDATE_CHANNEL"}) // the last with nothing staged
        EXPECT_NE(client.Ask(request), "SIG_UPDATE_OK") << request;
    {
        // The connection breaks in the middle of chidx.dat.
        BoxClient broken(box.address());
        ASSERT_EQ(broken.Ask("SIG_SET_CHDATA|700256"), "SIG_UPDATE_OK");
        broken.Send(Image(edited, ChannelDatabase::kChData), 1023);
        ASSERT_EQ(broken.Receive(), "SIG_UPDATE_OK");
        ASSERT_EQ(broken.Ask("SIG_SET_CHINDEX|440104"), "SIG_UPDATE_OK");
        broken.Send(Image(edited, ChannelDatabase::kChIdx).substr(0, 100000), 1023);
    }
    // The update dialogue as the program runs it, on the connection that got the errors.
    for (const auto& [name, file] : kFiles) {
        const std::string image = Image(edited, file);
        ASSERT_EQ(client.Ask(std::string("SIG_SET_") + name + "|" + std::to_string(image.size())),
                  "SIG_UPDATE_OK");
        ASSERT_TRUE(client.Send(image, 1023));
        ASSERT_EQ(client.Receive(), "SIG_UPDATE_OK");
    }
    EXPECT_NE(BoxClient(box.address()).Ask("SIG_UPDATE_CHANNEL"), "SIG_UPDATE_OK");
    EXPECT_TRUE(box->Database() == before && stored() == before);
    EXPECT_EQ(client.Ask("SIG_UPDATE_CHANNEL"), "SIG_UPDATE_OK");
    EXPECT_TRUE(box->Database() == edited && stored() == edited);
    EXPECT_EQ(ParseChannelReport(client.AskUntil("SIG_CHN_START", "SIG_CHN_END").text).satellites,
              BuildSatelliteList(edited));
    box->Stop();
    ASSERT_TRUE(box->Start());
    EXPECT_TRUE(box->Database() == edited);
}

TEST(DatabaseService, HandshakeAndStreamingTakeOnlyTheExactRequest)
{
    using namespace std::string_literals;
    TestBox box(14, DemoSize::Tiny);
    for (const std::string& request : {kHandshake + "\n"s, "SIG_BACKUP_DATA_CHECK|"s,
                                       "SIG_BACKUP_DATA_CHECK|0xdeadc0ff:0xdeadc011:12:9999"s,
                                       "SIG_BACKUP_DATA_CHECK|0xDEADC0FF:0xDEADC011:13:9999"s})
        EXPECT_NE(BoxClient(box.address()).Ask(request), "SIG_BACKUP_DATA_OK") << request;
    const int count = box->Database().channelCount();
    BoxClient client(box.address());
    EXPECT_EQ(client.Ask(kHandshake), "SIG_BACKUP_DATA_OK");
    for (const std::string& index : {"0"s, std::to_string(count - 1)})
        EXPECT_EQ(client.Ask("SIG_STR_START|" + index), "SIG_STR_SUCCESS");
    for (const std::string& bad :
         {std::to_string(count), "-1"s, ""s, "4x"s, "99999999999999999999"s, " 1"s})
        EXPECT_EQ(client.Ask("SIG_STR_START|" + bad), "SIG_STR_ERROR") << bad;
}
