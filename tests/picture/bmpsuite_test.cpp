// Every file of the public-domain BMP suite: what the inventory accepts must load with
// the expected pixels, everything else must be refused with one error box.

#include "mapdata/paths.h"
#include "picture/mappicture.h"
#include "scripteduserinterface.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace maporv {
namespace {

const std::string kSuite = std::string(MAPORV_TESTDATA) + "/bmpsuite/";

// P6, 8 bits per channel, top row first.
std::string readPpm(const std::string& path, int& width, int& height) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    in >> magic >> width >> height >> maxValue;
    in.get();
    std::string rgb(static_cast<std::size_t>(width) * height * 3, '\0');
    in.read(rgb.data(), static_cast<std::streamsize>(rgb.size()));
    return magic == "P6" && maxValue == 255 && in ? rgb : std::string();
}

TEST(BmpSuite, AcceptsWhatTheInventoryAcceptsAndRefusesTheRest) {
    std::ifstream inventory(kSuite + "INVENTORY.tsv");
    std::size_t files = 0;
    int accepted = 0;
    for (std::string line; std::getline(inventory, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        // relpath ... bitcount(6) ... clrUsed(8) verdict(9) reasons(10) first_error(11)
        std::vector<std::string> f;
        std::stringstream split(line);
        for (std::string field; std::getline(split, field, '\t');) {
            f.push_back(field);
        }
        ASSERT_GE(f.size(), 12u) << line;
        if (f[0] == "relpath") {
            continue;
        }
        SCOPED_TRACE(f[0]);
        ++files;
        // The inventory's rule accepts an 8-bit palette of more than 256 colours and ignores
        // the extra entries; this reader refuses it, after the format checks.
        const bool formatPasses = f[11] == "-" || f[11].rfind("implementer check: ", 0) == 0;
        const bool oversizePalette = formatPasses && f[6] == "8" && std::stoull(f[8]) > 256;
        test::ScriptedUserInterface ui;
        MapPicture picture(ui);
        const bool loaded = picture.load(kSuite + f[0]);
        if (f[9] == "ACCEPT" && !oversizePalette) {
            ++accepted;
            ASSERT_TRUE(loaded) << ui.lastMessage();
            int width = 0;
            int height = 0;
            const std::string rgb = readPpm(kSuite + "expected/" + f[0].substr(0, 1) + "_" +
                                                fileNamePart(f[0]) + ".ppm",
                                            width, height);
            ASSERT_FALSE(rgb.empty());
            ASSERT_EQ(picture.width, width);
            ASSERT_EQ(picture.height, height);
            int differences = 0;
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    const std::uint8_t* p = picture.pixelAt(x, y);
                    const auto* e = reinterpret_cast<const std::uint8_t*>(rgb.data()) +
                                    3 * (static_cast<std::size_t>(y) * width + x);
                    differences += p[2] != e[0] || p[1] != e[1] || p[0] != e[2];
                }
            }
            EXPECT_EQ(differences, 0);
            EXPECT_TRUE(ui.messages.empty());
            continue;
        }
        EXPECT_FALSE(loaded);
        EXPECT_FALSE(picture.valid);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
        const std::string& shown = ui.messages[0].text;
        const std::string& first = f[11];
        if (oversizePalette) {
            EXPECT_EQ(shown, "Invalid BMP palette: " + f[8] + " colours declared, at most 256");
        } else if (first.rfind("implementer check: ", 0) == 0) {
            // Checks beyond the format's own, in the reader's words.
            const char* expected =
                first.find("palette count") != std::string::npos ? "Invalid BMP palette: "
                : first.find("index") != std::string::npos       ? "Invalid BMP palette index "
                                                                 : "Unsupported BMP size: ";
            EXPECT_EQ(shown.rfind(expected, 0), 0u) << shown;
        } else {
            // The inventory names the failing field after the message: "(field@28=1)".
            EXPECT_EQ(shown, first.substr(0, first.find(" (field@")));
        }
    }
    // The inventory covers every file of the suite.
    EXPECT_EQ(files, listFiles(kSuite + "g/", "*.bmp").size() +
                         listFiles(kSuite + "q/", "*.bmp").size() +
                         listFiles(kSuite + "b/", "*.bmp").size());
    EXPECT_EQ(accepted, 13);
}

} // namespace
} // namespace maporv
