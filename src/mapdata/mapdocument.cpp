#include "mapdata/mapdocument.h"

#include "mapdata/filereplacement.h"
#include "mapdata/inputfile.h"
#include "mapdata/littleendian.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"

namespace maporv {
namespace {

// Reads little-endian values from a byte buffer; a read beyond the end leaves the
// target unchanged, which is what a short MAP file does to the fields it misses.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

    void read16(std::uint16_t& value) {
        if (pos_ + 2 <= bytes_.size()) {
            value = readU16(reinterpret_cast<const std::uint8_t*>(bytes_.data() + pos_));
        }
        pos_ += 2;
    }
    void read8(std::uint8_t& value) {
        if (pos_ < bytes_.size()) {
            value = byte(pos_);
        }
        pos_ += 1;
    }

private:
    std::uint8_t byte(std::size_t at) const { return static_cast<std::uint8_t>(bytes_[at]); }

    std::string_view bytes_;
    std::size_t pos_ = 0;
};

void put16(std::string& out, std::uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

// Reads at most the size of a MAP file; bytes beyond it are ignored.
bool readMapBytes(const std::string& path, std::string& bytes) {
    InputFile file;
    if (!file.open(path)) {
        return false;
    }
    bytes.resize(kMapFileSize);
    bytes.resize(file.read(bytes.data(), kMapFileSize));
    return true;
}

} // namespace

std::string mapNumberString(int mapNumber) {
    return mapNumber < 10 ? strprintf("0%d", mapNumber) : strprintf("%d", mapNumber);
}

std::string tileSetName(int mapNumber) {
    return "MAP" + mapNumberString(mapNumber);
}

void MapDocument::clearMap() {
    cells = {};
    selected = {};
    pictureFromBmp = false;
    selectionActive = false;
}

HexCell* MapDocument::cellAt(int row, int column) {
    return inGrid(row, column) ? &cells[row][column] : nullptr;
}

const HexCell* MapDocument::cellAt(int row, int column) const {
    return inGrid(row, column) ? &cells[row][column] : nullptr;
}

void MapDocument::fromBytes(std::string_view bytes) {
    ByteReader reader(bytes);
    reader.read16(mapNumber);
    reader.read16(width);
    reader.read16(height);
    if (width >= kMapColumns) {
        width = kMapColumns;
    }
    if (width <= 1) {
        width = 1;
    }
    if (height >= kMapRows) {
        height = kMapRows;
    }
    if (height <= 1) {
        height = 1;
    }
    for (std::uint8_t& b : headerExtra) {
        reader.read8(b);
    }
    for (auto& row : cells) {
        for (HexCell& cell : row) {
            reader.read16(cell.terrain);
            reader.read16(cell.roads);
            reader.read8(cell.extra0);
            reader.read8(cell.extra1);
            reader.read8(cell.extra2);
        }
    }
    for (std::uint8_t& b : trailer) {
        reader.read8(b);
    }
}

std::string MapDocument::toBytes() const {
    std::string out;
    out.reserve(kMapFileSize);
    put16(out, mapNumber);
    put16(out, width);
    put16(out, height);
    out.append(reinterpret_cast<const char*>(headerExtra.data()), headerExtra.size());
    for (const auto& row : cells) {
        for (const HexCell& cell : row) {
            put16(out, cell.terrain);
            put16(out, cell.roads);
            out.push_back(static_cast<char>(cell.extra0));
            out.push_back(static_cast<char>(cell.extra1));
            out.push_back(static_cast<char>(cell.extra2));
        }
    }
    out.append(reinterpret_cast<const char*>(trailer.data()), trailer.size());
    return out;
}

bool MapDocument::readMapFile(const std::string& filePath, bool pictureChosen,
                              const std::string& gameFolder, UserInterface& ui,
                              const PictureLoader& loadPicture) {
    std::string target = filePath;
    if (!fileExists(target) && !target.empty()) {
        target = strprintf("%sSCENARIO/%s.MAP", gameFolder.c_str(), fileNamePart(target).c_str());
    }

    std::string bytes;
    std::string readPath = target;
    if (!readMapBytes(readPath, bytes)) {
        readPath = ui.pickFile(FileType::Map, target, std::string());
        if (readPath.empty() || !readMapBytes(readPath, bytes)) {
            ui.message(strprintf("Map file [%s]\nnot found", target.c_str()));
            return false;
        }
    }

    // Cleared only once a file is open: a map that cannot be found leaves the map in
    // memory whole, so it can never be saved as an empty map over its own file.
    clearMap();
    fromBytes(bytes);
    modified = false;
    path = readPath;
    pathIsOwnFile = true;
    loaded = true;
    if (!pictureChosen) {
        deriveTileNames();
    }
    if (fileExists(picturePath) && loadPicture) {
        loadPicture(picturePath);
        pictureFromBmp = false;
    }
    return true;
}

void MapDocument::deriveTileNames() {
    tileName = tileSetName(mapNumber) + "00.s16";
    picturePath = strprintf("%sMAP/%s", parentFolder(path).c_str(), tileName.c_str());
}

bool MapDocument::writeMapFile(const std::string& filePath, UserInterface& ui) {
    if (!saveFile(filePath, toBytes(), ui, strprintf("Error on creating [%s]", filePath.c_str()))) {
        return false;
    }
    path = filePath;
    pathIsOwnFile = true;
    modified = false;
    return true;
}

} // namespace maporv
