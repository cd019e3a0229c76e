#include "picture/tilefaults.h"

#include "picture/tileset.h"

#include <algorithm>

namespace maporv {

void TileSetFaults::note(int x, int y, TileState state) {
    if (state != TileState::Missing) {
        columns_ = std::max(columns_, x + 1);
        rows_ = std::max(rows_, y + 1);
    }
    if (state != TileState::Whole) {
        tiles_.push_back({x, y, state});
    }
}

std::vector<FaultyTile> TileSetFaults::faults() const {
    std::vector<FaultyTile> inGrid;
    for (const FaultyTile& tile : tiles_) {
        if (tile.x < columns_ && tile.y < rows_) {
            inGrid.push_back(tile);
        }
    }
    return inGrid;
}

std::string describeFaultyTiles(const std::vector<FaultyTile>& tiles, const std::string& prefix,
                                const char* extension) {
    std::string text;
    for (const FaultyTile& tile : tiles) {
        const char* said = tile.state == TileState::Missing      ? " is missing"
                           : tile.state == TileState::Unreadable ? " cannot be read"
                                                                 : " is cut short";
        text += (text.empty() ? "" : ", ") + tileFilePath(prefix, tile.x, tile.y, extension) + said;
    }
    return text;
}

} // namespace maporv
