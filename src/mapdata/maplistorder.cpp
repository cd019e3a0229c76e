#include "mapdata/maplistorder.h"

#include "mapdata/inputfile.h"
#include "mapdata/littleendian.h"
#include "mapdata/textformat.h"

#include <algorithm>

namespace maporv {

bool readMapNumber(const std::string& path, std::int16_t& number) {
    InputFile file;
    if (!file.open(path)) {
        return false;
    }
    // A file shorter than the number reads the missing bytes as 0.
    std::uint8_t bytes[2] = {0, 0};
    file.read(bytes, sizeof bytes);
    number = readI16(bytes);
    return true;
}

std::string dotPadded(const std::string& text, std::size_t width) {
    std::string padded = text.substr(0, width);
    padded.resize(width, '.');
    return padded;
}

} // namespace maporv
