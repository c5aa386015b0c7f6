#include "listbox/CellTables.h"

namespace {

const std::string kNoList;

} // namespace

void ChoiceLists::Redim(fw::Int32 ubound1, fw::Int32 ubound2) {
    const bool shrinks = ubound1 < UBound1() || ubound2 < UBound2();
    m_cells.Redim(ubound1, ubound2);
    if (shrinks) {
        Recount();
    }
}

void ChoiceLists::Clear() {
    m_cells.Clear();
    m_entries.assign(1, Entry{});
    m_free.clear();
    m_byText.clear();
}

const std::string& ChoiceLists::At(fw::Int32 row, fw::Int32 column) const {
    const Id id = m_cells.At(row, column);
    return id == 0 ? kNoList : *m_entries[id].text;
}

void ChoiceLists::Set(fw::Int32 row, fw::Int32 column, std::string_view list) {
    Id& slot = m_cells.Slot(row, column);
    const Id id = Acquire(list);
    Release(slot);
    slot = id;
}

ChoiceLists::Id ChoiceLists::Acquire(std::string_view list) {
    if (list.empty()) {
        return 0;
    }
    auto found = m_byText.find(list);
    if (found == m_byText.end()) {
        Id id = 0;
        if (!m_free.empty()) {
            id = m_free.back();
            m_free.pop_back();
        } else {
            id = static_cast<Id>(m_entries.size());
            m_entries.emplace_back();
        }
        found = m_byText.emplace(std::string(list), id).first;
        m_entries[id].text = &found->first;
    }
    ++m_entries[found->second].cells;
    return found->second;
}

void ChoiceLists::Release(Id id) {
    if (id == 0) {
        return;
    }
    Entry& entry = m_entries[id];
    if (--entry.cells == 0) {
        m_byText.erase(m_byText.find(*entry.text));
        entry.text = nullptr;
        m_free.push_back(id);
    }
}

void ChoiceLists::Recount() {
    for (Entry& entry : m_entries) {
        entry.cells = 0;
    }
    m_cells.ForEach([this](Id id) {
        if (id != 0) {
            ++m_entries[id].cells;
        }
    });
    for (Id id = 1; id < m_entries.size(); ++id) {
        Entry& entry = m_entries[id];
        if (entry.cells == 0 && entry.text != nullptr) {
            m_byText.erase(m_byText.find(*entry.text));
            entry.text = nullptr;
            m_free.push_back(id);
        }
    }
}
