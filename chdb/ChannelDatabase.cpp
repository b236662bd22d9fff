#include "chdb/ChannelDatabase.h"

#include "util/ByteOrder.h"
#include "chdb/FixedText.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr std::size_t kSatCountOffset = 4;
constexpr std::size_t kSatRecordsOffset = 8;
constexpr std::size_t kTpCountOffset = 6308;
constexpr std::size_t kTpRecordsOffset = 6312;
constexpr std::size_t kChannelCountOffset = 60312;
constexpr std::size_t kChannelRecordsOffset = 60316;

constexpr std::size_t kUserListsOffset = 40064;
constexpr std::size_t kUserListSize = 40004;
constexpr std::size_t kUserListRadioOffset = 24004;

constexpr std::size_t kPinOffset = 86;
constexpr std::size_t kNamedFlagsOffset = 192; // + list number 1..10
constexpr std::size_t kNamesOffset = 203;

static_assert(kChannelRecordsOffset + 9999 * ChannelInfo::kSize + 4 ==
              ChannelDatabase::kChDataSize);
static_assert(kUserListsOffset + 10 * kUserListSize == ChannelDatabase::kChIdxSize);
static_assert(kNamesOffset + 10 * ChannelDatabase::kUserListNameSize <=
              ChannelDatabase::kMenuDataSize);

int ClampCount(std::int32_t stored, int capacity)
{
    return stored < 0 ? 0 : (stored > capacity ? capacity : static_cast<int>(stored));
}

bool ValidList(int list) { return list >= 0 && list < ChannelDatabase::kUserListCount; }
bool ValidNumber(int number) { return number >= 1 && number <= ChannelDatabase::kUserListCount; }

std::size_t UserListPartOffset(int list, ListKind kind)
{
    return kUserListsOffset + kUserListSize * static_cast<std::size_t>(list) +
           (kind == ListKind::Radio ? kUserListRadioOffset : 0);
}

template <class Record>
Record ReadRecord(std::span<const std::uint8_t> image, std::size_t base, int index, int capacity)
{
    if (index < 0 || index >= capacity)
        return Record{};
    return Record(image.subspan(base + Record::kSize * static_cast<std::size_t>(index))
                      .template first<Record::kSize>());
}

template <class Record>
void WriteRecord(std::span<std::uint8_t> image, std::size_t base, int index, int capacity,
                 const Record& record)
{
    if (index < 0 || index >= capacity)
        return;
    std::copy_n(record.bytes().begin(), Record::kSize,
                image.begin() + static_cast<std::ptrdiff_t>(base + Record::kSize *
                                                                      static_cast<std::size_t>(index)));
}

} // namespace

ChannelDatabase::ChannelDatabase()
    : chdata_(kChDataSize), chidx_(kChIdxSize), menudata_(kMenuDataSize)
{
}

const char* ChannelDatabase::FileName(File file)
{
    switch (file) {
    case kChData:
        return "chdata.dat";
    case kChIdx:
        return "chidx.dat";
    case kMenuData:
        return "menudata.dat";
    default:
        return "";
    }
}

std::span<std::uint8_t> ChannelDatabase::image(File file)
{
    return file == kChData ? std::span(chdata_) : file == kChIdx ? std::span(chidx_) : std::span(menudata_);
}

std::span<const std::uint8_t> ChannelDatabase::image(File file) const
{
    return file == kChData ? std::span(chdata_) : file == kChIdx ? std::span(chidx_) : std::span(menudata_);
}

void ChannelDatabase::Clear()
{
    std::fill(chdata_.begin(), chdata_.end(), 0);
    std::fill(chidx_.begin(), chidx_.end(), 0);
    std::fill(menudata_.begin(), menudata_.end(), 0);
}

bool ChannelDatabase::LoadFromFolder(const std::filesystem::path& folder, unsigned files)
{
    for (File file : {kChData, kChIdx, kMenuData}) {
        if (!(files & file))
            continue;
        std::span<std::uint8_t> target = image(file);
        std::fill(target.begin(), target.end(), 0);
        std::FILE* stream = std::fopen((folder / FileName(file)).c_str(), "rb");
        if (!stream)
            return false;
        // A short file leaves zeros behind it; there is no integrity data to check.
        (void)std::fread(target.data(), 1, target.size(), stream);
        std::fclose(stream);
    }
    return true;
}

bool ChannelDatabase::ReadBackFromFolder(const std::filesystem::path& folder, unsigned files)
{
    std::vector<std::uint8_t> scratch[3];
    constexpr File kFiles[3] = {kChData, kChIdx, kMenuData};
    for (int i = 0; i < 3; ++i) {
        if (!(files & kFiles[i]))
            continue;
        scratch[i].resize(image(kFiles[i]).size());
        std::FILE* stream = std::fopen((folder / FileName(kFiles[i])).c_str(), "rb");
        if (!stream)
            return false;
        const bool exact = std::fread(scratch[i].data(), 1, scratch[i].size(), stream) == scratch[i].size() &&
                           std::fgetc(stream) == EOF && !std::ferror(stream);
        std::fclose(stream);
        if (!exact)
            return false;
    }
    for (int i = 0; i < 3; ++i)
        if (files & kFiles[i])
            std::ranges::copy(scratch[i], image(kFiles[i]).begin());
    return true;
}

bool ChannelDatabase::SaveToFolder(const std::filesystem::path& folder, unsigned files) const
{
    bool ok = true;
    for (File file : {kChData, kChIdx, kMenuData}) {
        if (!(files & file))
            continue;
        std::span<const std::uint8_t> source = image(file);
        std::FILE* stream = std::fopen((folder / FileName(file)).c_str(), "wb");
        if (!stream) {
            ok = false;
            continue;
        }
        const bool written = std::fwrite(source.data(), 1, source.size(), stream) == source.size();
        ok = (std::fclose(stream) == 0) && written && ok;
    }
    return ok;
}

void ChannelDatabase::RemoveFiles(const std::filesystem::path& folder, unsigned files)
{
    std::error_code ec;
    for (File file : {kChData, kChIdx, kMenuData})
        if (files & file)
            std::filesystem::remove(folder / FileName(file), ec);
}

std::int32_t ChannelDatabase::storedSatelliteCount() const { return le::I32(chdata_, kSatCountOffset); }
std::int32_t ChannelDatabase::storedTransponderCount() const { return le::I32(chdata_, kTpCountOffset); }
std::int32_t ChannelDatabase::storedChannelCount() const { return le::I32(chdata_, kChannelCountOffset); }

int ChannelDatabase::satelliteCount() const { return ClampCount(storedSatelliteCount(), kMaxSatellites); }
int ChannelDatabase::transponderCount() const { return ClampCount(storedTransponderCount(), kMaxTransponders); }
int ChannelDatabase::channelCount() const { return ClampCount(storedChannelCount(), kMaxChannels); }

void ChannelDatabase::setSatelliteCount(int count)
{
    le::SetI32(chdata_, kSatCountOffset, ClampCount(count, kMaxSatellites));
}

void ChannelDatabase::setTransponderCount(int count)
{
    le::SetI32(chdata_, kTpCountOffset, ClampCount(count, kMaxTransponders));
}

void ChannelDatabase::setChannelCount(int count)
{
    le::SetI32(chdata_, kChannelCountOffset, ClampCount(count, kMaxChannels));
}

SatInfo ChannelDatabase::satellite(int index) const
{
    return ReadRecord<SatInfo>(chdata_, kSatRecordsOffset, index, kMaxSatellites);
}

void ChannelDatabase::setSatellite(int index, const SatInfo& record)
{
    WriteRecord(std::span(chdata_), kSatRecordsOffset, index, kMaxSatellites, record);
}

TpInfo ChannelDatabase::transponder(int index) const
{
    return ReadRecord<TpInfo>(chdata_, kTpRecordsOffset, index, kMaxTransponders);
}

void ChannelDatabase::setTransponder(int index, const TpInfo& record)
{
    WriteRecord(std::span(chdata_), kTpRecordsOffset, index, kMaxTransponders, record);
}

ChannelInfo ChannelDatabase::channel(int index) const
{
    return ReadRecord<ChannelInfo>(chdata_, kChannelRecordsOffset, index, kMaxChannels);
}

void ChannelDatabase::setChannel(int index, const ChannelInfo& record)
{
    WriteRecord(std::span(chdata_), kChannelRecordsOffset, index, kMaxChannels, record);
}

int ChannelDatabase::UserListCapacity(ListKind kind)
{
    return kind == ListKind::Radio ? kMaxUserListRadio : kMaxUserListTv;
}

int ChannelDatabase::userListSize(int list, ListKind kind) const
{
    if (!ValidList(list))
        return 0;
    return ClampCount(le::I32(chidx_, UserListPartOffset(list, kind)), UserListCapacity(kind));
}

std::vector<std::int32_t> ChannelDatabase::userListEntries(int list, ListKind kind) const
{
    std::vector<std::int32_t> entries;
    const int size = userListSize(list, kind);
    if (size == 0)
        return entries;
    const std::size_t base = UserListPartOffset(list, kind) + 4;
    entries.reserve(static_cast<std::size_t>(size));
    for (int i = 0; i < size; ++i)
        entries.push_back(le::I32(chidx_, base + 4 * static_cast<std::size_t>(i)));
    return entries;
}

void ChannelDatabase::setUserListEntries(int list, ListKind kind,
                                         const std::vector<std::int32_t>& entries)
{
    if (!ValidList(list))
        return;
    const int size = std::min(static_cast<int>(entries.size()), UserListCapacity(kind));
    const std::size_t base = UserListPartOffset(list, kind);
    le::SetI32(chidx_, base, size);
    for (int i = 0; i < size; ++i)
        le::SetI32(chidx_, base + 4 + 4 * static_cast<std::size_t>(i), entries[static_cast<std::size_t>(i)]);
}

std::uint16_t ChannelDatabase::pin() const { return le::U16(menudata_, kPinOffset); }
void ChannelDatabase::setPin(std::uint16_t pin) { le::SetU16(menudata_, kPinOffset, pin); }

std::string ChannelDatabase::pinText() const
{
    char text[8];
    std::snprintf(text, sizeof text, "%04d", static_cast<int>(pin()));
    return text;
}

bool ChannelDatabase::isUserListNamed(int number) const
{
    return ValidNumber(number) && menudata_[kNamedFlagsOffset + static_cast<std::size_t>(number)] != 0;
}

std::string ChannelDatabase::userListName(int number) const
{
    if (!isUserListNamed(number))
        return {};
    return ReadFixedText(std::span(menudata_).subspan(
        kNamesOffset + kUserListNameSize * static_cast<std::size_t>(number - 1), kUserListNameSize));
}

void ChannelDatabase::setUserListName(int number, const std::string& name)
{
    if (!ValidNumber(number))
        return;
    menudata_[kNamedFlagsOffset + static_cast<std::size_t>(number)] = name.empty() ? 0 : 1;
    WriteFixedText(std::span(menudata_).subspan(
                       kNamesOffset + kUserListNameSize * static_cast<std::size_t>(number - 1),
                       kUserListNameSize),
                   name);
}

std::string ChannelDatabase::userListDisplayName(int number) const
{
    if (isUserListNamed(number))
        return userListName(number);
    return "User " + std::to_string(number);
}
