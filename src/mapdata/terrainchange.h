#pragma once

namespace maporv {

class MapDocument;
class UserInterface;

// Global terrain change: every hex of terrain `from` becomes `to`, in memory only.
// Shows "Done !\n%d Terrain types changed\nfrom: %s\nto %s", also when no hex
// matched, and returns the number of hexes changed. Does nothing and shows nothing
// when either side is not a terrain type of the table (-1 is "none chosen") or both
// are the same. Raises the document's modified flag when a hex changed.
int changeTerrain(MapDocument& document, int from, int to, UserInterface& ui);

} // namespace maporv
