#include "app/desktop/filepickersetup.h"
#include "mapdata/userinterface.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace maporv {
namespace {

using ::testing::ElementsAre;

TEST(FilePickerSetup, EmptyPathAndTitleStartWithAllFilesInTheGameFolder) {
    const FilePickerSetup setup = makeFilePickerSetup(FileType::S16, "", "", "/c/Game/");
    EXPECT_EQ(setup.initialPath, "/c/Game/*.*");
    EXPECT_EQ(setup.initialFolder, "/c/Game/");
    EXPECT_EQ(setup.title, "Select a ORV S16 file");
    EXPECT_EQ(setup.filter, "Files (*.S16)|*.s16|All Files (*.*)|*.*|");
    EXPECT_THAT(setup.nameFilters, ElementsAre("Files (*.S16 *.s16)", "All Files (*)"));
    EXPECT_EQ(setup.selectedFilter, 0);
    // "*.*" is a pattern: no name to propose, no default suffix.
    EXPECT_EQ(setup.proposedName, "");
    EXPECT_EQ(setup.defaultSuffix, "");
}

TEST(FilePickerSetup, NamedFileIsProposedInItsFolderWithItsExtension) {
    const FilePickerSetup setup = makeFilePickerSetup(FileType::Bmp, "/c/Game/MAP/MAP05.bmp",
                                                      "Select a filename to save as", "/c/Game/");
    EXPECT_EQ(setup.title, "Select a filename to save as");
    EXPECT_EQ(setup.initialFolder, "/c/Game/MAP/");
    EXPECT_EQ(setup.proposedName, "MAP05.bmp");
    EXPECT_EQ(setup.defaultSuffix, "bmp");
}

TEST(FilePickerSetup, EveryTypeHasItsTitleAndEndsWithAllFiles) {
    const struct {
        int type;
        const char* title;
        size_t filters;
    } table[] = {
        {1, "Select text File", 4},
        {4, "Select MAP file", 2},
        {5, "Select a ORV S16 file", 2},
        {7, "Select a BMP file", 2},
        {8, "Select a ORV picture file", 3},
        {10, "Select external Editor", 2},
        {2, "Select File", 1},
    };
    for (const auto& row : table) {
        const FilePickerSetup setup = makeFilePickerSetup(row.type, "", "", "/g/");
        EXPECT_EQ(setup.title, row.title) << "type " << row.type;
        ASSERT_EQ(setup.nameFilters.size(), row.filters) << "type " << row.type;
        EXPECT_EQ(setup.nameFilters.back(), "All Files (*)") << "type " << row.type;
    }
    EXPECT_THAT(makeFilePickerSetup(FileType::Text, "", "", "/g/").nameFilters,
                ElementsAre("TXT Files (*.TXT *.txt)", "LOG Files (*.LOG *.log)",
                            "INI Files (*.INI *.ini)", "All Files (*)"));
}

TEST(FilePickerSetup, PatternOfOneMapBecomesItsOwnSelectedFilter) {
    const FilePickerSetup setup =
        makeFilePickerSetup(FileType::Picture, "/v/MAP/MAP05*.s16", "", "/v/");
    EXPECT_THAT(setup.nameFilters, ElementsAre("MAP05*.s16 (MAP05*.s16)", "Files (*.S16 *.s16)",
                                               "Files (*.BMP *.bmp)", "All Files (*)"));
    EXPECT_EQ(setup.selectedFilter, 0);
    EXPECT_EQ(setup.proposedName, "");
    EXPECT_EQ(setup.defaultSuffix, "s16");
}

TEST(FilePickerSetup, PatternOfTheTypeSelectsThatFilterInAnyCase) {
    const FilePickerSetup setup = makeFilePickerSetup(FileType::Picture, "/v/MAP/*.BMP", "", "/v/");
    EXPECT_EQ(setup.nameFilters.size(), 3u);
    EXPECT_EQ(setup.selectedFilter, 1);
}

} // namespace
} // namespace maporv
