#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

// A downloaded file that takes its real name only when complete. The bytes go to a hidden
// temporary file in the target's folder, which is renamed over the target at the end; a file
// discarded (or destroyed) before that leaves the target exactly as it was and no temporary
// file behind. Writes are buffered, and whole blocks of zero bytes become holes, so a sparse
// recording stays sparse.
class PartFile final {
public:
    PartFile() = default;
    ~PartFile() { Discard(); }
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    // False when no temporary file can be made in the target's folder.
    bool Create(const std::filesystem::path& target);
    // A failed write is remembered; see ok().
    void Write(std::string_view bytes);
    bool ok() const { return fd_ >= 0 && ok_; }
    // Puts the file in place by renaming it over the target, which keeps its permission bits.
    // False (and the target unchanged) on failure. Like cp and rsync it does not wait for the
    // disk: a transfer of thousands of files would otherwise wait for each.
    bool Commit();
    void Discard();

private:
    void Flush();

    int fd_ = -1;
    bool ok_ = true;
    std::filesystem::path target_;
    std::filesystem::path temp_;
    std::vector<char> buffer_;
    std::int64_t size_ = 0; // bytes taken so far, holes included
};
