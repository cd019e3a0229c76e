#include "mapdata/maplistorder.h"

#include "mapdata/paths.h"
#include "mapdata/textformat.h"

#include <algorithm>
#include <fstream>

namespace maporv {

bool readMapNumber(const std::string& path, std::int16_t& number) {
    if (path.empty() || isFolder(path)) {
        return false;
    }
    std::ifstream in(resolveExisting(path), std::ios::binary);
    if (!in) {
        return false;
    }
    unsigned char bytes[2] = {0, 0};
    in.read(reinterpret_cast<char*>(bytes), 2);
    number = static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8)));
    return true;
}

std::string dotPadded(const std::string& text, std::size_t width) {
    std::string padded = text.substr(0, width);
    padded.resize(width, '.');
    return padded;
}

} // namespace maporv
