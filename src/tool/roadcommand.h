#pragma once

#include "tool/toolcontext.h"

namespace maporv::tool {

// suggest-roads: the roads between a map's hexes from what its picture shows.
ToolCommand suggestRoadsCommand();

} // namespace maporv::tool
