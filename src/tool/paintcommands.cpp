#include "editing/editstep.h"
#include "editing/mapcheck.h"
#include "editing/regionfill.h"
#include "editing/roadstroke.h"
#include "mapdata/terraintype.h"
#include "mapdata/textformat.h"
#include "picture/mappicture.h"
#include "tool/arguments.h"
#include "tool/toolcommands.h"

#include <optional>
#include <ostream>

namespace maporv::tool {
namespace {

constexpr const char* kDrawRoadSynopsis =
    "draw-road MAPFILE C1,R1 C2,R2 ... [--remove] [-o OUTPUT]";
constexpr const char* kFillSynopsis = "fill MAPFILE C,R TERRAIN [-o OUTPUT]";

// A hex as it is given on the command line: "7,12".
std::string hexArgument(HexCoord hex) {
    return strprintf("%d,%d", hex.column, hex.row);
}

// A map read as the editor reads it, with the area its picture reaches, or its
// header's when the picture is missing (as the map check takes it, which a note says),
// so that nothing drawn here is what the check calls a road off the map.
struct AreaMap {
    MapDocument document;
    HexExtent area;
};

std::optional<AreaMap> readAreaMap(ToolContext& context, const std::string& file) {
    AreaMap map;
    MapPicture picture(context.ui);
    if (!readMap(context, absolutePath(file), map.document, &picture)) {
        return std::nullopt;
    }
    const std::optional<PictureSize> size = pictureSizeOf(picture);
    map.area = mapArea(map.document, size);
    if (!size) {
        context.out << strprintf("note: the picture [%s] was not read: the map's area is taken "
                                 "from the header (%d x %d hexes)\n",
                                 map.document.picturePath.c_str(), map.area.columns, map.area.rows);
    }
    return map;
}

bool refuseOutside(ToolContext& context, const AreaMap& map, HexCoord hex) {
    if (inArea(map.area, hex)) {
        return false;
    }
    context.ui.error(strprintf("Hex %s lies outside the map's %d x %d hexes: nothing written",
                               hexArgument(hex).c_str(), map.area.columns, map.area.rows));
    return true;
}

// Prints "changed: N" (the hexes the step changed) and writes the step.
int writeChanges(ToolContext& context, const AreaMap& map, const std::optional<std::string>& output,
                 const EditStep& step) {
    context.out << "changed: " << step.cells.size() << '\n';
    return writeStep(context, map.document, output, step);
}

int runDrawRoad(ToolContext& context) {
    Arguments arguments(context.args, {"-o"}, {"--remove"});
    const std::vector<std::string>& positional = arguments.positional();
    if (!arguments.ok() || positional.size() < 3) {
        return usageError(context, kDrawRoadSynopsis, arguments.error());
    }
    std::vector<HexCoord> hexes;
    for (std::size_t i = 1; i < positional.size(); ++i) {
        const auto hex = parseHex(positional[i]);
        if (!hex) {
            return usageError(context, kDrawRoadSynopsis,
                              strprintf("hexes are C,R with columns 0..44 and rows 0..39, not %s",
                                        positional[i].c_str()));
        }
        if (!hexes.empty() && neighbourDirection(hexes.back(), *hex) < 0) {
            context.ui.error(strprintf("%s and %s are not neighbours: a road joins each hex to "
                                       "the next; nothing written",
                                       positional[i - 1].c_str(), positional[i].c_str()));
            return kFailed;
        }
        hexes.push_back(*hex);
    }
    std::optional<AreaMap> map = readAreaMap(context, positional[0]);
    if (!map) {
        return kFailed;
    }
    for (HexCoord hex : hexes) {
        if (refuseOutside(context, *map, hex)) {
            return kFailed;
        }
    }
    RoadStroke stroke(map->document, map->area, arguments.flag("--remove"));
    for (HexCoord hex : hexes) {
        stroke.moveTo(hex);
    }
    return writeChanges(context, *map, arguments.value("-o"), stroke.finish());
}

int runFill(ToolContext& context) {
    Arguments arguments(context.args, {"-o"}, {});
    const std::vector<std::string>& positional = arguments.positional();
    if (!arguments.ok() || positional.size() != 3) {
        return usageError(context, kFillSynopsis, arguments.error());
    }
    const auto start = parseHex(positional[1]);
    if (!start) {
        return usageError(context, kFillSynopsis,
                          strprintf("C,R is a hex with column 0..44 and row 0..39, not %s",
                                    positional[1].c_str()));
    }
    const int terrain = parseTerrain(positional[2]);
    if (terrain < 0) {
        return usageError(context, kFillSynopsis, "TERRAIN must be a terrain code 0..19 or name");
    }
    std::optional<AreaMap> map = readAreaMap(context, positional[0]);
    if (!map || refuseOutside(context, *map, *start)) {
        return kFailed;
    }
    const std::vector<HexCoord> region = connectedRegion(map->document, *start, map->area);
    const int from = map->document.cellAt(start->row, start->column)->terrain;
    const char* fromName = terrainName(from);
    context.out << strprintf("region: %zu %s of %s\n", region.size(),
                             region.size() == 1 ? "hex" : "hexes",
                             fromName != nullptr ? fromName : std::to_string(from).c_str());
    return writeChanges(
        context, *map, arguments.value("-o"),
        regionFillStep(map->document, region, static_cast<std::uint16_t>(terrain), std::nullopt));
}

} // namespace

std::vector<ToolCommand> paintCommands() {
    return {
        {"draw-road", kDrawRoadSynopsis,
         "Draws a road through the hexes given (column first, as the names files write\n"
         "them): each hex is joined to the next by the direction's road bit on the one\n"
         "and the opposite bit on the other, so the road is never one-sided. Each hex\n"
         "must be the neighbour of the one before, and every hex must lie in the map's\n"
         "area (what its picture reaches, or the header's width x height when the\n"
         "picture is missing, which a \"note:\" line says); otherwise the pair or the hex\n"
         "is named and nothing is written. --remove takes the joints away instead (both\n"
         "bits). Prints \"changed: N\" (hexes whose roads changed) and writes OUTPUT, or\n"
         "MAPFILE in place when a hex changed; only the road words of the changed hexes\n"
         "are written into the file's own bytes.\n",
         runDrawRoad},
        {"fill", kFillSynopsis,
         "Gives TERRAIN (a code 0..19 or a name such as Forest, any case) to the hex C,R\n"
         "(column first) and every hex joined to it through neighbours of its terrain,\n"
         "within the map's area (as for draw-road); the roads stay as they are. Prints\n"
         "\"region: N hexes of Ocean\" (the terrain they had) and \"changed: N\", and\n"
         "writes OUTPUT, or MAPFILE in place when a hex changed; only the terrain words\n"
         "of the changed hexes are written into the file's own bytes.\n",
         runFill},
    };
}

} // namespace maporv::tool
