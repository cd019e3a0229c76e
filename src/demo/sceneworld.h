#pragma once

#include "mapdata/hexdirection.h"
#include "mapdata/mapdocument.h"

#include <cstdint>
#include <vector>

namespace maporv {

// The ways a scene can be painted, each as another hand would paint a map:
//   ThinStraight     thin straight roads from hex centre to hex centre, towns as a
//                    round symbol, faint hex borders;
//   ThickWinding     broad roads with a dark rim that wind through their hexes and
//                    cross the edges anywhere, towns as clusters of roofs, hedges
//                    between the fields;
//   RiversAndCoasts  roads as wide as the rivers and the drawn coast line, and led
//                    beside both, towns as a square symbol;
//   VaryingLight     pale roads with a dark rim under light that changes across the
//                    picture from dim to bright, hedges, towns as clusters.
enum class SceneStyle { ThinStraight, ThickWinding, RiversAndCoasts, VaryingLight };
inline constexpr SceneStyle kSceneStyles[] = {SceneStyle::ThinStraight, SceneStyle::ThickWinding,
                                              SceneStyle::RiversAndCoasts,
                                              SceneStyle::VaryingLight};
// "thin-straight", "thick-winding", "rivers-and-coasts", "varying-light".
const char* sceneStyleName(SceneStyle style);

// A generated map for testing what is learnt from pictures: sea along the west, hills,
// woods, rivers to the sea, single-hex towns among the fields and the roads between
// them. The same style, seed and size give the same scene.
struct SceneWorld {
    SceneStyle style = SceneStyle::ThinStraight;
    std::uint64_t seed = 0;
    int width = 0;
    int height = 0;
    MapDocument document;
    // Each river's hexes from its source to the sea.
    std::vector<std::vector<HexCoord>> rivers;
    std::vector<HexCoord> towns;
};

// Fills world for a picture of width x height pixels (at most 1920 x 1920).
void buildSceneWorld(SceneStyle style, std::uint64_t seed, int width, int height,
                     SceneWorld& world);

} // namespace maporv
