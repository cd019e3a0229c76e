// Names text files of any content, read for a map and written back.
#include "fuzzscratch.h"
#include "mapdata/mapdocument.h"
#include "mapdata/mapnames.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace maporv;
    const std::string file = fuzz::writeScratchFile("MAP/MAP005.TXT", data, size);
    fuzz::SilentUserInterface ui;
    MapDocument document;
    document.mapNumber = 5;
    document.path = fuzz::scratchFolder() + "SCENARIO/F.MAP";
    MapNames names;
    names.readNamesFile(file, ui);
    if (names.count == 1 || names.count > kNameEntries) {
        fuzz::fail("the name count is out of range");
    }
    for (const auto& row : names.nameIndex) {
        for (std::uint16_t entry : row) {
            if (entry != 0 && (entry >= names.count || names.names[entry].empty())) {
                fuzz::fail("a hex refers to an entry without a name");
            }
        }
    }
    names.writeNamesFile(fuzz::scratchFolder() + "OUT.TXT", document, ui);
    return 0;
}
