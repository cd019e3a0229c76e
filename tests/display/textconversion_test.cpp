#include "display/textconversion.h"

#include <gtest/gtest.h>

namespace maporv {
namespace {

TEST(TextConversion, UnfinishedUtf8IsReadAsEightBitText) {
    EXPECT_EQ(toQString("Corvanne"), QStringLiteral("Corvanne"));
    EXPECT_EQ(toQString("Caf\xC3\xA9"), QString::fromUtf8("Caf\xC3\xA9"));
    // A name of the game's 8-bit files ending in a byte that starts a UTF-8 sequence
    // keeps its last letter.
    EXPECT_EQ(toQString("Cit\xE9"), QString::fromLatin1("Cit\xE9"));
    EXPECT_EQ(toQString("Fa\xE7"), QString::fromLatin1("Fa\xE7"));
}

} // namespace
} // namespace maporv
