#pragma once

namespace maporv {

struct DemoWorld;
class MapPicture;

// Paints the demo's 1920 x 1920 picture from the world's hex data, lined up with the
// full-size hex grid: each hex's area textured after its terrain (sea and shallows,
// beaches, fields, woods, hills, peaks, fens, dunes), the rivers through their hexes,
// the roads between the centres of the hexes their bits join, the towns, the port,
// the airfield and the fort, and faint hex borders. Begins the picture, so its pixels
// land in the shared picture buffer.
void paintDemoPicture(const DemoWorld& world, MapPicture& picture);

} // namespace maporv
