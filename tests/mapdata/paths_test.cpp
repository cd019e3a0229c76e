#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "tempfolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace maporv {
namespace {

namespace fs = std::filesystem;

TEST(PathParts, SplitNativePaths) {
    struct Case {
        const char* path;
        const char* title;
        const char* name;
        const char* folder;
        const char* extension;
        const char* parent;
    };
    const Case cases[] = {
        {"/g/SCENARIO/x.map", "x", "x.map", "/g/SCENARIO/", ".map", "/g/"},
        {"/g/SCENARIO/", "", "", "/g/SCENARIO/", "", "/g/"},
        {"/valdorn/MAP/MAP0512.s16", "MAP0512", "MAP0512.s16", "/valdorn/MAP/", ".s16",
         "/valdorn/"},
        {"x.map", "x", "x.map", "", ".map", ""},
        {"/x.map", "x", "x.map", "/", ".map", "/"},
        {"/a/b.c/name", "name", "name", "/a/b.c/", "", "/a/"},
        {"/a/file.tar.gz", "file.tar", "file.tar.gz", "/a/", ".gz", "/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(fileNamePart(c.path), c.title);
        EXPECT_EQ(fileNameWithExtension(c.path), c.name);
        EXPECT_EQ(folderPart(c.path), c.folder);
        EXPECT_EQ(extensionPart(c.path), c.extension);
        EXPECT_EQ(parentFolder(c.path), c.parent);
    }
    EXPECT_EQ(removeExtension("/g/MAP05??.s16"), "/g/MAP05??");
    EXPECT_EQ(withTrailingSeparator("/g/MAP"), "/g/MAP/");
    EXPECT_EQ(withTrailingSeparator("/g/MAP/"), "/g/MAP/");
    EXPECT_EQ(withTrailingSeparator(""), "");
}

TEST(Wildcards, MatchCaseInsensitively) {
    EXPECT_TRUE(wildcardMatch("*.map", "X.MAP"));
    EXPECT_TRUE(wildcardMatch("*.map", "a.b.map"));
    EXPECT_FALSE(wildcardMatch("*.map", "x.map.bak"));
    EXPECT_TRUE(wildcardMatch("MAP05??.s16", "map0512.S16"));
    EXPECT_FALSE(wildcardMatch("MAP05??.s16", "MAP051.s16"));
    EXPECT_TRUE(wildcardMatch("*", ""));
    EXPECT_TRUE(wildcardMatch("*.*", "readme.txt"));
}

TEST(CaseInsensitiveLookup, ResolvesEveryComponent) {
    test::TempFolder temp;
    temp.write("Game/Scenario/Demo.Map", "x");
    temp.write("Game/map/map0500.s16", "y");
    const std::string base = temp.path();

    EXPECT_TRUE(fileExists(base + "GAME/SCENARIO/DEMO.MAP"));
    EXPECT_EQ(resolveExisting(base + "GAME/SCENARIO/demo.map"), base + "Game/Scenario/Demo.Map");
    EXPECT_TRUE(fileExists(base + "game/MAP/MAP0500.S16"));
    EXPECT_TRUE(isFolder(base + "GAME/MAP/"));
    EXPECT_FALSE(fileExists(base + "GAME/MAP/MAP0510.S16"));
    EXPECT_FALSE(fileExists(""));

    // A new file keeps its given name but lands in the existing folder.
    EXPECT_EQ(resolveForWrite(base + "GAME/MAP/MAP0510.s16"), base + "Game/map/MAP0510.s16");
    // An existing file is replaced under its own spelling.
    EXPECT_EQ(resolveForWrite(base + "GAME/MAP/MAP0500.S16"), base + "Game/map/map0500.s16");
}

TEST(Listing, MatchesPatternsCaseInsensitivelyAndSorts) {
    test::TempFolder temp;
    temp.write("S/b.MAP", "");
    temp.write("S/A.map", "");
    temp.write("S/c.txt", "");
    temp.makeFolder("S/folder.map");
    const auto names = listFiles(temp.path() + "s/", "*.map");
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], "A.map");
    EXPECT_EQ(names[1], "b.MAP");
    EXPECT_TRUE(listFiles(temp.path() + "missing/", "*.map").empty());
}

TEST(AtomicWrite, ReplacesOnlyWhenComplete) {
    test::TempFolder temp;
    const std::string target = temp.write("out.bin", "old");
    ASSERT_TRUE(writeFileAtomically(target, "new contents"));
    EXPECT_EQ(temp.read("out.bin"), "new contents");

    // A target in a folder that does not exist fails and leaves nothing behind.
    EXPECT_FALSE(writeFileAtomically(temp.path() + "nowhere/out.bin", "x"));
    // A folder cannot be replaced by a file: the rename fails and the folder stays.
    temp.makeFolder("dir");
    EXPECT_FALSE(writeFileAtomically(temp.path() + "dir", "x"));
    EXPECT_TRUE(isFolder(temp.path() + "dir"));
    EXPECT_EQ(listFiles(temp.path(), "*.tmp").size(), 0u);
}

TEST(AtomicWrite, KeepsThePermissionsOfTheReplacedFile) {
    test::TempFolder temp;
    const std::string target = temp.write("private.bin", "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(writeFileAtomically(target, "new"));
    EXPECT_EQ(temp.read("private.bin"), "new");
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST(AtomicWrite, WritesThroughALinkedTargetButNeverThroughTheTemporaryName) {
    test::TempFolder temp;
    temp.write("real/map.bin", "old");
    const std::string link = temp.path() + "link.bin";
    fs::create_symlink("real/map.bin", link);
    ASSERT_TRUE(writeFileAtomically(link, "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(temp.read("real/map.bin"), "new");

    // A link planted at the temporary name is not followed: the write fails.
    const std::string victim = temp.write("victim.bin", "keep");
    const std::string target = temp.path() + "out.bin";
    fs::create_symlink(victim, strprintf("%s.%d.tmp", target.c_str(), ::getpid()));
    EXPECT_FALSE(writeFileAtomically(target, "x"));
    EXPECT_EQ(temp.read("victim.bin"), "keep");
    EXPECT_FALSE(fileExists(target));
}

} // namespace
} // namespace maporv
