#pragma once

#include <functional>
#include <optional>
#include <string>

namespace maporv {

// The base name of the tile set a picked tile belongs to: its title without the last
// two characters (the tile's column and row digits) when the title has 6 or more
// characters, else the whole title. "MAP/MAP0712.s16" gives "MAP07".
std::string tileSetBase(const std::string& tilePath);

// The file of tile (x, y) of a set: prefix (folder and base name) + column digit + row
// digit + extension, as in tileFilePath("MAP/MAP07", 1, 2, ".s16") = "MAP/MAP0712.s16".
std::string tileFilePath(const std::string& prefix, int x, int y, const char* extension);

struct TileExtent {
    int width = 0;
    int height = 0;
};

// The size of a tile set's picture: as wide as the tiles of row 0 and as high as those
// of column 0 together. extentOf(x, y) gives a tile's size, nothing for a tile that is
// missing or skipped.
TileExtent tileSetExtent(const std::function<std::optional<TileExtent>(int x, int y)>& extentOf);

} // namespace maporv
