#include "editorfixture.h"

#include <functional>
#include <gtest/gtest.h>

namespace maporv {
namespace {

using History = test::EditorFixture;

// What undo and redo must bring back exactly.
struct Snapshot {
    MapDocument::Grid<HexCell> cells;
    MapDocument::Grid<std::uint16_t> nameIndex;
    std::array<std::string, kNameEntries> list;
    int count = 0;

    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const MapDocument& document, const MapNames& names) {
    return {document.cells, names.nameIndex, names.names, names.count};
}

class EveryStep;

struct StepCase {
    const char* name;
    bool touchesMap;
    std::function<void(EveryStep&)> run;
};

void PrintTo(const StepCase& c, std::ostream* out) {
    *out << c.name;
}

class EveryStep : public test::EditorFixture, public testing::WithParamInterface<StepCase> {
public:
    EveryStep() {
        addNames(2);
        names.setNameAt(0, 0, 1);
        cell(0, 0) = {4, 0x10, 0, 0, 0};
        document.modified = false;
        names.modified = false;
        history.clear();
    }
    void selectRow1() {
        click(1, 1);
        click(1, 3, false, true);
    }
};

TEST_P(EveryStep, IsOneStepThatUndoesAndRedoesExactly) {
    const StepCase& c = GetParam();
    const Snapshot before = snapshot(document, names);
    c.run(*this);
    const Snapshot after = snapshot(document, names);
    ASSERT_NE(before, after);
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history.undoName(), c.name);
    bool& flag = c.touchesMap ? document.modified : names.modified;
    const bool& other = c.touchesMap ? names.modified : document.modified;
    EXPECT_TRUE(flag);
    const Brush brushAfter = brush;

    EXPECT_TRUE(history.undo());
    EXPECT_EQ(snapshot(document, names), before);
    EXPECT_FALSE(flag);
    EXPECT_EQ(history.redoName(), c.name);
    EXPECT_EQ(brush.terrain, brushAfter.terrain); // undo restores hexes, not the brush
    EXPECT_EQ(brush.roads, brushAfter.roads);
    EXPECT_EQ(brush.nameIndex, brushAfter.nameIndex);

    EXPECT_TRUE(history.redo());
    EXPECT_EQ(snapshot(document, names), after);
    EXPECT_TRUE(flag);
    EXPECT_FALSE(other);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, EveryStep,
    testing::Values(
        StepCase{"Set Terrain (3 hexes)", true,
                 [](EveryStep& f) {
                     f.selectRow1();
                     f.brush.terrain = 5;
                     f.editor.setTerrain(f.at(9, 9));
                 }},
        StepCase{"Set Roads (1 hex)", true,
                 [](EveryStep& f) {
                     f.brush.roads = 0x12;
                     f.editor.setRoads(f.at(2, 2));
                 }},
        StepCase{"Set Data (3 hexes)", true,
                 [](EveryStep& f) {
                     f.selectRow1();
                     f.brush = {6, 0x21, 0};
                     f.editor.setData(f.at(9, 9));
                 }},
        StepCase{"Set Name (3 hexes)", false,
                 [](EveryStep& f) {
                     f.selectRow1();
                     f.brush.nameIndex = 2;
                     f.editor.setName(f.at(9, 9));
                 }},
        StepCase{"Clear Terrain", true, [](EveryStep& f) { f.editor.clearTerrain(f.at(0, 0)); }},
        StepCase{"Clear Roads", true, [](EveryStep& f) { f.editor.clearRoads(f.at(0, 0)); }},
        StepCase{"Clear Name", false, [](EveryStep& f) { f.editor.clearName(f.at(0, 0)); }},
        StepCase{"Add Name", false,
                 [](EveryStep& f) {
                     f.ui.texts.push_back(std::string("Hilltown"));
                     f.editor.rightMenuAction(kMenuAddName);
                 }},
        StepCase{"Rename Name", false,
                 [](EveryStep& f) {
                     f.ui.texts.push_back(std::string("Hilltown"));
                     f.editor.editName(2);
                 }},
        StepCase{"Change Terrain (1 hex)", true,
                 [](EveryStep& f) { f.editor.changeTerrain(4, 8); }}));

TEST_F(History, FlagsFollowTheSavedPoint) {
    brush.terrain = 5;
    editor.setTerrain(at(0, 0));
    history.markMapSaved();
    EXPECT_FALSE(document.modified);
    editor.setTerrain(at(0, 1));

    const bool expected[] = {false, true, false, true};
    history.undo();
    EXPECT_EQ(document.modified, expected[0]);
    history.undo();
    EXPECT_EQ(document.modified, expected[1]);
    history.redo();
    EXPECT_EQ(document.modified, expected[2]);
    history.redo();
    EXPECT_EQ(document.modified, expected[3]);
}

TEST_F(History, NameStepsLeaveTheMapFlagAloneAndTheOtherWayRound) {
    addNames(1);
    brush = {5, 0, 1};
    editor.setTerrain(at(0, 0));
    editor.setName(at(0, 0));
    history.markMapSaved();

    history.undo();
    EXPECT_FALSE(document.modified);
    EXPECT_FALSE(names.modified);
    history.undo();
    EXPECT_TRUE(document.modified);
    EXPECT_FALSE(names.modified);
}

TEST_F(History, ANewEditDiscardsTheRedoSide) {
    brush.terrain = 5;
    editor.setTerrain(at(0, 0));
    history.undo();
    brush.terrain = 6;
    editor.setTerrain(at(1, 1));

    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.redoName(), "");
    EXPECT_EQ(history.size(), 1u);
    history.undo();
    EXPECT_EQ(cell(0, 0).terrain, 0);
    EXPECT_EQ(cell(1, 1).terrain, 0);
    EXPECT_FALSE(document.modified);
}

TEST_F(History, ASavedStateDiscardedWithTheRedoSideIsNeverCleanAgain) {
    brush.terrain = 5;
    editor.setTerrain(at(0, 0));
    history.markMapSaved();
    history.undo();
    editor.setTerrain(at(1, 1));
    history.undo();
    EXPECT_TRUE(document.modified);
}

TEST_F(History, AWholeMapSelectionIsOneStep) {
    click(0, 0);
    click(kMapRows - 1, kMapColumns - 1, false, true);
    brush.terrain = 12;
    EXPECT_EQ(editor.setTerrain(at(0, 0)), 1800);
    EXPECT_EQ(history.size(), 1u);
    EXPECT_EQ(history.undoName(), "Set Terrain (1800 hexes)");

    history.undo();
    EXPECT_EQ(snapshot(document, names), Snapshot{});
}

TEST_F(History, CommandsThatChangeNothingRecordNothing) {
    cell(0, 0).terrain = 5;
    brush.terrain = 5;
    editor.setTerrain(at(0, 0));
    editor.clearRoads(at(0, 0));
    editor.clearName(at(0, 0));
    editor.getData(at(0, 0));
    editor.stepTerrainUp(at(0, 0));
    editor.rightMenuAction(kMenuRoadN);
    click(0, 0);
    click(0, 0, true);
    editor.setData(at(0, 0));

    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(document.modified || names.modified);
}

// Whoever keeps a copy of unsaved work hears of every change, and of nothing else.
TEST_F(History, TellsOfEveryChangeOfTheDataOrItsFlags) {
    int told = 0;
    history.changed = [&told](bool, bool) { ++told; };
    brush.terrain = 6;
    editor.setTerrain(at(2, 2));
    editor.setTerrain(at(2, 2)); // changes nothing, records nothing
    editor.getTerrain(at(3, 3)); // the brush only
    EXPECT_EQ(told, 1);
    history.undo();
    history.redo();
    history.markMapSaved();
    history.markNamesSaved();
    history.namesReplaced();
    history.clear();
    EXPECT_EQ(told, 7);
}

TEST_F(History, ClearStartsAfreshForALoadedMap) {
    brush.terrain = 5;
    editor.setTerrain(at(0, 0));
    document.clearMap(); // what a load does, then the file clears the flag
    document.modified = false;
    history.clear();
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(history.undo());
    EXPECT_EQ(history.undoName(), "");

    editor.setTerrain(at(1, 1));
    history.undo();
    EXPECT_FALSE(document.modified);
}

TEST_F(History, ClearOfAnUnsavedMapLeavesItModified) {
    document.modified = true;
    history.clear();
    brush.terrain = 5;
    editor.setTerrain(at(1, 1));
    history.undo();
    EXPECT_TRUE(document.modified);
}

TEST_F(History, WritesOutsideTheHistoryStillCount) {
    brush.terrain = 5;
    editor.setTerrain(at(0, 0));
    document.modified = false; // written without telling the history
    history.undo();
    EXPECT_TRUE(document.modified);
    history.redo();
    EXPECT_FALSE(document.modified);

    document.modified = true; // an unrecorded change: no way back to clean
    history.undo();
    history.redo();
    EXPECT_TRUE(document.modified);
}

TEST_F(History, TheOldestStepsGoBeyondTheCap) {
    EditHistory shortHistory(document, names, 3);
    MapEditor shortEditor(document, names, brush, selection, shortHistory, ui);
    for (int i = 1; i <= 5; ++i) {
        brush.terrain = i;
        shortEditor.setTerrain(at(0, i));
    }
    EXPECT_EQ(shortHistory.size(), 3u);
    while (shortHistory.undo()) {
    }
    EXPECT_EQ(cell(0, 2).terrain, 2);
    EXPECT_EQ(cell(0, 3).terrain, 0);
    EXPECT_TRUE(document.modified); // the saved state went with the oldest steps
}

TEST_F(History, TheNewestStepStaysWhateverItsSize) {
    EditHistory smallHistory(document, names, 1000, 10);
    MapEditor smallEditor(document, names, brush, selection, smallHistory, ui);
    brush.terrain = 1;
    smallEditor.setTerrain(at(5, 5));
    click(0, 0);
    click(9, 9, false, true);
    brush.terrain = 2;
    smallEditor.setTerrain(at(0, 0));
    EXPECT_EQ(smallHistory.size(), 1u);
    EXPECT_TRUE(smallHistory.undo());
    EXPECT_EQ(cell(9, 9).terrain, 0);
    EXPECT_EQ(cell(5, 5).terrain, 1);
}

TEST_F(History, ReplacedNamesKeepTheMapStepsUndoable) {
    addNames(1);
    brush = {5, 0, 1};
    editor.setTerrain(at(0, 0));
    editor.setName(at(1, 1));
    editor.setTerrain(at(2, 2));

    names.clearNames();
    names.addName("Other");
    history.namesReplaced();
    EXPECT_EQ(history.size(), 2u);
    EXPECT_FALSE(names.modified);

    history.undo();
    history.undo();
    EXPECT_EQ(cell(0, 0).terrain, 0);
    EXPECT_EQ(names.count, 2);
    EXPECT_FALSE(document.modified);
    EXPECT_FALSE(names.modified);
}

TEST_F(History, AnUndoneNameCannotBeSet) {
    ui.texts = {std::string("Hilltown")};
    brush.nameIndex = editor.addName();
    history.undo();
    EXPECT_EQ(names.count, 0);
    EXPECT_EQ(names.nameText(1), "");
    EXPECT_EQ(editor.setName(at(0, 0)), 0);

    history.redo();
    EXPECT_EQ(editor.setName(at(0, 0)), 1);
    EXPECT_EQ(names.nameText(names.nameAt(0, 0)), "Hilltown");
}

} // namespace
} // namespace maporv
