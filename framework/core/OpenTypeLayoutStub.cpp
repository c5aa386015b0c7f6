#include "framework/core/OpenTypeLayout.h"

namespace fw {

// Until the tables are read, no font is judged: every text is shaped.
PairwiseShaping JudgePairwiseShaping(const LayoutTables&, const std::vector<std::uint32_t>&) {
    return {};
}

} // namespace fw
