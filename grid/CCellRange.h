#pragma once

#include "grid/GridDefs.h"

#include <algorithm>

// An inclusive rectangle of cells. A range with a negative bound or with min > max is
// empty (invalid).
class CCellRange {
public:
    constexpr CCellRange() = default;
    constexpr CCellRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol)
        : m_nMinRow(nMinRow), m_nMinCol(nMinCol), m_nMaxRow(nMaxRow), m_nMaxCol(nMaxCol)
    {
    }

    constexpr int GetMinRow() const { return m_nMinRow; }
    constexpr int GetMinCol() const { return m_nMinCol; }
    constexpr int GetMaxRow() const { return m_nMaxRow; }
    constexpr int GetMaxCol() const { return m_nMaxCol; }
    constexpr int GetRowSpan() const { return m_nMaxRow - m_nMinRow + 1; }
    constexpr int GetColSpan() const { return m_nMaxCol - m_nMinCol + 1; }
    constexpr CCellID GetTopLeft() const { return {m_nMinRow, m_nMinCol}; }

    constexpr bool IsValid() const
    {
        return m_nMinRow >= 0 && m_nMinCol >= 0 && m_nMinRow <= m_nMaxRow && m_nMinCol <= m_nMaxCol;
    }
    constexpr bool InRange(int nRow, int nCol) const
    {
        return IsValid() && nRow >= m_nMinRow && nRow <= m_nMaxRow && nCol >= m_nMinCol &&
               nCol <= m_nMaxCol;
    }
    constexpr bool InRange(const CCellID& cell) const { return InRange(cell.row, cell.col); }

    // The smallest range holding both; an invalid side is ignored.
    constexpr CCellRange Union(const CCellRange& other) const
    {
        if (!IsValid())
            return other;
        if (!other.IsValid())
            return *this;
        return {std::min(m_nMinRow, other.m_nMinRow), std::min(m_nMinCol, other.m_nMinCol),
                std::max(m_nMaxRow, other.m_nMaxRow), std::max(m_nMaxCol, other.m_nMaxCol)};
    }
    constexpr CCellRange Intersect(const CCellRange& other) const
    {
        return {std::max(m_nMinRow, other.m_nMinRow), std::max(m_nMinCol, other.m_nMinCol),
                std::min(m_nMaxRow, other.m_nMaxRow), std::min(m_nMaxCol, other.m_nMaxCol)};
    }

    constexpr bool operator==(const CCellRange&) const = default;

private:
    int m_nMinRow = -1;
    int m_nMinCol = -1;
    int m_nMaxRow = -1;
    int m_nMaxCol = -1;
};
