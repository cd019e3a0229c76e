#include "picture/tileset.h"

#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "picture/mappicture.h"

namespace maporv {

std::string tileSetBase(const std::string& tilePath) {
    const std::string title = fileNamePart(tilePath);
    return title.size() >= 6 ? title.substr(0, title.size() - 2) : title;
}

std::string tileFilePath(const std::string& prefix, int x, int y, const char* extension) {
    return strprintf("%s%d%d%s", prefix.c_str(), x, y, extension);
}

TileExtent tileSetExtent(const std::function<std::optional<TileExtent>(int x, int y)>& extentOf) {
    TileExtent picture;
    for (int x = 0; x < kTileColumns; ++x) {
        if (const auto tile = extentOf(x, 0)) {
            picture.width += tile->width;
            if (x == 0) {
                picture.height += tile->height;
            }
        }
    }
    for (int y = 1; y < kTileRows; ++y) {
        if (const auto tile = extentOf(0, y)) {
            picture.height += tile->height;
        }
    }
    return picture;
}

} // namespace maporv
