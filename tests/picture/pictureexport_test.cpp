#include "mapdata/paths.h"
#include "picture/mappicture.h"
#include "picture/pictureexport.h"
#include "picturefiles.h"
#include "scripteduserinterface.h"
#include "tempfolder.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace maporv {
namespace {

using test::Rgb;

// Compares a written BMP tile (X, Y) with the picture: headers, padding, every pixel.
void expectBmpTile(const std::string& file, const MapPicture& picture, int x, int y, int width,
                   int height) {
    const auto rowLength = static_cast<std::uint32_t>(bitmapRowLength(24, width));
    ASSERT_EQ(file.size(), 54u + rowLength * height);
    const std::pair<std::size_t, std::uint32_t> fields[] = {
        {2, static_cast<std::uint32_t>(file.size())},
        {10, 54},
        {14, 40},
        {18, static_cast<std::uint32_t>(width)},
        {22, static_cast<std::uint32_t>(height)},
        {26, 0x180001},
        {30, 0},
        {34, rowLength * height}};
    for (const auto& [at, value] : fields) {
        EXPECT_EQ(test::get32(file, at), value) << "offset " << at;
    }
    int differences = 0;
    for (int u = 0; u < height; ++u) {
        // Bottom-up: tile row u is picture row 480 Y + height - 1 - u.
        const char* row = file.data() + 54 + static_cast<std::size_t>(u) * rowLength;
        for (int i = 0; i < width; ++i) {
            const auto* p = reinterpret_cast<const std::uint8_t*>(row + 3 * i);
            differences += Rgb{p[2], p[1], p[0]} !=
                           test::pixelRgb(picture, 640 * x + i, 480 * y + height - 1 - u);
        }
        for (std::uint32_t pad = 3 * static_cast<std::uint32_t>(width); pad < rowLength; ++pad) {
            differences += row[pad] != 0;
        }
    }
    EXPECT_EQ(differences, 0);
}

TEST(BmpTiles, CutsPicturesLargerThanOneTileBothWays) {
    for (const auto& [width, height] : {std::pair{1920, 1920}, {1000, 700}, {1281, 481}}) {
        SCOPED_TRACE(testing::Message() << width << "x" << height);
        test::TempFolder temp;
        test::ScriptedUserInterface ui;
        MapPicture picture(ui);
        test::makePatternPicture(picture, width, height);
        ASSERT_TRUE(picture.writeBmpTiles(temp.path() + "MAP05"));
        const int columns = tileColumnsFor(width);
        const int rows = tileRowsFor(height);
        EXPECT_EQ(ui.messageTexts(),
                  std::vector<std::string>{"Done !\nLoaded file has been splitted to " +
                                           std::to_string(columns * rows) + " BMP tiles"});
        EXPECT_EQ(ui.messages[0].kind, MessageKind::Information);
        EXPECT_EQ(ui.waitDepth, 0);
        EXPECT_EQ(listFiles(temp.path(), "*").size(), static_cast<std::size_t>(columns * rows));
        if (width == 1000) {
            EXPECT_EQ(temp.read("MAP0510.bmp").size(), 54u + 1080u * 480u);
        }
        for (int x = 0; x < columns; ++x) {
            for (int y = 0; y < rows; ++y) {
                SCOPED_TRACE(testing::Message() << "tile " << x << y);
                expectBmpTile(temp.read("MAP05" + std::to_string(x) + std::to_string(y) + ".bmp"),
                              picture, x, y, std::min(640, width - 640 * x),
                              std::min(480, height - 480 * y));
            }
        }
    }
}

TEST(BmpTiles, SmallPicturesEmptyNamesAndUncreatableTiles) {
    for (const auto& [width, height, prefix] :
         {std::tuple{1000, 400, "T"}, {640, 1920, "T"}, {641, 480, "T"}, {1000, 700, ""}}) {
        test::TempFolder temp;
        test::ScriptedUserInterface ui;
        MapPicture picture(ui);
        test::makePatternPicture(picture, width, height);
        EXPECT_FALSE(picture.writeBmpTiles(temp.path() + prefix)) << width << "x" << height;
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_TRUE(listFiles(temp.path(), "*").empty());
    }
    test::TempFolder temp;
    test::ScriptedUserInterface ui;
    MapPicture picture(ui);
    test::makePatternPicture(picture, 700, 500);
    temp.makeFolder("T10.bmp");
    EXPECT_FALSE(picture.writeBmpTiles(temp.path() + "T"));
    EXPECT_EQ(ui.messageTexts(),
              (std::vector<std::string>{
                  temp.path() + "T10.bmp is a folder, not a file: nothing was written.",
                  "0 of 4 BMP tiles written:\nnothing has been replaced, the old tiles are as "
                  "they were."}));
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(listFiles(temp.path(), "*").empty());
}

// Other programs read the exports too: ImageMagick refuses a BMP whose size field
// disagrees with its length.
TEST(BmpTiles, ExportsReadInImageMagick) {
    if (std::system("convert -version > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    }
    test::TempFolder temp;
    test::ScriptedUserInterface ui;
    MapPicture picture(ui);
    test::makePatternPicture(picture, 1000, 700);
    ASSERT_TRUE(picture.saveBmp(temp.path() + "whole.bmp"));
    ASSERT_TRUE(picture.writeBmpTiles(temp.path() + "T"));
    for (const char* name : {"whole.bmp", "T00.bmp", "T11.bmp"}) {
        const std::string command = "convert '" + temp.path() + name + "' '" + temp.path() + name +
                                    ".png' > /dev/null 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << name;
    }
}

TEST(PictureExport, TilePrefixDropsExtensionAndWildcards) {
    const std::pair<const char*, const char*> cases[] = {
        {"/g/MAP/MAP05??.s16", "/g/MAP/MAP05"},  {"/g/MAP/MAP05.s16", "/g/MAP/MAP05"},
        {"/g/MAP/MAP05* ?.bmp", "/g/MAP/MAP05"}, {"/g/MAP/MAP05??", "/g/MAP/MAP05"},
        {"/g/a.b/MAP05", "/g/a.b/MAP05"},        {"/g/MAP/??.bmp", "/g/MAP/"},
    };
    for (const auto& [picked, prefix] : cases) {
        EXPECT_EQ(tilePrefixFromPath(picked), prefix) << picked;
    }
}

struct Command {
    void (*run)(const MapPicture&, UserInterface&);
    int fileType;
    const char* title;
    const char* defaultName; // in the picture's folder
    const char* picked;
    std::vector<std::string> written;
    const char* message;
};

const Command kCommands[] = {
    {saveImageAsBmp,
     FileType::Bmp,
     "Select a filename to save as",
     "Coast.bmp",
     "Copy.BMP",
     {"Copy.BMP"},
     ""},
    {saveImageAsBmpTiles,
     FileType::Bmp,
     "Select folder and base filename to split",
     "Coast??.bmp",
     "Cut??.bmp",
     {"Cut00.bmp", "Cut01.bmp", "Cut10.bmp", "Cut11.bmp"},
     "Done !\nLoaded file has been splitted to 4 BMP tiles"},
    {[](const MapPicture& p, UserInterface& ui) { saveImageAsS16Tiles(p, ui, false, 0); },
     FileType::S16,
     "Select folder and base filename to map tiles",
     "Coast??.s16",
     "MAP05.s16",
     {"MAP0500.s16", "MAP0501.s16", "MAP0510.s16", "MAP0511.s16"},
     "Done !\nLoaded file has been splitted to 4 S16 Tiles"},
    {[](const MapPicture& p, UserInterface& ui) { saveImageAsS16Tiles(p, ui, true, 5); },
     FileType::S16,
     "Select folder and base filename to map tiles",
     "MAP05??.s16",
     "MAP05??.s16",
     {"MAP0500.s16", "MAP0501.s16", "MAP0510.s16", "MAP0511.s16"},
     "Done !\nLoaded file has been splitted to 4 S16 Tiles"},
    {[](const MapPicture& p, UserInterface& ui) { saveImageAsS16Tiles(p, ui, true, 123); },
     FileType::S16,
     "Select folder and base filename to map tiles",
     "MAP123??.s16",
     "M??.s16",
     {"M00.s16", "M01.s16", "M10.s16", "M11.s16"},
     "Done !\nLoaded file has been splitted to 4 S16 Tiles"},
};

TEST(PictureExport, CommandsAskWithDefaultNamesAndWriteWhatWasChosen) {
    for (const Command& command : kCommands) {
        SCOPED_TRACE(command.title + std::string(" ") + command.picked);
        test::TempFolder temp;
        test::ScriptedUserInterface ui;
        MapPicture picture(ui);
        test::makePatternPicture(picture, 1000, 700);
        const std::string folder = temp.makeFolder("pics");
        ASSERT_TRUE(picture.saveBmp(folder + "Coast.bmp"));
        ASSERT_TRUE(picture.load(folder + "Coast.bmp"));

        command.run(picture, ui); // cancelled: the script has no file
        ASSERT_EQ(ui.filePicks.size(), 1u);
        EXPECT_EQ(ui.filePicks[0].typeOrKind, command.fileType);
        EXPECT_EQ(ui.filePicks[0].title, command.title);
        EXPECT_EQ(ui.filePicks[0].initial, folder + command.defaultName);
        EXPECT_EQ(listFiles(folder, "*"), std::vector<std::string>{"Coast.bmp"});

        ui.files.push_back(folder + command.picked);
        command.run(picture, ui);
        std::vector<std::string> expected = command.written;
        expected.insert(expected.begin(), "Coast.bmp");
        EXPECT_EQ(listFiles(folder, "*"), expected);
        EXPECT_EQ(ui.lastMessage(), command.message);

        // Nothing is asked while the picture is not valid.
        picture.valid = false;
        command.run(picture, ui);
        EXPECT_EQ(ui.filePicks.size(), 2u);
    }
}

TEST(PictureExport, APictureOneTileHighIsCutIntoS16TilesOnly) {
    test::TempFolder temp;
    test::ScriptedUserInterface ui;
    MapPicture picture(ui);
    test::makePatternPicture(picture, 1000, 400);
    picture.folder = temp.path();
    ui.files = {temp.path() + "W??.bmp", temp.path() + "W??.s16"};
    saveImageAsBmpTiles(picture, ui);
    EXPECT_TRUE(ui.messages.empty());
    saveImageAsS16Tiles(picture, ui, false, 0);
    EXPECT_EQ(listFiles(temp.path(), "*"), (std::vector<std::string>{"W00.s16", "W10.s16"}));
    EXPECT_EQ(ui.lastMessage(), "Done !\nLoaded file has been splitted to 2 S16 Tiles");
}

} // namespace
} // namespace maporv
