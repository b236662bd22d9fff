#pragma once

#include "chdb/ChannelInfo.h"
#include "chdb/SatInfo.h"
#include "chdb/TpInfo.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

enum class ListKind : int { Tv = 0, Radio = 1 };

// The box's whole channel database as three fixed-size byte images, edited in place and
// written back with the same size and layout. Every byte the program does not interpret
// survives a load/save cycle unchanged.
//
// Counts come from files the box or the user supplies, so every table view clamps them to
// 0..capacity; the stored count bytes themselves change only when a table is edited.
class ChannelDatabase {
public:
    enum File : unsigned { kChData = 1, kChIdx = 2, kMenuData = 4, kAllFiles = 7 };

    static constexpr std::size_t kChDataSize = 700256;
    static constexpr std::size_t kChIdxSize = 440104;
    static constexpr std::size_t kMenuDataSize = 512;

    static constexpr int kMaxSatellites = 150;
    static constexpr int kMaxTransponders = 1500;
    static constexpr int kMaxChannels = 9999;
    static constexpr int kUserListCount = 10;
    static constexpr int kMaxUserListTv = 6000;
    static constexpr int kMaxUserListRadio = 3999;
    static constexpr std::size_t kUserListNameSize = 16;

    ChannelDatabase();

    static const char* FileName(File file); // "chdata.dat", "chidx.dat", "menudata.dat"

    std::span<std::uint8_t> image(File file);
    std::span<const std::uint8_t> image(File file) const;
    // Zero-fills all three images.
    void Clear();

    // Reads the chosen files from `folder` into zero-filled images; a short file leaves zeros
    // behind it, a long one is read up to the image size. False when a file cannot be opened
    // (the images read before it stay loaded).
    bool LoadFromFolder(const std::filesystem::path& folder, unsigned files = kAllFiles);
    // Reads the images named by `files` from `folder` into a scratch copy and replaces this
    // database's images only when every one was read with its full fixed size; false, with
    // nothing changed, otherwise. Does not delete the files. A file longer than its image is
    // not ours either and fails too.
    bool ReadBackFromFolder(const std::filesystem::path& folder, unsigned files = kAllFiles);
    // Writes each chosen image as one block; false when one cannot be written completely.
    bool SaveToFolder(const std::filesystem::path& folder, unsigned files = kAllFiles) const;
    static void RemoveFiles(const std::filesystem::path& folder, unsigned files = kAllFiles);

    // Satellite, transponder and channel tables.
    int satelliteCount() const;
    SatInfo satellite(int index) const;
    void setSatellite(int index, const SatInfo& record);
    int transponderCount() const;
    TpInfo transponder(int index) const;
    void setTransponder(int index, const TpInfo& record);
    int channelCount() const;
    ChannelInfo channel(int index) const;
    void setChannel(int index, const ChannelInfo& record);
    // Counts are clamped to 0..capacity when stored.
    void setSatelliteCount(int count);
    void setTransponderCount(int count);
    void setChannelCount(int count);
    // The counts as stored, which a broken file may hold out of range.
    std::int32_t storedSatelliteCount() const;
    std::int32_t storedTransponderCount() const;
    std::int32_t storedChannelCount() const;

    // User list `list` (0..9), its TV or radio part: the entries are channel-table indices.
    static int UserListCapacity(ListKind kind);
    int userListSize(int list, ListKind kind) const;
    std::vector<std::int32_t> userListEntries(int list, ListKind kind) const;
    // Stores the entries, cut at the part's capacity.
    void setUserListEntries(int list, ListKind kind, const std::vector<std::int32_t>& entries);

    // menudata.dat: the PIN and the names of user lists 1..10.
    std::uint16_t pin() const;
    void setPin(std::uint16_t pin);
    std::string pinText() const; // "%04d"
    bool isUserListNamed(int number) const;
    std::string userListName(int number) const; // empty when unnamed
    // An empty name marks the list unnamed; at most 15 bytes are kept.
    void setUserListName(int number, const std::string& name);
    // The name, or "User %d" when the list has none.
    std::string userListDisplayName(int number) const;

    bool operator==(const ChannelDatabase&) const = default;

private:
    std::vector<std::uint8_t> chdata_;
    std::vector<std::uint8_t> chidx_;
    std::vector<std::uint8_t> menudata_;
};
