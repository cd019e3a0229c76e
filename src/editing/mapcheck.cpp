#include "editing/mapcheck.h"

#include "mapdata/hexdirection.h"
#include "mapdata/hexgrid.h"
#include "mapdata/mapdocument.h"
#include "mapdata/mapnames.h"
#include "mapdata/terraintype.h"
#include "mapdata/textformat.h"
#include "picture/mappicture.h"

#include <algorithm>
#include <array>
#include <tuple>

namespace maporv {
namespace {

// The hexes checked (see mapArea).
struct MapArea {
    int columns = 0;
    int rows = 0;

    MapArea(const MapDocument& document, const std::optional<PictureSize>& picture) {
        const HexExtent extent = mapArea(document, picture);
        columns = extent.columns;
        rows = extent.rows;
    }

    bool contains(HexCoord hex) const { return inArea({columns, rows}, hex); }
};

// Each kind's name for scripts and in words, in the order of MapProblemKind.
struct KindNames {
    const char* identifier;
    const char* words;
};
constexpr std::array<KindNames, 7> kKindNames = {{
    {"file-size", "file size"},
    {"header-size", "header size"},
    {"one-sided-road", "one-sided road"},
    {"road-off-map", "road off the map"},
    {"road-without-direction", "road without a direction"},
    {"unknown-terrain", "unknown terrain"},
    {"name-outside-map", "name outside the map"},
}};
static_assert(kKindNames.size() == static_cast<std::size_t>(MapProblemKind::NameOutsideMap) + 1);

const HexCell& cellOf(const MapDocument& document, HexCoord hex) {
    return document.cells[static_cast<std::size_t>(hex.row)][static_cast<std::size_t>(hex.column)];
}

// Where a road of a hex leads.
enum class RoadEnd { Joined, OneSided, OffArea, OffGrid };

RoadEnd roadEnd(const MapDocument& document, const MapArea& area, HexCoord to, int direction) {
    if (!MapDocument::inGrid(to.row, to.column)) {
        return RoadEnd::OffGrid;
    }
    if (!area.contains(to)) {
        return RoadEnd::OffArea;
    }
    const std::uint16_t back = directionBit(oppositeDirection(direction));
    return (cellOf(document, to).roads & back) != 0 ? RoadEnd::Joined : RoadEnd::OneSided;
}

// Calls visit(from, direction, to, end) for every road bit of a direction in the area.
template <typename Visit>
void forEachRoad(const MapDocument& document, const MapArea& area, Visit visit) {
    for (int row = 0; row < area.rows; ++row) {
        for (int column = 0; column < area.columns; ++column) {
            const HexCoord hex{row, column};
            const std::uint16_t roads = cellOf(document, hex).roads;
            for (int direction = 0; direction < kHexDirections; ++direction) {
                if ((roads & directionBit(direction)) != 0) {
                    const HexCoord to = neighbour(hex, direction);
                    visit(hex, direction, to, roadEnd(document, area, to, direction));
                }
            }
        }
    }
}

std::string joined(const std::vector<std::string>& parts, const char* separator) {
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : separator) + part;
    }
    return text;
}

// One line per hex and kind: a hex's roads are gathered before its lines are written.
void checkRoads(const MapDocument& document, const MapArea& area,
                std::vector<MapProblem>& problems) {
    HexCoord at{-1, -1};
    std::vector<std::string> oneSided;
    std::vector<std::string> offMap;
    const auto flush = [&] {
        if (!oneSided.empty()) {
            problems.push_back(
                {at.row, at.column, MapProblemKind::OneSidedRoad, joined(oneSided, "; ")});
        }
        if (!offMap.empty()) {
            problems.push_back(
                {at.row, at.column, MapProblemKind::RoadOffMap, joined(offMap, "; ")});
        }
        oneSided.clear();
        offMap.clear();
    };
    forEachRoad(document, area, [&](HexCoord from, int direction, HexCoord to, RoadEnd end) {
        if (!(from == at)) {
            flush();
            at = from;
        }
        const char* name = directionName(direction);
        switch (end) {
        case RoadEnd::OneSided:
            oneSided.push_back(strprintf("%s to %s, which has no road %s", name,
                                         hexText(to).c_str(),
                                         directionName(oppositeDirection(direction))));
            break;
        case RoadEnd::OffArea:
            offMap.push_back(strprintf("%s to %s, outside the map's %d x %d hexes", name,
                                       hexText(to).c_str(), area.columns, area.rows));
            break;
        case RoadEnd::OffGrid:
            offMap.push_back(
                strprintf("%s leads off the %d x %d grid", name, kMapColumns, kMapRows));
            break;
        case RoadEnd::Joined:
            break;
        }
    });
    flush();
}

void checkCells(const MapDocument& document, const MapArea& area,
                std::vector<MapProblem>& problems) {
    for (int row = 0; row < area.rows; ++row) {
        for (int column = 0; column < area.columns; ++column) {
            const HexCell& cell = cellOf(document, {row, column});
            // Bits 2 and 6 and the upper byte: the game moves along none of them.
            const unsigned stray = cell.roads & ~unsigned{RoadMask::Settable};
            if (stray != 0) {
                std::vector<std::string> bits;
                for (int bit = 0; bit < 16; ++bit) {
                    if ((stray & (1u << bit)) != 0) {
                        bits.push_back(std::to_string(bit));
                    }
                }
                problems.push_back(
                    {row, column, MapProblemKind::RoadWithoutDirection,
                     strprintf("%s %s %s no direction (roads 0x%04X)",
                               bits.size() == 1 ? "bit" : "bits", joined(bits, ", ").c_str(),
                               bits.size() == 1 ? "names" : "name", cell.roads)});
            }
            if (terrainName(cell.terrain) == nullptr) {
                problems.push_back({row, column, MapProblemKind::UnknownTerrain,
                                    strprintf("code %d", cell.terrain)});
            }
        }
    }
}

void checkNames(const MapNames& names, const MapArea& area, std::vector<MapProblem>& problems) {
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            const int entry = names.nameAt(row, column);
            if (entry != 0 && !area.contains({row, column})) {
                problems.push_back(
                    {row, column, MapProblemKind::NameOutsideMap,
                     strprintf("\"%s\" lies outside the map's %d x %d hexes",
                               names.nameText(entry).c_str(), area.columns, area.rows)});
            }
        }
    }
    // The list could not keep these: the names file alone still has them.
    for (const NameOutsideGrid& line : names.outsideGrid) {
        problems.push_back({line.row, line.column, MapProblemKind::NameOutsideMap,
                            strprintf("\"%s\" lies outside the %d x %d grid", line.name.c_str(),
                                      kMapColumns, kMapRows)});
    }
}

} // namespace

const char* problemKindName(MapProblemKind kind) {
    return kKindNames[static_cast<std::size_t>(kind)].identifier;
}

const char* problemKindWords(MapProblemKind kind) {
    return kKindNames[static_cast<std::size_t>(kind)].words;
}

std::string MapProblem::text(ProblemNaming naming) const {
    const char* kindText =
        naming == ProblemNaming::Words ? problemKindWords(kind) : problemKindName(kind);
    const std::string line = std::string(kindText) + ": " + detail;
    return wholeMap ? line : hexText({row, column}) + " " + line;
}

bool inArea(const HexExtent& area, HexCoord hex) {
    return hex.row >= 0 && hex.row < area.rows && hex.column >= 0 && hex.column < area.columns &&
           MapDocument::inGrid(hex.row, hex.column);
}

std::optional<PictureSize> pictureSizeOf(const MapPicture& picture) {
    if (!picture.valid || picture.width <= 0 || picture.height <= 0) {
        return std::nullopt;
    }
    return PictureSize{picture.width, picture.height};
}

HexExtent pictureReach(const PictureSize& picture) {
    HexGrid grid;
    grid.setMapSize(picture.width, picture.height);
    return {std::clamp(grid.maxColumn + 1, 1, kMapColumns),
            std::clamp(grid.maxRow + 1, 1, kMapRows)};
}

HexExtent mapArea(const MapDocument& document, const std::optional<PictureSize>& picture) {
    return picture ? pictureReach(*picture)
                   : HexExtent{std::clamp<int>(document.width, 1, kMapColumns),
                               std::clamp<int>(document.height, 1, kMapRows)};
}

std::optional<MapProblem> checkFileSize(std::size_t bytes) {
    if (bytes == kMapFileSize) {
        return std::nullopt;
    }
    return MapProblem{0, 0, MapProblemKind::FileSize,
                      strprintf("%zu bytes, a map has %zu", bytes, kMapFileSize), true};
}

std::vector<MapProblem> checkMap(const MapDocument& document, const MapNames& names,
                                 std::optional<PictureSize> picture) {
    const MapArea area(document, picture);
    std::vector<MapProblem> problems;
    // The header as the file holds it: a new map's zeros are a mistake too.
    if (picture && (document.width != area.columns || document.height != area.rows)) {
        problems.push_back({0, 0, MapProblemKind::HeaderSize,
                            strprintf("the header says %d x %d hexes, the picture holds %d x %d",
                                      document.width, document.height, area.columns, area.rows),
                            true});
    }
    checkRoads(document, area, problems);
    checkCells(document, area, problems);
    checkNames(names, area, problems);
    std::stable_sort(problems.begin(), problems.end(),
                     [](const MapProblem& a, const MapProblem& b) {
                         return std::tuple(!a.wholeMap, a.row, a.column, a.kind) <
                                std::tuple(!b.wholeMap, b.row, b.column, b.kind);
                     });
    return problems;
}

std::string noPictureNote(const MapDocument& document) {
    const MapArea area(document, std::nullopt);
    return strprintf("the picture [%s] was not read: the map's area is taken from the header "
                     "(%d x %d hexes), which is not checked against the picture",
                     document.picturePath.c_str(), area.columns, area.rows);
}

EditStep roadMendStep(const MapDocument& document, std::optional<PictureSize> picture) {
    const MapArea area(document, picture);
    MapDocument::Grid<std::uint16_t> missing{};
    forEachRoad(document, area, [&](HexCoord, int direction, HexCoord to, RoadEnd end) {
        if (end == RoadEnd::OneSided) {
            auto& bits =
                missing[static_cast<std::size_t>(to.row)][static_cast<std::size_t>(to.column)];
            bits = static_cast<std::uint16_t>(bits | directionBit(oppositeDirection(direction)));
        }
    });
    EditStep step;
    for (int row = 0; row < area.rows; ++row) {
        for (int column = 0; column < area.columns; ++column) {
            const std::uint16_t bits =
                missing[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
            if (bits != 0) {
                const HexCell& before = cellOf(document, {row, column});
                HexCell after = before;
                after.roads = static_cast<std::uint16_t>(after.roads | bits);
                step.cells.push_back({static_cast<std::uint8_t>(row),
                                      static_cast<std::uint8_t>(column), before, after});
            }
        }
    }
    step.name = EditStep::countedName("Mend Roads", step.cells.size());
    return step;
}

EditStep headerStep(const MapDocument& document, const PictureSize& picture) {
    const HexExtent reach = pictureReach(picture);
    EditStep step;
    if (document.width != reach.columns || document.height != reach.rows) {
        step.header =
            HeaderChange{document.width, document.height, static_cast<std::uint16_t>(reach.columns),
                         static_cast<std::uint16_t>(reach.rows)};
        step.name = strprintf("Set Header (%d x %d)", reach.columns, reach.rows);
    }
    return step;
}

} // namespace maporv
