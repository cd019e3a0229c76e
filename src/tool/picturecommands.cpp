#include "demo/demoscenario.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "picture/mappicture.h"
#include "tool/arguments.h"
#include "tool/pictureimporter.h"
#include "tool/toolcommands.h"

#include <optional>
#include <ostream>

namespace maporv::tool {
namespace {

constexpr const char* kPictureSynopsis =
    "picture INPUT [--fit] [--allow-incomplete] [--bmp OUT.bmp] [--bmp-tiles PREFIX] "
    "[--s16-tiles PREFIX]";
constexpr const char* kMakeDemoSynopsis = "make-demo FOLDER";

int runPicture(ToolContext& context) {
    Arguments arguments(context.args, {"--bmp", "--bmp-tiles", "--s16-tiles"},
                        {"--fit", "--allow-incomplete"});
    if (!arguments.ok() || arguments.positional().size() != 1) {
        return usageError(context, kPictureSynopsis, arguments.error());
    }
    auto pathValue = [&](const char* name) -> std::optional<std::string> {
        const auto value = arguments.value(name);
        return value ? std::optional(absolutePath(*value)) : std::nullopt;
    };
    const auto bmp = pathValue("--bmp");
    const auto bmpTiles = pathValue("--bmp-tiles");
    const auto s16Tiles = pathValue("--s16-tiles");
    // The tile writers need a base name for the tile files; a bare folder would write
    // nothing at all.
    for (const auto& prefix : {bmpTiles, s16Tiles}) {
        if (prefix && fileNamePart(*prefix).empty()) {
            return usageError(context, kPictureSynopsis,
                              "a tile PREFIX is a folder and a base name, such as out/MAP07");
        }
    }
    const std::string input = absolutePath(arguments.positional()[0]);
    // A named pipe or a device would keep the image reader waiting for ever.
    if (!isRegularFile(input)) {
        context.ui.error(strprintf("%s not found", input.c_str()));
        return kFailed;
    }

    // The exports' "Done !" messages are the command's results: they go to stdout.
    ConsoleUserInterface ui(context.out, context.err);
    PictureImporter importer(ui);
    if (!importer.load(input, arguments.flag("--fit"))) {
        return kFailed;
    }
    MapPicture& picture = importer.picture();
    context.out << "picture: " << picture.name << ' ' << picture.width << 'x' << picture.height
                << " tiles=" << picture.tileCount << " bits=" << picture.sourceBits << '\n';
    // A set whose tiles all failed to read is a picture of 0 x 0: it loads, but there
    // is nothing in it to export.
    if ((bmp || bmpTiles || s16Tiles) && (picture.width <= 0 || picture.height <= 0)) {
        ui.error(
            strprintf("Nothing to export: no picture tile could be read from %s", input.c_str()));
        return kFailed;
    }
    // Exported, a set with holes would replace good tiles with grey ones.
    if (const std::string faults = picture.faultyTilesText(); !faults.empty()) {
        ui.showMessage(MessageKind::Warning,
                       strprintf("The tile set %s is incomplete: %s; what they lack is grey",
                                 picture.name.c_str(), faults.c_str()));
        if ((bmp || bmpTiles || s16Tiles) && !arguments.flag("--allow-incomplete")) {
            ui.error("Nothing exported: the tile set is incomplete (--allow-incomplete exports "
                     "it as it is)");
            return kFailed;
        }
    }

    bool ok = true;
    if (bmp && !picture.saveBmp(*bmp)) {
        ok = false;
    }
    if (bmpTiles) {
        const int errorsBefore = ui.errorCount();
        // A failed tile has been reported; a refusal without a word is the size rule.
        if (!picture.writeBmpTiles(*bmpTiles) && ui.errorCount() == errorsBefore) {
            ui.error(strprintf("Not split into BMP tiles: only a picture larger than %d x %d "
                               "both ways is split",
                               kTileWidth, kTileHeight));
        }
        ok = ok && ui.errorCount() == errorsBefore;
    }
    if (s16Tiles && !picture.writeS16Tiles(*s16Tiles)) {
        ok = false;
    }
    return ok ? kSuccess : kFailed;
}

int runMakeDemo(ToolContext& context) {
    Arguments arguments(context.args, {}, {});
    if (!arguments.ok() || arguments.positional().size() != 1) {
        return usageError(context, kMakeDemoSynopsis, arguments.error());
    }
    const std::string folder = withTrailingSeparator(absolutePath(arguments.positional()[0]));
    if (!makeDemoScenario(folder, context.ui)) {
        return kFailed;
    }
    context.out << folder << "SCENARIO/DEMO.MAP\n"
                << folder << "MAP/MAP0700.s16 .. MAP0723.s16\n"
                << folder << "MAP/MAP007.TXT\n";
    return kSuccess;
}

} // namespace

std::vector<ToolCommand> pictureCommands() {
    return {
        {"picture", kPictureSynopsis,
         "Loads a picture. The game's own formats load exactly as the editor loads them:\n"
         "any tile of an S16 or SHP set (the whole set is read), or a BMP the editor reads.\n"
         "A set with a tile missing, unreadable or cut short is named on stderr with those\n"
         "tiles, and exported only with --allow-incomplete (grey where they lack). A\n"
         "picture file cut short or damaged is refused.\n"
         "Any other picture (PNG, JPEG, GIF, TIFF, WebP, a BMP of any header, depth or\n"
         "compression) goes through the image reader where the tool is built with Qt: it\n"
         "becomes the editor's 24-bit picture, an alpha channel laid over the editor's\n"
         "220 grey. A BMP the editor refuses for its kind is named on stderr with the\n"
         "editor's message, then converted. A picture larger than 1920 x 1920 is refused;\n"
         "--fit scales it down smoothly to fit, keeping its aspect, within 512 MB of memory\n"
         "(a picture that needs more to decode is refused with its size). Prints\n"
         "\"picture: NAME WIDTHxHEIGHT tiles=T bits=B\" (bits is the depth of the source,\n"
         "0 for tiles), then exports it: --bmp as one 24-bit BMP, --bmp-tiles as 640 x 480\n"
         "BMP tiles PREFIX00.bmp ... (pictures larger than one tile both ways), --s16-tiles\n"
         "as S16 tiles PREFIX00.s16 ... for the game. Fails when the picture cannot be read\n"
         "or any file cannot be written.\n"
         "A tile set is written all or nothing: when one tile fails, no tile is replaced.\n"
         "Once a new S16 set is in place, the older tiles of that set name that a reader\n"
         "would mix with it are removed and named (\"removed: MAP0720.s16 ...\").\n",
         runPicture},
        {"make-demo", kMakeDemoSynopsis,
         "Writes the demo scenario below FOLDER: SCENARIO/DEMO.MAP (map 7), its painted\n"
         "1920 x 1920 picture as MAP/MAP0700.s16 .. MAP0723.s16 and its place names\n"
         "MAP/MAP007.TXT, and prints the files written. Always the same bytes.\n",
         runMakeDemo},
    };
}

} // namespace maporv::tool
