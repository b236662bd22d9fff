#include "chdb/ChannelDatabase.h"

#include "tests/chdb/Tables.h"
#include "tests/support/TempDir.h"
#include "util/ByteOrder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

TEST(ChannelDatabase, FieldsSitAtTheirFileOffsets)
{
    // Raw bytes written at the file offsets, read back through the record accessors.
    struct Field {
        std::size_t offset;
        int width;
        std::uint32_t value;
        std::function<std::uint32_t(const ChannelDatabase&)> read;
    };
#define F(offset, width, value, read) {offset, width, value, [](auto& db) { return db.read; }}
    constexpr std::size_t s1 = 8 + 42, t0 = 6312, c2 = 60316 + 64 * 2;
    const Field fields[] = {
        F(4, 4, 2, satelliteCount()),                 F(s1 + 0, 2, 0x0130, satellite(1).id()),
        F(s1 + 26, 2, 192, satellite(1).position()),  F(s1 + 28, 1, 2, satellite(1).lnbType()),
        F(s1 + 30, 2, 9750, satellite(1).lnbLow()),   F(s1 + 32, 2, 10600, satellite(1).lnbHigh()),
        F(s1 + 34, 1, 2, satellite(1).tone22k()),     F(s1 + 36, 1, 5, satellite(1).diseqc()),
        F(s1 + 37, 1, 16, satellite(1).diseqc11Port()), F(s1 + 38, 1, 3, satellite(1).lnbPower()),
        F(s1 + 39, 1, 77, satellite(1).transponderCount()),
        F(s1 + 40, 1, 255, satellite(1).positioner()), F(6308, 4, 1, transponderCount()),
        F(t0 + 0, 2, 0x0401, transponder(0).id()),    F(t0 + 2, 2, 0x0130, transponder(0).satelliteId()),
        F(t0 + 28, 2, 11836, transponder(0).frequency()), F(t0 + 30, 2, 27500, transponder(0).symbolRate()),
        F(t0 + 32, 1, 9, transponder(0).fec()),       F(t0 + 33, 1, 1, transponder(0).polarization()),
        F(t0 + 34, 1, 2, transponder(0).pilot()),     F(60312, 4, 3, channelCount()),
        F(c2 + 0, 2, 0x0130, channel(2).satelliteId()), F(c2 + 2, 2, 0x0401, channel(2).transponderId()),
        F(c2 + 4, 2, 28006, channel(2).serviceId()),  F(c2 + 6, 2, 100, channel(2).pmtPid()),
        F(c2 + 8, 2, 101, channel(2).videoPid()),     F(c2 + 10, 2, 102, channel(2).audioPid()),
        F(c2 + 12, 2, 103, channel(2).pcrPid()),      F(c2 + 14, 2, 0xFFFF, channel(2).word14()),
        F(c2 + 16, 2, 0xFFFE, channel(2).word16()),   F(c2 + 18, 2, 7, channel(2).word18()),
        F(c2 + 20, 4, 0x80000800, channel(2).casMask()), F(c2 + 24, 1, 2, channel(2).type()),
        F(c2 + 26, 1, 1, channel(2).lock()),          F(c2 + 32, 2, 4242, channel(2).key()),
    };
#undef F
    ChannelDatabase db;
    auto ch = db.image(ChannelDatabase::kChData);
    for (const Field& f : fields)
        f.width == 4   ? le::SetU32(ch, f.offset, f.value)
        : f.width == 2 ? le::SetU16(ch, f.offset, static_cast<std::uint16_t>(f.value))
                       : le::SetU8(ch, f.offset, static_cast<std::uint8_t>(f.value));
    for (const Field& f : fields)
        EXPECT_EQ(f.read(db), f.value) << "offset " << f.offset;

    std::memcpy(&ch[s1 + 2], "Astra 19.2E", 12);
    std::memcpy(&ch[c2 + 38], "\x05" "Das Erste", 11);
    le::SetU16(db.image(ChannelDatabase::kMenuData), 86, 42);
    EXPECT_EQ(std::tuple(db.satellite(1).name(), int{db.channel(2).selector()}, db.channel(2).visibleName(),
                         db.channel(2).isHd(), db.pinText()),
              std::tuple("Astra 19.2E", 0x05, "Das Erste", true, "0042"));
}

TEST(ChannelDatabase, WritesChangeOnlyTheirOwnBytes)
{
    ChannelDatabase db = RandomImages(7);
    const ChannelDatabase before = db;
    EditChannel(db, 5, [](ChannelInfo& c) { c.setLock(c.lock() ^ 1); c.setName("\x0bNew"); });
    const auto original = before.image(ChannelDatabase::kChData);
    const auto after = std::as_const(db).image(ChannelDatabase::kChData);
    const std::size_t record = 60316 + 64 * 5;
    EXPECT_TRUE(std::equal(after.begin(), after.begin() + record, original.begin()));
    EXPECT_TRUE(std::equal(after.begin() + record + 64, after.end(), original.begin() + record + 64));
    EXPECT_EQ(db.channel(5).visibleName(), "New");
}

// Random counts are far out of range: the views clamp them, the bytes stay.
TEST(ChannelDatabase, LoadSaveIsByteExactShortFilesLeaveZerosAndAMissingOneFails)
{
    TempDir dir, out;
    const ChannelDatabase random = RandomImages(1);
    for (auto file : kImageFiles)
        WriteBytes(dir / ChannelDatabase::FileName(file), random.image(file));
    ChannelDatabase db;
    ASSERT_TRUE(db.LoadFromFolder(dir.path()));
    EXPECT_LE(db.channelCount(), ChannelDatabase::kMaxChannels);
    for (int list = 0; list < 10; ++list)
        (void)db.userListEntries(list, ListKind::Radio);
    ASSERT_TRUE(db.SaveToFolder(out.path()));
    for (auto file : kImageFiles)
        EXPECT_TRUE(std::ranges::equal(ReadBytes(out / ChannelDatabase::FileName(file)), random.image(file)));
    ChannelDatabase::RemoveFiles(out.path());
    EXPECT_TRUE(std::filesystem::is_empty(out.path()));
    std::filesystem::create_symlink("/dev/full", out / "chdata.dat"); // a full disk
    EXPECT_FALSE(db.SaveToFolder(out.path()));

    WriteBytes(dir / "chdata.dat", std::vector<std::uint8_t>(100, 0xAB));
    WriteBytes(dir / "chidx.dat", std::vector<std::uint8_t>(ChannelDatabase::kChIdxSize + 50, 0xCD));
    std::filesystem::remove(dir / "menudata.dat");
    EXPECT_FALSE(db.LoadFromFolder(dir.path()));
    const auto ch = db.image(ChannelDatabase::kChData);
    EXPECT_EQ((std::vector{ch[99], ch[100], ch.back(), db.image(ChannelDatabase::kChIdx).back()}),
              (std::vector<std::uint8_t>{0xAB, 0, 0, 0xCD}));
    EXPECT_TRUE(db.LoadFromFolder(dir.path(), ChannelDatabase::kChData | ChannelDatabase::kChIdx));
}

// A hand-over set that is not complete leaves every image as it was.
TEST(ChannelDatabase, ReadBackReplacesAllNamedImagesOrNothing)
{
    const ChannelDatabase shown = RandomImages(4);
    ChannelDatabase edited;
    edited.setChannelCount(3);
    edited.setPin(4321);
    const std::filesystem::path chidx = "chidx.dat";
    const std::function<void(const TempDir&)> breaks[] = {
        [&](const TempDir& d) { std::filesystem::remove(d / chidx); },
        [&](const TempDir& d) { std::filesystem::resize_file(d / chidx, 1000); },
        [&](const TempDir& d) { std::filesystem::resize_file(d / chidx, ChannelDatabase::kChIdxSize + 1); },
        [&](const TempDir& d) {
            std::filesystem::remove(d / chidx);
            std::filesystem::create_directory(d / chidx); // unreadable
        },
        [](const TempDir&) {}, // intact: only the named images are taken
    };
    for (std::size_t k = 0; k < std::size(breaks); ++k) {
        TempDir dir;
        ASSERT_TRUE(edited.SaveToFolder(dir.path()));
        breaks[k](dir);
        ChannelDatabase db = shown;
        const bool intact = k + 1 == std::size(breaks);
        const unsigned named = intact ? ChannelDatabase::kChData | ChannelDatabase::kMenuData : 7u;
        EXPECT_EQ(db.ReadBackFromFolder(dir.path(), named), intact) << k;
        for (auto file : kImageFiles)
            EXPECT_TRUE(std::ranges::equal(db.image(file), (intact && file != ChannelDatabase::kChIdx ? edited : shown).image(file)));
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), k ? 3 : 2); // files stay
    }
}

TEST(ChannelDatabase, OutOfRangeCountsAreClampedAndNeverRewritten)
{
    ChannelDatabase db;
    auto ch = db.image(ChannelDatabase::kChData);
    le::SetI32(ch, 4, -5);
    le::SetI32(ch, 6308, 1501);
    le::SetI32(ch, 60312, 0x7FFFFFFF);
    auto idx = db.image(ChannelDatabase::kChIdx);
    le::SetI32(idx, 40064, 6001);                     // list 0 TV
    le::SetI32(idx, 40064 + 24004, -1);               // list 0 radio
    le::SetI32(idx, 40064 + 40004 * 9 + 24004, 4000); // list 9 radio
    EXPECT_EQ((std::vector<std::int64_t>{db.satelliteCount(), db.transponderCount(), db.channelCount(),
                                         std::ssize(db.userListEntries(0, ListKind::Tv)),
                                         db.userListSize(0, ListKind::Radio),
                                         std::ssize(db.userListEntries(9, ListKind::Radio)),
                                         db.storedChannelCount(), db.storedSatelliteCount()}),
              (std::vector<std::int64_t>{0, 1500, 9999, 6000, 0, 3999, 0x7FFFFFFF, -5}));

    // Records beyond the capacity do not exist: reads are empty, writes are ignored.
    const ChannelDatabase before = db;
    EXPECT_EQ(db.channel(9999), ChannelInfo{});
    EXPECT_EQ(db.channel(-1), ChannelInfo{});
    ChannelInfo junk;
    junk.setKey(1);
    db.setChannel(9999, junk);
    db.setSatellite(150, SatInfo{});
    db.setTransponder(-1, TpInfo{});
    db.setUserListName(0, "x");
    db.setUserListName(11, "x");
    EXPECT_TRUE(db == before);
    EXPECT_EQ(db.userListSize(10, ListKind::Tv), 0);
    EXPECT_TRUE(db.userListEntries(-1, ListKind::Tv).empty());
}

TEST(ChannelDatabase, UserListsPinAndListNamesInTheirFiles)
{
    ChannelDatabase db;
    std::vector<std::int32_t> many(7000);
    std::iota(many.begin(), many.end(), 0);
    db.setUserListEntries(3, ListKind::Tv, many);
    db.setUserListEntries(3, ListKind::Radio, {5, 9});
    EXPECT_EQ(db.userListEntries(3, ListKind::Tv).back(), 5999);
    EXPECT_EQ(db.userListEntries(3, ListKind::Radio), (std::vector<std::int32_t>{5, 9}));
    EXPECT_EQ(db.pinText(), "0000");
    db.setPin(7);
    const auto idx = db.image(ChannelDatabase::kChIdx);
    const auto menu = db.image(ChannelDatabase::kMenuData);
    constexpr std::size_t list3 = 40064 + 40004 * 3;
    EXPECT_EQ((std::vector{le::I32(idx, list3), le::I32(idx, list3 + 24004), le::I32(idx, list3 + 24012),
                           int{le::U16(menu, 86)}}),
              (std::vector{6000, 2, 9, 7}));
    EXPECT_EQ(db.pinText(), "0007");

    EXPECT_EQ(db.userListDisplayName(4), "User 4");
    db.setUserListName(4, "Sports and more news");
    EXPECT_NE(menu[196], 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&menu[203 + 16 * 3])), "Sports and more");
    EXPECT_EQ(db.userListDisplayName(4), "Sports and more");
    db.setUserListName(4, "");
    EXPECT_EQ(db.userListDisplayName(4), "User 4");
    // A name field without NUL is read up to its end only.
    std::fill(menu.begin() + 203, menu.begin() + 203 + 16, 'Z');
    menu[193] = 1;
    EXPECT_EQ((std::vector{db.userListName(1), db.userListName(0), db.userListName(11)}),
              (std::vector<std::string>{std::string(16, 'Z'), "", ""}));
}

TEST(ChannelInfo, NamesStayInTheirField)
{
    ChannelInfo c;
    c.setName(std::string(40, 'x'));
    EXPECT_EQ(c.name().size(), 25u);
    EXPECT_EQ(c.bytes()[63], 0);
    std::fill(c.bytes().begin() + 38, c.bytes().end(), 'A'); // no NUL in the field
    EXPECT_EQ(c.name(), std::string(26, 'A'));
    c.setName("\x1f");
    EXPECT_EQ(std::pair(c.visibleName(), int{c.selector()}), std::pair(std::string(), 0x1f));
}
