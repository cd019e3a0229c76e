#include "display/displaysurfaces.h"
#include "display/fixedpointer.h"
#include "display/mapview.h"
#include "display/offscreendisplay.h"
#include "display/surface.h"
#include "editing/editsession.h"
#include "mapdata/filereplacement.h"
#include "mapdata/hexgrid.h"
#include "mapdata/textformat.h"
#include "tool/arguments.h"
#include "tool/toolcommands.h"

#include <QBuffer>
#include <QImage>
#include <QString>
#include <algorithm>
#include <array>
#include <chrono>
#include <optional>
#include <ostream>
#include <vector>

namespace maporv::tool {
namespace {

constexpr const char* kSynopsis =
    "render INPUT -o OUT.png [--mode window|800x600|1024x768] [--size WxH] [--full] "
    "[--grid] [--terrain] [--roads] [--no-names] [--icons] [--filter all|CODE,...] "
    "[--scroll X,Y] [--pointer X,Y] [--select ROW,COL[-ROW,COL]]... [--frames N]";

// A window mode frame is composed at the depth of a usual desktop.
constexpr int kDesktopDepth = 32;

// The window the display sizes its surfaces by: only its client area matters here.
// "A<sep>B" with two integers.
std::optional<std::pair<int, int>> parsePair(const std::string& text, char separator) {
    const std::size_t at = text.find(separator);
    if (at == std::string::npos) {
        return std::nullopt;
    }
    const auto a = parseInteger(text.substr(0, at));
    const auto b = parseInteger(text.substr(at + 1));
    if (!a || !b || *a < -100000 || *a > 100000 || *b < -100000 || *b > 100000) {
        return std::nullopt;
    }
    return std::pair<int, int>{static_cast<int>(*a), static_cast<int>(*b)};
}

struct Block {
    int row1, column1, row2, column2;
};

std::optional<Block> parseBlock(const std::string& text) {
    const std::size_t dash = text.find('-', 1);
    const auto first = parsePair(text.substr(0, dash), ',');
    const auto last = dash == std::string::npos ? first : parsePair(text.substr(dash + 1), ',');
    if (!first || !last) {
        return std::nullopt;
    }
    for (const auto& [row, column] : {*first, *last}) {
        if (!MapDocument::inGrid(row, column)) {
            return std::nullopt;
        }
    }
    return Block{first->first, first->second, last->first, last->second};
}

struct RenderOptions {
    std::string input;
    std::string output;
    int videoMode = kWindowMode;
    int width = 1024;
    int height = 768;
    std::optional<std::array<bool, kTerrainTypeCount>> filter;
    std::optional<std::pair<int, int>> scroll;
    std::optional<Point> pointer;
    std::vector<Block> blocks;
    int frames = 1;
    bool timed = false;
};

// The options into settings; an empty text when they are fine, else the problem.
std::string readOptions(const Arguments& arguments, RenderOptions& options) {
    if (arguments.positional().size() != 1) {
        return arguments.positional().empty() ? "missing INPUT" : "more than one INPUT";
    }
    options.input = absolutePath(arguments.positional()[0]);
    const auto output = arguments.value("-o");
    if (!output || output->empty()) {
        return "missing -o OUT.png";
    }
    options.output = absolutePath(*output);

    if (const auto mode = arguments.value("--mode")) {
        if (*mode == "window") {
            options.videoMode = kWindowMode;
        } else if (*mode == "800x600") {
            options.videoMode = kMode800x600;
        } else if (*mode == "1024x768") {
            options.videoMode = kMode1024x768;
        } else {
            return "unknown mode " + *mode;
        }
    }
    if (const auto size = arguments.value("--size")) {
        const auto pair = parsePair(*size, 'x');
        if (!pair || pair->first < 200 || pair->second < 200 || pair->first > 4096 ||
            pair->second > 4096) {
            return "--size needs WxH between 200x200 and 4096x4096";
        }
        options.width = pair->first;
        options.height = pair->second;
    }
    if (const auto filter = arguments.value("--filter")) {
        std::array<bool, kTerrainTypeCount> flags{};
        if (*filter == "all") {
            flags.fill(true);
        } else {
            std::size_t start = 0;
            while (start <= filter->size()) {
                const std::size_t comma = std::min(filter->find(',', start), filter->size());
                const auto code = parseInteger(filter->substr(start, comma - start));
                if (!code || *code < 0 || *code >= kTerrainTypeCount) {
                    return "--filter needs all or terrain codes 0..19";
                }
                flags[static_cast<std::size_t>(*code)] = true;
                start = comma + 1;
            }
        }
        options.filter = flags;
    }
    if (const auto scroll = arguments.value("--scroll")) {
        options.scroll = parsePair(*scroll, ',');
        if (!options.scroll) {
            return "--scroll needs X,Y";
        }
    }
    if (const auto pointer = arguments.value("--pointer")) {
        const auto pair = parsePair(*pointer, ',');
        if (!pair) {
            return "--pointer needs X,Y";
        }
        options.pointer = Point{pair->first, pair->second};
    }
    for (const std::string& text : arguments.values("--select")) {
        const auto block = parseBlock(text);
        if (!block) {
            return "--select needs ROW,COL or ROW,COL-ROW,COL inside the 40 x 45 grid";
        }
        options.blocks.push_back(*block);
    }
    if (const auto frames = arguments.value("--frames")) {
        const auto count = parseInteger(*frames);
        if (!count || *count < 1 || *count > 100000) {
            return "--frames needs a count of 1 or more";
        }
        options.frames = static_cast<int>(*count);
        options.timed = true;
    }
    return {};
}

void select(MapDocument& document, const Block& block) {
    for (int row = std::min(block.row1, block.row2); row <= std::max(block.row1, block.row2);
         ++row) {
        for (int column = std::min(block.column1, block.column2);
             column <= std::max(block.column1, block.column2); ++column) {
            document.selected[row][column] = 1;
        }
    }
    document.selectionActive = true;
}

int runRender(ToolContext& context) {
    Arguments arguments(
        context.args,
        {"-o", "--mode", "--size", "--filter", "--scroll", "--pointer", "--select", "--frames"},
        {"--full", "--grid", "--terrain", "--roads", "--no-names", "--icons"});
    if (!arguments.ok()) {
        return usageError(context, kSynopsis, arguments.error());
    }
    RenderOptions options;
    if (const std::string problem = readOptions(arguments, options); !problem.empty()) {
        return usageError(context, kSynopsis, problem);
    }

    ensureGuiApplication("maporv-tool");
    EditSession session(context.ui);
    const MapWorkspace::LoadResult loaded = session.load(options.input);
    const bool pictureLoaded = loaded.pictureLoaded;
    if (!loaded.mapReplaced) {
        context.err << "maporv-tool: nothing could be loaded from " << options.input << '\n';
        return kFailed;
    }

    OffscreenOwner owner(Rect{0, 0, options.width, options.height});
    DisplaySurfaces display;
    display.setUserInterface(&context.ui);
    if (failed(display.Create(owner))) {
        context.err << "maporv-tool: no display for rendering\n";
        return kFailed;
    }
    HexGrid grid;
    FixedPointer pointer;
    MapView view(display, session, grid, pointer);
    view.videoMode = options.videoMode;
    view.screenRect = owner.clientRect();
    if (failed(view.InitDisplayMode(kDesktopDepth))) {
        context.err << "maporv-tool: the display mode could not be set\n";
        return kFailed;
    }
    view.workArea = view.screenRect;

    view.strategicView = arguments.flag("--full") ? 0 : 1;
    view.showGrid = arguments.flag("--grid") ? 1 : 0;
    view.showTerrain = arguments.flag("--terrain") ? 1 : 0;
    view.showRoads = arguments.flag("--roads") ? 1 : 0;
    view.showNames = arguments.flag("--no-names") ? 0 : 1;
    view.showLabels = !arguments.flag("--icons");
    if (options.filter) {
        view.terrainFilter = *options.filter;
    }
    view.InitImages();
    if (pictureLoaded) {
        view.ShowLoadedPicture();
    }

    session.change(kSelectionChanged, [&options](MapWorkspace& workspace) {
        for (const Block& block : options.blocks) {
            select(workspace.document, block);
        }
    });
    if (options.scroll) {
        grid.scrollX = options.scroll->first;
        grid.scrollY = options.scroll->second;
        grid.clampScroll();
    }
    // Without --pointer the pointer rests on the bottom bar: off the view and away from
    // the edges that scroll.
    const Rect& bar = view.regions.bottomBar;
    const Point client =
        options.pointer.value_or(Point{bar.left + bar.width() / 2, bar.top + bar.height() / 2});
    pointer.moveTo(view.fullScreen != 0 ? client : view.toScreen(client));

    std::vector<double> milliseconds;
    for (int i = 0; i < options.frames; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const Status status = view.RenderFrame();
        const auto end = std::chrono::steady_clock::now();
        if (failed(status)) {
            context.err << "maporv-tool: the frame failed\n";
            return kFailed;
        }
        milliseconds.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    if (options.timed) {
        std::sort(milliseconds.begin(), milliseconds.end());
        const double median = milliseconds[milliseconds.size() / 2];
        context.out << strprintf("frames: %d median_ms: %.3f\n", options.frames, median);
    }

    // Encoded in memory, then saved as every file is: whole or not at all, never over a
    // device, a named pipe or a read-only file.
    const QImage frame = display.frontSurface()->image().convertToFormat(QImage::Format_RGB888);
    QByteArray png;
    QBuffer buffer(&png);
    const std::string failure = "maporv-tool: cannot write " + options.output;
    if (!buffer.open(QIODevice::WriteOnly) || !frame.save(&buffer, "PNG")) {
        context.ui.error(failure);
        return kFailed;
    }
    return saveFile(options.output, std::string_view(png.constData(), png.size()), context.ui,
                    failure)
               ? kSuccess
               : kFailed;
}

} // namespace

std::vector<ToolCommand> renderCommands() {
    return {
        {"render", kSynopsis,
         "Loads a MAP file with its picture and names file, or a picture alone (BMP, S16,\n"
         "SHP), composes the editor's map view frame without a display and writes the\n"
         "presented frame as a PNG image.\n\n"
         "  --mode MODE      window (default), 800x600 or 1024x768 full screen\n"
         "  --size WxH       window mode's client size (default 1024x768)\n"
         "  --full           the picture at full size instead of the strategic view\n"
         "  --grid, --terrain, --roads   show the hex grid, terrain marks, road marks\n"
         "  --no-names       hide the markers of named hexes\n"
         "  --icons          terrain icons instead of labels at full size\n"
         "  --filter F       terrain types marked: all, or codes such as 1,2,9\n"
         "                   (default 1,2,9,10,15,17)\n"
         "  --scroll X,Y     the picture position at the view's top-left (full size)\n"
         "  --pointer X,Y    the mouse pointer in client coordinates: the hex under it\n"
         "                   fills the status line and the road box\n"
         "  --select R,C[-R,C]  select a hex or a block of hexes; repeatable\n"
         "  --frames N       compose N frames and print 'frames: N median_ms: M'\n",
         runRender},
    };
}

} // namespace maporv::tool
