#include "framework/ui/ListState.h"

#include <gtest/gtest.h>
#include <vector>

using fw::Int32;

namespace {

// Rows 2 and 3 of a list are removed, or a row is inserted at 2: where the anchor of a
// selection, the current row or the editor's row land.
TEST(ListStateTest, RowsFollowRemovalAndInsertion) {
    struct Case {
        Int32 row, afterRemoval, afterInsertion;
    };
    const std::vector<Case> cases = {
        {-1, -1, -1},                                     // none stays none
        {0, 0, 0},    {1, 1, 1},  {2, -1, 3}, {3, -1, 4}, // removed: gone
        {4, 2, 5},    {9, 7, 10},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fw::RowAfterRemoval(c.row, 2, 2), c.afterRemoval) << "row " << c.row;
        EXPECT_EQ(fw::RowAfterInsertion(c.row, 2), c.afterInsertion) << "row " << c.row;
    }
    EXPECT_EQ(fw::RowAfterRemoval(5, 0, 0), 5); // removing nothing moves nothing
}

} // namespace
