#pragma once

#include "mapdata/mapdocument.h"
#include "mapdata/mapnames.h"
#include "picture/mappicture.h"

#include <string>
#include <string_view>

namespace maporv {

class UserInterface;

// The one map being edited and where it came from: the document, its names, its
// picture, the game folder and the last loaded file. Every opening command goes
// through load(), so a MAP file, a BMP, an S16 set or an SHP set all end in the same
// state. The window builds its view from what load() reports.
class MapWorkspace {
public:
    explicit MapWorkspace(UserInterface& ui);
    MapWorkspace(const MapWorkspace&) = delete;
    MapWorkspace& operator=(const MapWorkspace&) = delete;

    MapDocument document;
    MapNames names;
    MapPicture picture;
    // The game's root folder (above SCENARIO and MAP), ending in a separator.
    std::string gameFolder;
    // The last loaded file, or a "*.map" pattern of the game's SCENARIO folder.
    std::string lastOpen;
    // The status line's description of the map and its picture.
    std::string infoText = " No file loaded";

    struct LoadResult {
        // A map was read or begun: the edit history and the view start again.
        bool mapReplaced = false;
        // A picture is loaded afterwards.
        bool pictureLoaded = false;
    };

    // The load step. A MAP file is read with its picture (pictureChosen: the caller
    // already put the wanted picture into the document's picturePath); a ".BMP",
    // ".S16" or ".SHP" picture starts a new, empty map named after it in the game's
    // SCENARIO folder. A map without a picture asks for one. Then the info text,
    // lastOpen and gameFolder follow the file and the matching names file is read.
    // When nothing could be read (no MAP file found, a picture file that does not
    // load, another extension) nothing changes: the previous map, its names and its
    // picture stay, the picture back in the shared buffer. A new map's header gets
    // the hexes its picture reaches.
    LoadResult load(const std::string& path, bool pictureChosen);

    // A map that has no file of its own yet, under the path it would be saved to: its
    // header, cells and trailer from mapBytes (a MAP file's bytes), its picture from
    // picturePath, or asked for as by load() when that does not load; then, as load()
    // does, the info text, lastOpen and gameFolder and the matching names file. No
    // file at mapPath is read or taken for the map's own.
    LoadResult startUnsavedMap(const std::string& mapPath, const std::string& picturePath,
                               std::string_view mapBytes);

    // True while the picture holds a loaded picture.
    bool pictureLoaded() const { return picture.valid; }
    // Reloads the picture from its path when a preview has overwritten the shared
    // pixel buffer. True when a picture is loaded afterwards.
    bool restorePicture();

    void rebuildInfoText();

private:
    // Forgets the picture, so that a map whose own picture is missing never shows
    // the picture of the map before it.
    void discardPicture();
    bool loadPicture(const std::string& path);
    // The end of every load: a picture asked for when the map has none, the info text,
    // lastOpen and gameFolder following readPath, the names file.
    void finishLoad(const std::string& readPath);

    UserInterface& ui_;
};

// The header's width and height for a map made from a picture: the columns and rows of
// hexes the picture reaches (a 640 x 480 picture reaches 16 x 10), within 45 x 40.
void setHeaderToPictureReach(MapDocument& document, int pictureWidth, int pictureHeight);

// The number in a picture's name: its first run of decimal digits, 0 if none, kept
// to 16 bits as the MAP file stores it.
std::uint16_t mapNumberFromName(const std::string& name);

} // namespace maporv
