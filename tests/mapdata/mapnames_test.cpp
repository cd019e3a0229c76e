#include "mapdata/mapnames.h"
#include "mapdata/textformat.h"
#include "mapnamestesting.h"
#include "scripteduserinterface.h"
#include "tempfolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace maporv {
namespace {

using test::documentIn;
using test::kNamesHeader;

struct Fixture : testing::Test {
    test::TempFolder temp;
    test::ScriptedUserInterface ui;
    MapNames names;

    std::string read(const std::string& text) {
        const std::string file = temp.write("NAMES.TXT", text);
        EXPECT_TRUE(names.readNamesFile(file, ui));
        return file;
    }
};

using Reading = Fixture;

TEST_F(Reading, AttachesEntriesToTheirHexes) {
    const std::string file = read(std::string(kNamesHeader) + "(00,00) #A\n(01,00) #B\n");
    EXPECT_EQ(names.count, 3);
    EXPECT_EQ(names.names[1], "A");
    EXPECT_EQ(names.names[2], "B");
    EXPECT_EQ(names.nameAt(0, 0), 1);
    EXPECT_EQ(names.nameAt(0, 1), 2);
    EXPECT_EQ(names.path, file);
    EXPECT_FALSE(names.modified);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Reading, SameNameIsOneEntryAndOtherLinesAreNoRecords) {
    read(std::string(kNamesHeader) + "(03,07) #Hilltown\n"
                                     "   (04,08) #Hilltown\n"
                                     "-- a note\n"
                                     "Hilltown (05,09) #X\n"
                                     "\n"
                                     "\t( 7,+12) #atoi\n"
                                     "(-0,3x) #rules\n");
    EXPECT_EQ(names.count, 4);
    EXPECT_EQ(names.nameAt(7, 3), 1);
    EXPECT_EQ(names.nameAt(8, 4), 1);
    EXPECT_EQ(names.nameAt(9, 5), 0);
    EXPECT_EQ(names.nameText(names.nameAt(12, 7)), "atoi");
    EXPECT_EQ(names.nameText(names.nameAt(3, 0)), "rules");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Reading, StripsOnlyTheLineBreak) {
    using namespace std::string_literals;
    struct Case {
        std::string body;
        const char* name;
    };
    const Case cases[] = {
        {"(00,00) #Town\n", "Town"},             // the platform's line end
        {"(00,00) #Town\r\n", "Town"},           // the game's line end
        {"(00,00) #Town", "Town"},               // a last line without a break is used
        {"(00,00) #Town\r", "Town"},             // and its carriage return is no character
        {"(00,00) #Town  \r\n", "Town  "},       // trailing spaces are the name's
        {"(00,00) #A#B) (x,y)\n", "A#B) (x,y)"}, // all after the first "#"
        {"(00,00) #x\0hidden\n"s, "x"},          // a NUL ends the text, as in the game
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        names.clearNames();
        read("[MAP:  5] [MYMAP               ]\r\n--------------------------------\r\n" + c.body);
        EXPECT_EQ(names.nameText(names.nameAt(0, 0)), c.name);
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Reading, LongLinesAreCutAndTheirRestSkipped) {
    const std::string longName(5000, 'n');
    // The rest of the long line looks like a record; it must not be taken for one.
    read(std::string(kNamesHeader) + "(00,00) #" + longName + "(02,02) #Injected\n(01,00) #Next\n");
    EXPECT_EQ(names.nameText(names.nameAt(0, 0)), std::string(998 - 9, 'n'));
    EXPECT_EQ(names.nameAt(2, 2), 0);
    EXPECT_EQ(names.nameText(names.nameAt(0, 1)), "Next");
    EXPECT_EQ(names.count, 3);

    // A header longer than the limit is still one line.
    names.clearNames();
    read(std::string(3000, '[') + "(03,03) #Inside\n(04,04) #Out\n");
    EXPECT_EQ(names.nameAt(3, 3), 0);
    EXPECT_EQ(names.nameText(names.nameAt(4, 4)), "Out");
}

TEST_F(Reading, SkipsLinesOutsideTheGridOrWithoutTheirPartsInOneMessage) {
    const std::string file = read(std::string(kNamesHeader) + "(45,00) #col too large\n"
                                                              "(00,40) #row too large\n"
                                                              "(-1,03) #negative\n"
                                                              "(99999999999999999999,0) #huge\n"
                                                              "(00 #no comma\n"
                                                              "(00,01 #no bracket\n"
                                                              "(00,01) no hash\n"
                                                              "(\n"
                                                              "(44,39) #Kept\n");
    MapDocument::Grid<std::uint16_t> expected{};
    expected[39][44] = 1;
    EXPECT_EQ(names.nameIndex, expected);
    EXPECT_EQ(names.names[1], "Kept");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(ui.messages[0].text, "Skipped 8 lines of\n" + file +
                                       "\nthat name no hex of the map (column 0..44, row 0..39)\n"
                                       "or lack the form (column,row) #name");
}

TEST_F(Reading, ReportsEmptyNamesOnce) {
    read(std::string(kNamesHeader) + "(00,00) #\n(01,00) #A\n(02,00) #\r\n");
    EXPECT_EQ(names.count, 2);
    EXPECT_EQ(names.nameAt(0, 0), 0);
    EXPECT_EQ(names.nameAt(0, 2), 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(ui.messages[0].text,
              "Found 2 empty names!\nthey have been removed, same as in the game\nbut you should "
              "check if this is correct\nor they should have some text");
}

TEST_F(Reading, MissingFileOrFolderChangesNothing) {
    read(std::string(kNamesHeader) + "(00,00) #A\n");
    names.modified = true;
    EXPECT_FALSE(names.readNamesFile(temp.path() + "nothing.txt", ui));
    EXPECT_FALSE(names.readNamesFile(temp.makeFolder("dir.txt"), ui));
    EXPECT_EQ(names.count, 2);
    EXPECT_TRUE(names.modified);
    EXPECT_EQ(names.path, temp.path() + "NAMES.TXT");
    EXPECT_TRUE(ui.messages.empty());
}

TEST(NameList, AddsDistinctNamesUntilFull) {
    MapNames names;
    EXPECT_EQ(names.addName(""), 0);
    EXPECT_EQ(names.count, 0);
    EXPECT_EQ(names.addName("A"), 1);
    EXPECT_EQ(names.addName("a"), 2);
    EXPECT_EQ(names.addName("A"), 1);
    for (int i = 3; i < kNameEntries; ++i) {
        ASSERT_EQ(names.addName(strprintf("N%d", i)), i);
    }
    EXPECT_EQ(names.count, kNameEntries);
    EXPECT_EQ(names.addName("one too many"), 0);
    EXPECT_EQ(names.addName("N1799"), 1799);
}

TEST(NameList, HexesOutsideTheGridNeverReachTheIndex) {
    MapNames names;
    names.addName("A");
    EXPECT_TRUE(names.setNameAt(39, 44, 1));
    EXPECT_EQ(names.nameAt(39, 44), 1);
    for (auto [row, column] : {std::pair{40, 0}, {0, 45}, {-1, 0}, {0, -1}, {1000, 1000}}) {
        EXPECT_FALSE(names.setNameAt(row, column, 1));
        EXPECT_EQ(names.nameAt(row, column), 0);
    }
    // Entries without a name cannot be attached; 0 always detaches.
    EXPECT_FALSE(names.setNameAt(0, 0, 2));
    EXPECT_FALSE(names.setNameAt(0, 0, -3));
    EXPECT_FALSE(names.setNameAt(0, 0, 70000));
    EXPECT_TRUE(names.setNameAt(39, 44, 0));
    EXPECT_EQ(names.nameAt(39, 44), 0);
    EXPECT_EQ(names.nameText(0), "");
    EXPECT_EQ(names.nameText(kNameEntries), "");
}

using Writing = Fixture;

TEST_F(Writing, SortsByRowThenColumnUnderAFreshHeader) {
    read("[MAP:999] [OLD]\n----\n"
         "(10,03) #Late  \n(02,03) #Early\n(44,00) #First row\n(00,39) #Last\n");
    const MapDocument document = documentIn(temp);
    names.modified = true;
    ASSERT_TRUE(names.writeNamesFile(temp.path() + "OUT.TXT", document, ui));
    EXPECT_EQ(temp.read("OUT.TXT"), std::string(kNamesHeader) +
                                        "(44,00) #First row\n(02,03) #Early\n(10,03) #Late  \n"
                                        "(00,39) #Last\n");
    EXPECT_FALSE(names.modified);
    EXPECT_EQ(names.path, temp.path() + "NAMES.TXT");

    // Long map names are not cut; numbers keep their width.
    MapDocument other;
    other.path = "/g/SCENARIO/A VERY LONG MAP NAME INDEED.MAP";
    other.mapNumber = 1234;
    names.clearNames();
    ASSERT_TRUE(names.writeNamesFile(temp.path() + "OUT.TXT", other, ui));
    EXPECT_EQ(temp.read("OUT.TXT"), "[MAP:1234] [A VERY LONG MAP NAME INDEED]\n"
                                    "--------------------------------\n");
}

TEST_F(Writing, MoreThan255NamesRoundTrip) {
    for (int i = 0; i < 1799; ++i) {
        const int entry = names.addName(strprintf("Place %d", i));
        ASSERT_TRUE(names.setNameAt(i / kMapColumns, i % kMapColumns, entry));
    }
    const MapDocument document = documentIn(temp);
    ASSERT_TRUE(names.writeNamesFile(temp.path() + "BIG.TXT", document, ui));

    MapNames back;
    ASSERT_TRUE(back.readNamesFile(temp.path() + "BIG.TXT", ui));
    EXPECT_EQ(back.count, 1800);
    EXPECT_EQ(back.nameIndex, names.nameIndex);
    EXPECT_EQ(back.nameText(back.nameAt(39, 43)), "Place 1798");
    EXPECT_EQ(back.nameText(back.nameAt(5, 41)), "Place 266");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Writing, FailureKeepsTheOldFileAndTheModifiedFlag) {
    const std::string target = temp.write("KEEP.TXT", "old contents");
    // Block the temporary file the writer would create beside the target.
    temp.makeFolder(strprintf("KEEP.TXT.%d.tmp", static_cast<int>(::getpid())));
    read(std::string(kNamesHeader) + "(00,00) #A\n");
    names.modified = true;
    const MapDocument document = documentIn(temp);
    EXPECT_FALSE(names.writeNamesFile(target, document, ui));
    EXPECT_EQ(temp.read("KEEP.TXT"), "old contents");
    EXPECT_TRUE(names.modified);

    const std::string nowhere = temp.path() + "missing/NEW.TXT";
    EXPECT_FALSE(names.writeNamesFile(nowhere, document, ui));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(ui.messages[0].text, "Error on creating [" + target + "]");
    EXPECT_EQ(ui.messages[1].text, "Error on creating [" + nowhere + "]");
    EXPECT_TRUE(names.modified);
}

TEST(NamesFileLocation, BuildsBothFormsFromThePictureFolder) {
    struct Case {
        std::uint16_t number;
        const char* nnn;
    };
    const Case cases[] = {{0, "000"}, {5, "005"}, {12, "012"}, {123, "123"}, {1234, "234"}};
    for (const Case& c : cases) {
        MapDocument document;
        document.mapNumber = c.number;
        document.path = "/g/SCENARIO/MyMap.map";
        document.picturePath = "/pics/MAP0500.s16";
        EXPECT_EQ(namesFileNumber(c.number), c.nnn);
        EXPECT_EQ(MapNames::numberFormFile(document), std::string("/pics/MAP") + c.nnn + ".TXT");
        EXPECT_EQ(MapNames::mapNameFormFile(document),
                  std::string("/pics/MAP") + c.nnn + "_MyMap.TXT");
    }
}

using Locating = Fixture;

TEST_F(Locating, PrefersTheNumberFormAndMatchesAnyCase) {
    const MapDocument document = documentIn(temp);
    const std::string numberForm = temp.path() + "MAP/MAP005.TXT";
    const std::string mapNameForm = temp.path() + "MAP/MAP005_MYMAP.TXT";
    EXPECT_EQ(MapNames::defaultNamesFile(document), numberForm);

    temp.write("map/map005_mymap.txt", std::string(kNamesHeader) + "(01,01) #ByName\n");
    EXPECT_EQ(MapNames::defaultNamesFile(document), mapNameForm);
    names.addName("stale");
    names.modified = true;
    names.loadNamesForMap(document, ui);
    EXPECT_EQ(names.nameText(names.nameAt(1, 1)), "ByName");
    EXPECT_EQ(names.count, 2);
    EXPECT_EQ(names.path, temp.path() + "map/map005_mymap.txt");
    EXPECT_FALSE(names.modified);

    temp.write("MAP/Map005.txt", std::string(kNamesHeader) + "(02,02) #ByNumber\n");
    EXPECT_EQ(MapNames::defaultNamesFile(document), numberForm);
    names.loadNamesForMap(document, ui);
    EXPECT_EQ(names.nameText(names.nameAt(2, 2)), "ByNumber");
    EXPECT_EQ(names.nameAt(1, 1), 0);
}

TEST_F(Locating, NoFileOrNoMapLeavesTheListEmpty) {
    MapDocument document = documentIn(temp, 7);
    names.addName("stale");
    names.loadNamesForMap(document, ui);
    EXPECT_EQ(names.count, 0);
    EXPECT_EQ(names.path, "");

    temp.write("MAP/MAP007.TXT", std::string(kNamesHeader) + "(00,00) #A\n");
    document.path.clear();
    names.loadNamesForMap(document, ui);
    EXPECT_EQ(names.count, 0);
    EXPECT_TRUE(ui.messages.empty());
}

} // namespace
} // namespace maporv
