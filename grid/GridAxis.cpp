#include "grid/GridAxis.h"

#include <algorithm>

void GridAxis::Clear()
{
    m_sizes.clear();
    m_starts.assign(1, 0);
    m_nValid = 0;
    m_total = 0;
}

void GridAxis::Resize(int count, int newSize)
{
    const int old = Count();
    if (count < old) {
        for (int i = count; i < old; ++i)
            m_total -= Size(i);
        m_sizes.resize(static_cast<std::size_t>(count));
        m_nValid = std::min(m_nValid, count);
    } else {
        m_sizes.resize(static_cast<std::size_t>(count), newSize);
        m_total += static_cast<std::int64_t>(count - old) * newSize;
    }
    m_starts.resize(static_cast<std::size_t>(count) + 1);
}

void GridAxis::SetSize(int index, int size)
{
    int& slot = m_sizes[static_cast<std::size_t>(index)];
    m_total += size - slot;
    slot = size;
    m_nValid = std::min(m_nValid, index);
}

void GridAxis::Extend(int index) const
{
    for (; m_nValid < index; ++m_nValid)
        m_starts[static_cast<std::size_t>(m_nValid) + 1] =
            m_starts[static_cast<std::size_t>(m_nValid)] + Size(m_nValid);
}

std::int64_t GridAxis::Start(int index) const
{
    Extend(index);
    return m_starts[static_cast<std::size_t>(index)];
}

int GridAxis::IndexAt(std::int64_t pos) const
{
    if (pos < 0)
        return -1;
    if (pos >= m_total)
        return Count();
    Extend(Count());
    const auto it = std::upper_bound(m_starts.begin(), m_starts.end(), pos);
    return static_cast<int>(it - m_starts.begin()) - 1;
}
