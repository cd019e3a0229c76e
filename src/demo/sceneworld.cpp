#include "demo/sceneworld.h"

#include "demo/cheapestpath.h"
#include "demo/demorandom.h"
#include "demo/demoworld.h"
#include "demo/valuenoise.h"
#include "mapdata/hexgrid.h"

#include <algorithm>

namespace maporv {
namespace {

namespace Terrain = TerrainCode;

// One town for about this many hexes: twenty on a picture of 1920 x 1920.
constexpr int kHexesPerTown = 80;
// Towns lie at least this many pixels apart, four hexes.
constexpr int kTownSpacing = 200;

int indexOf(HexCoord hex) {
    return hex.row * kMapColumns + hex.column;
}

std::int64_t distanceSquared(HexCoord a, HexCoord b) {
    const std::int64_t dx = hexCentreX(a.column) - hexCentreX(b.column);
    const std::int64_t dy = hexCentreY(a.row, a.column) - hexCentreY(b.row, b.column);
    return dx * dx + dy * dy;
}

class SceneBuilder {
public:
    SceneBuilder(SceneWorld& world)
        : world_(world), random_(world.seed * 0x9E37 + static_cast<std::uint64_t>(world.style)),
          height_(world.seed + 101, 256, 3, 2048), moisture_(world.seed + 202, 256, 3, 2048),
          coast_(world.seed + 303, 512, 2, 2048) {
        HexGrid grid;
        grid.setMapSize(world.width, world.height);
        columns_ = std::min(grid.maxColumn + 1, kMapColumns);
        rows_ = std::min(grid.maxRow + 1, kMapRows);
    }

    void build() {
        MapDocument& document = world_.document;
        document = MapDocument{};
        document.mapNumber = static_cast<std::uint16_t>(kDemoMapNumber);
        document.width = static_cast<std::uint16_t>(columns_);
        document.height = static_cast<std::uint16_t>(rows_);
        document.loaded = true;
        shapeLand();
        traceRivers();
        placeTowns();
        buildRoads();
        for (int row = 0; row < kMapRows; ++row) {
            for (int column = 0; column < kMapColumns; ++column) {
                document.cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]
                    .terrain = static_cast<std::uint16_t>(
                    terrain_[static_cast<std::size_t>(indexOf({row, column}))]);
            }
        }
    }

private:
    bool inArea(HexCoord hex) const {
        return hex.row >= 0 && hex.row < rows_ && hex.column >= 0 && hex.column < columns_;
    }
    // Well inside the picture: towns, rivers and roads stay there.
    bool inner(HexCoord hex) const {
        const int x = hexCentreX(hex.column);
        const int y = hexCentreY(hex.row, hex.column);
        return x >= 40 && y >= 40 && x <= world_.width - 40 && y <= world_.height - 40;
    }
    int& terrain(HexCoord hex) { return terrain_[static_cast<std::size_t>(indexOf(hex))]; }
    int terrainAt(HexCoord hex) const {
        return inArea(hex) ? terrain_[static_cast<std::size_t>(indexOf(hex))] : Terrain::Ocean;
    }
    bool touches(HexCoord hex, int wanted) const {
        for (int d = 0; d < kHexDirections; ++d) {
            if (terrainAt(neighbour(hex, d)) == wanted) {
                return true;
            }
        }
        return false;
    }

    // The sea along the west edge with a wandering coast, hills where the height noise
    // is high and woods where it is wet; fields elsewhere.
    void shapeLand() {
        for (int row = 0; row < rows_; ++row) {
            for (int column = 0; column < columns_; ++column) {
                const HexCoord hex{row, column};
                const int x = hexCentreX(column);
                const int y = hexCentreY(row, column);
                const int coastX =
                    world_.width / 8 + (coast_.at(x / 2, y) - 2048) * world_.width / 20000;
                int code = Terrain::Clear;
                if (x < coastX) {
                    code = Terrain::Ocean;
                } else if (height_.at(x, y) > 2750) {
                    code = Terrain::Hill;
                } else if (moisture_.at(x, y) > 2550) {
                    code = Terrain::Forest;
                }
                terrain(hex) = code;
            }
        }
    }

    // Rivers rise in the hills and run down to the sea.
    void traceRivers() {
        const int count = std::max(1, columns_ * rows_ / 500);
        for (int attempt = 0; attempt < 40 && static_cast<int>(world_.rivers.size()) < count;
             ++attempt) {
            const HexCoord source{random_.below(rows_), columns_ / 2 + random_.below(columns_ / 2)};
            if (!inner(source) || terrainAt(source) == Terrain::Ocean ||
                terrainAt(source) == Terrain::River) {
                continue;
            }
            std::vector<HexCoord> path = cheapestPath(
                source,
                [&](HexCoord hex) {
                    const int code = terrainAt(hex);
                    if (!inner(hex) || code == Terrain::River) {
                        return -1;
                    }
                    return 20 +
                           height_.at(hexCentreX(hex.column), hexCentreY(hex.row, hex.column)) /
                               100 +
                           static_cast<int>(
                               DemoRandom::hash(world_.seed + 404,
                                                static_cast<std::uint64_t>(indexOf(hex))) %
                               25);
                },
                [&](HexCoord hex) { return terrainAt(hex) == Terrain::Ocean; });
            if (path.size() < 4) {
                continue;
            }
            for (std::size_t i = 0; i + 1 < path.size(); ++i) {
                terrain(path[i]) = Terrain::River;
            }
            world_.rivers.push_back(std::move(path));
        }
    }

    void placeTowns() {
        const int wanted = std::max(3, columns_ * rows_ / kHexesPerTown);
        for (int attempt = 0; attempt < 4000 && static_cast<int>(world_.towns.size()) < wanted;
             ++attempt) {
            const HexCoord hex{1 + random_.below(rows_ - 2), 1 + random_.below(columns_ - 2)};
            if (!inner(hex) || terrainAt(hex) != Terrain::Clear || touches(hex, Terrain::Ocean)) {
                continue;
            }
            bool crowded = false;
            for (const HexCoord& town : world_.towns) {
                crowded = crowded ||
                          distanceSquared(hex, town) < std::int64_t{kTownSpacing} * kTownSpacing;
            }
            if (!crowded) {
                world_.towns.push_back(hex);
                terrain(hex) = Terrain::City;
            }
        }
    }

    int roadCost(HexCoord hex) const {
        if (!inner(hex)) {
            return -1;
        }
        int cost = 0;
        switch (terrainAt(hex)) {
        case Terrain::Ocean:
            return -1;
        case Terrain::City:
            cost = 6;
            break;
        case Terrain::Forest:
            cost = 18;
            break;
        case Terrain::Hill:
            cost = 24;
            break;
        case Terrain::River:
            cost = 30;
            break;
        default:
            cost = 12;
            break;
        }
        // Roads of this hand keep to the rivers and the coast.
        if (world_.style == SceneStyle::RiversAndCoasts &&
            (touches(hex, Terrain::River) || touches(hex, Terrain::Ocean))) {
            cost /= 3;
        }
        cost += static_cast<int>(
            DemoRandom::hash(world_.seed + 505, static_cast<std::uint64_t>(indexOf(hex))) % 7);
        const HexCell& cell =
            world_.document
                .cells[static_cast<std::size_t>(hex.row)][static_cast<std::size_t>(hex.column)];
        return cell.roads != 0 ? std::max(2, cost / 3) : cost;
    }

    // Every town is joined to the two nearest.
    void buildRoads() {
        MapDocument& document = world_.document;
        const std::size_t count = world_.towns.size();
        for (std::size_t a = 0; a < count; ++a) {
            std::vector<std::pair<std::int64_t, std::size_t>> byDistance;
            for (std::size_t b = 0; b < count; ++b) {
                if (b != a) {
                    byDistance.push_back({distanceSquared(world_.towns[a], world_.towns[b]), b});
                }
            }
            std::sort(byDistance.begin(), byDistance.end());
            for (std::size_t k = 0; k < std::min<std::size_t>(2, byDistance.size()); ++k) {
                const HexCoord to = world_.towns[byDistance[k].second];
                const std::vector<HexCoord> path = cheapestPath(
                    world_.towns[a], [&](HexCoord hex) { return roadCost(hex); },
                    [&](HexCoord hex) { return hex == to; });
                joinAlong(document, path);
            }
        }
    }

    SceneWorld& world_;
    DemoRandom random_;
    ValueNoise height_;
    ValueNoise moisture_;
    ValueNoise coast_;
    int columns_ = 0;
    int rows_ = 0;
    std::array<int, kMapRows * kMapColumns> terrain_{};
};

} // namespace

const char* sceneStyleName(SceneStyle style) {
    switch (style) {
    case SceneStyle::ThinStraight:
        return "thin-straight";
    case SceneStyle::ThickWinding:
        return "thick-winding";
    case SceneStyle::RiversAndCoasts:
        return "rivers-and-coasts";
    case SceneStyle::VaryingLight:
        return "varying-light";
    }
    return "";
}

void buildSceneWorld(SceneStyle style, std::uint64_t seed, int width, int height,
                     SceneWorld& world) {
    world.style = style;
    world.seed = seed;
    world.width = std::clamp(width, 1, kDemoPictureSize);
    world.height = std::clamp(height, 1, kDemoPictureSize);
    world.rivers.clear();
    world.towns.clear();
    SceneBuilder(world).build();
}

} // namespace maporv
