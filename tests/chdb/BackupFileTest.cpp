#include "chdb/BackupFile.h"
#include "chdb/DatabaseState.h"

#include "tests/chdb/Tables.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/TempDir.h"
#include "util/ByteOrder.h"

#include <gtest/gtest.h>

#include <functional>

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

// Importing shows the tables from the file, TV selected, as not yet sent to any box.
TEST(BackupFile, ImagesSitBetweenMagicsAndVersionAndComeBackIdentical)
{
    const ChannelDatabase db = RandomImages(11);
    TempDir dir;
    RecordingMessages messages;
    ASSERT_TRUE(ExportBackup(db, dir / "b.ech", messages));
    const auto file = ReadBytes(dir / "b.ech");
    ASSERT_EQ(file.size(), 1140884u);
    EXPECT_EQ((std::vector{le::U32(file, 0), le::U32(file, 4), le::U32(file, 1140880)}),
              (std::vector{0xDEADC0FFu, 13u, 0xDEADC011u}));
    auto at = file.begin() + 8;
    for (auto image : kImageFiles) {
        EXPECT_TRUE(std::ranges::equal(db.image(image), std::vector(at, at + db.image(image).size())));
        at += static_cast<std::ptrdiff_t>(db.image(image).size());
    }
    auto back = ReadBackup(dir / "b.ech", messages);
    ASSERT_TRUE(back);
    EXPECT_TRUE(*back == db);
    EXPECT_TRUE(messages.shown().empty());

    ASSERT_TRUE(ExportBackup(ChannelDatabase{}, dir / "empty.ech", messages)); // no channels is valid
    DatabaseState state;
    state.stbAddress = "127.0.0.1";
    state.ApplyImport(std::move(*ReadBackup(dir / "empty.ech", messages)));
    EXPECT_EQ(std::tuple(state.db.channelCount(), state.satList.size(), state.casList.size(), state.modified,
                         state.list, state.stbAddress, state.pin),
              std::tuple(0, 0u, 30u, true, 0, "", "0000"));
}

TEST(BackupFile, RefusesWrongSizesMagicsVersionsAndWhatIsNoFile)
{
    TempDir dir;
    RecordingMessages messages;
    using Bytes = std::vector<std::uint8_t>;
    const std::function<void(Bytes&)> breaks[] = {
        [](Bytes& b) { b.pop_back(); },          [](Bytes& b) { b.push_back(0); },
        [](Bytes& b) { le::SetU32(b, 4, 12); },  [](Bytes& b) { le::SetU32(b, 4, 14); },
        [](Bytes& b) { b.back() ^= 1; },         [](Bytes& b) { b[0] ^= 1; },
    };
    for (const auto& breakFile : breaks) {
        Bytes bytes = BuildBackupImage(ChannelDatabase{});
        breakFile(bytes);
        WriteBytes(dir / "x.ech", bytes);
        EXPECT_FALSE(ReadBackup(dir / "x.ech", messages));
    }
    EXPECT_FALSE(ReadBackup(dir / "missing.ech", messages));
    EXPECT_FALSE(ReadBackup(dir.path(), messages)); // a folder has no file size
    EXPECT_EQ(messages.texts(), Texts(std::size(breaks) + 2, "Version not matching!"));
}

TEST(BackupFile, FailedExportNeverLeavesAHalfFileWhereAGoodOneWas)
{
    TempDir dir;
    RecordingMessages messages;
    EXPECT_FALSE(ExportBackup(ChannelDatabase{}, dir / "no" / "such" / "folder.ech", messages));
    // A folder in the way is not a file to replace; nothing is left over.
    fs::create_directories(dir / "taken.ech" / "inside");
    EXPECT_FALSE(ExportBackup(ChannelDatabase{}, dir / "taken.ech", messages));
    EXPECT_EQ(messages.texts(), Texts(2, "File open error!"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1);

    // Overwriting keeps the old file until the new one is complete.
    ASSERT_TRUE(ExportBackup(RandomImages(1), dir / "c.ech", messages));
    ASSERT_TRUE(ExportBackup(RandomImages(2), dir / "c.ech", messages));
    EXPECT_TRUE(*ReadBackup(dir / "c.ech", messages) == RandomImages(2));
}
