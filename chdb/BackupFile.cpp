#include "chdb/BackupFile.h"

#include "util/AtomicFile.h"
#include "util/ByteOrder.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>

namespace {

constexpr std::size_t kChDataAt = 8;
constexpr std::size_t kChIdxAt = kChDataAt + ChannelDatabase::kChDataSize;
constexpr std::size_t kMenuDataAt = kChIdxAt + ChannelDatabase::kChIdxSize;
constexpr std::size_t kEndMagicAt = kMenuDataAt + ChannelDatabase::kMenuDataSize;
constexpr std::size_t kChannelCountAt = kChDataAt + 60312;
static_assert(kEndMagicAt + 4 == kBackupFileSize);

struct Placement {
    ChannelDatabase::File file;
    std::size_t offset;
};
constexpr Placement kImages[] = {{ChannelDatabase::kChData, kChDataAt},
                                 {ChannelDatabase::kChIdx, kChIdxAt},
                                 {ChannelDatabase::kMenuData, kMenuDataAt}};

} // namespace

std::vector<std::uint8_t> BuildBackupImage(const ChannelDatabase& db)
{
    std::vector<std::uint8_t> staging(kBackupFileSize, 0);
    le::SetU32(staging, 0, kBackupStartMagic);
    le::SetU32(staging, 4, kBackupVersion);
    le::SetU32(staging, kEndMagicAt, kBackupEndMagic);
    for (const Placement& p : kImages) {
        const auto image = db.image(p.file);
        std::copy(image.begin(), image.end(), staging.begin() + static_cast<std::ptrdiff_t>(p.offset));
    }
    return staging;
}

bool ExportBackup(const ChannelDatabase& db, const std::filesystem::path& path,
                  MessageService& messages)
{
    const std::vector<std::uint8_t> staging = BuildBackupImage(db);
    switch (WriteFileAtomically(path, staging.data(), staging.size())) {
    case AtomicWriteResult::Ok:
        return true;
    case AtomicWriteResult::OpenFailed:
        ShowMessage(messages, MsgId::FileOpenError);
        return false;
    case AtomicWriteResult::WriteFailed:
        ShowMessage(messages, MsgId::FileWriteError);
        return false;
    }
    return false;
}

std::optional<ChannelDatabase> ReadBackup(const std::filesystem::path& path,
                                          MessageService& messages)
{
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size != kBackupFileSize) {
        ShowMessage(messages, MsgId::VersionNotMatching);
        return std::nullopt;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        ShowMessage(messages, MsgId::FileOpenError);
        return std::nullopt;
    }
    std::vector<std::uint8_t> staging(kBackupFileSize, 0);
    const std::size_t got = std::fread(staging.data(), 1, staging.size(), file);
    std::fclose(file);
    if (got != staging.size()) {
        ShowMessage(messages, MsgId::FileReadError);
        return std::nullopt;
    }
    if (le::U32(staging, 0) != kBackupStartMagic || le::U32(staging, kEndMagicAt) != kBackupEndMagic ||
        le::U32(staging, 4) != kBackupVersion) {
        ShowMessage(messages, MsgId::VersionNotMatching);
        return std::nullopt;
    }
    ChannelDatabase db;
    for (const Placement& p : kImages) {
        auto image = db.image(p.file);
        std::copy_n(staging.begin() + static_cast<std::ptrdiff_t>(p.offset), image.size(), image.begin());
    }
    return db;
}

std::optional<int> PeekBackupChannelCount(const std::filesystem::path& path)
{
    std::error_code ec;
    if (std::filesystem::file_size(path, ec) != kBackupFileSize || ec)
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    // Start magic and version, the channel count, the end magic.
    std::array<std::uint8_t, 16> fields{};
    const auto readAt = [&in, &fields](std::size_t offset, std::size_t at, std::size_t size) {
        in.seekg(static_cast<std::streamoff>(offset));
        in.read(reinterpret_cast<char*>(fields.data() + at), static_cast<std::streamsize>(size));
    };
    readAt(0, 0, 8);
    readAt(kChannelCountAt, 8, 4);
    readAt(kEndMagicAt, 12, 4);
    if (!in || le::U32(fields, 0) != kBackupStartMagic || le::U32(fields, 4) != kBackupVersion ||
        le::U32(fields, 12) != kBackupEndMagic)
        return std::nullopt;
    return std::clamp(le::I32(fields, 8), 0, ChannelDatabase::kMaxChannels);
}
