#pragma once

#include <string>
#include <vector>

namespace maporv {

// How one tile's file of an S16 or SHP set turned out when the set was read.
enum class TileState {
    Whole,
    Missing,    // no file where the set's other tiles say one belongs
    Unreadable, // cannot be opened, or no tile the reader takes (magic, shape count, size)
    CutShort,   // the file ends before its header or its pixels do
};

struct FaultyTile {
    int x = 0;
    int y = 0;
    TileState state = TileState::Missing;
};

// Collects, while a set is read tile by tile, the tiles that were not read whole. A tile
// whose file is absent is missing only inside the grid the set's other files span: a
// set of 2 x 2 tiles has no tile 20 to miss.
class TileSetFaults {
public:
    void note(int x, int y, TileState state);
    // The faulty tiles, column by column as the reader goes.
    std::vector<FaultyTile> faults() const;

private:
    std::vector<FaultyTile> tiles_;
    int columns_ = 0;
    int rows_ = 0;
};

// "MAP0711.s16 is missing, MAP0712.s16 is cut short": the tiles of the set prefix (folder
// and base name) with the given extension, in that order.
std::string describeFaultyTiles(const std::vector<FaultyTile>& tiles, const std::string& prefix,
                                const char* extension);

} // namespace maporv
