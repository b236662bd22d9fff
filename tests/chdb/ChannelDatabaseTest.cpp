#include "chdb/ChannelDatabase.h"

#include "tests/support/TempDir.h"
#include "util/ByteOrder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
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
    // Raw bytes written at the file offsets, read back through the record accessors.
    using Read = std::function<std::uint32_t(const ChannelDatabase&)>;
    struct Field {
        std::size_t offset;
        int width;
        std::uint32_t value;
        Read read;
    };
    constexpr std::size_t s1 = 8 + 42, t0 = 6312, c2 = 60316 + 64 * 2;
    const Field fields[] = {
        {4, 4, 2, [](auto& db) { return db.satelliteCount(); }},
        {s1 + 0, 2, 0x0130, [](auto& db) { return db.satellite(1).id(); }},
        {s1 + 26, 2, 192, [](auto& db) { return db.satellite(1).position(); }},
        {s1 + 28, 1, 2, [](auto& db) { return db.satellite(1).lnbType(); }},
        {s1 + 30, 2, 9750, [](auto& db) { return db.satellite(1).lnbLow(); }},
        {s1 + 32, 2, 10600, [](auto& db) { return db.satellite(1).lnbHigh(); }},
        {s1 + 34, 1, 2, [](auto& db) { return db.satellite(1).tone22k(); }},
        {s1 + 36, 1, 5, [](auto& db) { return db.satellite(1).diseqc(); }},
        {s1 + 37, 1, 16, [](auto& db) { return db.satellite(1).diseqc11Port(); }},
        {s1 + 38, 1, 3, [](auto& db) { return db.satellite(1).lnbPower(); }},
        {s1 + 39, 1, 77, [](auto& db) { return db.satellite(1).transponderCount(); }},
        {s1 + 40, 1, 255, [](auto& db) { return db.satellite(1).positioner(); }},
        {6308, 4, 1, [](auto& db) { return db.transponderCount(); }},
        {t0 + 0, 2, 0x0401, [](auto& db) { return db.transponder(0).id(); }},
        {t0 + 2, 2, 0x0130, [](auto& db) { return db.transponder(0).satelliteId(); }},
        {t0 + 28, 2, 11836, [](auto& db) { return db.transponder(0).frequency(); }},
        {t0 + 30, 2, 27500, [](auto& db) { return db.transponder(0).symbolRate(); }},
        {t0 + 32, 1, 9, [](auto& db) { return db.transponder(0).fec(); }},
        {t0 + 33, 1, 1, [](auto& db) { return db.transponder(0).polarization(); }},
        {t0 + 34, 1, 2, [](auto& db) { return db.transponder(0).pilot(); }},
        {60312, 4, 3, [](auto& db) { return db.channelCount(); }},
        {c2 + 0, 2, 0x0130, [](auto& db) { return db.channel(2).satelliteId(); }},
        {c2 + 2, 2, 0x0401, [](auto& db) { return db.channel(2).transponderId(); }},
        {c2 + 4, 2, 28006, [](auto& db) { return db.channel(2).serviceId(); }},
        {c2 + 6, 2, 100, [](auto& db) { return db.channel(2).pmtPid(); }},
        {c2 + 8, 2, 101, [](auto& db) { return db.channel(2).videoPid(); }},
        {c2 + 10, 2, 102, [](auto& db) { return db.channel(2).audioPid(); }},
        {c2 + 12, 2, 103, [](auto& db) { return db.channel(2).pcrPid(); }},
        {c2 + 14, 2, 0xFFFF, [](auto& db) { return db.channel(2).word14(); }},
        {c2 + 16, 2, 0xFFFE, [](auto& db) { return db.channel(2).word16(); }},
        {c2 + 18, 2, 7, [](auto& db) { return db.channel(2).word18(); }},
        {c2 + 20, 4, 0x80000800, [](auto& db) { return db.channel(2).casMask(); }},
        {c2 + 24, 1, 2, [](auto& db) { return db.channel(2).type(); }},
        {c2 + 26, 1, 1, [](auto& db) { return db.channel(2).lock(); }},
        {c2 + 32, 2, 4242, [](auto& db) { return db.channel(2).key(); }},
    };
    ChannelDatabase db;
    auto ch = db.image(ChannelDatabase::kChData);
    for (const Field& f : fields)
        f.width == 4 ? le::SetU32(ch, f.offset, f.value)
        : f.width == 2 ? le::SetU16(ch, f.offset, static_cast<std::uint16_t>(f.value))
                       : le::SetU8(ch, f.offset, static_cast<std::uint8_t>(f.value));
    for (const Field& f : fields)
        EXPECT_EQ(f.read(db), f.value) << "offset " << f.offset;

    std::memcpy(&ch[s1 + 2], "Astra 19.2E", 12);
    std::memcpy(&ch[c2 + 38], "\x05"
                              "Das Erste",
                11);
    le::SetU16(db.image(ChannelDatabase::kMenuData), 86, 42);
    EXPECT_EQ(db.satellite(1).name(), "Astra 19.2E");
    EXPECT_EQ(db.channel(2).selector(), 0x05);
    EXPECT_EQ(db.channel(2).visibleName(), "Das Erste");
    EXPECT_TRUE(db.channel(2).isHd());
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

// A hand-over set that is not complete leaves every image as it was.
TEST(ChannelDatabase, ReadBackReplacesAllNamedImagesOrNothing)
{
    ChannelDatabase shown;
    for (auto [file, seed] : {std::pair{ChannelDatabase::kChData, 4u}, {ChannelDatabase::kChIdx, 5u},
                              {ChannelDatabase::kMenuData, 6u}}) {
        const auto bytes = RandomBytes(shown.image(file).size(), seed);
        std::ranges::copy(bytes, shown.image(file).begin());
    }
    ChannelDatabase edited;
    edited.setChannelCount(3);
    edited.setUserListEntries(2, ListKind::Tv, {1, 2});
    edited.setPin(4321);
    const std::filesystem::path chidx = "chidx.dat";
    const std::vector<std::pair<const char*, std::function<void(const TempDir&)>>> breaks = {
        {"missing", [&](const TempDir& d) { std::filesystem::remove(d / chidx); }},
        {"short", [&](const TempDir& d) { std::filesystem::resize_file(d / chidx, 1000); }},
        {"long", [&](const TempDir& d) { std::filesystem::resize_file(d / chidx, ChannelDatabase::kChIdxSize + 1); }},
        {"unreadable", [&](const TempDir& d) {
             std::filesystem::remove(d / chidx);
             std::filesystem::create_directory(d / chidx);
         }},
    };
    for (const auto& [name, breakSet] : breaks) {
        SCOPED_TRACE(name);
        TempDir dir;
        ASSERT_TRUE(edited.SaveToFolder(dir.path()));
        breakSet(dir);
        ChannelDatabase db = shown;
        EXPECT_FALSE(db.ReadBackFromFolder(dir.path()));
        EXPECT_TRUE(db == shown);
    }

    TempDir dir;
    ASSERT_TRUE(edited.SaveToFolder(dir.path()));
    ChannelDatabase db = shown;
    ASSERT_TRUE(db.ReadBackFromFolder(dir.path(), ChannelDatabase::kChData | ChannelDatabase::kMenuData));
    for (auto file : {ChannelDatabase::kChData, ChannelDatabase::kMenuData})
        EXPECT_TRUE(std::ranges::equal(db.image(file), edited.image(file)));
    EXPECT_TRUE(std::ranges::equal(db.image(ChannelDatabase::kChIdx), shown.image(ChannelDatabase::kChIdx)));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3); // the files stay
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
