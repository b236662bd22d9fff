#include "chdb/ChannelReport.h"
#include "chdb/ListBuilds.h"
#include "stbsim/ChannelReportText.h"
#include "tests/stbsim/BoxClient.h"
#include "tests/stbsim/TestBox.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kHandshake = "SIG_BACKUP_DATA_CHECK|0xdeadc0ff:0xdeadc011:13:9999";

std::string Image(const ChannelDatabase& db, ChannelDatabase::File file)
{
    const auto image = db.image(file);
    return {image.begin(), image.end()};
}

// The update dialogue as the program runs it; false at the first reply that is not OK.
bool Upload(BoxClient& client, const ChannelDatabase& db)
{
    const std::pair<const char*, ChannelDatabase::File> steps[] = {
        {"SIG_SET_CHDATA", ChannelDatabase::kChData},
        {"SIG_SET_CHINDEX", ChannelDatabase::kChIdx},
        {"SIG_SET_MENUDATA", ChannelDatabase::kMenuData}};
    for (const auto& [keyword, file] : steps) {
        const std::string bytes = Image(db, file);
        if (client.Ask(std::string(keyword) + "|" + std::to_string(bytes.size())) !=
            "SIG_UPDATE_OK")
            return false;
        client.SendBlock(bytes);
        if (client.Receive() != "SIG_UPDATE_OK")
            return false;
    }
    return true;
}

ChannelDatabase Edited(ChannelDatabase db)
{
    SatInfo sat = db.satellite(0);
    sat.setName("Renamed 19.2E");
    db.setSatellite(0, sat);
    db.setPin(1234);
    db.setUserListName(10, "Late night");
    return db;
}

} // namespace

TEST(DatabaseService, HandshakeAcceptsOnlyTheExactRequest)
{
    TestBox box(10);
    BoxClient client(box.address());
    EXPECT_EQ(client.Ask(kHandshake), "SIG_BACKUP_DATA_OK");
    for (const std::string& request :
         {std::string(kHandshake) + "\n",
          std::string("SIG_BACKUP_DATA_CHECK|0xdeadc0ff:0xdeadc011:12:9999"),
          std::string("SIG_BACKUP_DATA_CHECK|0xDEADC0FF:0xDEADC011:13:9999"),
          std::string("SIG_BACKUP_DATA_CHECK"), std::string("SIG_BACKUP_DATA_CHECK|")}) {
        BoxClient other(box.address());
        const std::string reply = other.Ask(request);
        EXPECT_NE(reply, "SIG_BACKUP_DATA_OK") << request;
    }
}

TEST(DatabaseService, ServesSizesContentsAndAReportTheProgramReadsWhole)
{
    TestBox box(11, DemoSize::Full);
    const ChannelDatabase db = box->Database();
    BoxClient client(box.address());
    ASSERT_EQ(client.Ask(kHandshake), "SIG_BACKUP_DATA_OK");
    const std::pair<const char*, ChannelDatabase::File> files[] = {
        {"CHDATA", ChannelDatabase::kChData},
        {"CHINDEX", ChannelDatabase::kChIdx},
        {"MENUDATA", ChannelDatabase::kMenuData}};
    for (const auto& [name, file] : files) {
        const std::string size = client.Ask(std::string("SIG_INFO_") + name);
        EXPECT_EQ(size, std::to_string(db.image(file).size()));
        ASSERT_TRUE(client.Send(std::string("SIG_GET_") + name));
        EXPECT_TRUE(client.ReceiveBytes(db.image(file).size()) == Image(db, file)) << name;
    }
    ASSERT_TRUE(client.Send("SIG_CHN_START"));
    const BoxClient::Text report = client.ReceiveUntil("SIG_CHN_END");
    ASSERT_TRUE(report.complete);
    EXPECT_GT(report.chunks, 1);
    // Apart from blank lines that keep the marker inside one receive, it is the report.
    std::string text = report.text;
    for (std::size_t blank; (blank = text.find("\n\n")) != std::string::npos;)
        text.erase(blank, 1);
    EXPECT_EQ(text, BuildChannelReport(db));
    const ChannelReport parsed = ParseChannelReport(report.text);
    EXPECT_TRUE(parsed.valid);
    EXPECT_EQ(parsed.satellites, BuildSatelliteList(db));
}

TEST(DatabaseService, AnUpdateIsAppliedWholeAndPersisted)
{
    TestBox box(12);
    const ChannelDatabase before = box->Database();
    const ChannelDatabase edited = Edited(before);
    {
        BoxClient client(box.address());
        ASSERT_EQ(client.Ask(kHandshake), "SIG_BACKUP_DATA_OK");
        ASSERT_TRUE(Upload(client, edited));
        EXPECT_TRUE(box->Database() == before); // staged only
        EXPECT_EQ(client.Ask("SIG_UPDATE_CHANNEL"), "SIG_UPDATE_OK");
    }
    EXPECT_TRUE(box->Database() == edited);
    {
        BoxClient client(box.address());
        ASSERT_TRUE(client.Send("SIG_CHN_START"));
        EXPECT_NE(client.ReceiveUntil("SIG_CHN_END").text.find("Renamed 19.2E:c0:0\n"),
                  std::string::npos);
    }
    // The state directory holds the new files; a box started on it again serves them.
    ChannelDatabase stored;
    ASSERT_TRUE(stored.LoadFromFolder(box.dir() / "state/db"));
    EXPECT_TRUE(stored == edited);
    box->Stop();
    ASSERT_TRUE(box->Start());
    EXPECT_TRUE(box->Database() == edited);
}

TEST(DatabaseService, WrongSizesBrokenUploadsAndForeignStagingChangeNothing)
{
    TestBox box(13);
    const ChannelDatabase before = box->Database();
    const ChannelDatabase edited = Edited(before);
    {
        BoxClient client(box.address());
        for (const char* request :
             {"SIG_SET_CHDATA|700255", "SIG_SET_CHDATA|700257", "SIG_SET_CHDATA|",
              "SIG_SET_CHDATA|-700256", "SIG_SET_CHINDEX|700256", "SIG_SET_MENUDATA|512x",
              "SIG_SET_CHDATA"})
            EXPECT_NE(client.Ask(request), "SIG_UPDATE_OK") << request;
        EXPECT_NE(client.Ask("SIG_UPDATE_CHANNEL"), "SIG_UPDATE_OK"); // nothing staged
        EXPECT_EQ(client.Ask(kHandshake), "SIG_BACKUP_DATA_OK");      // the connection goes on
    }
    {
        // The connection breaks in the middle of chidx.dat.
        BoxClient client(box.address());
        ASSERT_EQ(client.Ask("SIG_SET_CHDATA|700256"), "SIG_UPDATE_OK");
        client.SendBlock(Image(edited, ChannelDatabase::kChData));
        ASSERT_EQ(client.Receive(), "SIG_UPDATE_OK");
        ASSERT_EQ(client.Ask("SIG_SET_CHINDEX|440104"), "SIG_UPDATE_OK");
        client.SendBlock(Image(edited, ChannelDatabase::kChIdx).substr(0, 100000));
    }
    {
        // Staging belongs to its connection: another one cannot apply it.
        BoxClient staging(box.address());
        ASSERT_TRUE(Upload(staging, edited));
        BoxClient other(box.address());
        EXPECT_NE(other.Ask("SIG_UPDATE_CHANNEL"), "SIG_UPDATE_OK");
    }
    EXPECT_TRUE(box->Database() == before);
    ChannelDatabase stored;
    ASSERT_TRUE(stored.LoadFromFolder(box.dir() / "state/db"));
    EXPECT_TRUE(stored == before);
}

TEST(DatabaseService, StreamingStartsOnlyForAValidChannelIndex)
{
    TestBox box(14, DemoSize::Tiny);
    const int count = box->Database().channelCount();
    BoxClient client(box.address());
    ASSERT_EQ(client.Ask(kHandshake), "SIG_BACKUP_DATA_OK");
    EXPECT_EQ(client.Ask("SIG_STR_START|0"), "SIG_STR_SUCCESS");
    EXPECT_EQ(client.Ask("SIG_STR_START|" + std::to_string(count - 1)), "SIG_STR_SUCCESS");
    for (const std::string& bad :
         {std::to_string(count), std::string("-1"), std::string(""), std::string("4x"),
          std::string("99999999999999999999"), std::string(" 1")})
        EXPECT_NE(client.Ask("SIG_STR_START|" + bad), "SIG_STR_SUCCESS") << bad;
}
