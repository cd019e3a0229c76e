#pragma once

#include "mapdata/hexcell.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace maporv {

class UserInterface;

// The cell grid is always 40 rows by 45 columns, whatever size the picture has.
inline constexpr int kMapRows = 40;
inline constexpr int kMapColumns = 45;
inline constexpr std::size_t kMapTrailerSize = 1761;
inline constexpr std::size_t kMapFileSize =
    10 + kMapRows * kMapColumns * kHexCellFileSize + kMapTrailerSize; // 14371

// Loads the map's picture from the path of its first tile; true when it loaded.
using PictureLoader = std::function<bool(const std::string& path)>;

// The one scenario map in memory: the MAP file plus the bookkeeping that ties it to
// its picture. Loads overwrite it in place.
class MapDocument {
public:
    template <typename T>
    using Grid = std::array<std::array<T, kMapColumns>, kMapRows>;

    std::string path;
    // True while path names the file the map was read from or last written to. A map
    // made from a picture only proposes its path for the first save: no file there is
    // its own until that save.
    bool pathIsOwnFile = false;
    bool modified = false;
    bool loaded = false;
    bool pictureFromBmp = false;
    bool selectionActive = false;
    Grid<std::uint8_t> selected{};
    // File name of the picture's first tile, "MAP0700.s16" for map 7.
    std::string tileName;
    // Full path of the picture's first tile. Derived from the map number, or set by
    // the open dialog when the user picked a replacement picture.
    std::string picturePath;
    std::uint16_t mapNumber = 0;
    std::uint16_t height = 0;
    std::uint16_t width = 0;
    std::array<std::uint8_t, 4> headerExtra{};
    std::array<std::uint8_t, kMapTrailerSize> trailer{};
    Grid<HexCell> cells{};

    // Every cell and selection flag to 0, pictureFromBmp and selectionActive to 0.
    // Header fields, path, flags and tile names stay.
    void clearMap();

    // Loads a MAP file. Falls back to gameFolder + "SCENARIO/" + title + ".MAP" when
    // no file exists at path, then to the file picker; reports "Map file [%s]\nnot
    // found" when nothing opens (the map in memory stays as it was). When pictureChosen is false
    // the tile names are derived from the map number. When a file exists at
    // picturePath afterwards, loadPicture (if given) loads it. True when a file was read.
    bool readMapFile(const std::string& path, bool pictureChosen, const std::string& gameFolder,
                     UserInterface& ui, const PictureLoader& loadPicture = {});

    // tileName and picturePath from mapNumber and path.
    void deriveTileNames();

    // Writes the MAP file through a temporary file, so the old file survives any
    // failure; "Error on creating [%s]" then, and nothing changes. True on success.
    bool writeMapFile(const std::string& filePath, UserInterface& ui);

    // The 14371 bytes of the MAP file.
    std::string toBytes() const;
    // Fills header, cells and trailer from the bytes of a MAP file, as far as they
    // reach: what a short file does not reach keeps its value. Clamps the header's
    // width to 1..45 and height to 1..40.
    void fromBytes(std::string_view bytes);

    // The cell at (row, column), or nullptr outside the 40 x 45 grid: hexes of a
    // picture larger than the grid never reach the cells.
    HexCell* cellAt(int row, int column);
    const HexCell* cellAt(int row, int column) const;
    static bool inGrid(int row, int column) {
        return row >= 0 && row < kMapRows && column >= 0 && column < kMapColumns;
    }
};

// The map number in tile names: "0%d" below 10, else "%d" (7 gives 07, 123 gives 123).
std::string mapNumberString(int mapNumber);
// The base name of a map's S16 tiles: "MAP" and the number string (MAP07 for map 7).
std::string tileSetName(int mapNumber);

} // namespace maporv
