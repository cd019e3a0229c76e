#include "picture/tilesetwriter.h"

#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"
#include "picture/mappicture.h"
#include "picture/tileset.h"

#include <cstdio>

namespace maporv {

TileSetWriter::TileSetWriter(std::string prefix, std::string extension, UserInterface& ui)
    : prefix_(std::move(prefix)), extension_(std::move(extension)), ui_(ui),
      inSet_(kTileColumns * kTileRows, false) {}

void TileSetWriter::add(int x, int y, std::string_view bytes) {
    const std::string fileName = tileFilePath(prefix_, x, y, extension_.c_str());
    inSet_[static_cast<std::size_t>(x * kTileRows + y)] = true;
    FileReplacement& tile = tiles_.emplace_back();
    if (!tile.prepare(fileName, bytes)) {
        ui_.error(tile.refusal().empty() ? strprintf("Error on creating %s", fileName.c_str())
                                         : tile.refusal());
        ++failed_;
    }
}

bool TileSetWriter::finish(const std::string& doneMessage, const char* tilesName) {
    const int total = static_cast<int>(tiles_.size());
    if (failed_ > 0) {
        for (FileReplacement& tile : tiles_) {
            tile.discard();
        }
        ui_.error(strprintf("0 of %d %s written:\nnothing has been replaced, the old tiles are "
                            "as they were.",
                            total, tilesName));
        return false;
    }
    int written = 0;
    for (FileReplacement& tile : tiles_) {
        if (tile.commit()) {
            ++written;
        } else if (!tile.refusal().empty()) {
            ui_.error(tile.refusal());
        }
    }
    if (written < total) {
        ui_.error(strprintf("%d of %d %s written:\nthe others could not be replaced.", written,
                            total, tilesName));
        return false;
    }
    // Without a new tile, every older one would count as stale.
    if (total > 0) {
        removeOlderTiles();
    }
    std::string message = doneMessage;
    if (!removed_.empty()) {
        message += "\nremoved:";
        for (const std::string& name : removed_) {
            message += ' ' + name;
        }
    }
    ui_.information(message);
    return true;
}

void TileSetWriter::removeOlderTiles() {
    // The reader drops the two tile digits only from names long enough: a set whose
    // tiles it never reads as a set has no older tiles to be mixed with.
    if (extension_ != ".s16" || tileSetBase(tileFilePath(prefix_, 0, 0, extension_.c_str())) !=
                                    fileNameWithExtension(prefix_)) {
        return;
    }
    const std::string folder = folderPart(prefix_);
    const std::vector<std::string> present = listFiles(folder, "*");
    for (int x = 0; x < kTileColumns; ++x) {
        for (int y = 0; y < kTileRows; ++y) {
            if (inSet_[static_cast<std::size_t>(x * kTileRows + y)]) {
                continue;
            }
            // The reader finds tiles whatever the case of their names.
            const std::string older =
                fileNameWithExtension(tileFilePath(prefix_, x, y, extension_.c_str()));
            for (const std::string& name : present) {
                if (equalsIgnoreCase(name, older) &&
                    std::remove((resolveExisting(folder) + name).c_str()) == 0) {
                    removed_.push_back(name);
                }
            }
        }
    }
}

} // namespace maporv
