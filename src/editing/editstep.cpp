#include "editing/editstep.h"

#include "mapdata/mapdocument.h"
#include "mapdata/mapnames.h"

namespace maporv {
namespace {

void writeCell(MapDocument& document, const CellChange& change, const HexCell& value) {
    if (HexCell* cell = document.cellAt(change.row, change.column)) {
        *cell = value;
    }
}

// Written straight into the index, not through setNameAt: a restored entry is one
// the hex held before, and must come back exactly.
void writeNameIndex(MapNames& names, const NameIndexChange& change, std::uint16_t value) {
    if (MapDocument::inGrid(change.row, change.column)) {
        names.nameIndex[change.row][change.column] = value;
    }
}

void writeNameList(MapNames& names, const NameListChange& change, const std::string& text,
                   int count) {
    if (change.entry >= 1 && change.entry < kNameEntries) {
        names.names[static_cast<std::size_t>(change.entry)] = text;
        names.count = count;
    }
}

void writeHeader(MapDocument& document, std::uint16_t width, std::uint16_t height) {
    document.width = width;
    document.height = height;
}

} // namespace

std::size_t EditStep::weight() const {
    return cells.size() + nameIndexes.size() + (nameList ? 1 : 0) + (header ? 1 : 0);
}

void EditStep::redo(MapDocument& document, MapNames& names) const {
    // The list first: hexes may refer to an entry the step adds.
    if (nameList) {
        writeNameList(names, *nameList, nameList->after, nameList->countAfter);
    }
    for (const CellChange& change : cells) {
        writeCell(document, change, change.after);
    }
    for (const NameIndexChange& change : nameIndexes) {
        writeNameIndex(names, change, change.after);
    }
    if (header) {
        writeHeader(document, header->widthAfter, header->heightAfter);
    }
}

void EditStep::undo(MapDocument& document, MapNames& names) const {
    for (const CellChange& change : cells) {
        writeCell(document, change, change.before);
    }
    for (const NameIndexChange& change : nameIndexes) {
        writeNameIndex(names, change, change.before);
    }
    if (nameList) {
        writeNameList(names, *nameList, nameList->before, nameList->countBefore);
    }
    if (header) {
        writeHeader(document, header->widthBefore, header->heightBefore);
    }
}

void EditStep::dropNames() {
    nameIndexes.clear();
    nameIndexes.shrink_to_fit();
    nameList.reset();
}

std::string EditStep::countedName(std::string_view action, std::size_t hexes) {
    return std::string(action) + " (" + std::to_string(hexes) + (hexes == 1 ? " hex)" : " hexes)");
}

} // namespace maporv
