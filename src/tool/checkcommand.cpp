#include "editing/mapcheck.h"
#include "mapdata/littleendian.h"
#include "mapdata/mapdocument.h"
#include "mapdata/mapnames.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "picture/mappicture.h"
#include "tool/arguments.h"
#include "tool/toolcommands.h"

#include <optional>
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

// "fixed: N", the hexes and the header counted, and what was set in the header.
std::string fixedLine(const EditStep& mend) {
    const std::size_t count = mend.cells.size() + (mend.header ? 1 : 0);
    if (!mend.header) {
        return strprintf("fixed: %zu", count);
    }
    return strprintf("fixed: %zu (header set to %d x %d)", count, mend.header->widthAfter,
                     mend.header->heightAfter);
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
    if (!readMap(context, absolutePath(arguments.positional()[0]), document, &picture)) {
        return kFailed;
    }
    // The bytes as read: their length is checked, and a mend changes only its own.
    std::string bytes;
    if (!readWholeFile(document.path, bytes)) {
        context.ui.error(strprintf("Map file [%s]\nnot found", document.path.c_str()));
        return kFailed;
    }
    // The header as the file holds it, not as the reader clamps it: a width of 300
    // is a mistake of the file.
    if (bytes.size() >= 6) {
        document.width = readU16(reinterpret_cast<const std::uint8_t*>(bytes.data() + 2));
        document.height = readU16(reinterpret_cast<const std::uint8_t*>(bytes.data() + 4));
    }
    MapNames names;
    if (!readNames(context, arguments.value("--names"), document, names)) {
        return kFailed;
    }
    // The picture's size decides the map's area; the output says when there is none.
    const std::optional<PictureSize> size = pictureSizeOf(picture);
    if (!size) {
        context.out << "note: " << noPictureNote(document) << '\n';
    }
    const std::optional<MapProblem> badSize = checkFileSize(bytes.size());
    if (fix && badSize) {
        // Mending a file that is not a whole map would make up what it lacks.
        context.ui.error(strprintf("Map file [%s]\nhas %zu bytes, a map has %zu: not mended",
                                   document.path.c_str(), bytes.size(), kMapFileSize));
    } else if (fix) {
        // The header is set on top of the mended roads, and both are written at once:
        // in place only when something changed, into the file actually read.
        EditStep mend = roadMendStep(document, size);
        mend.redo(document, names);
        if (size) {
            const EditStep header = headerStep(document, *size);
            header.redo(document, names);
            mend.header = header.header;
        }
        if (writeStep(context, document, output, mend) != kSuccess) {
            return kFailed;
        }
        context.out << fixedLine(mend) << '\n';
    }
    std::vector<MapProblem> problems = checkMap(document, names, size);
    if (badSize) {
        problems.insert(problems.begin(), *badSize);
    }
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
         "Checks the map and prints one line per mistake, those of the whole map first,\n"
         "then by hex (row, then column), then \"problems: N\":\n"
         "  file-size               a MAP file of another length than 14371 bytes\n"
         "  header-size             a header whose width x height differs from what the\n"
         "                          picture reaches\n"
         "  one-sided-road          a road to a neighbour that has no road back\n"
         "  road-off-map            a road that leaves the map's area or the 45 x 40 grid\n"
         "  road-without-direction  road bits 2, 6 or 8..15, which name no direction\n"
         "  unknown-terrain         a terrain code outside 0..19\n"
         "  name-outside-map        a named hex outside the area or the grid (the names\n"
         "                          file the editor finds beside the picture, or --names)\n"
         "The map's area is what its picture reaches (the hexes the editor shows); when\n"
         "the picture is missing, the header's width x height, and a \"note:\" line says\n"
         "that the header was not checked. Hexes and sizes are written columns first:\n"
         "(column,row) as in the names files, columns x rows. --fix mends the one-sided\n"
         "roads by adding the missing road on the neighbour and sets the header to what\n"
         "the picture reaches, writes OUTPUT (or MAPFILE in place when it changed) with no\n"
         "other byte of the file changed, prints \"fixed: N\" with the changes (hexes, and\n"
         "the header) and checks again; a file of the wrong length is not mended. Exit\n"
         "status 0 when no problem is left, 1 when there are problems or the map cannot\n"
         "be read or mended.\n",
         runCheck},
    };
}

} // namespace maporv::tool
