#include "chdb/ChannelDatabase.h"

#include "tests/support/TempDir.h"
#include "util/ByteOrder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <random>

namespace {

std::vector<std::uint8_t> RandomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<std::uint8_t> bytes(size);
    for (auto& b : bytes)
        b = static_cast<std::uint8_t>(random());
    return bytes;
}

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(ChannelDatabase, FieldsSitAtTheirFileOffsets)
{
    ChannelDatabase db;
    auto ch = db.image(ChannelDatabase::kChData);
    le::SetI32(ch, 4, 2);                      // satellite count
    le::SetU16(ch, 8 + 42 * 1 + 0, 0x0130);    // satellite 1 id
    std::memcpy(&ch[8 + 42 * 1 + 2], "Astra 19.2E", 12);
    le::SetU16(ch, 8 + 42 * 1 + 26, 192);
    ch[8 + 42 * 1 + 28] = 0;
    le::SetU16(ch, 8 + 42 * 1 + 30, 9750);
    le::SetU16(ch, 8 + 42 * 1 + 32, 10600);
    ch[8 + 42 + 34] = 2;
    ch[8 + 42 + 36] = 5;
    ch[8 + 42 + 37] = 16;
    ch[8 + 42 + 38] = 3;
    ch[8 + 42 + 39] = 77;
    ch[8 + 42 + 40] = 255;
    le::SetI32(ch, 6308, 1);                   // transponder count
    le::SetU16(ch, 6312 + 36 * 0 + 0, 0x0401);
    le::SetU16(ch, 6312 + 2, 0x0130);
    le::SetU16(ch, 6312 + 28, 11836);
    le::SetU16(ch, 6312 + 30, 27500);
    ch[6312 + 32] = 9;
    ch[6312 + 33] = 1;
    ch[6312 + 34] = 2;
    le::SetI32(ch, 60312, 3);                  // channel count
    const std::size_t c2 = 60316 + 64 * 2;
    le::SetU16(ch, c2 + 0, 0x0130);
    le::SetU16(ch, c2 + 2, 0x0401);
    le::SetU16(ch, c2 + 4, 28006);
    le::SetU16(ch, c2 + 6, 100);
    le::SetU16(ch, c2 + 8, 101);
    le::SetU16(ch, c2 + 10, 102);
    le::SetU16(ch, c2 + 12, 103);
    le::SetU32(ch, c2 + 20, 0x80000800);
    ch[c2 + 24] = 2;
    ch[c2 + 26] = 1;
    le::SetU16(ch, c2 + 32, 4242);
    ch[c2 + 38] = 0x05;
    std::memcpy(&ch[c2 + 39], "Das Erste", 10);
    le::SetU16(db.image(ChannelDatabase::kMenuData), 86, 42);

    EXPECT_EQ(db.satelliteCount(), 2);
    const SatInfo sat = db.satellite(1);
    EXPECT_EQ(sat.id(), 0x0130);
    EXPECT_EQ(sat.name(), "Astra 19.2E");
    EXPECT_EQ(sat.position(), 192);
    EXPECT_EQ(sat.lnbLow(), 9750);
    EXPECT_EQ(sat.lnbHigh(), 10600);
    EXPECT_EQ(sat.tone22k(), 2);
    EXPECT_EQ(sat.diseqc(), 5);
    EXPECT_EQ(sat.diseqc11Port(), 16);
    EXPECT_EQ(sat.lnbPower(), 3);
    EXPECT_EQ(sat.transponderCount(), 77);
    EXPECT_EQ(sat.positioner(), SatInfo::kNoPositioner);

    const TpInfo tp = db.transponder(0);
    EXPECT_EQ(tp.id(), 0x0401);
    EXPECT_EQ(tp.satelliteId(), 0x0130);
    EXPECT_EQ(tp.frequency(), 11836);
    EXPECT_EQ(tp.symbolRate(), 27500);
    EXPECT_EQ(tp.fec(), 9);
    EXPECT_EQ(tp.polarization(), 1);
    EXPECT_EQ(tp.pilot(), 2);

    EXPECT_EQ(db.channelCount(), 3);
    const ChannelInfo c = db.channel(2);
    EXPECT_EQ(c.satelliteId(), 0x0130);
    EXPECT_EQ(c.transponderId(), 0x0401);
    EXPECT_EQ(c.serviceId(), 28006);
    EXPECT_EQ(c.pmtPid(), 100);
    EXPECT_EQ(c.videoPid(), 101);
    EXPECT_EQ(c.audioPid(), 102);
    EXPECT_EQ(c.pcrPid(), 103);
    EXPECT_EQ(c.casMask(), 0x80000800u);
    EXPECT_TRUE(c.isHd());
    EXPECT_FALSE(c.isRadio());
    EXPECT_EQ(c.lock(), 1);
    EXPECT_EQ(c.key(), 4242);
    EXPECT_EQ(c.selector(), 0x05);
    EXPECT_EQ(c.name(), "\x05"
                        "Das Erste");
    EXPECT_EQ(c.visibleName(), "Das Erste");
    EXPECT_EQ(db.pinText(), "0042");
}

TEST(ChannelDatabase, WritesChangeOnlyTheirOwnBytes)
{
    ChannelDatabase db;
    const auto original = RandomBytes(ChannelDatabase::kChDataSize, 7);
    std::copy(original.begin(), original.end(), db.image(ChannelDatabase::kChData).begin());
    ChannelInfo c = db.channel(5);
    c.setLock(c.lock() ^ 1);
    c.setName("\x0bNew");
    db.setChannel(5, c);
    const auto after = db.image(ChannelDatabase::kChData);
    for (std::size_t i = 0; i < original.size(); ++i) {
        const bool inRecord = i >= 60316 + 64 * 5 && i < 60316 + 64 * 6;
        if (!inRecord) {
            ASSERT_EQ(after[i], original[i]) << "byte " << i;
        }
    }
    EXPECT_EQ(db.channel(5).name(), "\x0bNew");
    EXPECT_EQ(db.channel(5).visibleName(), "New");
}

TEST(ChannelDatabase, LoadAndSaveAreByteIdentical)
{
    TempDir dir;
    const auto chdata = RandomBytes(ChannelDatabase::kChDataSize, 1);
    const auto chidx = RandomBytes(ChannelDatabase::kChIdxSize, 2);
    const auto menu = RandomBytes(ChannelDatabase::kMenuDataSize, 3);
    WriteFile(dir / "chdata.dat", chdata);
    WriteFile(dir / "chidx.dat", chidx);
    WriteFile(dir / "menudata.dat", menu);

    ChannelDatabase db;
    ASSERT_TRUE(db.LoadFromFolder(dir.path()));
    // Random counts are far out of range; views clamp them, the bytes stay.
    EXPECT_LE(db.channelCount(), ChannelDatabase::kMaxChannels);
    EXPECT_GE(db.channelCount(), 0);
    for (int list = 0; list < 10; ++list)
        (void)db.userListEntries(list, ListKind::Radio);

    TempDir out;
    ASSERT_TRUE(db.SaveToFolder(out.path()));
    EXPECT_EQ(ReadFile(out / "chdata.dat"), chdata);
    EXPECT_EQ(ReadFile(out / "chidx.dat"), chidx);
    EXPECT_EQ(ReadFile(out / "menudata.dat"), menu);

    ChannelDatabase::RemoveFiles(out.path());
    EXPECT_TRUE(std::filesystem::is_empty(out.path()));
}

TEST(ChannelDatabase, ShortFileLeavesZerosLongFileIsCutMissingFileFails)
{
    TempDir dir;
    WriteFile(dir / "chdata.dat", std::vector<std::uint8_t>(100, 0xAB));
    WriteFile(dir / "chidx.dat", std::vector<std::uint8_t>(ChannelDatabase::kChIdxSize + 50, 0xCD));
    ChannelDatabase db;
    std::fill(db.image(ChannelDatabase::kChData).begin(), db.image(ChannelDatabase::kChData).end(), 0x11);
    EXPECT_FALSE(db.LoadFromFolder(dir.path())); // menudata.dat is missing
    const auto ch = db.image(ChannelDatabase::kChData);
    EXPECT_EQ(ch[99], 0xAB);
    EXPECT_EQ(ch[100], 0);
    EXPECT_EQ(ch[ch.size() - 1], 0);
    EXPECT_EQ(db.image(ChannelDatabase::kChIdx).back(), 0xCD);
    EXPECT_TRUE(db.LoadFromFolder(dir.path(), ChannelDatabase::kChData | ChannelDatabase::kChIdx));
}

TEST(ChannelDatabase, OutOfRangeCountsAreClampedAndNeverRewritten)
{
    ChannelDatabase db;
    auto ch = db.image(ChannelDatabase::kChData);
    le::SetI32(ch, 4, -5);
    le::SetI32(ch, 6308, 1501);
    le::SetI32(ch, 60312, 0x7FFFFFFF);
    auto idx = db.image(ChannelDatabase::kChIdx);
    le::SetI32(idx, 40064, 6001);                  // list 0 TV
    le::SetI32(idx, 40064 + 24004, -1);            // list 0 radio
    le::SetI32(idx, 40064 + 40004 * 9 + 24004, 4000); // list 9 radio

    EXPECT_EQ(db.satelliteCount(), 0);
    EXPECT_EQ(db.transponderCount(), 1500);
    EXPECT_EQ(db.channelCount(), 9999);
    EXPECT_EQ(db.userListSize(0, ListKind::Tv), 6000);
    EXPECT_EQ(db.userListEntries(0, ListKind::Tv).size(), 6000u);
    EXPECT_EQ(db.userListSize(0, ListKind::Radio), 0);
    EXPECT_EQ(db.userListEntries(9, ListKind::Radio).size(), 3999u);
    EXPECT_EQ(db.storedChannelCount(), 0x7FFFFFFF);
    EXPECT_EQ(db.storedSatelliteCount(), -5);

    // Records beyond the capacity do not exist: reads are empty, writes are ignored.
    const auto before = std::vector<std::uint8_t>(ch.begin(), ch.end());
    EXPECT_EQ(db.channel(9999), ChannelInfo{});
    EXPECT_EQ(db.channel(-1), ChannelInfo{});
    ChannelInfo junk;
    junk.setKey(1);
    db.setChannel(9999, junk);
    db.setSatellite(150, SatInfo{});
    db.setTransponder(-3, TpInfo{});
    EXPECT_TRUE(std::equal(before.begin(), before.end(), ch.begin()));
    EXPECT_EQ(db.userListSize(10, ListKind::Tv), 0);
    EXPECT_TRUE(db.userListEntries(-1, ListKind::Tv).empty());
}

TEST(ChannelDatabase, UserListPartsAndCapacities)
{
    ChannelDatabase db;
    std::vector<std::int32_t> many(7000);
    for (std::size_t i = 0; i < many.size(); ++i)
        many[i] = static_cast<std::int32_t>(i);
    db.setUserListEntries(3, ListKind::Tv, many);
    db.setUserListEntries(3, ListKind::Radio, {5, 9});
    EXPECT_EQ(db.userListSize(3, ListKind::Tv), 6000);
    EXPECT_EQ(db.userListEntries(3, ListKind::Tv).back(), 5999);
    EXPECT_EQ(db.userListEntries(3, ListKind::Radio), (std::vector<std::int32_t>{5, 9}));
    const auto idx = db.image(ChannelDatabase::kChIdx);
    EXPECT_EQ(le::I32(idx, 40064 + 40004 * 3), 6000);
    EXPECT_EQ(le::I32(idx, 40064 + 40004 * 3 + 24004), 2);
    EXPECT_EQ(le::I32(idx, 40064 + 40004 * 3 + 24008 + 4), 9);
}

TEST(ChannelDatabase, MenuDataPinAndListNames)
{
    ChannelDatabase db;
    EXPECT_EQ(db.pinText(), "0000");
    db.setPin(7);
    EXPECT_EQ(db.pinText(), "0007");
    EXPECT_EQ(le::U16(db.image(ChannelDatabase::kMenuData), 86), 7);

    EXPECT_EQ(db.userListDisplayName(4), "User 4");
    db.setUserListName(4, "Sports and more news");
    const auto menu = db.image(ChannelDatabase::kMenuData);
    EXPECT_NE(menu[196], 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&menu[203 + 16 * 3])), "Sports and more");
    EXPECT_EQ(db.userListDisplayName(4), "Sports and more");
    db.setUserListName(4, "");
    EXPECT_EQ(db.userListDisplayName(4), "User 4");

    // A name field without NUL is read up to its end only.
    std::fill(menu.begin() + 203, menu.begin() + 203 + 16, 'Z');
    menu[193] = 1;
    EXPECT_EQ(db.userListName(1), std::string(16, 'Z'));
    EXPECT_EQ(db.userListName(0), "");
    EXPECT_EQ(db.userListName(11), "");
}

TEST(ChannelInfo, RadioTvRuleAndNames)
{
    ChannelInfo c;
    for (int type = 0; type < 5; ++type) {
        c.setType(static_cast<std::uint8_t>(type));
        EXPECT_EQ(c.isRadio(), type % 2 == 1) << type;
    }

    c.setName(std::string(40, 'x'));
    EXPECT_EQ(c.name().size(), 25u);
    EXPECT_EQ(c.bytes()[63], 0);
    auto raw = c.bytes();
    std::fill(raw.begin() + 38, raw.end(), 'A'); // no NUL in the field
    EXPECT_EQ(c.name(), std::string(26, 'A'));
    c.setName("");
    EXPECT_EQ(c.visibleName(), "");
    EXPECT_EQ(c.selector(), 0);
    c.setName("\x1f");
    EXPECT_EQ(c.visibleName(), "");
}
