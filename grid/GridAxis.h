#pragma once

#include <cstdint>
#include <vector>

// The sizes of the rows (or columns) of a grid and their start positions. Starts are prefix
// sums kept valid lazily from the front, so filling thousands of sizes one by one stays linear
// and a paint or hit test finds an index by binary search instead of walking all rows.
class GridAxis {
public:
    int Count() const { return static_cast<int>(m_sizes.size()); }
    void Clear();
    // Adds entries of `newSize` or removes entries at the end.
    void Resize(int count, int newSize);

    int Size(int index) const { return m_sizes[static_cast<std::size_t>(index)]; }
    void SetSize(int index, int size);

    // Position of the first pixel of `index`; Start(Count()) is the total.
    std::int64_t Start(int index) const;
    std::int64_t Total() const { return m_total; }
    // The index whose span holds `pos` (zero-sized entries hold nothing); -1 before the
    // first entry, Count() at or past the end.
    int IndexAt(std::int64_t pos) const;

private:
    void Extend(int index) const;

    std::vector<int> m_sizes;
    mutable std::vector<std::int64_t> m_starts{0};
    mutable int m_nValid = 0; // m_starts[0..m_nValid] are correct
    std::int64_t m_total = 0;
};
