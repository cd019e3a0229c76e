#include "demo/demoworld.h"

#include "demo/cheapestpath.h"
#include "demo/demorandom.h"
#include "demo/valuenoise.h"
#include "mapdata/hexgrid.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <string>

namespace maporv {
namespace {

namespace Terrain = TerrainCode;

constexpr std::uint64_t kSeed = 0x4D61704F72760007ULL;
constexpr int kPictureSize = kDemoPictureSize;
constexpr int kHexCount = kMapRows * kMapColumns;

int indexOf(HexCoord hex) {
    return hex.row * kMapColumns + hex.column;
}

HexCoord hexOf(int index) {
    return {index / kMapColumns, index % kMapColumns};
}

// Squared distance between two points, in pixels.
std::int64_t distanceSquared(int x0, int y0, int x1, int y1) {
    const std::int64_t dx = x1 - x0;
    const std::int64_t dy = y1 - y0;
    return dx * dx + dy * dy;
}

// Square root rounded down. The double square root is exact to the last bit
// everywhere; the two loops only settle the rounding of large values.
int isqrt(std::int64_t value) {
    if (value <= 0) {
        return 0;
    }
    auto root = static_cast<std::int64_t>(std::sqrt(static_cast<double>(value)));
    while (root * root > value) {
        --root;
    }
    while ((root + 1) * (root + 1) <= value) {
        ++root;
    }
    return static_cast<int>(root);
}

// Distance in pixels from a point to a segment; integer arithmetic throughout.
int distanceToSegment(int x, int y, int x0, int y0, int x1, int y1) {
    const std::int64_t dx = x1 - x0;
    const std::int64_t dy = y1 - y0;
    const std::int64_t length2 = dx * dx + dy * dy;
    std::int64_t t = length2 == 0 ? 0 : ((x - x0) * dx + (y - y0) * dy) * 1024 / length2;
    t = std::clamp<std::int64_t>(t, 0, 1024);
    const std::int64_t px = x0 * 1024 + dx * t;
    const std::int64_t py = y0 * 1024 + dy * t;
    const std::int64_t ex = (static_cast<std::int64_t>(x) * 1024 - px) / 1024;
    const std::int64_t ey = (static_cast<std::int64_t>(y) * 1024 - py) / 1024;
    return isqrt(ex * ex + ey * ey);
}

// How far a point lies outside an ellipse, scaled so that 1000 is one radius; negative
// inside.
int ellipseOutside(int x, int y, int centreX, int centreY, int radiusX, int radiusY) {
    const std::int64_t nx = static_cast<std::int64_t>(x - centreX) * 1000 / radiusX;
    const std::int64_t ny = static_cast<std::int64_t>(y - centreY) * 1000 / radiusY;
    return isqrt(nx * nx + ny * ny) - 1000;
}

// A hex whose centre lies well inside the picture, where towns, roads and rivers may go.
bool isInner(HexCoord hex) {
    const int x = hexCentreX(hex.column);
    const int y = hexCentreY(hex.row, hex.column);
    return x >= 40 && x <= kPictureSize - 40 && y >= 30 && y <= kPictureSize - 30;
}

// Hexes the picture does not show at all.
bool isHidden(HexCoord hex) {
    const int x = hexCentreX(hex.column);
    const int y = hexCentreY(hex.row, hex.column);
    return x - 30 >= kPictureSize || y - 25 >= kPictureSize;
}

class WorldBuilder {
public:
    explicit WorldBuilder(DemoWorld& world)
        : world_(world), doc_(world.document), coastNoise_(kSeed + 1, 256, 3, kPictureSize),
          heightNoise_(kSeed + 2, 256, 4, kPictureSize),
          moistureNoise_(kSeed + 3, 256, 3, kPictureSize),
          detailNoise_(kSeed + 4, 64, 2, kPictureSize) {}

    void build() {
        doc_ = MapDocument{};
        world_.names.clearNames();
        world_.rivers.clear();
        doc_.mapNumber = static_cast<std::uint16_t>(kDemoMapNumber);
        // The header covers the hexes the picture shows, as far as the editor's grid
        // reaches on it; the last row and column of the cells lie beyond 1920 pixels.
        HexGrid grid;
        grid.setMapSize(kPictureSize, kPictureSize);
        doc_.width = static_cast<std::uint16_t>(std::min(grid.maxColumn + 1, kMapColumns));
        doc_.height = static_cast<std::uint16_t>(std::min(grid.maxRow + 1, kMapRows));
        shapeLand();
        placeLake();
        traceRivers();
        placeSites();
        buildRoads();
        nameFeatures();
    }

private:
    int& terrain(HexCoord hex) { return terrain_[static_cast<std::size_t>(indexOf(hex))]; }
    int terrainAt(HexCoord hex) const {
        return MapDocument::inGrid(hex.row, hex.column)
                   ? terrain_[static_cast<std::size_t>(indexOf(hex))]
                   : Terrain::Ocean;
    }
    int elevation(HexCoord hex) const { return elevation_[static_cast<std::size_t>(indexOf(hex))]; }
    // Whether a neighbour the picture shows has the wanted terrain.
    bool touches(HexCoord hex, int wanted) const {
        for (int d = 0; d < kHexDirections; ++d) {
            const HexCoord next = neighbour(hex, d);
            if (!isHidden(next) && terrainAt(next) == wanted) {
                return true;
            }
        }
        return false;
    }

    // Sea to the west and south-west with an estuary and an island; a mountain chain
    // in the north-east, hills in the south-east and in the north-west, forests where
    // the land is wet, fens by the estuary and dunes on the southern beaches.
    void shapeLand() {
        static constexpr std::array<std::array<int, 2>, 4> ridge{
            {{1020, 60}, {1360, 250}, {1660, 430}, {1900, 720}}};
        for (int index = 0; index < kHexCount; ++index) {
            const HexCoord hex = hexOf(index);
            const int x = hexCentreX(hex.column);
            const int y = hexCentreY(hex.row, hex.column);
            const int wobble = (coastNoise_.at(x, y) - 2048) / 12; // +-170 px
            const int west = x - (290 + y / 5) + wobble;
            const int bay = ellipseOutside(x, y, 720, 2010, 700, 360) * 3 / 10 + wobble;
            const int estuary = ellipseOutside(x, y, 520, 1200, 250, 120) / 6 + wobble / 2;
            int land = std::min({west, bay, estuary});
            if (ellipseOutside(x, y, 190, 610, 130, 150) < 0) {
                land = 1; // the island
            }

            int ridgeDistance = INT_MAX;
            for (std::size_t i = 0; i + 1 < ridge.size(); ++i) {
                ridgeDistance =
                    std::min(ridgeDistance, distanceToSegment(x, y, ridge[i][0], ridge[i][1],
                                                              ridge[i + 1][0], ridge[i + 1][1]));
            }
            const int southHills = 720 - isqrt(distanceSquared(x, y, 1560, 1530)) * 13 / 10;
            const int northHills = 700 - isqrt(distanceSquared(x, y, 860, 560)) * 16 / 10;
            const int height =
                std::max({1000 - ridgeDistance * 24 / 10, southHills, northHills, 150}) +
                (heightNoise_.at(x, y) - 2048) / 14;
            elevation_[static_cast<std::size_t>(index)] = height;

            int moisture = moistureNoise_.at(x, y);
            // The great wood north of the capital, and smaller ones in the south.
            moisture += std::max(0, 1600 - isqrt(distanceSquared(x, y, 760, 250)) * 4);
            moisture += std::max(0, 1200 - isqrt(distanceSquared(x, y, 1000, 1440)) * 5);
            moisture += std::max(0, 1000 - isqrt(distanceSquared(x, y, 1640, 1780)) * 5);
            const int detail = detailNoise_.at(x, y);

            int code = Terrain::Clear;
            if (isHidden(hex) || land <= 0) {
                code = Terrain::Ocean;
            } else if (height > 770) {
                code = Terrain::Mountain;
            } else if (height > 560) {
                code = moisture > 2900 ? Terrain::Forest : Terrain::Hill;
            } else if (height > 500 && detail > 2300) {
                code = Terrain::Rough;
            } else if (moisture > 2750) {
                code = Terrain::Forest;
            } else if (ellipseOutside(x, y, 560, 1230, 330, 230) < 0 && detail > 1700) {
                code = Terrain::Swamp;
            }
            terrain_[static_cast<std::size_t>(index)] = code;
        }
        // Dunes along the southern beaches.
        for (int index = 0; index < kHexCount; ++index) {
            const HexCoord hex = hexOf(index);
            if (terrain(hex) == Terrain::Clear && hexCentreY(hex.row, hex.column) > 1450 &&
                touches(hex, Terrain::Ocean) &&
                detailNoise_.at(hexCentreX(hex.column), hexCentreY(hex.row, hex.column)) > 1500) {
                terrain(hex) = Terrain::Sand;
            }
        }
    }

    HexCoord nearestHex(int x, int y) const {
        HexCoord best;
        std::int64_t bestDistance = INT64_MAX;
        for (int index = 0; index < kHexCount; ++index) {
            const HexCoord hex = hexOf(index);
            const std::int64_t d =
                distanceSquared(x, y, hexCentreX(hex.column), hexCentreY(hex.row, hex.column));
            if (d < bestDistance) {
                bestDistance = d;
                best = hex;
            }
        }
        return best;
    }

    // A lake among the hills east of the capital: a centre hex and four of its
    // neighbours, with a ring of open shore around it.
    void placeLake() {
        lakeCentre_ = nearestHex(1330, 900);
        std::vector<HexCoord> lake{lakeCentre_};
        for (int d : {0, 1, 2, 5}) {
            lake.push_back(neighbour(lakeCentre_, d));
        }
        for (const HexCoord& hex : lake) {
            for (int d = 0; d < kHexDirections; ++d) {
                const HexCoord shore = neighbour(hex, d);
                if (MapDocument::inGrid(shore.row, shore.column) &&
                    (terrain(shore) == Terrain::Mountain || terrain(shore) == Terrain::Rough)) {
                    terrain(shore) = Terrain::Hill;
                }
            }
        }
        for (const HexCoord& hex : lake) {
            terrain(hex) = Terrain::Lake;
        }
    }

    // Rivers seek low ground; the noise makes them meander.
    int riverCost(HexCoord hex) const {
        const int code = terrainAt(hex);
        if (!isInner(hex) || isWater(code) || code == Terrain::River || code == Terrain::Stream) {
            return -1;
        }
        const int x = hexCentreX(hex.column);
        const int y = hexCentreY(hex.row, hex.column);
        return 20 + std::max(0, elevation(hex)) / 8 + detailNoise_.at(x + 31, y + 17) / 60 +
               (code == Terrain::Mountain ? 60 : 0);
    }

    bool addRiver(HexCoord source, int code, int targetX, int targetY, int reach,
                  const std::vector<int>& targets) {
        auto isTarget = [&](HexCoord hex) {
            const int at = terrainAt(hex);
            if (std::find(targets.begin(), targets.end(), at) == targets.end()) {
                return false;
            }
            return reach == 0 ||
                   distanceSquared(hexCentreX(hex.column), hexCentreY(hex.row, hex.column), targetX,
                                   targetY) < std::int64_t{reach} * reach;
        };
        std::vector<HexCoord> path = cheapestPath(
            source, [&](HexCoord hex) { return riverCost(hex); }, isTarget);
        if (path.size() < 2) {
            return false;
        }
        for (std::size_t i = 0; i + 1 < path.size(); ++i) {
            terrain(path[i]) = code;
        }
        world_.rivers.push_back(std::move(path));
        return true;
    }

    // The river leaves the lake for the estuary; one stream feeds the lake from the
    // mountains, another joins the river from the southern hills, a third runs from
    // the great wood to the western sea.
    void traceRivers() {
        const HexCoord outflow = neighbour(lakeCentre_, 4);
        terrain(outflow) = Terrain::Clear;
        if (addRiver(outflow, Terrain::River, 520, 1200, 300, {Terrain::Ocean}) ||
            addRiver(outflow, Terrain::River, 0, 0, 0, {Terrain::Ocean})) {
            // Drawn from the middle of the lake, so that it visibly leaves it.
            world_.rivers.back().insert(world_.rivers.back().begin(), lakeCentre_);
            mainRiver_ = world_.rivers.back();
        }
        addRiver(nearestHex(1560, 470), Terrain::Stream, 0, 0, 0, {Terrain::Lake});
        addRiver(nearestHex(1640, 1380), Terrain::Stream, 0, 0, 0, {Terrain::River});
        addRiver(nearestHex(880, 330), Terrain::Stream, 0, 0, 0, {Terrain::Ocean});
    }

    // A place for a site near (x, y): dry, passable land clear of the edges and of the
    // other sites.
    HexCoord siteNear(int x, int y, bool wantHill = false) const {
        HexCoord best;
        std::int64_t bestDistance = INT64_MAX;
        for (int index = 0; index < kHexCount; ++index) {
            const HexCoord hex = hexOf(index);
            const int code = terrainAt(hex);
            const bool usable = wantHill ? code == Terrain::Hill
                                         : (code == Terrain::Clear || code == Terrain::Forest ||
                                            code == Terrain::Sand || code == Terrain::Rough ||
                                            code == Terrain::Hill);
            if (!usable || !isInner(hex) || nearSite(hex, 3)) {
                continue;
            }
            const std::int64_t d =
                distanceSquared(x, y, hexCentreX(hex.column), hexCentreY(hex.row, hex.column));
            if (d < bestDistance) {
                bestDistance = d;
                best = hex;
            }
        }
        return best;
    }

    bool nearSite(HexCoord hex, int hexes) const {
        const int limit = hexes * 50;
        for (const auto& site : sites_) {
            if (distanceSquared(hexCentreX(hex.column), hexCentreY(hex.row, hex.column),
                                hexCentreX(site.hex.column),
                                hexCentreY(site.hex.row, site.hex.column)) <
                std::int64_t{limit} * limit) {
                return true;
            }
        }
        return false;
    }

    void addSite(HexCoord hex, int code, const char* name) {
        terrain(hex) = code;
        sites_.push_back({hex, name});
    }

    void placeSites() {
        // The capital covers two hexes.
        const HexCoord capital = siteNear(1010, 1010);
        addSite(capital, Terrain::City, "Corvanne");
        for (int d : {2, 3, 1, 4, 5, 0}) {
            const HexCoord suburb = neighbour(capital, d);
            const int code = terrainAt(suburb);
            if (isInner(suburb) && (code == Terrain::Clear || code == Terrain::Forest ||
                                    code == Terrain::Hill || code == Terrain::Sand)) {
                addSite(suburb, Terrain::City, "");
                break;
            }
        }
        // The port sits on the coast next to the river's mouth.
        HexCoord port = siteNear(600, 1080);
        if (!mainRiver_.empty()) {
            const HexCoord mouth = mainRiver_.back();
            std::int64_t bestDistance = INT64_MAX;
            for (int index = 0; index < kHexCount; ++index) {
                const HexCoord hex = hexOf(index);
                const int code = terrainAt(hex);
                if ((code != Terrain::Clear && code != Terrain::Swamp && code != Terrain::Sand) ||
                    !isInner(hex) || !touches(hex, Terrain::Ocean) || nearSite(hex, 3)) {
                    continue;
                }
                const std::int64_t d = distanceSquared(
                    hexCentreX(hex.column), hexCentreY(hex.row, hex.column),
                    hexCentreX(mouth.column) + 40, hexCentreY(mouth.row, mouth.column) - 60);
                if (d < bestDistance) {
                    bestDistance = d;
                    port = hex;
                }
            }
        }
        addSite(port, Terrain::Port, "Port Sadrel");
        addSite(siteNear(1520, 1180), Terrain::City, "Eddermoor");
        addSite(siteNear(640, 430), Terrain::City, "Halvik");
        addSite(siteNear(1230, 1640), Terrain::City, "Brennock");
        addSite(siteNear(1760, 980), Terrain::City, "Tullan Cross");
        addSite(siteNear(800, 800), Terrain::City, "Aster Mill");
        addSite(siteNear(1500, 700, true), Terrain::Fortification, "Fort Ruskell");
        addSite(siteNear(1170, 1200), Terrain::Airfield, "Corvanne Field");
        addSite(siteNear(200, 600), Terrain::City, "Tamberhaven");
    }

    // Roads prefer open ground, bridge rivers where they must and share stretches.
    int roadCost(HexCoord hex) const {
        if (!isInner(hex)) {
            return -1;
        }
        const std::uint16_t roads = doc_.cells[hex.row][hex.column].roads;
        int cost = 0;
        switch (terrainAt(hex)) {
        case Terrain::Ocean:
        case Terrain::Lake:
            return -1;
        case Terrain::City:
        case Terrain::Port:
        case Terrain::Airfield:
        case Terrain::Fortification:
            cost = 6;
            break;
        case Terrain::Clear:
        case Terrain::Sand:
            cost = 10;
            break;
        case Terrain::Forest:
            cost = 16;
            break;
        case Terrain::Hill:
        case Terrain::Rough:
            cost = 22;
            break;
        case Terrain::River:
        case Terrain::Stream:
            cost = 30;
            break;
        case Terrain::Swamp:
            cost = 40;
            break;
        default:
            cost = 90;
            break;
        }
        // A little noise, so that roads wander instead of running ruler-straight.
        cost += static_cast<int>(
            DemoRandom::hash(kSeed + 5, static_cast<std::uint64_t>(indexOf(hex))) % 9);
        return roads != 0 ? std::max(3, cost / 3) : cost;
    }

    void connect(const char* fromName, const char* toName) {
        HexCoord from;
        HexCoord to;
        for (const auto& site : sites_) {
            if (std::string(site.name) == fromName) {
                from = site.hex;
            }
            if (std::string(site.name) == toName) {
                to = site.hex;
            }
        }
        const std::vector<HexCoord> path = cheapestPath(
            from, [&](HexCoord hex) { return roadCost(hex); },
            [&](HexCoord hex) { return hex == to; });
        joinAlong(doc_, path);
    }

    void buildRoads() {
        connect("Corvanne", "Port Sadrel");
        connect("Corvanne", "Aster Mill");
        connect("Aster Mill", "Halvik");
        connect("Corvanne", "Eddermoor");
        connect("Eddermoor", "Fort Ruskell");
        connect("Fort Ruskell", "Tullan Cross");
        connect("Eddermoor", "Tullan Cross");
        connect("Corvanne", "Brennock");
        connect("Brennock", "Port Sadrel");
        connect("Corvanne", "Corvanne Field");
        // The cells were filled as the roads went; now the terrain.
        for (int index = 0; index < kHexCount; ++index) {
            const HexCoord hex = hexOf(index);
            doc_.cells[hex.row][hex.column].terrain =
                static_cast<std::uint16_t>(terrain_[static_cast<std::size_t>(index)]);
        }
    }

    void name(HexCoord hex, const char* text) {
        world_.names.setNameAt(hex.row, hex.column, world_.names.addName(text));
    }

    // The named hex of a feature: the hex of that terrain nearest a point.
    void nameNearest(int code, int x, int y, const char* text) {
        std::int64_t bestDistance = INT64_MAX;
        HexCoord best;
        for (int index = 0; index < kHexCount; ++index) {
            const HexCoord hex = hexOf(index);
            if (terrainAt(hex) != code || !isInner(hex) ||
                world_.names.nameAt(hex.row, hex.column)) {
                continue;
            }
            const std::int64_t d =
                distanceSquared(x, y, hexCentreX(hex.column), hexCentreY(hex.row, hex.column));
            if (d < bestDistance) {
                bestDistance = d;
                best = hex;
            }
        }
        if (bestDistance != INT64_MAX) {
            name(best, text);
        }
    }

    void nameFeatures() {
        for (const auto& site : sites_) {
            name(site.hex, site.name);
        }
        name(lakeCentre_, "Greywater Lake");
        if (!mainRiver_.empty()) {
            name(mainRiver_[mainRiver_.size() / 2], "Myrren River");
        }
        // The highest summit.
        int highest = INT_MIN;
        HexCoord summit;
        for (int index = 0; index < kHexCount; ++index) {
            const HexCoord hex = hexOf(index);
            if (terrainAt(hex) == Terrain::Mountain && isInner(hex) && elevation(hex) > highest) {
                highest = elevation(hex);
                summit = hex;
            }
        }
        if (highest != INT_MIN) {
            name(summit, "Kessel Peak");
        }
        nameNearest(Terrain::Forest, 760, 250, "Dunmere Wood");
        world_.names.modified = false;
    }

    struct Site {
        HexCoord hex;
        const char* name;
    };

    DemoWorld& world_;
    MapDocument& doc_;
    ValueNoise coastNoise_;
    ValueNoise heightNoise_;
    ValueNoise moistureNoise_;
    ValueNoise detailNoise_;
    std::array<int, kHexCount> terrain_{};
    std::array<int, kHexCount> elevation_{};
    HexCoord lakeCentre_;
    std::vector<HexCoord> mainRiver_;
    std::vector<Site> sites_;
};

} // namespace

int hexCentreX(int column) {
    return (column - 1) * kFullSizeGrid.columnStep + kFullSizeGrid.hexWidth / 2;
}

int hexCentreY(int row, int column) {
    const int top = row * kFullSizeGrid.rowStep - (column % 2 == 0 ? kFullSizeGrid.rowStep / 2 : 0);
    return top + kFullSizeGrid.hexHeight / 2;
}

void buildDemoWorld(DemoWorld& world) {
    WorldBuilder(world).build();
}

} // namespace maporv
