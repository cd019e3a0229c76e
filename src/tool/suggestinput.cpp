#include "tool/suggestinput.h"

#include "editing/mapcheck.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "picture/mappicture.h"
#include "tool/arguments.h"
#include "tool/toolcommands.h"

#include <algorithm>
#include <ostream>

namespace maporv::tool {
namespace {

std::optional<HexBlock> parseBlock(const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) {
        return std::nullopt;
    }
    const auto first = parseHex(text.substr(0, colon));
    const auto last = parseHex(text.substr(colon + 1));
    if (!first || !last) {
        return std::nullopt;
    }
    HexBlock block{text};
    for (int row = std::min(first->row, last->row); row <= std::max(first->row, last->row); ++row) {
        for (int column = std::min(first->column, last->column);
             column <= std::max(first->column, last->column); ++column) {
            block.hexes[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = 1;
        }
    }
    return block;
}

} // namespace

std::optional<std::vector<std::string>> trainFiles(const Arguments& arguments,
                                                   std::initializer_list<const char*> singles,
                                                   std::string& problem) {
    for (const char* single : singles) {
        if (arguments.values(single).size() > 1) {
            problem = strprintf("%s is given twice", single);
            return std::nullopt;
        }
    }
    std::vector<std::string> files = arguments.values("--train");
    if (arguments.positional().size() > 1 && files.empty()) {
        problem = "one MAPFILE only";
        return std::nullopt;
    }
    files.insert(files.end(), arguments.positional().begin() + 1, arguments.positional().end());
    return files;
}

std::optional<std::vector<HexBlock>> parseBlocks(const Arguments& arguments, const char* option,
                                                 std::string& problem) {
    std::vector<HexBlock> blocks;
    for (const std::string& text : arguments.values(option)) {
        auto block = parseBlock(text);
        if (!block) {
            problem = strprintf("%s needs C1,R1:C2,R2 with columns 0..44 and rows 0..39, not %s",
                                option, text.c_str());
            return std::nullopt;
        }
        blocks.push_back(std::move(*block));
    }
    return blocks;
}

bool evaluationNumber(const Arguments& arguments, const EvaluationOption& evaluation, bool writes,
                      const char* conflict, std::optional<long>& number, std::string& problem) {
    const auto text = arguments.value(evaluation.option);
    if (!text) {
        return true;
    }
    number = parseInteger(*text);
    if (!number || *number < 1 || *number > evaluation.high) {
        problem = strprintf("%s needs a %s of 1..%ld", evaluation.option, evaluation.number,
                            evaluation.high);
        return false;
    }
    if (writes) {
        problem = conflict;
        return false;
    }
    return true;
}

bool readMapWithPicture(ToolContext& context, const std::string& file, MapDocument& document,
                        const std::function<void(const MapPicture&)>& usePicture) {
    // The reader falls back to the SCENARIO folder beside and names the path it
    // tried last; a map found nowhere is named as the user gave it.
    const std::string fallback =
        strprintf("%sSCENARIO/%s.MAP", parentFolder(file).c_str(), fileNamePart(file).c_str());
    if (!fileExists(file) && !fileExists(fallback)) {
        context.ui.error(strprintf("Map file [%s]\nnot found", file.c_str()));
        return false;
    }
    MapPicture picture(context.ui);
    if (!readMap(context, file, document, &picture)) {
        return false;
    }
    if (!pictureSizeOf(picture)) {
        context.ui.error(strprintf("No picture for %s: %s not found", document.path.c_str(),
                                   document.picturePath.c_str()));
        return false;
    }
    usePicture(picture);
    return true;
}

std::optional<HexMask> blocksInArea(ToolContext& context, const char* role,
                                    const std::vector<HexBlock>& blocks, const HexMask& area) {
    HexMask all{};
    for (const HexBlock& block : blocks) {
        int used = 0;
        for (int row = 0; row < kMapRows; ++row) {
            for (int column = 0; column < kMapColumns; ++column) {
                const auto r = static_cast<std::size_t>(row);
                const auto c = static_cast<std::size_t>(column);
                if (block.hexes[r][c] != 0 && area[r][c] != 0) {
                    all[r][c] = 1;
                    ++used;
                }
            }
        }
        if (used == 0) {
            int lastRow = 0;
            int lastColumn = 0;
            for (int row = 0; row < kMapRows; ++row) {
                for (int column = 0; column < kMapColumns; ++column) {
                    if (area[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]) {
                        lastRow = std::max(lastRow, row);
                        lastColumn = std::max(lastColumn, column);
                    }
                }
            }
            context.ui.error(strprintf("The %s %s holds no hex of the map area: the picture "
                                       "reaches columns 0..%d and rows 0..%d",
                                       role, block.text.c_str(), lastColumn, lastRow));
            return std::nullopt;
        }
        const int total = countHexes(block.hexes);
        context.out << strprintf("%s %s: %d %s", role, block.text.c_str(), used,
                                 used == 1 ? "hex" : "hexes");
        if (used < total) {
            context.out << strprintf(" (%d beyond the picture left alone)", total - used);
        }
        context.out << '\n';
    }
    return all;
}

} // namespace maporv::tool
