#pragma once

#include "tool/toolcontext.h"

namespace maporv::tool {

// suggest-terrain: the terrain of a map's hexes from what its picture shows.
ToolCommand suggestTerrainCommand();

} // namespace maporv::tool
