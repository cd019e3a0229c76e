#include "picture/tileset.h"

#include "mapdata/paths.h"
#include "mapdata/textformat.h"

namespace maporv {

std::string tileSetBase(const std::string& tilePath) {
    const std::string title = fileNamePart(tilePath);
    return title.size() >= 6 ? title.substr(0, title.size() - 2) : title;
}

std::string tileFilePath(const std::string& prefix, int x, int y, const char* extension) {
    return strprintf("%s%d%d%s", prefix.c_str(), x, y, extension);
}

} // namespace maporv
