// The whole rows and columns the grid keeps for the notifications that pack
// them into 16-bit halves, and how a parent takes them back.
#include "grid/GridEventLines.h"

#include <gtest/gtest.h>

namespace {

const UINT kSelect = 1027;
const UINT kEndEdit = 1036;

TEST(GridEventLines, EachMessageTakesItsOwnValuesOnceInOrder)
{
    CGridEventLines store;
    // Two posted edits whose packed halves are the same (66000 and 464).
    store.Note(kEndEdit, 464 | (2 << 16), 0, GridEventLines{66000, 2});
    store.Note(kEndEdit, 464 | (2 << 16), 0, GridEventLines{464, 2});
    store.Note(kSelect, 7, 8, GridEventLines{7, 0, 8, 0});
    GridEventLines lines;
    ASSERT_TRUE(store.Take(kEndEdit, 464 | (2 << 16), 0, lines));
    EXPECT_EQ(66000, lines.row);
    ASSERT_TRUE(store.Take(kEndEdit, 464 | (2 << 16), 0, lines));
    EXPECT_EQ(464, lines.row);
    EXPECT_FALSE(store.Take(kEndEdit, 464 | (2 << 16), 0, lines)) << "taken once";
    ASSERT_TRUE(store.Take(kSelect, 7, 8, lines));
    EXPECT_EQ(8, lines.row2);
    // A message the grid kept nothing for (another sender's) finds nothing.
    EXPECT_FALSE(store.Take(kSelect, 7, 9, lines));
}

TEST(GridEventLines, UntakenAndForgottenValuesGo)
{
    CGridEventLines store;
    // A message the parent never took is dropped once a later one of its
    // number is taken.
    store.Note(kEndEdit, 1, 0, GridEventLines{65537, 0});
    store.Note(kEndEdit, 2, 0, GridEventLines{65538, 0});
    GridEventLines lines;
    ASSERT_TRUE(store.Take(kEndEdit, 2, 0, lines));
    EXPECT_FALSE(store.Take(kEndEdit, 1, 0, lines));
    // A message that could not be posted is forgotten.
    const unsigned ticket = store.Note(kEndEdit, 3, 0, GridEventLines{65539, 0});
    store.Forget(ticket);
    EXPECT_FALSE(store.Take(kEndEdit, 3, 0, lines));
    // A parent that never takes anything costs at most the newest kMaxPending.
    for (LONG i = 0; i < 1000; ++i)
        store.Note(kSelect, static_cast<WPARAM>(i), 0, GridEventLines{i, 0, i, 0});
    EXPECT_FALSE(store.Take(kSelect, 0, 0, lines));
    const LONG oldestKept = 1000 - static_cast<LONG>(CGridEventLines::kMaxPending);
    ASSERT_TRUE(store.Take(kSelect, static_cast<WPARAM>(oldestKept), 0, lines));
    EXPECT_EQ(oldestKept, lines.row);
}

}  // namespace
