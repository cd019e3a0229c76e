#pragma once

#include "editing/terrainsuggestion.h"
#include "tool/toolcontext.h"

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace maporv {
class MapPicture;
}

namespace maporv::tool {

class Arguments;

// A block of hexes, corners given column first as the game writes hexes, with the
// text it was given as.
struct HexBlock {
    std::string text;
    HexMask hexes{};
};

// The maps that teach besides MAPFILE: those of --train and the positional arguments
// after MAPFILE ("--train A.MAP B.MAP"). nullopt, with the problem as a usage error,
// when there are such arguments without --train or an option of singles is given twice.
std::optional<std::vector<std::string>> trainFiles(const Arguments& arguments,
                                                   std::initializer_list<const char*> singles,
                                                   std::string& problem);

// Every value of a block option (C1,R1:C2,R2), parsed; the problem as a usage error
// otherwise.
std::optional<std::vector<HexBlock>> parseBlocks(const Arguments& arguments, const char* option,
                                                 std::string& problem);

// An option that evaluates a suggestion instead of writing it, with its number of
// 1..high as the synopsis names it: --evaluate PERCENT of 1..99.
struct EvaluationOption {
    const char* option;
    const char* number;
    long high;
};

// The number of an evaluation option, when given. An evaluation writes nothing, so it
// is refused beside an option that writes (writes) with conflict as the problem. False
// with the problem as a usage error.
bool evaluationNumber(const Arguments& arguments, const EvaluationOption& evaluation, bool writes,
                      const char* conflict, std::optional<long>& number, std::string& problem);

// Reads a map and its picture as the editor finds them and hands the picture to
// usePicture while it is in the shared pixel buffer; a map without a picture is
// reported and refused.
bool readMapWithPicture(ToolContext& context, const std::string& file, MapDocument& document,
                        const std::function<void(const MapPicture&)>& usePicture);

// The hexes of the blocks in area, each block reported with how many of its hexes are
// used; a block with none in the area is refused.
std::optional<HexMask> blocksInArea(ToolContext& context, const char* role,
                                    const std::vector<HexBlock>& blocks, const HexMask& area);

} // namespace maporv::tool
