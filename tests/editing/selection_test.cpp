#include "editing/selection.h"
#include "mapdata/mapdocument.h"

#include <gtest/gtest.h>
#include <vector>

namespace maporv {
namespace {

class SelectionTest : public testing::Test {
protected:
    MapDocument document;
    Selection selection{document};

    bool click(int row, int column, bool shift = false, bool ctrl = false) {
        return selection.select(row, column, true, shift, ctrl);
    }
    std::vector<HexCoord> selected() const { return selection.targets(-1, -1); }
};

TEST_F(SelectionTest, PlainClickSelectsTheHexAloneAndAnchorsThere) {
    click(1, 1);
    click(5, 7);
    EXPECT_TRUE(document.selectionActive);
    EXPECT_EQ(selected(), (std::vector<HexCoord>{{5, 7}}));
    EXPECT_EQ(selection.anchorRow, 5);
    EXPECT_EQ(selection.anchorColumn, 7);
}

TEST_F(SelectionTest, ShiftOnTheOnlySelectedHexLeavesAnActiveEmptySelection) {
    click(3, 4);
    click(3, 4, true);
    EXPECT_TRUE(document.selectionActive);
    EXPECT_EQ(selection.selectedCount(), 0);
    EXPECT_TRUE(selection.targets(3, 4).empty());

    click(3, 4, true);
    EXPECT_TRUE(selection.isSelected(3, 4));
}

TEST_F(SelectionTest, CtrlSelectsTheInclusiveBlockInEitherOrderAndSpendsTheAnchor) {
    struct Case {
        HexCoord anchor, corner;
    };
    for (const Case& c : {Case{{2, 3}, {4, 6}}, Case{{4, 6}, {2, 3}}, Case{{2, 6}, {4, 3}}}) {
        SCOPED_TRACE(testing::Message() << c.anchor.row << "," << c.anchor.column);
        selection.clear();
        document.selected[0][0] = 1; // an older flag outside the block stays
        selection.select(c.anchor.row, c.anchor.column, true, true, false);
        EXPECT_TRUE(click(c.corner.row, c.corner.column, false, true));
        EXPECT_EQ(selection.selectedCount(), 1 + 3 * 4);
        EXPECT_TRUE(selection.isSelected(2, 3) && selection.isSelected(4, 6));
        EXPECT_TRUE(selection.isSelected(0, 0));
        EXPECT_FALSE(selection.hasAnchor());

        EXPECT_FALSE(click(10, 10, false, true));
        EXPECT_FALSE(selection.isSelected(10, 10));
    }
}

TEST_F(SelectionTest, ShiftWinsOverCtrl) {
    click(1, 1);
    click(3, 3, true, true);
    EXPECT_EQ(selection.selectedCount(), 2);
    EXPECT_EQ(selection.anchorRow, 3);
}

TEST_F(SelectionTest, InvalidCursorOrGridNotReadyDoesNothing) {
    struct Case {
        int row, column;
        bool gridReady;
    };
    for (const Case& c : {Case{-1, 0, true}, Case{0, -1, true}, Case{2, 2, false}}) {
        for (const bool shift : {false, true}) {
            EXPECT_FALSE(selection.select(c.row, c.column, c.gridReady, shift, false));
        }
        EXPECT_FALSE(document.selectionActive);
        EXPECT_FALSE(selection.hasAnchor());
    }
}

TEST_F(SelectionTest, ClearKeepsTheAnchorForABlock) {
    click(1, 1);
    selection.clear();
    EXPECT_FALSE(document.selectionActive);
    EXPECT_EQ(selection.selectedCount(), 0);
    click(2, 2, false, true);
    EXPECT_EQ(selection.selectedCount(), 4);
}

TEST_F(SelectionTest, HexesBeyondTheCellGridAreNeverFlagged) {
    click(41, 50);
    EXPECT_TRUE(document.selectionActive);
    EXPECT_EQ(selection.selectedCount(), 0);
    click(38, 43, false, true);
    EXPECT_EQ(selection.selectedCount(), 2 * 2);
}

TEST_F(SelectionTest, TargetsAreTheCursorHexUntilASelectionIsActive) {
    EXPECT_EQ(selection.targets(6, 2), (std::vector<HexCoord>{{6, 2}}));
    EXPECT_TRUE(selection.targets(40, 2).empty());

    click(9, 1);
    click(2, 8, true);
    EXPECT_EQ(selection.targets(6, 2), (std::vector<HexCoord>{{2, 8}, {9, 1}}));
}

} // namespace
} // namespace maporv
