// MAP files of any length and content.
#include "fuzzscratch.h"
#include "mapdata/mapdocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace maporv;
    const std::string file = fuzz::writeScratchFile("SCENARIO/F.MAP", data, size);
    fuzz::SilentUserInterface ui;
    MapDocument document;
    if (!document.readMapFile(file, false, fuzz::scratchFolder(), ui)) {
        fuzz::fail("an existing MAP file was not read");
    }
    if (document.width < 1 || document.width > kMapColumns || document.height < 1 ||
        document.height > kMapRows) {
        fuzz::fail("the header was not clamped");
    }
    const std::string bytes = document.toBytes();
    if (bytes.size() != kMapFileSize) {
        fuzz::fail("a MAP file is always 14371 bytes");
    }
    return 0;
}
