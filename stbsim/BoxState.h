#pragma once

#include "chdb/ChannelDatabase.h"
#include "stbsim/DemoDatabase.h"
#include "stbsim/DiskLayout.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// The database files of one upload, as far as they have arrived, in the order chdata,
// chidx, menudata.
using StagedImages = std::array<std::optional<std::vector<std::uint8_t>>, 3>;

// Everything a simulated box keeps between connections: its database, its disks and which
// partition is mounted. Shared by all connections; every member locks.
class BoxState {
public:
    explicit BoxState(std::filesystem::path dir);
    BoxState(const BoxState&) = delete;
    BoxState& operator=(const BoxState&) = delete;

    // Loads the state directory. A missing or empty one becomes a demo state; a missing
    // database or disks.conf alone is filled from the demo; a partition folder that is
    // missing is created. False with a reason when the directory cannot be used.
    bool Open(std::uint32_t seed, DemoSize size, std::string& error);

    const std::filesystem::path& dir() const { return dir_; }

    ChannelDatabase Database() const;
    std::vector<std::uint8_t> Image(ChannelDatabase::File file) const;
    int ChannelCount() const;
    // Applies the staged images together: each is written to a new file first, and only when
    // all are written are they renamed into place and taken into memory. False (and nothing
    // changed) when there is nothing staged or a file cannot be written.
    bool Apply(const StagedImages& staged);
    bool SetDatabase(const ChannelDatabase& db);

    const DiskLayout& disks() const { return disks_; }
    std::filesystem::path FolderOf(const Volume& volume) const;

    bool Mount(const std::string& device);
    void Unmount();
    std::optional<Volume> Mounted() const;

    // Free bytes of a volume: its size minus what its folder holds and what running uploads
    // have reserved. The folder is counted afresh.
    std::uint64_t FreeBytes(const Volume& volume) const;
    // Holds room for an upload of `bytes` that replaces a file of `replacing` bytes; false
    // when it does not fit. Every successful call is matched by Release. What the folder holds
    // is counted once and then kept up to date by the box's own changes (or counted again by
    // df), so that a run of small uploads does not walk a large tree each time.
    bool Reserve(const Volume& volume, std::uint64_t bytes, std::uint64_t replacing);
    void Release(const Volume& volume, std::uint64_t bytes);
    // The box stored a file of `added` bytes in place of one of `removed` bytes (0 for none).
    void FileChanged(const Volume& volume, std::uint64_t added, std::uint64_t removed);
    // The box removed a folder tree: what the folder holds is counted again when next needed.
    void TreeRemoved(const Volume& volume);

private:
    std::uint64_t FreeKiBLocked(const Volume& volume, bool recount) const;

    const std::filesystem::path dir_;
    DiskLayout disks_;
    mutable std::mutex mutex_;
    ChannelDatabase db_;
    std::optional<Volume> mounted_;
    std::map<std::string, std::uint64_t> reservedKiB_;
    mutable std::map<std::string, std::uint64_t> usedKiB_;
};
