#pragma once

#include <string>

namespace maporv {

class MapPicture;
class UserInterface;

// The File menu's exports of the map picture. Each asks for a file through ui's file
// picker and does nothing while the picture is not valid or when the picker is
// cancelled; the writers report through the picture's own user interface.

// "Save Image as new BMP": one 24-bit BMP, by default folder + title + ".bmp".
void saveImageAsBmp(const MapPicture& picture, UserInterface& ui);

// "&Save image as BMP tiles": by default folder + title + "??.bmp".
void saveImageAsBmpTiles(const MapPicture& picture, UserInterface& ui);

// "Save image &As S16 tiles": by default the game's tile names of the loaded map
// (folder + "MAP" + two-digit number + "??.s16"), else folder + title + "??.s16".
void saveImageAsS16Tiles(const MapPicture& picture, UserInterface& ui, bool mapLoaded,
                         int mapNumber);

// The folder and base name of a tile set from a picked path: the path without its
// extension and without trailing '?', '*' and spaces ("/m/MAP05??.s16" gives "/m/MAP05").
std::string tilePrefixFromPath(const std::string& pickedPath);

} // namespace maporv
