#include "editing/mapfilepatch.h"

#include "editing/editstep.h"
#include "mapdata/filereplacement.h"
#include "mapdata/littleendian.h"
#include "mapdata/mapdocument.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace maporv {
namespace {

// The map's number, then its width and height, then the cells.
constexpr std::size_t kWidthOffset = 2;
constexpr std::size_t kHeightOffset = 4;
constexpr std::size_t kCellsOffset = 10;
constexpr std::size_t kRoadsOffset = 2;

void putWord(std::string& bytes, std::size_t at, std::uint16_t value) {
    writeU16(reinterpret_cast<std::uint8_t*>(bytes.data() + at), value);
}

} // namespace

std::string patchMapFileBytes(std::string bytes, const EditStep& step) {
    bytes.resize(std::max(bytes.size(), kMapFileSize), '\0');
    for (const CellChange& change : step.cells) {
        const std::size_t cell = std::size_t{change.row} * kMapColumns + change.column;
        const std::size_t at = kCellsOffset + cell * kHexCellFileSize;
        if (change.after.terrain != change.before.terrain) {
            putWord(bytes, at, change.after.terrain);
        }
        if (change.after.roads != change.before.roads) {
            putWord(bytes, at + kRoadsOffset, change.after.roads);
        }
    }
    if (step.header) {
        putWord(bytes, kWidthOffset, step.header->widthAfter);
        putWord(bytes, kHeightOffset, step.header->heightAfter);
    }
    return bytes;
}

bool writePatchedMapFile(const std::string& source, const std::string& target, const EditStep& step,
                         UserInterface& ui) {
    std::string bytes;
    if (!readWholeFile(source, bytes)) {
        ui.error(strprintf("Map file [%s]\nnot found", source.c_str()));
        return false;
    }
    return saveFile(target, patchMapFileBytes(std::move(bytes), step), ui,
                    strprintf("Error on creating [%s]", target.c_str()));
}

} // namespace maporv
