#pragma once

#include "framework/core/Exceptions.h"
#include "framework/core/Types.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A value per cell addressed (row, column) with inclusive upper bounds, -1 when
// empty, Redim keeping what still fits, an index outside raising OutOfBoundsException. Only
// a column that has had a value set holds any storage, and only up to its last row set; every
// other cell reads as T{}.
template <class T> class SparseColumns {
public:
    fw::Int32 UBound1() const { return m_ubound1; }
    fw::Int32 UBound2() const { return m_ubound2; }

    void Redim(fw::Int32 ubound1, fw::Int32 ubound2) {
        if (ubound1 < -1 || ubound2 < -1) {
            throw fw::OutOfBoundsException("Array bounds below -1");
        }
        m_columns.resize(std::min(m_columns.size(), Count(ubound2)));
        for (std::vector<T>& column : m_columns) {
            if (column.size() > Count(ubound1)) {
                column.resize(Count(ubound1));
            }
        }
        m_ubound1 = ubound1;
        m_ubound2 = ubound2;
    }

    void Clear() {
        m_columns.clear();
        m_ubound1 = -1;
        m_ubound2 = -1;
    }

    bool Contains(fw::Int32 row, fw::Int32 column) const {
        return row >= 0 && row <= m_ubound1 && column >= 0 && column <= m_ubound2;
    }

    const T& At(fw::Int32 row, fw::Int32 column) const {
        Check(row, column);
        const auto c = static_cast<std::size_t>(column);
        const auto r = static_cast<std::size_t>(row);
        static const T kNone{};
        return c < m_columns.size() && r < m_columns[c].size() ? m_columns[c][r] : kNone;
    }

    // The cell's value, for writing; makes the column's storage reach the row.
    T& Slot(fw::Int32 row, fw::Int32 column) {
        Check(row, column);
        const auto c = static_cast<std::size_t>(column);
        const auto r = static_cast<std::size_t>(row);
        if (m_columns.size() <= c) {
            m_columns.resize(c + 1);
        }
        std::vector<T>& values = m_columns[c];
        if (values.size() <= r) {
            values.resize(r + 1);
        }
        return values[r];
    }

    // Every value held, for a caller that keeps something per value.
    template <class F> void ForEach(F&& f) const {
        for (const std::vector<T>& column : m_columns) {
            for (const T& value : column) {
                f(value);
            }
        }
    }

private:
    static std::size_t Count(fw::Int32 ubound) { return static_cast<std::size_t>(ubound) + 1; }

    void Check(fw::Int32 row, fw::Int32 column) const {
        if (!Contains(row, column)) {
            throw fw::OutOfBoundsException("Index (" + std::to_string(row) + ", " +
                                           std::to_string(column) + ") outside the array (" +
                                           std::to_string(m_ubound1) + ", " +
                                           std::to_string(m_ubound2) + ")");
        }
    }

    std::vector<std::vector<T>> m_columns;
    fw::Int32 m_ubound1 = -1;
    fw::Int32 m_ubound2 = -1;
};

// The drop-down choice lists of the cells, addressed like SparseColumns: each different list
// text is kept once, and a cell holds the 4-byte number of its list. A list no cell holds any
// more is let go.
class ChoiceLists {
public:
    fw::Int32 UBound1() const { return m_cells.UBound1(); }
    fw::Int32 UBound2() const { return m_cells.UBound2(); }
    bool Contains(fw::Int32 row, fw::Int32 column) const { return m_cells.Contains(row, column); }

    void Redim(fw::Int32 ubound1, fw::Int32 ubound2);
    void Clear();
    // "" for a cell given no list.
    const std::string& At(fw::Int32 row, fw::Int32 column) const;
    void Set(fw::Int32 row, fw::Int32 column, std::string_view list);
    // How many different lists are kept.
    std::size_t DistinctCount() const { return m_byText.size(); }

private:
    using Id = std::uint32_t; // 0: no list

    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string_view>{}(s);
        }
    };
    struct Entry {
        const std::string* text = nullptr; // the key in m_byText
        std::uint32_t cells = 0;           // how many cells hold it
    };

    Id Acquire(std::string_view list);
    void Release(Id id);
    // Counts again from the cells, after Redim let some go.
    void Recount();

    SparseColumns<Id> m_cells;
    std::vector<Entry> m_entries{Entry{}}; // by Id; entry 0 stands for no list
    std::vector<Id> m_free;
    std::unordered_map<std::string, Id, Hash, std::equal_to<>> m_byText;
};
