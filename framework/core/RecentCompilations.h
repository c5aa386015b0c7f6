#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fw {

// What the last few patterns compiled to: a list formats value after value with the same few
// patterns. One per thread (thread_local); a reference it gives stays good until a later call
// compiles a pattern that is not kept.
template <class T, std::size_t N> class RecentCompilations {
public:
    template <class Compile> const T& Of(std::string_view pattern, Compile&& compile) {
        for (const Entry& entry : m_kept) {
            if (entry.pattern == pattern) {
                return entry.value;
            }
        }
        Entry made{std::string(pattern), compile()};
        if (m_kept.size() < N) {
            m_kept.reserve(N); // never moves, so earlier references hold
            m_kept.push_back(std::move(made));
            return m_kept.back().value;
        }
        Entry& slot = m_kept[m_next];
        m_next = (m_next + 1) % N;
        slot = std::move(made);
        return slot.value;
    }

private:
    struct Entry {
        std::string pattern;
        T value;
    };
    std::vector<Entry> m_kept;
    std::size_t m_next = 0;
};

} // namespace fw
