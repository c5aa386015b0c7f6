#pragma once

#include "framework/core/Exceptions.h"
#include "framework/core/Types.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

// A two-dimensional array addressed (row, column) with inclusive upper bounds, -1 when empty.
// Re-dimensioning keeps every element that still fits at its (row, column); new elements are
// value-initialised (0, "", False).
template <class T> class Array2D {
public:
    fw::Int32 UBound1() const { return m_ubound1; }
    fw::Int32 UBound2() const { return m_ubound2; }

    void Redim(fw::Int32 ubound1, fw::Int32 ubound2) {
        if (ubound1 < -1 || ubound2 < -1) {
            throw fw::OutOfBoundsException("Array bounds below -1");
        }
        const std::size_t rows = Count(ubound1);
        const std::size_t cols = Count(ubound2);
        const std::size_t oldCols = Count(m_ubound2);
        if (cols == oldCols) {
            // Rows only: the stored elements do not move.
            m_items.resize(rows * cols);
        } else {
            std::vector<T> items(rows * cols);
            const std::size_t keepRows = std::min(rows, Count(m_ubound1));
            const std::size_t keepCols = std::min(cols, oldCols);
            for (std::size_t r = 0; r < keepRows; ++r) {
                for (std::size_t c = 0; c < keepCols; ++c) {
                    items[r * cols + c] = std::move(m_items[r * oldCols + c]);
                }
            }
            m_items = std::move(items);
        }
        m_ubound1 = ubound1;
        m_ubound2 = ubound2;
    }

    // Empty again: upper bounds -1 and -1.
    void Clear() {
        m_items.clear();
        m_ubound1 = -1;
        m_ubound2 = -1;
    }

    bool Contains(fw::Int32 row, fw::Int32 column) const {
        return row >= 0 && row <= m_ubound1 && column >= 0 && column <= m_ubound2;
    }

    T& At(fw::Int32 row, fw::Int32 column) { return m_items[Offset(row, column)]; }
    const T& At(fw::Int32 row, fw::Int32 column) const { return m_items[Offset(row, column)]; }

private:
    static std::size_t Count(fw::Int32 ubound) { return static_cast<std::size_t>(ubound) + 1; }

    std::size_t Offset(fw::Int32 row, fw::Int32 column) const {
        if (!Contains(row, column)) {
            throw fw::OutOfBoundsException("Index (" + std::to_string(row) + ", " +
                                           std::to_string(column) + ") outside the array (" +
                                           std::to_string(m_ubound1) + ", " +
                                           std::to_string(m_ubound2) + ")");
        }
        return static_cast<std::size_t>(row) * Count(m_ubound2) + static_cast<std::size_t>(column);
    }

    std::vector<T> m_items;
    fw::Int32 m_ubound1 = -1;
    fw::Int32 m_ubound2 = -1;
};
