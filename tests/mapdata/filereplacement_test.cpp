#include "mapdata/filereplacement.h"
#include "mapdata/inputfile.h"
#include "mapdata/mapnames.h"
#include "mapdata/paths.h"
#include "scripteduserinterface.h"
#include "tempfolder.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

namespace maporv {
namespace {

namespace fs = std::filesystem;

// A character device where the system allows making one (root), else a folder:
// neither may become a plain file.
std::string deviceOrFolder(const std::string& path) {
    if (::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        return "a device";
    }
    fs::create_directory(path);
    return "a folder";
}

TEST(FileReplacement, EveryKindOfTarget) {
    struct Case {
        const char* name;
        // Makes the target; returns the refusal expected, "" when the write succeeds.
        std::function<std::string(const test::TempFolder&, const std::string& target)> make;
        const char* holder; // a file and what it holds afterwards
        const char* contents;
    };
    const std::string live = "out.bin." + std::to_string(::getppid()) + ".tmp";
    const Case cases[] = {
        {"device",
         [](auto&, auto& target) {
             return target + " is " + deviceOrFolder(target) + ", not a file: nothing was written.";
         },
         nullptr, nullptr},
        {"named pipe",
         [](auto&, auto& target) {
             ::mkfifo(target.c_str(), 0666);
             return target + " is a named pipe, not a file: nothing was written.";
         },
         nullptr, nullptr},
        {"link chain",
         [](auto& temp, auto& target) {
             temp.write("real/map.bin", "old");
             fs::create_symlink("real/map.bin", temp.path() + "middle");
             fs::create_symlink(temp.path() + "middle", target);
             return std::string();
         },
         "real/map.bin", "new"},
        {"dangling link",
         [](auto& temp, auto& target) {
             fs::create_symlink(temp.makeFolder("real") + "new.bin", target);
             return std::string();
         },
         "real/new.bin", "new"},
        {"hard link",
         [](auto& temp, auto& target) {
             fs::create_hard_link(temp.write("other.bin", "old and longer"), target);
             return std::string();
         },
         "other.bin", "new"},
        {"read-only",
         [](auto& temp, auto& target) {
             fs::permissions(temp.write("out.bin", "old"), fs::perms::owner_read);
             return target + " is read-only: nothing was written.";
         },
         "out.bin", "old"},
        {"other owner", // as root; for others their own file with its mode
         [](auto& temp, auto& target) {
             ::chmod(temp.write("out.bin", "old").c_str(), 0640);
             if (::geteuid() == 0) {
                 EXPECT_EQ(::chown(target.c_str(), 65534, 65534), 0);
             }
             return std::string();
         },
         "out.bin", "new"},
        {"leftovers",
         [&live](auto& temp, auto&) {
             temp.write("out.bin", "old");
             temp.write("out.bin.999999999.tmp", "partial"); // beyond any process id
             temp.write(live, "in progress");
             return std::string();
         },
         live.c_str(), "in progress"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempFolder temp;
        const std::string target = temp.path() + "out.bin";
        const std::string refusal = c.make(temp, target);
        struct stat before {};
        ::lstat(target.c_str(), &before);
        FileReplacement replacement;
        EXPECT_EQ(replacement.prepare(target, "new") && replacement.commit(), refusal.empty());
        EXPECT_EQ(replacement.refusal(), refusal);
        // The target is what it was (a link stays a link, hard links stay one file) with
        // its owner, group and mode.
        struct stat after {};
        ::lstat(target.c_str(), &after);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
        EXPECT_EQ(after.st_nlink, before.st_nlink);
        if (c.holder != nullptr) {
            EXPECT_EQ(temp.read(c.holder), c.contents);
        }
        // Only the temporary file of a process that still runs is left.
        std::vector<std::string> left = listFiles(temp.path(), "*.tmp");
        std::erase(left, live);
        EXPECT_TRUE(left.empty());
        EXPECT_TRUE(listFiles(temp.path(), "*.old").empty());
    }
}

// A named pipe among the game's files is refused at once, as a missing file is.
TEST(InputFile, ANamedPipeIsRefusedWithoutWaiting) {
    test::TempFolder temp;
    const std::string pipe = temp.path() + "MAP007.TXT";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0666), 0);
    ::alarm(10); // a reader that waits for a writer ends the test instead of hanging
    InputFile file;
    EXPECT_FALSE(file.open(pipe));
    MapNames names;
    test::ScriptedUserInterface ui;
    EXPECT_FALSE(names.readNamesFile(pipe, ui));
    EXPECT_FALSE(isRegularFile(pipe));
    ::alarm(0);
}

} // namespace
} // namespace maporv
