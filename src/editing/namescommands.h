#pragma once

#include <string>

namespace maporv {

class MapDocument;
class MapNames;
class UserInterface;

// The names commands of the menu and the panel, over the one MapNames and the map
// it belongs to.

// Load MapNames: asks for a text file, proposing the map-name form, and reads it in
// place of the current list. "%s not found" for a file that does not exist. True
// when the list was replaced, also by an empty one when the file could not be read
// after all (an open Set data dialog then refreshes its lists, and name edits made
// before no longer apply). Does nothing while no map is loaded.
bool loadMapNames(MapNames& names, const MapDocument& document, UserInterface& ui);

// Save MapNames: asks for the target, proposing the file the names came from or the
// map-name form, and writes the list there. True when written. Does nothing while
// no map is loaded.
bool saveMapNames(MapNames& names, const MapDocument& document, UserInterface& ui);

// Browse MapNames: asks for a names file, proposing the one loaded or the map's
// default, and opens it in the external editor.
void browseMapNames(const MapNames& names, const MapDocument& document, UserInterface& ui);

// Add name: prompts for a new name and adds it to the list without attaching it to
// a hex. Returns its entry, 0 when cancelled, empty or the list is full.
int promptNewName(MapNames& names, UserInterface& ui);

// Edit name: prompts with the text of entry and replaces it. "No name to edit !"
// when entry holds no name. Renaming an entry that hexes refer to changes what the
// names file would hold, so it raises modified. True when the text changed.
bool promptEditName(MapNames& names, int entry, UserInterface& ui);

} // namespace maporv
