#include "editing/misctoolsmodel.h"
#include "mapdata/mapdocument.h"
#include "mapdata/mapsreport.h"
#include "mapdata/terrainchange.h"
#include "scripteduserinterface.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

namespace maporv {
namespace {

// The first bytes of a MAP file: only the map number is read by the scan.
std::string mapHeader(int number) {
    const auto value = static_cast<std::uint16_t>(number);
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8), '\x2D', '\0'};
}

std::vector<std::string> texts(const std::vector<MapListItem>& items) {
    std::vector<std::string> result;
    for (const MapListItem& item : items) {
        result.push_back(item.text);
    }
    return result;
}

TEST(TerrainChange, ReplacesEveryHexOfOneType) {
    MapDocument document;
    for (int i = 0; i < 12; ++i) {
        document.cells[static_cast<std::size_t>(i * 3)][static_cast<std::size_t>(i)].terrain = 3;
    }
    document.cells[0][1].terrain = 5;
    test::ScriptedUserInterface ui;
    MiscToolsModel tools;
    tools.fromTerrain = 3;
    tools.toTerrain = 0;
    auto change = [&](int from, int to) { return changeTerrain(document, from, to, ui); };
    EXPECT_EQ(tools.makeChanges(change), 12);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Plain);
    EXPECT_EQ(ui.messages[0].text, "Done !\n12 Terrain types changed\nfrom: Forest\nto Clear");
    EXPECT_EQ(document.cells[33][11].terrain, 0);
    EXPECT_EQ(document.cells[0][1].terrain, 5);
    EXPECT_TRUE(tools.terrainChanged);

    // No hex left: the message still comes, and nothing more changes.
    document.modified = false;
    EXPECT_EQ(tools.makeChanges(change), 0);
    EXPECT_EQ(ui.lastMessage(), "Done !\n0 Terrain types changed\nfrom: Forest\nto Clear");
    EXPECT_FALSE(document.modified);
    EXPECT_TRUE(tools.terrainChanged);
}

TEST(TerrainChange, NothingWithoutTwoDifferentTypes) {
    MapDocument document;
    test::ScriptedUserInterface ui;
    for (auto [from, to] : {std::pair{-1, 0}, {0, -1}, {-1, -1}, {4, 4}, {0, 20}, {25, 0}}) {
        EXPECT_EQ(changeTerrain(document, from, to, ui), 0);
    }
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(document.cells[0][0].terrain, 0);
    EXPECT_FALSE(document.modified);
}

TEST(MapList, SortsLikeTheListBox) {
    const std::vector<MapFileEntry> entries = {{"b.map", 100}, {"C.MAP", 7},    {"a.MAP", 12},
                                               {"B2.MAP", 7},  {"z.map", 9999}, {"n.map", 0}};
    EXPECT_EQ(texts(buildMapList(entries, ReportMode::ByName, false)),
              (std::vector<std::string>{"a.MAP   #12", "b.map   #100", "B2.MAP   #7", "C.MAP   #7",
                                        "n.map   #0", "z.map   #9999"}));
    EXPECT_EQ(texts(buildMapList(entries, ReportMode::ByNumber, false)),
              (std::vector<std::string>{"   0   n.map", "   7   B2.MAP", "   7   C.MAP",
                                        "  12   a.MAP", " 100   b.map", "9999   z.map"}));
    // Numbers outside 0..9999 stay in numeric order.
    const std::vector<MapFileEntry> wide = {
        {"a.map", 12345}, {"b.map", 2000}, {"c.map", -5}, {"d.map", 3}};
    EXPECT_EQ(texts(buildMapList(wide, ReportMode::ByNumber, true)),
              (std::vector<std::string>{"  -5.c.map", "   3.d.map", "2000.b.map", "12345.a.map"}));
}

struct Folder : testing::Test {
    test::TempFolder temp;
    test::ScriptedUserInterface ui;
    MiscToolsModel tools;

    void SetUp() override {
        tools.scenarioFolder = temp.makeFolder("SCENARIO");
        tools.reportFile = tools.scenarioFolder + "MapsReport.txt";
    }
    std::string report() const { return temp.read("SCENARIO/MapsReport.txt"); }
};

using Report = Folder;

TEST_F(Report, SameNumberOnOneLine) {
    temp.write("SCENARIO/A.MAP", mapHeader(5));
    temp.write("SCENARIO/B.MAP", mapHeader(5));
    temp.write("SCENARIO/C.MAP", mapHeader(12));
    ASSERT_TRUE(tools.scanFolder(ui));
    ASSERT_TRUE(tools.writeReport(ui));
    EXPECT_EQ(report(), "Map files on folder: " + tools.scenarioFolder +
                            "\n\n"
                            "Mapno     Mapname\n"
                            "=======================================\n"
                            "    5     A.MAP ; B.MAP\n"
                            "   12     C.MAP\n"
                            "\n");
    EXPECT_EQ(ui.launched, std::vector<std::string>{tools.reportFile});
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Report, EveryModeToTheCharacter) {
    temp.write("SCENARIO/zeta.map", mapHeader(12));
    temp.write("SCENARIO/Alpha.MAP", mapHeader(7));
    temp.write("SCENARIO/beta.Map", mapHeader(12));
    temp.write("SCENARIO/A_MAP_NAME_LONGER_THAN_THIRTY_ONE.MAP", mapHeader(1234));
    temp.write("SCENARIO/notes.txt", "not a map");
    temp.write("SCENARIO/short.map", ""); // no number in it: 0
    ASSERT_TRUE(tools.scanFolder(ui));
    EXPECT_EQ(tools.listTitle(), "5 mapfiles");

    const std::string heading = "Map files on folder: " + tools.scenarioFolder + "\n\n";
    const std::string byName = "Mapname                       Mapnumber\n"
                               "=======================================\n"
                               "A_MAP_NAME_LONGER_THAN_THIRTY_O1234\n"
                               "Alpha.MAP.........................7\n"
                               "beta.Map.........................12\n"
                               "short.map.........................0\n"
                               "zeta.map.........................12\n"
                               "\n";
    const std::string byNumber = "Mapno     Mapname\n"
                                 "=======================================\n"
                                 "    0     short.map\n"
                                 "    7     Alpha.MAP\n"
                                 "   12     beta.Map ; zeta.map\n"
                                 " 1234     A_MAP_NAME_LONGER_THAN_THIRTY_ONE.MAP\n"
                                 "\n";
    struct Case {
        int mode;
        std::string expected;
    };
    const Case cases[] = {{ReportMode::ByName, heading + byName},
                          {ReportMode::ByNumber, heading + byNumber},
                          {ReportMode::Both, heading + byName + byNumber}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        tools.setReportMode(c.mode);
        ASSERT_TRUE(tools.writeReport(ui));
        EXPECT_EQ(report(), c.expected);
        // Afterwards the list is back in its display form.
        EXPECT_FALSE(tools.forReport);
        EXPECT_EQ(tools.shownMode, c.mode);
        EXPECT_EQ(tools.listItems().front().text,
                  c.mode == ReportMode::ByName ? "A_MAP_NAME_LONGER_THAN_THIRTY_ONE.MAP   #1234"
                                               : "   0   short.map");
    }
    EXPECT_EQ(ui.launched.size(), 3u);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Report, NothingToDoAndUnwritableFile) {
    temp.write("SCENARIO/readme.txt", "x");
    ASSERT_TRUE(tools.scanFolder(ui));
    EXPECT_EQ(tools.listTitle(), "0 mapfiles");
    EXPECT_TRUE(tools.listItems().empty());
    EXPECT_FALSE(tools.writeReport(ui));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"There is nothing to do !"});
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);

    ui.clearRecord();
    temp.write("SCENARIO/A.MAP", mapHeader(1));
    tools.scanFolder(ui);
    tools.reportFile = temp.path() + "missing/report.txt";
    EXPECT_FALSE(tools.writeReport(ui));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"Error on creating [" + temp.path() +
                                                          "missing/report.txt]"});
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(ui.launched.empty());
    EXPECT_EQ(tools.listItems().front().text, "   1   A.MAP");
}

using Dialog = Folder;

TEST_F(Dialog, OpensOnTheScenarioFolderBesideTheLastFile) {
    temp.write("Game/Scenario/one.map", mapHeader(3));
    MiscToolsModel fresh;
    fresh.open(temp.path() + "Game/Scenario/one.map", ui);
    EXPECT_EQ(fresh.scenarioFolder, temp.path() + "Game/SCENARIO/");
    EXPECT_EQ(fresh.reportFile, temp.path() + "Game/SCENARIO/MapsReport.txt");
    EXPECT_EQ(fresh.reportMode, ReportMode::ByNumber);
    EXPECT_EQ(fresh.shownMode, ReportMode::ByNumber);
    ASSERT_EQ(fresh.maps().size(), 1u);
    EXPECT_EQ(fresh.maps()[0].fileName, "one.map");
    EXPECT_EQ(fresh.maps()[0].number, 3);
    EXPECT_EQ(fresh.listTitle(), "1 mapfiles");

    // Fields the user already set are kept.
    fresh.open("/elsewhere/x.map", ui);
    EXPECT_EQ(fresh.scenarioFolder, temp.path() + "Game/SCENARIO/");
}

TEST_F(Dialog, ChangesFolderAndReportFile) {
    const std::string other = temp.makeFolder("other");
    temp.write("other/Q.MAP", mapHeader(44));

    // The same folder again is not rescanned; a new one is.
    ui.folders = {tools.scenarioFolder, other};
    EXPECT_FALSE(tools.browseFolder(ui));
    EXPECT_TRUE(tools.browseFolder(ui));
    EXPECT_EQ(ui.folderPicks[0].typeOrKind, FolderKind::Scenario);
    EXPECT_EQ(ui.folderPicks[0].initial, temp.path() + "SCENARIO/");
    EXPECT_EQ(ui.folderPicks[0].title, "Select SCENARIO folder (for .map files)");
    EXPECT_EQ(tools.scenarioFolder, other);
    EXPECT_EQ(tools.maps().size(), 1u);

    tools.folderEdited(temp.path() + "SCENARIO", ui);
    EXPECT_EQ(tools.scenarioFolder, temp.path() + "SCENARIO/");
    EXPECT_TRUE(tools.maps().empty());
    ui.files = {"/r/out.txt"};
    EXPECT_TRUE(tools.browseReportFile(ui));
    EXPECT_EQ(ui.filePicks[0].typeOrKind, FileType::Text);
    EXPECT_EQ(ui.filePicks[0].initial, temp.path() + "SCENARIO/MapsReport.txt");
    EXPECT_EQ(ui.filePicks[0].title, "Select File for Report");
    EXPECT_EQ(tools.reportFile, "/r/out.txt");
}

TEST_F(Dialog, RadioButtonsRebuildTheListTexts) {
    temp.write("SCENARIO/b.map", mapHeader(2));
    temp.write("SCENARIO/a.map", mapHeader(9));
    tools.scanFolder(ui);
    EXPECT_EQ(texts(tools.listItems()), (std::vector<std::string>{"   2   b.map", "   9   a.map"}));
    tools.setReportMode(ReportMode::ByName);
    EXPECT_EQ(texts(tools.listItems()), (std::vector<std::string>{"a.map   #9", "b.map   #2"}));
    EXPECT_EQ(tools.listItems()[0].number, 9);
    EXPECT_EQ(tools.shownMode, ReportMode::ByName);

    tools.close();
    EXPECT_TRUE(tools.maps().empty());
    EXPECT_TRUE(tools.listItems().empty());
}

} // namespace
} // namespace maporv
