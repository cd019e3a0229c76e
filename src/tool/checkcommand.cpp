#include "editing/mapcheck.h"
#include "mapdata/filereplacement.h"
#include "mapdata/mapdocument.h"
#include "mapdata/mapnames.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "picture/mappicture.h"
#include "tool/arguments.h"
#include "tool/toolcommands.h"

#include <algorithm>
#include <ostream>

namespace maporv::tool {
namespace {

constexpr const char* kCheckSynopsis = "check MAPFILE [--names FILE] [--fix [-o OUTPUT]]";

// The names as the editor finds them beside the map's picture, or from a file given.
bool readNames(ToolContext& context, const std::optional<std::string>& file,
               const MapDocument& document, MapNames& names) {
    if (!file) {
        names.loadNamesForMap(document, context.ui);
        return true;
    }
    const std::string path = absolutePath(*file);
    if (!names.readNamesFile(path, context.ui)) {
        context.ui.error(strprintf("%s not found", path.c_str()));
        return false;
    }
    return true;
}

// The file as it was read with only the mended road words changed, so that nothing
// else in it changes: not a header the reader clamps, nor bytes past the map. A short
// file grows by the zeros the reader saw.
std::string mendedFile(std::string bytes, const EditStep& step) {
    bytes.resize(std::max(bytes.size(), kMapFileSize), '\0');
    for (const CellChange& change : step.cells) {
        const std::size_t cell = std::size_t{change.row} * kMapColumns + change.column;
        const std::size_t at = 10 + cell * kHexCellFileSize + 2;
        bytes[at] = static_cast<char>(change.after.roads & 0xFF);
        bytes[at + 1] = static_cast<char>(change.after.roads >> 8);
    }
    return bytes;
}

bool writeMended(ToolContext& context, const MapDocument& document, const EditStep& step,
                 const std::optional<std::string>& output) {
    std::string bytes;
    if (!readWholeFile(document.path, bytes)) {
        context.ui.error(strprintf("Map file [%s]\nnot found", document.path.c_str()));
        return false;
    }
    const std::string target = output ? absolutePath(*output) : document.path;
    return saveFile(target, mendedFile(std::move(bytes), step), context.ui,
                    strprintf("Error on creating [%s]", target.c_str()));
}

int runCheck(ToolContext& context) {
    Arguments arguments(context.args, {"--names", "-o"}, {"--fix"});
    if (!arguments.ok() || arguments.positional().size() != 1) {
        return usageError(context, kCheckSynopsis, arguments.error());
    }
    const bool fix = arguments.flag("--fix");
    const auto output = arguments.value("-o");
    if (output && !fix) {
        return usageError(context, kCheckSynopsis, "-o goes with --fix");
    }
    MapDocument document;
    // Only the picture's size matters: which rows and columns it reaches.
    MapPicture picture(context.ui);
    if (!readMap(context, absolutePath(arguments.positional()[0]), document,
                 [&picture](const std::string& tile) { return picture.load(tile); })) {
        return kFailed;
    }
    MapNames names;
    if (!readNames(context, arguments.value("--names"), document, names)) {
        return kFailed;
    }
    if (fix) {
        const EditStep step = roadMendStep(document);
        step.redo(document, names);
        // In place means the file actually read; an unchanged map is not rewritten.
        if ((output || !step.empty()) && !writeMended(context, document, step, output)) {
            return kFailed;
        }
        context.out << "fixed: " << step.cells.size() << '\n';
    }
    std::optional<PictureSize> size;
    if (picture.valid && picture.width > 0 && picture.height > 0) {
        size = PictureSize{picture.width, picture.height};
    }
    const std::vector<MapProblem> problems = checkMap(document, names, size);
    for (const MapProblem& problem : problems) {
        context.out << problem.text() << '\n';
    }
    context.out << "problems: " << problems.size() << '\n';
    return problems.empty() ? kSuccess : kFailed;
}

} // namespace

std::vector<ToolCommand> checkCommands() {
    return {
        {"check", kCheckSynopsis,
         "Checks the map's area (the header's width x height) and prints one line per hex\n"
         "and kind of mistake, by row, then column, then \"problems: N\":\n"
         "  one-sided-road          a road to a neighbour that has no road back\n"
         "  road-off-map            a road that leaves the map's area or the 40 x 45 grid\n"
         "  road-without-direction  road bits 2, 6 or 8..15, which name no direction\n"
         "  unknown-terrain         a terrain code outside 0..19\n"
         "  name-outside-map        a named hex outside the area (the names file the editor\n"
         "                          finds beside the picture, or --names FILE)\n"
         "  beyond-picture          rows or columns of the area the map's picture does not\n"
         "                          reach, when the picture is found\n"
         "Hexes are written (column,row), as in the names files. --fix mends the one-sided\n"
         "roads by adding the missing road on the neighbour, writes OUTPUT (or MAPFILE in\n"
         "place when it changed) with no other byte of the file changed, prints\n"
         "\"fixed: N\" with the hexes changed and checks again. Exit status 0 when no\n"
         "problem is left, 1 when there are problems or the map cannot be read.\n",
         runCheck},
    };
}

} // namespace maporv::tool
