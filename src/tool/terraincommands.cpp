#include "mapdata/mapdocument.h"
#include "mapdata/mapnames.h"
#include "mapdata/mapsreport.h"
#include "mapdata/paths.h"
#include "mapdata/terrainchange.h"
#include "mapdata/textformat.h"
#include "tool/arguments.h"
#include "tool/roadcommand.h"
#include "tool/suggestcommand.h"
#include "tool/toolcommands.h"

#include <ostream>

namespace maporv::tool {
namespace {

constexpr const char* kChangeTerrainSynopsis = "change-terrain MAPFILE FROM TO [-o OUTPUT]";
constexpr const char* kReportSynopsis = "report FOLDER [--sort name|number|both] [-o FILE]";
constexpr const char* kNamesSynopsis = "names NAMESFILE --map MAPFILE [-o OUTPUT]";

int runChangeTerrain(ToolContext& context) {
    Arguments arguments(context.args, {"-o"}, {});
    if (!arguments.ok() || arguments.positional().size() != 3) {
        return usageError(context, kChangeTerrainSynopsis, arguments.error());
    }
    const std::string file = absolutePath(arguments.positional()[0]);
    const int from = parseTerrain(arguments.positional()[1]);
    const int to = parseTerrain(arguments.positional()[2]);
    if (from < 0 || to < 0) {
        return usageError(context, kChangeTerrainSynopsis,
                          "FROM and TO must be terrain codes 0..19 or names");
    }
    MapDocument document;
    if (!readMap(context, file, document)) {
        return kFailed;
    }
    // The "Done !" message is the command's result: it goes to stdout.
    ConsoleUserInterface ui(context.out, context.err);
    // A change that changes nothing writes nothing: the file, a clamped header
    // included, stays as it is (and -o gets no copy).
    if (changeTerrain(document, from, to, ui) == 0) {
        return kSuccess;
    }
    // In place means the file actually read, which the SCENARIO fallback may have found
    // elsewhere than typed.
    const std::string output =
        arguments.value("-o") ? absolutePath(*arguments.value("-o")) : document.path;
    return document.writeMapFile(output, ui) ? kSuccess : kFailed;
}

int runReport(ToolContext& context) {
    Arguments arguments(context.args, {"--sort", "-o"}, {});
    if (!arguments.ok() || arguments.positional().size() != 1) {
        return usageError(context, kReportSynopsis, arguments.error());
    }
    const std::string sort = arguments.value("--sort").value_or("number");
    int mode = ReportMode::ByNumber;
    if (sort == "name") {
        mode = ReportMode::ByName;
    } else if (sort == "both") {
        mode = ReportMode::Both;
    } else if (sort != "number") {
        return usageError(context, kReportSynopsis, "--sort takes name, number or both");
    }
    const std::string folder = withTrailingSeparator(absolutePath(arguments.positional()[0]));
    const std::string file = arguments.value("-o") ? absolutePath(*arguments.value("-o"))
                                                   : strprintf("%sMapsReport.txt", folder.c_str());
    std::vector<MapFileEntry> entries;
    if (!scanMapFolder(folder, entries, context.ui)) {
        return kFailed;
    }
    if (!writeMapsReport(file, folder, entries, mode, context.ui)) {
        return kFailed;
    }
    context.out << file << '\n';
    return kSuccess;
}

int runNames(ToolContext& context) {
    Arguments arguments(context.args, {"--map", "-o"}, {});
    auto mapFile = arguments.value("--map");
    if (!arguments.ok() || arguments.positional().size() != 1 || !mapFile) {
        return usageError(context, kNamesSynopsis, arguments.error());
    }
    *mapFile = absolutePath(*mapFile);
    MapDocument document;
    if (!readMap(context, *mapFile, document)) {
        return kFailed;
    }
    MapNames names;
    const std::string namesFile = absolutePath(arguments.positional()[0]);
    if (!names.readNamesFile(namesFile, context.ui)) {
        context.ui.error(strprintf("%s not found", namesFile.c_str()));
        return kFailed;
    }
    int namedHexes = 0;
    for (const auto& row : names.nameIndex) {
        for (std::uint16_t entry : row) {
            namedHexes += entry > 0 ? 1 : 0;
        }
    }
    context.out << "names: " << (names.count > 0 ? names.count - 1 : 0) << '\n'
                << "named hexes: " << namedHexes << '\n';
    if (const auto output = arguments.value("-o")) {
        // The names that did not fit were named on stderr while reading; a file
        // written now would lose them for good.
        if (!names.notKept.empty()) {
            context.ui.error(strprintf("%s not written: it would lose the names above",
                                       absolutePath(*output).c_str()));
            return kFailed;
        }
        if (!names.writeNamesFile(absolutePath(*output), document, context.ui)) {
            return kFailed;
        }
    }
    return kSuccess;
}

} // namespace

std::vector<ToolCommand> terrainCommands() {
    return {
        {"change-terrain", kChangeTerrainSynopsis,
         "Changes every hex of terrain FROM into terrain TO (codes 0..19 or names such as\n"
         "Forest or \"Impassable River\", any case), prints how many hexes changed, and\n"
         "writes OUTPUT, or MAPFILE in place. When no hex changes nothing is written (and\n"
         "with FROM equal to TO nothing is printed either).\n",
         runChangeTerrain},
        {"report", kReportSynopsis,
         "Writes the report of every MAP file of FOLDER with its map number, sorted by\n"
         "file name, by map number (the default) or both, to FILE (default\n"
         "FOLDER/MapsReport.txt), and prints the path written. Fails with \"There is\n"
         "nothing to do !\" when the folder holds no MAP file.\n",
         runReport},
        {"names", kNamesSynopsis,
         "Reads MAPFILE and the names file NAMESFILE as the editor does, prints the\n"
         "number of distinct names and of named hexes, and with -o writes the names\n"
         "again (sorted by row, then column, under a fresh header). Names beyond the 1799\n"
         "a map holds are named on stderr, and -o then writes nothing and fails.\n",
         runNames},
        suggestTerrainCommand(),
        suggestRoadsCommand(),
    };
}

} // namespace maporv::tool
