#include "mapdata/textformat.h"

#include <gtest/gtest.h>
#include <string>

namespace maporv {
namespace {

TEST(TextFormat, FollowsPrintfRules) {
    EXPECT_EQ(strprintf("[MAP:%3d] [%-20s]", 7, "DEMO"), "[MAP:  7] [DEMO                ]");
    EXPECT_EQ(strprintf("%s", ""), "");
    const std::string longText(5000, 'x');
    EXPECT_EQ(strprintf("%s!", longText.c_str()).size(), 5001u);
    EXPECT_EQ(toUpperAscii("Map0500.s16"), "MAP0500.S16");
    EXPECT_TRUE(equalsIgnoreCase("Scenario", "SCENARIO"));
    EXPECT_FALSE(equalsIgnoreCase("Scenario", "SCENARIOS"));
}

} // namespace
} // namespace maporv
