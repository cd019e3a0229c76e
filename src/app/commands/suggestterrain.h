#pragma once

namespace maporv {

class EditSession;
class MapFrame;
class UserInterface;

// Edit > Suggest Terrain (F8): the selected hexes, or with none every Clear hex, get
// the terrain the picture shows there, learnt from the other hexes of the map; one
// undoable step. The status line tells how many hexes were set and how many were
// left; labels of fewer than two terrains are refused with a message.
void suggestTerrain(EditSession& session, MapFrame& frame, UserInterface& ui);

} // namespace maporv
