#pragma once

// Builds small layout tables for the tests: big-endian fields, each sub-table placed after the
// table that points to it, its offset counted from that table's start.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace otltest {

class Node {
public:
    Node& U16(std::uint32_t value) {
        m_bytes.push_back(static_cast<char>((value >> 8) & 0xFF));
        m_bytes.push_back(static_cast<char>(value & 0xFF));
        return *this;
    }
    Node& U32(std::uint32_t value) { return U16(value >> 16).U16(value & 0xFFFF); }
    Node& Tag(const char* tag) {
        m_bytes.append(tag, 4);
        return *this;
    }
    Node& Glyphs(const std::vector<std::uint16_t>& glyphs) {
        for (const std::uint16_t g : glyphs) {
            U16(g);
        }
        return *this;
    }
    Node& Off16(Node child) { return Link(std::move(child), false); }
    Node& Off32(Node child) { return Link(std::move(child), true); }

    std::string Bytes() const {
        std::string out = m_bytes;
        for (std::size_t i = 0; i < m_children.size(); ++i) {
            const std::size_t offset = out.size();
            const auto [at, wide] = m_links[i];
            if (wide) {
                out[at] = static_cast<char>((offset >> 24) & 0xFF);
                out[at + 1] = static_cast<char>((offset >> 16) & 0xFF);
                out[at + 2] = static_cast<char>((offset >> 8) & 0xFF);
                out[at + 3] = static_cast<char>(offset & 0xFF);
            } else {
                out[at] = static_cast<char>((offset >> 8) & 0xFF);
                out[at + 1] = static_cast<char>(offset & 0xFF);
            }
            out += m_children[i].Bytes();
        }
        return out;
    }

private:
    Node& Link(Node child, bool wide) {
        m_links.emplace_back(m_bytes.size(), wide);
        m_bytes.append(wide ? 4 : 2, '\0');
        m_children.push_back(std::move(child));
        return *this;
    }

    std::string m_bytes;
    std::vector<std::pair<std::size_t, bool>> m_links;
    std::vector<Node> m_children;
};

inline Node Coverage(const std::vector<std::uint16_t>& glyphs) {
    return Node().U16(1).U16(static_cast<std::uint32_t>(glyphs.size())).Glyphs(glyphs);
}

struct Range {
    std::uint16_t first, last, value;
};

// Format 2 coverage (value: the coverage index of first) or class definition (value: class).
inline Node Ranges(const std::vector<Range>& ranges) {
    Node node;
    node.U16(2).U16(static_cast<std::uint32_t>(ranges.size()));
    for (const Range& r : ranges) {
        node.U16(r.first).U16(r.last).U16(r.value);
    }
    return node;
}

struct LookupSpec {
    std::uint16_t type;
    std::uint16_t flag;
    std::vector<Node> subtables;
};

struct FeatureSpec {
    const char* tag;
    std::vector<std::uint16_t> lookups;
};

struct ScriptSpec {
    const char* tag;
    std::vector<std::uint16_t> features;
    std::uint16_t required = 0xFFFF;
    bool asLanguage = false; // under a language system instead of the default one
};

inline Node LangSys(const ScriptSpec& s) {
    Node node;
    node.U16(0).U16(s.required).U16(static_cast<std::uint32_t>(s.features.size())).Glyphs(s.features);
    return node;
}

// A GSUB or GPOS table (version 1.0).
inline Node Layout(const std::vector<ScriptSpec>& scripts, const std::vector<FeatureSpec>& features,
                   const std::vector<LookupSpec>& lookups) {
    Node scriptList;
    scriptList.U16(static_cast<std::uint32_t>(scripts.size()));
    for (const ScriptSpec& s : scripts) {
        Node script;
        if (s.asLanguage) {
            script.U16(0).U16(1).Tag("TRK ").Off16(LangSys(s));
        } else {
            script.Off16(LangSys(s)).U16(0);
        }
        scriptList.Tag(s.tag).Off16(std::move(script));
    }
    Node featureList;
    featureList.U16(static_cast<std::uint32_t>(features.size()));
    for (const FeatureSpec& f : features) {
        Node feature;
        feature.U16(0).U16(static_cast<std::uint32_t>(f.lookups.size())).Glyphs(f.lookups);
        featureList.Tag(f.tag).Off16(std::move(feature));
    }
    Node lookupList;
    lookupList.U16(static_cast<std::uint32_t>(lookups.size()));
    for (const LookupSpec& l : lookups) {
        Node lookup;
        lookup.U16(l.type).U16(l.flag).U16(static_cast<std::uint32_t>(l.subtables.size()));
        for (const Node& sub : l.subtables) {
            lookup.Off16(sub);
        }
        lookupList.Off16(std::move(lookup));
    }
    Node table;
    table.U16(1).U16(0).Off16(std::move(scriptList)).Off16(std::move(featureList))
        .Off16(std::move(lookupList));
    return table;
}

// One feature of one lookup under 'latn'.
inline Node OneLookup(const char* feature, LookupSpec lookup) {
    return Layout({{"latn", {0}}}, {{feature, {0}}}, {std::move(lookup)});
}

inline Node SingleSubst(const std::vector<std::uint16_t>& glyphs) {
    return Node().U16(1).Off16(Coverage(glyphs)).U16(100);
}

// Ligatures of one first glyph; each entry lists the components after it.
inline Node LigatureSubst(std::uint16_t first, const std::vector<std::vector<std::uint16_t>>& ligs) {
    Node set;
    set.U16(static_cast<std::uint32_t>(ligs.size()));
    for (const auto& components : ligs) {
        set.Off16(Node().U16(200).U16(static_cast<std::uint32_t>(components.size() + 1))
                      .Glyphs(components));
    }
    return Node().U16(1).Off16(Coverage({first})).U16(1).Off16(std::move(set));
}

// Chained context, format 3: one coverage per position.
inline Node ChainCoverages(const std::vector<Node>& backtrack, const std::vector<Node>& input,
                           const std::vector<Node>& lookahead) {
    Node node;
    node.U16(3);
    for (const auto* part : {&backtrack, &input, &lookahead}) {
        node.U16(static_cast<std::uint32_t>(part->size()));
        for (const Node& coverage : *part) {
            node.Off16(coverage);
        }
    }
    return node.U16(0);
}

struct ClassRule {
    std::vector<std::uint16_t> backtrack, input, lookahead; // input after its first class
};

// Chained context, format 2: the rule set of class inputClass holds rule.
inline Node ChainClasses(Node coverage, Node backtrackDef, Node inputDef, Node lookaheadDef,
                         std::uint16_t inputClass, const ClassRule& rule) {
    Node node;
    node.U16(2).Off16(std::move(coverage)).Off16(std::move(backtrackDef))
        .Off16(std::move(inputDef)).Off16(std::move(lookaheadDef)).U16(inputClass + 1u);
    for (std::uint16_t c = 0; c < inputClass; ++c) {
        node.U16(0); // no rules for the classes before it
    }
    Node r;
    r.U16(static_cast<std::uint32_t>(rule.backtrack.size())).Glyphs(rule.backtrack);
    r.U16(static_cast<std::uint32_t>(rule.input.size() + 1)).Glyphs(rule.input);
    r.U16(static_cast<std::uint32_t>(rule.lookahead.size())).Glyphs(rule.lookahead).U16(0);
    return node.Off16(Node().U16(1).Off16(std::move(r)));
}

// Pair adjustment, format 1, of one pair; the values are advances when their format is 4.
inline Node PairAdjust(std::uint16_t first, std::uint16_t second, std::uint16_t format1,
                       std::uint16_t format2) {
    Node pairSet;
    pairSet.U16(1).U16(second);
    if (format1 == 4) {
        pairSet.U16(0xFFF0);
    }
    if (format2 == 4) {
        pairSet.U16(0x0010);
    }
    return Node().U16(1).Off16(Coverage({first})).U16(format1).U16(format2).U16(1)
        .Off16(std::move(pairSet));
}

inline Node Extension(std::uint16_t type, Node sub) {
    return Node().U16(1).U16(type).Off32(std::move(sub));
}

} // namespace otltest
