#pragma once

#include <cstddef>
#include <string>

namespace maporv {

// The bodies of the File and Names menus' commands and the picture exports: the
// application carries them out (MapToolApp), over the editing session.
class FileCommands {
public:
    virtual ~FileCommands() = default;

    virtual void newMap() = 0;
    virtual void fileOpen() = 0;
    virtual void openLast() = 0;
    virtual void openRecent(std::size_t index) = 0;
    // The save dialog, then the map written; false when cancelled or not written.
    virtual bool fileSave() = 0;
    virtual void saveImageAsBmp() = 0;
    virtual void saveImageAsBmpTiles() = 0;
    virtual void saveImageAsS16Tiles() = 0;
    // The Misc. Tools dialog: its terrain change is an undoable step of the map.
    virtual void miscTools() = 0;

    virtual void loadNames() = 0;
    virtual bool saveNames() = 0;
    virtual void browseNames() = 0;

    // The Help menu's release line.
    virtual const std::string& versionText() const = 0;
};

} // namespace maporv
