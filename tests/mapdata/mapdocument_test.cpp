#include "mapdata/mapdocument.h"
#include "mapdata/terraintype.h"
#include "scripteduserinterface.h"
#include "tempfolder.h"

#include <gtest/gtest.h>
#include <random>

namespace maporv {
namespace {

std::string mapBytes(std::uint16_t number, std::uint16_t width, std::uint16_t height,
                     unsigned seed = 1) {
    std::string bytes(kMapFileSize, '\0');
    std::mt19937 random(seed);
    for (char& b : bytes) {
        b = static_cast<char>(random() & 0xFF);
    }
    bytes[0] = static_cast<char>(number & 0xFF);
    bytes[1] = static_cast<char>(number >> 8);
    bytes[2] = static_cast<char>(width & 0xFF);
    bytes[3] = static_cast<char>(width >> 8);
    bytes[4] = static_cast<char>(height & 0xFF);
    bytes[5] = static_cast<char>(height >> 8);
    return bytes;
}

TEST(TerrainType, NamesCodesZeroToNineteen) {
    EXPECT_STREQ(terrainName(0), "Clear");
    EXPECT_STREQ(terrainName(15), "Impassable River");
    EXPECT_STREQ(terrainName(19), "Lake region");
    EXPECT_EQ(terrainName(20), nullptr);
    EXPECT_EQ(terrainName(25), nullptr);
    EXPECT_EQ(terrainName(-1), nullptr);
    EXPECT_EQ(RoadMask::Settable, 0xBB);
    EXPECT_EQ(RoadMask::Settable & (RoadMask::Bit2 | RoadMask::Bit6), 0);
}

TEST(MapFile, RoundTripsEveryByte) {
    test::TempFolder temp;
    test::ScriptedUserInterface ui;
    for (int width : {1, 17, 45}) {
        for (int height : {1, 23, 40}) {
            SCOPED_TRACE(testing::Message() << width << "x" << height);
            const std::string original =
                mapBytes(7, static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height),
                         static_cast<unsigned>(width * 100 + height));
            const std::string in = temp.write("SCENARIO/IN.MAP", original);
            MapDocument document;
            ASSERT_TRUE(document.readMapFile(in, false, temp.path(), ui));
            ASSERT_TRUE(document.writeMapFile(temp.path() + "SCENARIO/OUT.MAP", ui));
            EXPECT_EQ(temp.read("SCENARIO/OUT.MAP"), original);
        }
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST(MapFile, ClampsTheHeaderDimensions) {
    struct Case {
        std::uint16_t width, height, expectedWidth, expectedHeight;
    };
    const Case cases[] = {
        {0, 0, 1, 1}, {300, 41, 45, 40}, {45, 40, 45, 40}, {2, 39, 2, 39}, {65535, 1, 45, 1}};
    test::TempFolder temp;
    test::ScriptedUserInterface ui;
    for (const Case& c : cases) {
        const std::string in = temp.write("X.MAP", mapBytes(1, c.width, c.height));
        MapDocument document;
        ASSERT_TRUE(document.readMapFile(in, false, temp.path(), ui));
        EXPECT_EQ(document.width, c.expectedWidth);
        EXPECT_EQ(document.height, c.expectedHeight);
        // Writing stores the clamped values.
        ASSERT_TRUE(document.writeMapFile(temp.path() + "Y.MAP", ui));
        const std::string written = temp.read("Y.MAP");
        EXPECT_EQ(static_cast<unsigned char>(written[2]), c.expectedWidth & 0xFF);
        EXPECT_EQ(static_cast<unsigned char>(written[4]), c.expectedHeight & 0xFF);
    }
}

TEST(MapFile, ShortFileLeavesUnreachedCellsClearAndHeaderAsItWas) {
    test::TempFolder temp;
    test::ScriptedUserInterface ui;
    MapDocument document;
    document.trailer[0] = 0x5A;
    document.cells[3][4].terrain = 9;
    // 10 bytes: the whole header, no cells.
    const std::string in = temp.write("SHORT.MAP", mapBytes(5, 20, 30).substr(0, 10));
    ASSERT_TRUE(document.readMapFile(in, false, temp.path(), ui));
    EXPECT_EQ(document.mapNumber, 5);
    EXPECT_EQ(document.cells[3][4], HexCell{});
    EXPECT_EQ(document.trailer[0], 0x5A);
    EXPECT_TRUE(document.loaded);
    EXPECT_TRUE(ui.messages.empty());

    // A cell cut in the middle keeps what was read and zero for the rest.
    std::string partial = mapBytes(5, 20, 30).substr(0, 10 + 7 + 1);
    partial[10] = 3;
    partial[11] = 0;
    partial[12] = 0x12;
    partial[13] = 0;
    document.readMapFile(temp.write("CUT.MAP", partial), false, temp.path(), ui);
    EXPECT_EQ(document.cells[0][0].terrain, 3);
    EXPECT_EQ(document.cells[0][0].roads, 0x12);
    EXPECT_EQ(document.cells[0][1], HexCell{});

    // An empty file reads as a cleared map.
    ASSERT_TRUE(document.readMapFile(temp.write("EMPTY.MAP", ""), false, temp.path(), ui));
    EXPECT_EQ(document.cells[0][0], HexCell{});
}

TEST(MapFile, DerivesTileNamesFromTheMapNumber) {
    struct Case {
        std::uint16_t number;
        const char* tile;
    };
    const Case cases[] = {
        {0, "MAP0000.s16"}, {9, "MAP0900.s16"}, {10, "MAP1000.s16"}, {123, "MAP12300.s16"}};
    for (const Case& c : cases) {
        MapDocument document;
        document.mapNumber = c.number;
        document.path = "/c/G/SCENARIO/X.MAP";
        document.deriveTileNames();
        EXPECT_EQ(document.tileName, c.tile);
        EXPECT_EQ(document.picturePath, std::string("/c/G/MAP/") + c.tile);
    }
}

TEST(MapFile, LoadsThePictureBesideTheScenarioFolder) {
    test::TempFolder temp;
    test::ScriptedUserInterface ui;
    temp.write("map/map0500.S16", "tile");
    const std::string in = temp.write("Scenario/x.map", mapBytes(5, 45, 40));
    MapDocument document;
    document.pictureFromBmp = true;
    std::string loaded;
    ASSERT_TRUE(document.readMapFile(in, false, temp.path(), ui, [&](const std::string& p) {
        loaded = p;
        return true;
    }));
    EXPECT_EQ(document.picturePath, temp.path() + "MAP/MAP0500.s16");
    EXPECT_EQ(loaded, temp.path() + "MAP/MAP0500.s16");
    EXPECT_FALSE(document.pictureFromBmp);
}

TEST(MapFile, KeepsAChosenPicture) {
    test::TempFolder temp;
    test::ScriptedUserInterface ui;
    const std::string in = temp.write("SCENARIO/X.MAP", mapBytes(5, 45, 40));
    MapDocument document;
    document.picturePath = temp.write("pics/other.bmp", "b");
    std::string loaded;
    document.readMapFile(in, true, temp.path(), ui, [&](const std::string& p) {
        loaded = p;
        return true;
    });
    EXPECT_EQ(loaded, temp.path() + "pics/other.bmp");
}

TEST(MapFile, FallsBackToTheScenarioFolderThenThePicker) {
    test::TempFolder temp;
    test::ScriptedUserInterface ui;
    temp.write("SCENARIO/DEMO.MAP", mapBytes(12, 45, 40));
    MapDocument document;
    // A path elsewhere finds the map of the same title in the game's SCENARIO folder.
    ASSERT_TRUE(document.readMapFile("/nowhere/demo.map", false, temp.path(), ui));
    EXPECT_EQ(document.mapNumber, 12);
    EXPECT_EQ(document.path, temp.path() + "SCENARIO/demo.MAP");

    // Nothing there: the picker is asked, starting from the failed path.
    const std::string picked = temp.write("elsewhere/P.MAP", mapBytes(3, 45, 40));
    ui.files.push_back(picked);
    ASSERT_TRUE(document.readMapFile("/nowhere/missing.map", false, temp.path(), ui));
    ASSERT_EQ(ui.filePicks.size(), 1u);
    EXPECT_EQ(ui.filePicks[0].typeOrKind, FileType::Map);
    EXPECT_EQ(ui.filePicks[0].initial, temp.path() + "SCENARIO/missing.MAP");
    EXPECT_EQ(document.path, picked);
    EXPECT_EQ(document.mapNumber, 3);
}

TEST(MapFile, ReportsAMissingFileAndLeavesTheMapWhole) {
    test::TempFolder temp;
    test::ScriptedUserInterface ui;
    MapDocument document;
    document.cells[1][1].terrain = 4;
    document.mapNumber = 9;
    document.path = "/old.map";
    EXPECT_FALSE(document.readMapFile("/nowhere/gone.map", false, temp.path(), ui));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Map file [" + temp.path() + "SCENARIO/gone.MAP]\nnot found");
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Plain);
    // Saving it now must not write an empty map over the old file.
    EXPECT_EQ(document.cells[1][1].terrain, 4);
    EXPECT_EQ(document.mapNumber, 9);
    EXPECT_EQ(document.path, "/old.map");
}

TEST(MapFile, FailedWriteKeepsTheOldFileAndTheModifiedFlag) {
    test::TempFolder temp;
    test::ScriptedUserInterface ui;
    MapDocument document;
    document.modified = true;
    document.path = "/a.map";
    const std::string target = temp.path() + "missing-folder/X.MAP";
    EXPECT_FALSE(document.writeMapFile(target, ui));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(ui.messages[0].text, "Error on creating [" + target + "]");
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(document.path, "/a.map");
}

TEST(MapDocument, ClearKeepsHeaderAndFlagsAndCellsOutsideTheGridAreUnreachable) {
    MapDocument document;
    document.mapNumber = 4;
    document.modified = true;
    document.loaded = true;
    document.pictureFromBmp = true;
    document.selectionActive = true;
    document.selected[2][2] = 1;
    document.cells[39][44] = {7, 0x44, 1, 2, 3};
    document.clearMap();
    EXPECT_EQ(document.cells[39][44], HexCell{});
    EXPECT_EQ(document.selected[2][2], 0);
    EXPECT_FALSE(document.pictureFromBmp);
    EXPECT_FALSE(document.selectionActive);
    EXPECT_TRUE(document.modified);
    EXPECT_TRUE(document.loaded);
    EXPECT_EQ(document.mapNumber, 4);

    EXPECT_NE(document.cellAt(39, 44), nullptr);
    EXPECT_EQ(document.cellAt(40, 0), nullptr);
    EXPECT_EQ(document.cellAt(0, 45), nullptr);
    EXPECT_EQ(document.cellAt(-1, 3), nullptr);
}

} // namespace
} // namespace maporv
