#include "mapdata/mapdocument.h"
#include "mapdata/paths.h"
#include "mapdata/terraintype.h"
#include "tool/arguments.h"
#include "tool/toolcommands.h"

#include <map>
#include <ostream>

namespace maporv::tool {
namespace {

constexpr const char* kInfoSynopsis = "info MAPFILE";
constexpr const char* kDumpSynopsis = "dump MAPFILE";
constexpr const char* kCopySynopsis = "copy INPUT OUTPUT";

int runInfo(ToolContext& context) {
    Arguments arguments(context.args, {}, {});
    if (!arguments.ok() || arguments.positional().size() != 1) {
        return usageError(context, kInfoSynopsis, arguments.error());
    }
    MapDocument document;
    if (!readMap(context, absolutePath(arguments.positional()[0]), document)) {
        return kFailed;
    }
    context.out << "map number: " << document.mapNumber << '\n'
                << "width: " << document.width << '\n'
                << "height: " << document.height << '\n'
                << "tile name: " << document.tileName << '\n'
                << "picture path: " << document.picturePath << '\n';
    std::map<int, int> terrainCounts;
    int withRoads = 0;
    for (const auto& row : document.cells) {
        for (const HexCell& cell : row) {
            ++terrainCounts[cell.terrain];
            withRoads += cell.roads != 0 ? 1 : 0;
        }
    }
    for (const auto& [code, count] : terrainCounts) {
        const char* name = terrainName(code);
        context.out << "terrain " << code << ' ' << (name != nullptr ? name : "") << ": " << count
                    << '\n';
    }
    context.out << "hexes with roads: " << withRoads << '\n';
    return kSuccess;
}

int runDump(ToolContext& context) {
    Arguments arguments(context.args, {}, {});
    if (!arguments.ok() || arguments.positional().size() != 1) {
        return usageError(context, kDumpSynopsis, arguments.error());
    }
    MapDocument document;
    if (!readMap(context, absolutePath(arguments.positional()[0]), document)) {
        return kFailed;
    }
    context.out << "row,column,terrain,terrain_name,roads,extra0,extra1,extra2\n";
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            const HexCell& cell = document.cells[row][column];
            const char* name = terrainName(cell.terrain);
            context.out << row << ',' << column << ',' << cell.terrain << ','
                        << (name != nullptr ? name : "") << ',' << cell.roads << ','
                        << int{cell.extra0} << ',' << int{cell.extra1} << ',' << int{cell.extra2}
                        << '\n';
        }
    }
    return kSuccess;
}

int runCopy(ToolContext& context) {
    Arguments arguments(context.args, {}, {});
    if (!arguments.ok() || arguments.positional().size() != 2) {
        return usageError(context, kCopySynopsis, arguments.error());
    }
    MapDocument document;
    if (!readMap(context, absolutePath(arguments.positional()[0]), document)) {
        return kFailed;
    }
    return document.writeMapFile(absolutePath(arguments.positional()[1]), context.ui) ? kSuccess
                                                                                      : kFailed;
}

} // namespace

std::vector<ToolCommand> mapCommands() {
    return {
        {"info", kInfoSynopsis,
         "Prints the map number, the header's width and height, the picture's first tile\n"
         "name and path as the editor derives them, how many hexes have each terrain\n"
         "type, and how many hexes have roads.\n",
         runInfo},
        {"dump", kDumpSynopsis,
         "Prints every hex as CSV: row,column,terrain,terrain_name,roads,extra0,extra1,extra2\n"
         "in grid order (row 0 first, within a row column 0 first), numbers in decimal.\n",
         runDump},
        {"copy", kCopySynopsis,
         "Reads a MAP file and writes it again as the editor would save it.\n", runCopy},
    };
}

} // namespace maporv::tool
