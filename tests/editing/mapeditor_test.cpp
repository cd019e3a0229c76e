#include "editing/brushsteps.h"
#include "editorfixture.h"
#include "tempfolder.h"

#include <functional>
#include <gtest/gtest.h>

namespace maporv {
namespace {

using Editor = test::EditorFixture;

TEST_F(Editor, WithoutSelectionTheSetKeysChangeOnlyTheCursorHex) {
    brush = {7, 0x12, 0};
    EXPECT_EQ(editor.setTerrain(at(3, 4)), 1);
    EXPECT_EQ(editor.setRoads(at(5, 5)), 1);
    EXPECT_EQ(cell(3, 4), (HexCell{7, 0, 0, 0, 0}));
    EXPECT_EQ(cell(5, 5), (HexCell{0, 0x12, 0, 0, 0}));
    EXPECT_EQ(cell(3, 5), HexCell{});
    EXPECT_TRUE(document.modified);
}

TEST_F(Editor, NothingChangesBeforeThereIsACurrentHex) {
    document.cells[0][0] = {4, 0x11, 0, 0, 0};
    names.addName("A");
    names.setNameAt(0, 0, 1);
    brush = {9, 0x22, 0};
    const std::function<bool()> commands[] = {
        [&] { return editor.setTerrain(nowhere()) != 0; },
        [&] { return editor.setRoads(nowhere()) != 0; },
        [&] { return editor.setData(nowhere()) != 0; },
        [&] { return editor.setName(nowhere()) != 0; },
        [&] { return editor.getTerrain(nowhere()); },
        [&] { return editor.getRoads(nowhere()); },
        [&] { return editor.getData(nowhere()); },
        [&] { return editor.clearTerrain(nowhere()); },
        [&] { return editor.clearRoads(nowhere()); },
        [&] { return editor.stepTerrainUp(nowhere()); },
        [&] { return editor.stepTerrainDown(nowhere()); },
    };
    for (const auto& command : commands) {
        EXPECT_FALSE(command());
    }
    EXPECT_EQ(brush.terrain, 9);
    EXPECT_EQ(brush.roads, 0x22);
    EXPECT_EQ(document.cells[0][0].terrain, 4);
    EXPECT_EQ(names.nameAt(0, 0), 1);
    EXPECT_FALSE(document.modified || names.modified);
    EXPECT_FALSE(history.canUndo());
}

// Before any map is loaded the save questions could only offer a save that cannot
// run: so nothing raises a modified flag then, and no name prompt opens.
TEST_F(Editor, WithoutAMapNothingIsEditedOrPrompted) {
    document.loaded = false;
    brush = {9, 0x22, 0};
    EXPECT_EQ(editor.setTerrain(at(2, 2)), 0);
    EXPECT_EQ(editor.setData(at(2, 2)), 0);
    editor.rightMenuAction(kMenuAddName);
    EXPECT_EQ(editor.addName(), 0);
    EXPECT_FALSE(editor.editName(1));
    EXPECT_EQ(editor.changeTerrain(0, 7), 0);

    EXPECT_EQ(cell(2, 2).terrain, 0);
    EXPECT_TRUE(ui.prompts.empty());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(document.modified || names.modified);
    EXPECT_FALSE(history.canUndo());
}

TEST_F(Editor, AfterAPlainClickTheClickedHexIsTheTargetWhereverThePointerIs) {
    click(2, 2);
    brush.terrain = 5;
    EXPECT_EQ(editor.setTerrain(at(8, 8)), 1);
    EXPECT_EQ(cell(2, 2).terrain, 5);
    EXPECT_EQ(cell(8, 8).terrain, 0);
}

TEST_F(Editor, AnActiveEmptySelectionSetsNothingUntilCleared) {
    click(2, 2);
    click(2, 2, true);
    brush.terrain = 5;
    EXPECT_EQ(editor.setTerrain(at(2, 2)), 0);
    EXPECT_FALSE(document.modified);
    EXPECT_FALSE(history.canUndo());

    selection.clear();
    EXPECT_EQ(editor.setTerrain(at(2, 2)), 1);
}

TEST_F(Editor, RightClickSetsDataOnTheWholeSelection) {
    click(1, 1);
    click(2, 3, false, true);
    brush = {6, 0x21, 0};
    EXPECT_EQ(editor.setData(at(30, 30)), 6);
    EXPECT_EQ(cell(2, 3), (HexCell{6, 0x21, 0, 0, 0}));
    EXPECT_EQ(cell(30, 30), HexCell{});
}

TEST_F(Editor, SettingKeepsTheUninterpretedBytesAndTakesTheLow16BitsOfTheTerrain) {
    cell(0, 0) = {1, 2, 0xA1, 0xA2, 0xA3};
    brush = {0x10005, 0x1FF, 0};
    editor.setData(at(0, 0));
    EXPECT_EQ(cell(0, 0), (HexCell{5, 0x1FF, 0xA1, 0xA2, 0xA3}));
}

TEST_F(Editor, ClearRoadsCopiesIntoTheBrushAndRSetsThemBack) {
    cell(4, 4).roads = 0x12;
    EXPECT_TRUE(editor.clearRoads(at(4, 4)));
    EXPECT_EQ(cell(4, 4).roads, 0);
    EXPECT_EQ(brush.roads, 0x12);
    EXPECT_TRUE(document.modified);

    history.markMapSaved();
    editor.setRoads(at(4, 4));
    EXPECT_EQ(cell(4, 4).roads, 0x12);
    EXPECT_TRUE(document.modified);
}

TEST_F(Editor, ClearTerrainZeroesTheHexUnderThePointerOnly) {
    click(0, 0);
    cell(0, 0).terrain = 3;
    cell(6, 6).terrain = 11;
    editor.clearTerrain(at(6, 6));
    EXPECT_EQ(brush.terrain, 11);
    EXPECT_EQ(cell(6, 6).terrain, 0);
    EXPECT_EQ(cell(0, 0).terrain, 3);
}

TEST_F(Editor, GetCopiesFromTheCurrentHexWithEveryBit) {
    cell(1, 2) = {300, 0x45, 0, 0, 0};
    cell(7, 7) = {9, 0x01, 0, 0, 0};
    EditCursor moved = at(7, 7); // a keypad move the frame has not caught up with
    moved.currentRow = 1;
    moved.currentColumn = 2;
    EXPECT_TRUE(editor.getData(moved));
    EXPECT_EQ(brush.terrain, 300);
    EXPECT_EQ(brush.roads, 0x45);
    EXPECT_FALSE(document.modified);
}

TEST_F(Editor, AHexBeyondTheCellGridReadsEmptyAndIsNeverWritten) {
    brush = {5, 5, 0};
    EXPECT_TRUE(editor.clearTerrain(at(40, 3)));
    EXPECT_EQ(brush.terrain, 0);
    brush.terrain = 5;
    EXPECT_EQ(editor.setData(at(40, 3)), 0);
    EXPECT_FALSE(document.modified);
}

TEST_F(Editor, NameCommandsUseTheCursorAndNeedNoCurrentHex) {
    addNames(2);
    names.setNameAt(0, 0, 2);
    editor.getName(nowhere());
    EXPECT_EQ(brush.nameIndex, 2);

    brush.nameIndex = 0;
    editor.clearName(nowhere());
    EXPECT_EQ(brush.nameIndex, 2);
    EXPECT_EQ(names.nameAt(0, 0), 0);
    EXPECT_TRUE(names.modified);
    EXPECT_FALSE(document.modified);
}

TEST_F(Editor, SetNameWritesTheWholeEntry) {
    test::TempFolder temp;
    addNames(300);
    brush.nameIndex = 300;
    EXPECT_EQ(editor.setName(at(3, 1)), 1);
    EXPECT_EQ(names.nameAt(3, 1), 300);

    const std::string file = temp.path() + "MAP001.TXT";
    ASSERT_TRUE(names.writeNamesFile(file, document, ui));
    names.clearNames();
    names.readNamesFile(file, ui);
    EXPECT_EQ(names.nameText(names.nameAt(3, 1)), "Place 300");
}

TEST_F(Editor, SetNameRefusesAnEntryThatHoldsNoName) {
    addNames(2);
    names.setNameAt(0, 0, 1);
    for (const int entry : {3, 299, 1800, -1}) {
        brush.nameIndex = entry;
        EXPECT_EQ(editor.setName(at(0, 0)), 0) << entry;
    }
    EXPECT_EQ(names.nameAt(0, 0), 1);
    EXPECT_FALSE(names.modified);

    brush.nameIndex = 0;
    EXPECT_EQ(editor.setName(at(0, 0)), 1);
    EXPECT_EQ(names.nameAt(0, 0), 0);
}

TEST(BrushSteps, TerrainWrapsAtBothEnds) {
    struct Case {
        int code, up, down;
    };
    for (const Case& c :
         {Case{19, 0, 18}, Case{0, 1, 19}, Case{5, 6, 4}, Case{300, 0, 299}, Case{-3, -2, 19}}) {
        EXPECT_EQ(nextTerrainCode(c.code), c.up) << c.code;
        EXPECT_EQ(previousTerrainCode(c.code), c.down) << c.code;
    }
}

TEST(BrushSteps, NameEntriesWrapWithinTheList) {
    struct Case {
        int entry, count, previous, next;
    };
    for (const Case& c : {Case{0, 0, 0, 0}, Case{0, 2, 1, 1}, Case{1, 2, 0, 0}, Case{0, 4, 3, 1},
                          Case{3, 4, 2, 0}, Case{9, 4, 3, 0}, Case{5, 1, 0, 0}}) {
        SCOPED_TRACE(testing::Message() << c.entry << " of " << c.count);
        EXPECT_EQ(previousNameEntry(c.entry, c.count), c.previous);
        EXPECT_EQ(nextNameEntry(c.entry, c.count), c.next);
    }
}

TEST_F(Editor, PanelRoadSpotsToggleTheirBitAndKeepTheOthers) {
    const std::pair<int, std::uint16_t> spots[] = {{2, 0x01}, {3, 0x02}, {4, 0x08},
                                                   {5, 0x10}, {6, 0x20}, {7, 0x80}};
    for (const auto& [index, bit] : spots) {
        brush.roads = 0x44;
        editor.rightMenuAction(index);
        EXPECT_EQ(brush.roads, 0x44 | bit) << index;
        editor.rightMenuAction(index);
        EXPECT_EQ(brush.roads, 0x44) << index;
    }
}

TEST_F(Editor, PanelSpotsStepTheBrush) {
    addNames(3);
    brush = {0, 0, 0};
    editor.rightMenuAction(kMenuTerrainDown);
    EXPECT_EQ(brush.terrain, 19);
    editor.rightMenuAction(kMenuTerrainUp);
    EXPECT_EQ(brush.terrain, 0);
    editor.rightMenuAction(kMenuNamePrevious);
    EXPECT_EQ(brush.nameIndex, 3);
    editor.rightMenuAction(kMenuNameNext);
    EXPECT_EQ(brush.nameIndex, 0);

    const Brush before = brush;
    for (const int index : {-1, 13}) {
        editor.rightMenuAction(index);
    }
    EXPECT_EQ(brush.terrain, before.terrain);
    EXPECT_EQ(brush.roads, before.roads);
    EXPECT_EQ(brush.nameIndex, before.nameIndex);
}

TEST_F(Editor, PanelOpensTheSetDataDialogThroughTheWindow) {
    editor.rightMenuAction(kMenuSetDataDialog); // no window yet: nothing
    int opened = 0;
    editor.openSetDataDialog = [&] { ++opened; };
    editor.rightMenuAction(kMenuSetDataDialog);
    EXPECT_EQ(opened, 1);
}

TEST_F(Editor, AddNamePromptsAndAddsAnUnattachedEntry) {
    ui.texts = {std::string("Hilltown"), std::nullopt, std::string("Hilltown")};
    editor.rightMenuAction(kMenuAddName);
    ASSERT_EQ(ui.prompts.size(), 1u);
    EXPECT_EQ(ui.prompts[0].title, "Enter new Terrain name");
    EXPECT_EQ(names.count, 2);
    EXPECT_EQ(names.nameText(1), "Hilltown");
    EXPECT_FALSE(names.isAttached(1));
    EXPECT_EQ(brush.nameIndex, 0);
    EXPECT_TRUE(names.modified);
    EXPECT_EQ(history.undoName(), "Add Name");

    EXPECT_EQ(editor.addName(), 0); // cancelled
    EXPECT_EQ(editor.addName(), 1); // already listed: no new step
    EXPECT_EQ(history.size(), 1u);
}

TEST_F(Editor, EditNameNeedsAnEntry) {
    editor.rightMenuAction(kMenuEditName);
    EXPECT_TRUE(ui.prompts.empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(ui.messages[0].text, "No name to edit !");
}

TEST_F(Editor, EditNameRenamesTheBrushEntry) {
    addNames(2);
    brush.nameIndex = 2;
    ui.texts = {std::string("Rivertown")};
    editor.rightMenuAction(kMenuEditName);
    ASSERT_EQ(ui.prompts.size(), 1u);
    EXPECT_EQ(ui.prompts[0].title, "Edit map name");
    EXPECT_EQ(ui.prompts[0].initial, "Place 2");
    EXPECT_EQ(names.nameText(2), "Rivertown");
    EXPECT_TRUE(names.modified);
    EXPECT_EQ(history.undoName(), "Rename Name");
}

TEST_F(Editor, ChangeTerrainIsOneStepWithItsMessage) {
    cell(0, 0).terrain = 3;
    cell(39, 44).terrain = 3;
    cell(5, 5).terrain = 4;
    EXPECT_EQ(editor.changeTerrain(3, 7), 2);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(history.undoName(), "Change Terrain (2 hexes)");

    EXPECT_EQ(editor.changeTerrain(3, 7), 0); // none left: a message, no step
    EXPECT_EQ(editor.changeTerrain(-1, 7), 0);
    EXPECT_EQ(history.size(), 1u);
}

} // namespace
} // namespace maporv
