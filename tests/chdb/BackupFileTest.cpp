#include "chdb/BackupFile.h"
#include "chdb/DatabaseState.h"

#include "tests/support/RecordingMessages.h"
#include "tests/support/TempDir.h"
#include "util/ByteOrder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

namespace {

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

ChannelDatabase RandomDatabase(unsigned seed)
{
    ChannelDatabase db;
    std::mt19937 random(seed);
    for (auto file : {ChannelDatabase::kChData, ChannelDatabase::kChIdx, ChannelDatabase::kMenuData})
        for (auto& b : db.image(file))
            b = static_cast<std::uint8_t>(random());
    return db;
}

} // namespace

TEST(BackupFile, LayoutHasMagicsVersionAndImagesAtTheirOffsets)
{
    ChannelDatabase db;
    db.setSatelliteCount(3);
    db.setTransponderCount(4);
    db.setChannelCount(5);
    db.setPin(1234);
    TempDir dir;
    RecordingMessages messages;
    ASSERT_TRUE(ExportBackup(db, dir / "a.ech", messages));
    EXPECT_TRUE(messages.shown().empty());
    const auto file = ReadFile(dir / "a.ech");
    ASSERT_EQ(file.size(), 1140884u);
    EXPECT_EQ(le::U32(file, 0), 0xDEADC0FFu);
    EXPECT_EQ(le::U32(file, 4), 13u);
    EXPECT_EQ(le::I32(file, 12), 3);
    EXPECT_EQ(le::I32(file, 6316), 4);
    EXPECT_EQ(le::I32(file, 60320), 5);
    EXPECT_EQ(le::U16(file, 1140454), 1234);
    EXPECT_EQ(le::U32(file, 1140880), 0xDEADC011u);
}

TEST(BackupFile, ExportThenImportRestoresIdenticalImages)
{
    const ChannelDatabase db = RandomDatabase(11);
    TempDir dir;
    RecordingMessages messages;
    ASSERT_TRUE(ExportBackup(db, dir / "b.ech", messages));
    const auto back = ReadBackup(dir / "b.ech", messages);
    ASSERT_TRUE(back);
    EXPECT_TRUE(*back == db);
    EXPECT_TRUE(messages.shown().empty());
}

TEST(BackupFile, RefusesWrongSizesMagicsAndVersions)
{
    TempDir dir;
    RecordingMessages messages;
    const auto good = BuildBackupImage(ChannelDatabase{});
    auto refused = [&](std::vector<std::uint8_t> bytes) {
        WriteFile(dir / "x.ech", bytes);
        messages.clear();
        const bool failed = !ReadBackup(dir / "x.ech", messages);
        return failed && messages.texts() == std::vector<std::string>{"Version not matching!"};
    };
    EXPECT_TRUE(refused(std::vector<std::uint8_t>(good.begin(), good.end() - 1)));
    auto longer = good;
    longer.push_back(0);
    EXPECT_TRUE(refused(longer));
    for (std::uint32_t version : {12u, 14u}) {
        auto bad = good;
        le::SetU32(bad, 4, version);
        EXPECT_TRUE(refused(bad)) << version;
    }
    auto badEnd = good;
    badEnd.back() ^= 1;
    EXPECT_TRUE(refused(badEnd));
    auto badStart = good;
    badStart[0] ^= 1;
    EXPECT_TRUE(refused(badStart));

    messages.clear();
    EXPECT_FALSE(ReadBackup(dir / "missing.ech", messages));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Version not matching!"});
    messages.clear();
    EXPECT_FALSE(ReadBackup(dir.path(), messages)); // a folder has no file size
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Version not matching!"});
}

TEST(BackupFile, EmptyDatabaseExportIsAValidBackup)
{
    TempDir dir;
    RecordingMessages messages;
    ASSERT_TRUE(ExportBackup(ChannelDatabase{}, dir / "empty.ech", messages));
    auto db = ReadBackup(dir / "empty.ech", messages);
    ASSERT_TRUE(db);
    DatabaseState state;
    state.stbAddress = "127.0.0.1";
    state.ApplyImport(std::move(*db));
    EXPECT_EQ(state.db.channelCount(), 0);
    EXPECT_TRUE(state.satList.empty());
    EXPECT_EQ(state.casList.size(), 30u);
    EXPECT_TRUE(state.modified);
    EXPECT_EQ(state.list, 0);
    EXPECT_EQ(state.stbAddress, "");
    EXPECT_EQ(state.pin, "0000");
}

TEST(BackupFile, FailedExportNeverLeavesAHalfFileWhereAGoodOneWas)
{
    TempDir dir;
    RecordingMessages messages;
    EXPECT_FALSE(ExportBackup(ChannelDatabase{}, dir / "no" / "such" / "folder.ech", messages));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"File open error!"});

    // A folder in the way is not a file to replace; nothing is left over.
    std::filesystem::create_directories(dir / "taken.ech" / "inside");
    messages.clear();
    EXPECT_FALSE(ExportBackup(ChannelDatabase{}, dir / "taken.ech", messages));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"File open error!"});
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);

    // Overwriting keeps the old file until the new one is complete.
    const ChannelDatabase first = RandomDatabase(1);
    const ChannelDatabase second = RandomDatabase(2);
    ASSERT_TRUE(ExportBackup(first, dir / "c.ech", messages));
    ASSERT_TRUE(ExportBackup(second, dir / "c.ech", messages));
    EXPECT_TRUE(*ReadBackup(dir / "c.ech", messages) == second);
}
