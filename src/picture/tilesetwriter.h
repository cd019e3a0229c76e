#pragma once

#include "mapdata/filereplacement.h"

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace maporv {

class UserInterface;

// Writes the tiles of one set all or nothing: every tile goes to a temporary file
// first, and only when all were written do they replace the old tiles, so that an
// error or a kill before then leaves the old set whole. Once the new set is in place,
// the older tiles that the S16 reader would combine with it are removed.
class TileSetWriter {
public:
    // prefix: folder and base name of the tiles; extension: ".s16" or ".bmp".
    TileSetWriter(std::string prefix, std::string extension, UserInterface& ui);

    // Writes tile (x, y) to its temporary file. A tile that cannot be written is
    // reported ("Error on creating %s", or the writer's own reason such as a
    // read-only tile) and the set will not replace the old one.
    void add(int x, int y, std::string_view bytes);

    // Puts the tiles in place when every one was written and ends with one message:
    // doneMessage followed by "removed: NAME ..." when older tiles were removed, or
    // how many of the set's tiles (tilesName, "S16 tiles") were written. True when
    // every tile was written.
    bool finish(const std::string& doneMessage, const char* tilesName);

private:
    void removeOlderTiles();

    std::string prefix_;
    std::string extension_;
    UserInterface& ui_;
    std::deque<FileReplacement> tiles_;
    std::vector<bool> inSet_;
    int failed_ = 0;
    std::vector<std::string> removed_;
};

} // namespace maporv
