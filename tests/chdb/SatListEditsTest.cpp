// The record edits of the satellite list editor on its working tables.
#include "chdb/SatListEdits.h"

#include "tests/chdb/Tables.h"

#include <gtest/gtest.h>

using Rows = std::vector<int>;

TEST(SatListEdits, RowsFollowTheStoredCountsAndIds)
{
    ChannelDatabase db = EditTables();
    EXPECT_EQ(TransponderRows(db, 0), (Rows{0, 2}));
    EXPECT_EQ(ChannelRows(db, 7, 11), (Rows{0, 2, 4}));
    EXPECT_EQ(TransponderRowText(db.transponder(0)) + " " + TransponderRowText(db.transponder(2)),
              "11000/27500/H 12000/27500/V");
    SatInfo sat = db.satellite(0);
    sat.setTransponderCount(0); // a stored count of 0 shows none, whatever the records say
    db.setSatellite(0, sat);
    EXPECT_TRUE(TransponderRows(db, 0).empty());
}

TEST(SatListEdits, AddTransponderAppendsWithoutIdCountsGetsAnIdAndStopsAtTheLimits)
{
    ChannelDatabase db = EditTables();
    TpInfo values, slot;
    values.setFrequency(12345);
    values.setSymbolRate(22000);
    values.setFec(9);
    values.setPolarization(1);
    values.setPilot(2);
    slot.bytes()[10] = 0x5A;
    db.setTransponder(3, slot);
    EXPECT_FALSE(TransponderLimitMessage(db, 1));
    ASSERT_EQ(AddTransponder(db, 1, values), 3);
    const TpInfo added = db.transponder(3);
    EXPECT_EQ((std::vector<int>{added.id(), added.satelliteId(), added.frequency(), added.symbolRate(), added.fec(),
                                added.polarization(), added.pilot(), added.bytes()[10], db.transponderCount(),
                                db.satellite(1).transponderCount()}),
              (std::vector<int>{0xFFFF, 8, 12345, 22000, 9, 1, 2, 0x5A, 4, 2})); // the slot's other bytes stay
    // An id is given when first asked for: from 0xF000 on, per satellite; once given, it stays.
    EXPECT_EQ(AssignTransponderId(db, TransponderRows(db, 1), 3), 0xF000);
    EXPECT_EQ(AssignTransponderId(db, TransponderRows(db, 1), 3), 0xF000);
    const int second = AddTransponder(db, 1, TpInfo{});
    EXPECT_EQ(AssignTransponderId(db, TransponderRows(db, 1), second), 0xF001);
    const int other = AddTransponder(db, 0, TpInfo{});
    EXPECT_EQ(AssignTransponderId(db, TransponderRows(db, 0), other), 0xF000);

    // A satellite's count is one byte: the 256th transponder is refused, never wrapped.
    SatInfo sat = db.satellite(0);
    sat.setTransponderCount(255);
    db.setSatellite(0, sat);
    EXPECT_EQ(TransponderLimitMessage(db, 0), "Max. no. of transponders reached!\n\nLimit : 255");
    EXPECT_EQ(AddTransponder(db, 0, TpInfo{}), -1);
    EXPECT_EQ(db.satellite(0).transponderCount(), 255);
    db.setTransponderCount(1500);
    EXPECT_EQ(TransponderLimitMessage(db, 1), "Max. no. of transponders reached!\n\nLimit : 1500");
    EXPECT_EQ(AddTransponder(db, 1, TpInfo{}), -1);
    EXPECT_EQ(db.transponderCount(), 1500);
}

TEST(SatListEdits, DeleteTransponderTakesItsChannelsOutOfEveryList)
{
    ChannelDatabase db = EditTables();
    db.setUserListEntries(0, ListKind::Tv, {4, 1, 0, 3});
    db.setUserListEntries(9, ListKind::Radio, {2});
    const TpInfo last = db.transponder(2);

    EXPECT_EQ(DeleteTransponder(db, 0, 0), 3); // channels 0, 2, 4
    EXPECT_EQ(Keys(db), (std::vector{101, 103}));
    EXPECT_EQ(db.userListEntries(0, ListKind::Tv), (std::vector<std::int32_t>{0, 1}));
    EXPECT_EQ(db.userListSize(9, ListKind::Radio), 0);
    // Later records move down with their ids; the old last slot keeps its copy.
    EXPECT_EQ((std::vector<int>{db.transponderCount(), db.transponder(0).id(), db.satellite(0).transponderCount()}),
              (std::vector<int>{2, 12, 1}));
    EXPECT_TRUE(db.transponder(1) == last && db.transponder(2) == last);

    // The satellite's last one: its count reaches 0 and stays there.
    EXPECT_EQ(DeleteTransponder(db, 0, 1), 0);
    EXPECT_EQ(db.satellite(0).transponderCount(), 0);
    EXPECT_EQ(DeleteTransponder(db, 0, 0), 2);
    EXPECT_EQ(db.satellite(0).transponderCount(), 0);
}

TEST(SatListEdits, NextChannelKeyIsAbove2000AndFree)
{
    const struct { std::vector<std::uint16_t> keys; std::uint16_t next; } cases[] = {
        {{}, 2001}, {{1500, 7}, 2001}, {{2500, 2000}, 2501},
        {{0xFFFF, 2001, 2002}, 2003}, // past 0xFFFF: the first free key above 2000
    };
    for (const auto& c : cases) {
        ChannelDatabase db = WithChannels(std::vector<Ch>(c.keys.size()));
        for (std::size_t i = 0; i < c.keys.size(); ++i)
            EditChannel(db, static_cast<int>(i), [&](ChannelInfo& ch) { ch.setKey(c.keys[i]); });
        EXPECT_EQ(NextChannelKey(db), c.next) << c.keys.size();
    }
}

TEST(SatListEdits, AddChannelWritesTheBytesOfANewRecordUnderTheLimit)
{
    ChannelDatabase db = EditTables();
    db.setUserListEntries(0, ListKind::Tv, {1});
    ChannelInfo stale;
    std::fill(stale.bytes().begin(), stale.bytes().end(), std::uint8_t{0xEE});
    db.setChannel(5, stale);
    EXPECT_FALSE(ChannelLimitMessage(db));
    const ChannelValues values{"New", 0x1234, 0x100, 0x101, 0x102, 0x103, ChannelInfo::kHdtv, 1};
    ASSERT_EQ(AddChannel(db, 7, 0xF000, values), 5);

    const auto image = db.image(ChannelDatabase::kChData);
    const std::uint8_t expected[64] = {
        0x07, 0x00, 0x00, 0xF0, 0x34, 0x12, 0x00, 0x01, 0x01, 0x01, 0x02, 0x01, 0x03, 0x01,
        0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0, 0, 0, 0, /*type*/ 2, 0, /*lock*/ 1, 0, 0, 1, 0, 0,
        /*key 2001*/ 0xD1, 0x07, 0, 0, 0, 0, 'N', 'e', 'w'};
    EXPECT_TRUE(std::equal(expected, expected + 64, image.begin() + 60316 + 64 * 5));
    EXPECT_EQ(db.channelCount(), 6);
    EXPECT_EQ(db.userListEntries(0, ListKind::Tv), (std::vector<std::int32_t>{1}));

    db.setChannelCount(9999);
    EXPECT_EQ(ChannelLimitMessage(db), "Max. no. of channels in a list reached!\n\nLimit : 9999");
    EXPECT_EQ(std::pair(AddChannel(db, 7, 11, ChannelValues{}), db.channelCount()), std::pair(-1, 9999));
}

TEST(SatListEdits, NamesTakeTheSelectorAndStayWithin23Bytes)
{
    const struct { std::uint8_t selector; std::string text, stored; } cases[] = {
        {0, std::string(23, 'a'), std::string(23, 'a')},
        {0x05, "Turk", "\x05Turk"},
        {0x05, std::string(23, 'a'), "\x05" + std::string(22, 'a')}, // loses its last character
        {0x15, std::string(21, 'a') + "\xC3\xA9", "\x15" + std::string(21, 'a')}, // never half a letter
    };
    for (const auto& c : cases)
        EXPECT_EQ(StoredChannelName(c.selector, c.text), c.stored) << c.text;

    // A new channel takes channel 0's selector; an edit keeps the record's own.
    ChannelDatabase db = EditTables();
    EXPECT_EQ(db.channel(AddChannel(db, 7, 11, ChannelValues{"Zweite"})).name(), "Zweite");
    ChannelInfo first = db.channel(0);
    first.setName("\x05" "Erste");
    db.setChannel(0, first);
    EXPECT_EQ(db.channel(AddChannel(db, 7, 11, ChannelValues{"Dritte"})).name(), "\x05" "Dritte");
    ChannelInfo edited = db.channel(1);
    ApplyChannelEdit(edited, ChannelValues{"Other", 1, 2, 3, 4, 5, ChannelInfo::kSdtv, 1});
    ApplyChannelEdit(first, ChannelValues{"Eins"});
    EXPECT_EQ(edited.name() + " " + first.name(), "Other \x05" "Eins");
    EXPECT_EQ((std::vector<int>{edited.lock(), edited.pcrPid(), edited.key()}), (std::vector<int>{1, 5, 101}));
}
