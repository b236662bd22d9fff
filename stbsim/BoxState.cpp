#include "stbsim/BoxState.h"

#include "stbsim/DemoState.h"
#include "stbsim/Storage.h"
#include "util/AtomicFile.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

constexpr ChannelDatabase::File kFiles[3] = {ChannelDatabase::kChData, ChannelDatabase::kChIdx,
                                             ChannelDatabase::kMenuData};

bool IsEmptyFolder(const fs::path& dir)
{
    std::error_code ec;
    return fs::is_directory(dir, ec) && fs::directory_iterator(dir, ec) == fs::directory_iterator();
}

bool WriteAll(const fs::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

} // namespace

BoxState::BoxState(fs::path dir) : dir_(std::move(dir)) {}

bool BoxState::Open(std::uint32_t seed, DemoSize size, std::string& error)
{
    std::error_code ec;
    if (!fs::exists(dir_, ec) || IsEmptyFolder(dir_)) {
        if (!InitDemoState(dir_, seed, size)) {
            error = "cannot create a demo state in " + dir_.string();
            return false;
        }
    }
    const fs::path dbFolder = dir_ / statedir::kDbFolder;
    int present = 0;
    for (ChannelDatabase::File file : kFiles)
        present += fs::exists(dbFolder / ChannelDatabase::FileName(file), ec) ? 1 : 0;
    if (present == 0) {
        fs::create_directories(dbFolder, ec);
        if (!GenerateDemoDatabase(seed, size).SaveToFolder(dbFolder)) {
            error = "cannot write the demo database to " + dbFolder.string();
            return false;
        }
    } else if (present < 3) {
        error = "the database in " + dbFolder.string() + " lacks a file";
        return false;
    }
    ChannelDatabase db;
    if (!db.LoadFromFolder(dbFolder)) {
        error = "cannot read the database in " + dbFolder.string();
        return false;
    }

    const fs::path configPath = dir_ / statedir::kDiskConfig;
    if (!fs::exists(configPath, ec)) {
        const bool freshDisks = !fs::exists(dir_ / statedir::kDisksFolder, ec);
        const std::string config = FormatDiskConfig(DemoDiskLayout());
        if (WriteFileAtomically(configPath, config.data(), config.size()) !=
            AtomicWriteResult::Ok) {
            error = "cannot write " + configPath.string();
            return false;
        }
        if (freshDisks) {
            fs::create_directories(dir_ / statedir::kDisksFolder, ec);
            WriteDemoFiles(dir_ / statedir::kDisksFolder, seed);
        }
    }
    std::ifstream in(configPath);
    std::stringstream text;
    text << in.rdbuf();
    std::optional<DiskLayout> layout = ParseDiskConfig(text.str(), error);
    if (!layout)
        return false;
    for (const Volume& volume : layout->Volumes()) {
        fs::create_directories(dir_ / statedir::kDisksFolder / volume.folder, ec);
        if (!fs::is_directory(dir_ / statedir::kDisksFolder / volume.folder, ec)) {
            error = "cannot create the folder of " + volume.device;
            return false;
        }
    }
    std::lock_guard lock(mutex_);
    db_ = std::move(db);
    disks_ = std::move(*layout);
    return true;
}

ChannelDatabase BoxState::Database() const
{
    std::lock_guard lock(mutex_);
    return db_;
}

std::vector<std::uint8_t> BoxState::Image(ChannelDatabase::File file) const
{
    std::lock_guard lock(mutex_);
    const auto image = db_.image(file);
    return {image.begin(), image.end()};
}

int BoxState::ChannelCount() const
{
    std::lock_guard lock(mutex_);
    return db_.channelCount();
}

bool BoxState::Apply(const StagedImages& staged)
{
    std::lock_guard lock(mutex_);
    const fs::path dbFolder = dir_ / statedir::kDbFolder;
    std::vector<std::pair<fs::path, fs::path>> renames;
    bool ok = true;
    for (std::size_t i = 0; i < staged.size(); ++i) {
        if (!staged[i])
            continue;
        const fs::path target = dbFolder / ChannelDatabase::FileName(kFiles[i]);
        fs::path temp = target;
        temp += ".new";
        renames.emplace_back(temp, target);
        ok = ok && staged[i]->size() == db_.image(kFiles[i]).size() && WriteAll(temp, *staged[i]);
    }
    std::error_code ec;
    if (!ok || renames.empty()) {
        for (const auto& [temp, target] : renames)
            fs::remove(temp, ec);
        return false;
    }
    for (const auto& [temp, target] : renames)
        fs::rename(temp, target, ec);
    for (std::size_t i = 0; i < staged.size(); ++i)
        if (staged[i])
            std::copy(staged[i]->begin(), staged[i]->end(), db_.image(kFiles[i]).begin());
    return !ec;
}

bool BoxState::SetDatabase(const ChannelDatabase& db)
{
    StagedImages staged;
    for (std::size_t i = 0; i < staged.size(); ++i) {
        const auto image = db.image(kFiles[i]);
        staged[i].emplace(image.begin(), image.end());
    }
    return Apply(staged);
}

fs::path BoxState::FolderOf(const Volume& volume) const
{
    return dir_ / statedir::kDisksFolder / volume.folder;
}

bool BoxState::Mount(const std::string& device)
{
    std::optional<Volume> volume = disks_.FindVolume(device);
    if (!volume)
        return false;
    std::lock_guard lock(mutex_);
    mounted_ = std::move(volume);
    return true;
}

void BoxState::Unmount()
{
    std::lock_guard lock(mutex_);
    mounted_.reset();
}

std::optional<Volume> BoxState::Mounted() const
{
    std::lock_guard lock(mutex_);
    return mounted_;
}

std::uint64_t BoxState::FreeKiBLocked(const Volume& volume, bool recount) const
{
    const std::uint64_t total = volume.bytes / 1024;
    auto counted = usedKiB_.find(volume.device);
    if (recount || counted == usedKiB_.end())
        counted = usedKiB_.insert_or_assign(volume.device, storage::UsedKiB(FolderOf(volume))).first;
    std::uint64_t used = counted->second;
    if (const auto found = reservedKiB_.find(volume.device); found != reservedKiB_.end())
        used += found->second;
    return used >= total ? 0 : total - used;
}

std::uint64_t BoxState::FreeBytes(const Volume& volume) const
{
    std::lock_guard lock(mutex_);
    return FreeKiBLocked(volume, true) * 1024;
}

bool BoxState::Reserve(const Volume& volume, std::uint64_t bytes, std::uint64_t replacing)
{
    std::lock_guard lock(mutex_);
    const std::uint64_t need = storage::KiB(bytes);
    if (need > FreeKiBLocked(volume, false) + storage::KiB(replacing))
        return false;
    reservedKiB_[volume.device] += need;
    return true;
}

void BoxState::FileChanged(const Volume& volume, std::uint64_t added, std::uint64_t removed)
{
    std::lock_guard lock(mutex_);
    if (const auto counted = usedKiB_.find(volume.device); counted != usedKiB_.end())
        counted->second = counted->second + storage::KiB(added) -
                          std::min(counted->second + storage::KiB(added), storage::KiB(removed));
}

void BoxState::TreeRemoved(const Volume& volume)
{
    std::lock_guard lock(mutex_);
    usedKiB_.erase(volume.device);
}

void BoxState::Release(const Volume& volume, std::uint64_t bytes)
{
    std::lock_guard lock(mutex_);
    std::uint64_t& held = reservedKiB_[volume.device];
    held -= std::min(held, storage::KiB(bytes));
}
