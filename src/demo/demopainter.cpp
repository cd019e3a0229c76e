#include "demo/demopainter.h"

#include "demo/demorandom.h"
#include "demo/demoworld.h"
#include "demo/paintkit.h"
#include "demo/valuenoise.h"
#include "picture/mappicture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

// The painting's floating point uses + - * / and sqrt only, which round the same on
// every machine as long as no multiply-add is fused: GCC fuses none in ISO C++ mode
// (the build's), clang is told so here.
#if defined(__clang__)
#pragma clang fp contract(off)
#endif

namespace maporv {
namespace {

constexpr int kSize = kDemoPictureSize;
constexpr std::uint64_t kSeed = 0x4D61704F72765049ULL;

namespace Terrain = TerrainCode;

// Colours of the map, chosen to read like a printed campaign map.
constexpr Rgb kGrass{150, 176, 98};
constexpr Rgb kGrassLush{118, 160, 84};
constexpr Rgb kGrassDry{178, 182, 108};
constexpr Rgb kHedge{96, 118, 62};
constexpr std::array<Rgb, 5> kFieldTones{
    {{190, 188, 108}, {162, 186, 94}, {200, 184, 104}, {140, 172, 86}, {176, 198, 118}}};
constexpr Rgb kForestFloor{58, 92, 50};
constexpr Rgb kHill{180, 156, 106};
constexpr Rgb kMountain{152, 140, 120};
constexpr Rgb kRough{156, 146, 114};
constexpr Rgb kSand{228, 208, 152};
constexpr Rgb kSwamp{104, 124, 80};
constexpr Rgb kSwampPool{80, 112, 112};
constexpr Rgb kDeepSea{40, 84, 138};
constexpr Rgb kShallowSea{86, 146, 182};
constexpr Rgb kLakeDeep{50, 104, 140};
constexpr Rgb kFoam{214, 230, 234};
constexpr Rgb kBeach{226, 210, 162};
constexpr Rgb kRiverBank{46, 80, 118};
constexpr Rgb kRiverWater{72, 128, 180};
constexpr Rgb kRoadEdge{104, 80, 56};
constexpr Rgb kRoad{218, 192, 136};
constexpr Rgb kBridge{88, 86, 84};
constexpr Rgb kPavement{192, 182, 160};
constexpr std::array<Rgb, 5> kRoofs{
    {{172, 72, 52}, {150, 92, 62}, {124, 112, 104}, {186, 104, 70}, {110, 70, 60}}};
constexpr Rgb kShadow{70, 66, 54};

class DemoPainter {
public:
    explicit DemoPainter(const DemoWorld& world)
        : world_(world), pixels_(static_cast<std::size_t>(kSize) * kSize), hex_(pixels_.size()),
          terrain_(pixels_.size()), shoreDistance_(pixels_.size()), roadMask_(pixels_.size()),
          riverMask_(pixels_.size()), fine_(kSeed + 1, 8, 2, kSize),
          broad_(kSeed + 2, 128, 3, kSize), warpX_(kSeed + 3, 32, 2, kSize),
          warpY_(kSeed + 4, 32, 2, kSize), relief_(kSeed + 5, 32, 3, kSize),
          patches_(kSeed + 6, 256, 2, kSize), pools_(kSeed + 7, 16, 2, kSize) {
        fieldSeeds_.resize(static_cast<std::size_t>(kFieldColumns) * kFieldRows);
        for (int j = 0; j < kFieldRows; ++j) {
            for (int i = 0; i < kFieldColumns; ++i) {
                const std::uint64_t h = DemoRandom::hash(kSeed + 8, static_cast<std::uint64_t>(i),
                                                         static_cast<std::uint64_t>(j));
                FieldSeed& seed = fieldSeeds_[static_cast<std::size_t>(j * kFieldColumns + i)];
                seed.x = i * kFieldWidth - kFieldOffset + static_cast<int>(h % kFieldWidth);
                seed.y =
                    j * kFieldHeight - kFieldOffset + static_cast<int>((h >> 8) % kFieldHeight);
                seed.crop =
                    (h >> 16) % 5 == 0 ? -1 : static_cast<int>((h >> 20) % kFieldTones.size());
                static constexpr std::array<std::array<int, 2>, 4> furrows{
                    {{1, 0}, {0, 1}, {1, 1}, {1, -1}}};
                seed.furrowX = furrows[(h >> 28) % 4][0];
                seed.furrowY = furrows[(h >> 28) % 4][1];
            }
        }
    }

    void paint(MapPicture& picture) {
        mapHexes();
        paintGround();
        paintShores();
        paintHills();
        paintMountains();
        paintTrees();
        paintRivers();
        // Roads run onto the airfield and into the fort, and through the towns, which
        // keep their houses off them: every road the map has shows where it crosses
        // from hex to hex.
        paintWorks();
        paintRoads();
        paintSettlements();
        paintHexBorders();
        store(picture);
    }

private:
    static std::size_t at(int x, int y) {
        return static_cast<std::size_t>(y) * kSize + static_cast<std::size_t>(x);
    }
    static bool inside(int x, int y) { return x >= 0 && y >= 0 && x < kSize && y < kSize; }

    int cellTerrain(int row, int column) const {
        const HexCell* cell = world_.document.cellAt(row, column);
        return cell == nullptr ? Terrain::Ocean : cell->terrain;
    }

    void blend(int x, int y, Rgb c, int alpha) {
        maporv::blend(pixels_, kSize, kSize, x, y, c, alpha);
    }

    // The hex of every pixel exactly as the editor picks it, and the terrain each pixel
    // shows: that of the hex under a slightly displaced point, so that coasts and the
    // edges of woods wander around the hex borders instead of tracing them.
    void mapHexes() {
        hex_ = hexOfEveryPixel(kSize, kSize);
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                // At most 16 pixels: a hex's centre lies 25 from its border, so the
                // middle of every hex keeps the hex's own terrain.
                const int wx = std::clamp(x + std::clamp((warpX_.at(x, y) - 2048) / 50, -16, 16), 0,
                                          kSize - 1);
                const int wy = std::clamp(y + std::clamp((warpY_.at(x, y) - 2048) / 50, -16, 16), 0,
                                          kSize - 1);
                const int index = hex_[at(wx, wy)];
                terrain_[at(x, y)] = static_cast<std::uint8_t>(
                    index < 0
                        ? Terrain::Ocean
                        : std::min(255, cellTerrain(index / kMapColumns, index % kMapColumns)));
            }
        }
        // How far each pixel lies from the other side of the shore, on a 3-4 chamfer.
        constexpr std::uint16_t kFar = 60000;
        for (std::size_t i = 0; i < pixels_.size(); ++i) {
            shoreDistance_[i] = kFar;
        }
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                const bool water = isWater(terrain_[at(x, y)]);
                const bool edge = (x + 1 < kSize && isWater(terrain_[at(x + 1, y)]) != water) ||
                                  (y + 1 < kSize && isWater(terrain_[at(x, y + 1)]) != water) ||
                                  (x > 0 && isWater(terrain_[at(x - 1, y)]) != water) ||
                                  (y > 0 && isWater(terrain_[at(x, y - 1)]) != water);
                if (edge) {
                    shoreDistance_[at(x, y)] = 0;
                }
            }
        }
        auto relax = [&](int x, int y, int dx, int dy, int step) {
            const int nx = x + dx;
            const int ny = y + dy;
            if (inside(nx, ny)) {
                const int candidate = shoreDistance_[at(nx, ny)] + step;
                if (candidate < shoreDistance_[at(x, y)]) {
                    shoreDistance_[at(x, y)] = static_cast<std::uint16_t>(candidate);
                }
            }
        };
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                relax(x, y, -1, 0, 3);
                relax(x, y, 0, -1, 3);
                relax(x, y, -1, -1, 4);
                relax(x, y, 1, -1, 4);
            }
        }
        for (int y = kSize - 1; y >= 0; --y) {
            for (int x = kSize - 1; x >= 0; --x) {
                relax(x, y, 1, 0, 3);
                relax(x, y, 0, 1, 3);
                relax(x, y, 1, 1, 4);
                relax(x, y, -1, 1, 4);
            }
        }
    }

    // Light falls from the north-west: the slope of a height field along that line.
    int slope(const ValueNoise& field, int x, int y, int reach) const {
        return field.at(x - reach, y - reach) - field.at(x + reach, y + reach);
    }

    Rgb grass(int x, int y) const {
        const int broad = broad_.at(x, y);
        Rgb c = broad > 2048 ? mix(kGrass, kGrassDry, (broad - 2048) / 6)
                             : mix(kGrass, kGrassLush, (2048 - broad) / 5);
        return add(c, (fine_.at(x, y) - 2048) / 160);
    }

    // Patchwork of fields with hedges where the broad noise says the land is farmed:
    // irregular fields around jittered points (each pixel belongs to the nearest
    // point), each with its crop and the direction of its furrows.
    Rgb farmland(int x, int y) const {
        const Rgb meadow = grass(x, y);
        const int patch = patches_.at(x, y);
        if (patch < kFarmland) {
            return meadow;
        }
        const int gx = (x + kFieldOffset) / kFieldWidth;
        const int gy = (y + kFieldOffset) / kFieldHeight;
        std::int64_t nearest = INT64_MAX;
        std::int64_t second = INT64_MAX;
        int nearestCell = 0;
        int nearestX = 0;
        int nearestY = 0;
        int secondX = 0;
        int secondY = 0;
        for (int j = gy - 1; j <= gy + 1; ++j) {
            for (int i = gx - 1; i <= gx + 1; ++i) {
                const int cell = j * kFieldColumns + i;
                const FieldSeed& seed = fieldSeeds_[static_cast<std::size_t>(cell)];
                const std::int64_t dx = x - seed.x;
                const std::int64_t dy = y - seed.y;
                const std::int64_t d = dx * dx + dy * dy;
                if (d < nearest) {
                    second = nearest;
                    secondX = nearestX;
                    secondY = nearestY;
                    nearest = d;
                    nearestCell = cell;
                    nearestX = seed.x;
                    nearestY = seed.y;
                } else if (d < second) {
                    second = d;
                    secondX = seed.x;
                    secondY = seed.y;
                }
            }
        }
        // Distance to the border between the two nearest fields, doubled.
        const double between =
            std::sqrt(static_cast<double>((secondX - nearestX) * (secondX - nearestX) +
                                          (secondY - nearestY) * (secondY - nearestY)));
        const double border = static_cast<double>(second - nearest) / between;
        const FieldSeed& field = fieldSeeds_[static_cast<std::size_t>(nearestCell)];
        const int fade = std::min(256, (patch - kFarmland) * 3);
        if (border < 2.2) {
            return mix(meadow, kHedge, fade * (border < 1.2 ? 150 : 80) / 256);
        }
        if (field.crop < 0) {
            return meadow;
        }
        Rgb c = kFieldTones[static_cast<std::size_t>(field.crop)];
        if (((x * field.furrowX + y * field.furrowY + 8000) / 2) % 3 == 0) {
            c = scale(c, 238);
        }
        c = add(c, (fine_.at(x, y) - 2048) / 256);
        return mix(meadow, c, fade * 200 / 256);
    }

    Rgb ground(int terrain, int x, int y) const {
        const int noise = (fine_.at(x, y) - 2048) / 128;
        switch (terrain) {
        case Terrain::Clear:
        case Terrain::River:
        case Terrain::Stream:
            return farmland(x, y);
        case Terrain::Forest:
        case Terrain::Jungle:
            return add(kForestFloor, noise);
        case Terrain::Hill:
            return add(scale(kHill, 256 + slope(relief_, x, y, 3) / 10), noise);
        case Terrain::Mountain: {
            const int ridged = 2048 - std::abs(relief_.at(x, y) - 2048);
            return add(scale(kMountain, 240 + slope(relief_, x, y, 2) / 7 + ridged / 40), noise);
        }
        case Terrain::Rough: {
            Rgb c = add(scale(kRough, 256 + slope(relief_, x, y, 3) / 16), noise * 2);
            if (pools_.at(x + 311, y + 97) > 2700) {
                c = mix(c, {112, 138, 80}, 150); // scrub
            }
            return c;
        }
        case Terrain::Sand: {
            // Dunes lit from the north-west, rippled by the wind.
            const int ripple = ((x * 2 + y * 5 + broad_.at(x, y) / 16) / 9) % 2;
            return add(scale(kSand, 256 + slope(relief_, x + 500, y, 4) / 14),
                       noise + (ripple != 0 ? 4 : -4));
        }
        case Terrain::Swamp: {
            const int pool = pools_.at(x, y);
            if (pool > 2500) {
                return pool > 2580 ? add(kSwampPool, noise / 2) : scale(kSwamp, 200);
            }
            return add(kSwamp, noise);
        }
        case Terrain::Airfield:
            return add(mix(grass(x, y), kGrassDry, 80), 4);
        default:
            return grass(x, y);
        }
    }

    void paintGround() {
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                pixels_[at(x, y)] = ground(terrain_[at(x, y)], x, y);
            }
        }
    }

    // Sea darkens away from the coast, with foam on the shore line and scattered wave
    // marks offshore; the land gets a strip of beach.
    void paintShores() {
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                const int terrain = terrain_[at(x, y)];
                const int distance = shoreDistance_[at(x, y)] / 3;
                Rgb& p = pixels_[at(x, y)];
                if (isWater(terrain)) {
                    const Rgb deep = terrain == Terrain::Lake ? kLakeDeep : kDeepSea;
                    const int depth = std::min(256, distance * 256 / 70);
                    Rgb c = mix(kShallowSea, deep, depth);
                    c = add(c, (fine_.at(x, y) - 2048) / 300 + (broad_.at(x, y) - 2048) / 200);
                    if (distance <= 2) {
                        c = mix(c, kFoam, distance == 0 ? 150 : 90);
                    }
                    p = c;
                } else if (distance <= 5 && terrain != Terrain::City && terrain != Terrain::Port) {
                    const int strength = 200 - distance * 30 + (fine_.at(x, y) - 2048) / 40;
                    p = mix(p, kBeach, std::clamp(strength, 0, 256));
                }
            }
        }
        // Wave marks: short arcs on a jittered grid, away from the shore.
        for (int cy = 0; cy < kSize; cy += 18) {
            for (int cx = 0; cx < kSize; cx += 30) {
                const std::uint64_t h = DemoRandom::hash(kSeed + 11, static_cast<std::uint64_t>(cx),
                                                         static_cast<std::uint64_t>(cy));
                const int x0 = cx + static_cast<int>(h % 24);
                const int y0 = cy + static_cast<int>((h >> 8) % 12);
                if (!inside(x0, y0) || terrain_[at(x0, y0)] != Terrain::Ocean ||
                    shoreDistance_[at(x0, y0)] < 30 || (h >> 20) % 3 == 0) {
                    continue;
                }
                for (int dx = -5; dx <= 5; ++dx) {
                    const int y = y0 - (25 - dx * dx) / 8;
                    blend(x0 + dx, y, {150, 190, 214}, 150 - std::abs(dx) * 12);
                }
            }
        }
    }

    // Jittered points on a grid whose pixel shows the wanted terrain, for the symbols.
    template <typename Stamp>
    void scatter(int stepX, int stepY, std::uint64_t salt, int terrain, Stamp stamp) {
        for (int cy = -stepY; cy < kSize + stepY; cy += stepY) {
            for (int cx = -stepX; cx < kSize + stepX; cx += stepX) {
                const std::uint64_t h = DemoRandom::hash(salt, static_cast<std::uint64_t>(cx + 64),
                                                         static_cast<std::uint64_t>(cy + 64));
                const int x = cx + static_cast<int>(h % static_cast<std::uint64_t>(stepX));
                const int y = cy + static_cast<int>((h >> 16) % static_cast<std::uint64_t>(stepY));
                if (inside(x, y) && terrain_[at(x, y)] == terrain) {
                    stamp(x, y, h >> 32);
                }
            }
        }
    }

    // Rounded hill symbols: lit on the north-west, shaded and outlined on the south-east.
    void paintHills() {
        scatter(26, 20, kSeed + 21, Terrain::Hill, [&](int x0, int y0, std::uint64_t h) {
            const int rx = 11 + static_cast<int>(h % 5);
            const int ry = 6 + static_cast<int>((h >> 4) % 3);
            for (int dy = -ry - 1; dy <= ry + 1; ++dy) {
                for (int dx = -rx - 1; dx <= rx + 1; ++dx) {
                    const int e = (dx * dx * 256) / (rx * rx) + (dy * dy * 256) / (ry * ry);
                    if (e > 300 || dy > ry / 3 + 1) {
                        continue;
                    }
                    const int light = -(dx * 128) / rx - (dy * 90) / ry;
                    Rgb c = scale(kHill, 248 + light / 5);
                    int alpha = e > 256 ? (300 - e) * 4 : 190;
                    if (e > 200 && (dx > 0 || dy > 0)) {
                        c = scale(kHill, 170); // the outline on the shaded side
                        alpha = std::min(alpha, 160);
                    }
                    blend(x0 + dx, y0 + dy, c, alpha);
                }
            }
        });
    }

    // Peaks: a lit west face, a shaded east face and snow on the tops.
    void paintMountains() {
        std::vector<std::array<int, 3>> peaks;
        scatter(30, 24, kSeed + 31, Terrain::Mountain, [&](int x, int y, std::uint64_t h) {
            peaks.push_back({x, y, static_cast<int>(h % 1024)});
        });
        for (const auto& [x0, y0, h] : peaks) {
            const int height = 20 + h % 13;
            const int half = 15 + (h / 16) % 8;
            const int apexX = x0 + (h / 128) % 7 - 3;
            for (int dy = -height; dy <= 0; ++dy) {
                const int y = y0 + dy;
                // Width of the peak at this height.
                const int span = half * (dy + height) / height;
                for (int dx = -span; dx <= span; ++dx) {
                    const int x = apexX + dx;
                    const bool west = dx < 0;
                    const int depth = dy + height; // from the apex down
                    Rgb c = west ? Rgb{190, 180, 164} : Rgb{108, 98, 86};
                    if (depth < height * 2 / 5 + ((dx * 7 + h) % 3)) {
                        c = west ? Rgb{244, 244, 248} : Rgb{194, 200, 212};
                    }
                    c = add(c, (fine_.at(x, y) - 2048) / 100);
                    const int edge = span - std::abs(dx);
                    blend(x, y, edge == 0 ? Rgb{84, 76, 68} : c, edge == 0 ? 160 : 230);
                }
            }
        }
    }

    // Woods as crowds of round crowns with their shadows; a few lone trees in the
    // farmland and along the rivers.
    void paintTrees() {
        auto tree = [&](int x0, int y0, std::uint64_t h, int radius) {
            const Rgb crown = mix(Rgb{52, 100, 44}, Rgb{92, 128, 52}, static_cast<int>(h % 200));
            for (int dy = -radius; dy <= radius + 2; ++dy) {
                for (int dx = -radius; dx <= radius + 2; ++dx) {
                    const int sx = dx - 2;
                    const int sy = dy - 2;
                    if (sx * sx + sy * sy <= radius * radius) {
                        blend(x0 + dx, y0 + dy, kShadow, 70);
                    }
                }
            }
            for (int dy = -radius; dy <= radius; ++dy) {
                for (int dx = -radius; dx <= radius; ++dx) {
                    const int d2 = dx * dx + dy * dy;
                    if (d2 > radius * radius) {
                        continue;
                    }
                    const int light = -(dx + dy) * 40 / radius;
                    Rgb c = scale(crown, 256 + light);
                    if (d2 * 10 > radius * radius * 7 && dx + dy > 0) {
                        c = scale(crown, 170);
                    }
                    blend(x0 + dx, y0 + dy, c, d2 * 10 > radius * radius * 9 ? 160 : 256);
                }
            }
        };
        scatter(9, 8, kSeed + 41, Terrain::Forest, [&](int x, int y, std::uint64_t h) {
            tree(x, y, h, 4 + static_cast<int>((h >> 12) % 3));
        });
        for (int terrain : {Terrain::Clear, Terrain::River, Terrain::Stream}) {
            scatter(34, 30, kSeed + 43 + static_cast<std::uint64_t>(terrain), terrain,
                    [&](int x, int y, std::uint64_t h) {
                        if (h % 7 == 0) {
                            tree(x, y, h, 3 + static_cast<int>((h >> 12) % 2));
                        }
                    });
        }
        scatter(11, 9, kSeed + 47, Terrain::Rough, [&](int x0, int y0, std::uint64_t h) {
            if (h % 3 != 0) {
                return;
            }
            const int r = 1 + static_cast<int>((h >> 4) % 2);
            for (int dy = -r; dy <= r; ++dy) {
                for (int dx = -r; dx <= r + 1; ++dx) {
                    blend(x0 + dx, y0 + dy, dx + dy < 0 ? Rgb{176, 170, 156} : Rgb{110, 104, 96},
                          200);
                }
            }
        });
        scatter(7, 7, kSeed + 48, Terrain::Swamp, [&](int x0, int y0, std::uint64_t h) {
            if (h % 2 != 0 || pools_.at(x0, y0) > 2500) {
                return;
            }
            for (int dy = 0; dy < 4; ++dy) {
                blend(x0 - 1 + dy / 3, y0 - dy, {58, 84, 44}, 200);
                blend(x0 + 2 - dy / 2, y0 - dy, {58, 84, 44}, 160);
            }
        });
    }

    // A round-ended stroke with a soft edge. mask, when given, records the pixels
    // covered.
    void stroke(Point a, Point b, double radius, Rgb colour, std::vector<std::uint8_t>* mask,
                double bridgeRadius = 0, Rgb bridge = {}) {
        const double reach = std::max(radius, bridgeRadius) + 1;
        forPixelsNearSegment(a, b, reach, kSize, kSize, [&](int x, int y, double distance) {
            const bool onBridge = bridgeRadius > 0 && riverMask_[at(x, y)] != 0;
            const double r = onBridge ? bridgeRadius : radius;
            const double cover = std::clamp(r + 0.5 - distance, 0.0, 1.0);
            if (cover <= 0) {
                return;
            }
            blend(x, y, onBridge ? bridge : colour, static_cast<int>(cover * 256));
            if (mask != nullptr && cover >= 0.5) {
                (*mask)[at(x, y)] = 1;
            }
        });
    }

    // Rivers follow a smooth curve through the centres of their hexes, bent a little
    // between them, widening towards the mouth.
    void paintRivers() {
        for (const std::vector<HexCoord>& river : world_.rivers) {
            std::vector<Point> knots;
            for (std::size_t i = 0; i < river.size(); ++i) {
                const Point c = hexCentre(river[i]);
                if (i > 0) {
                    const Point p = hexCentre(river[i - 1]);
                    const std::uint64_t h =
                        DemoRandom::hash(kSeed + 51, static_cast<std::uint64_t>(river[i].row),
                                         static_cast<std::uint64_t>(river[i].column));
                    const double bend = static_cast<double>(static_cast<int>(h % 17) - 8);
                    const double dx = c.x - p.x;
                    const double dy = c.y - p.y;
                    const double length = std::sqrt(dx * dx + dy * dy);
                    knots.push_back({(p.x + c.x) / 2 - dy / length * bend,
                                     (p.y + c.y) / 2 + dx / length * bend});
                }
                knots.push_back(c);
            }
            // Catmull-Rom through the knots, eight pieces per span.
            std::vector<Point> line;
            for (std::size_t i = 0; i + 1 < knots.size(); ++i) {
                const Point p0 = knots[i == 0 ? 0 : i - 1];
                const Point p1 = knots[i];
                const Point p2 = knots[i + 1];
                const Point p3 = knots[std::min(i + 2, knots.size() - 1)];
                for (int s = 0; s < 8; ++s) {
                    const double t = s / 8.0;
                    const double t2 = t * t;
                    const double t3 = t2 * t;
                    auto spline = [&](double a, double b, double c, double d) {
                        return 0.5 * ((2 * b) + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2 +
                                      (-a + 3 * b - 3 * c + d) * t3);
                    };
                    line.push_back(
                        {spline(p0.x, p1.x, p2.x, p3.x), spline(p0.y, p1.y, p2.y, p3.y)});
                }
            }
            line.push_back(knots.back());
            const bool stream =
                river.size() > 1 && cellTerrain(river[1].row, river[1].column) == Terrain::Stream;
            const double from = stream ? 1.6 : 3.0;
            const double to = stream ? 2.6 : 5.5;
            const double count = static_cast<double>(line.size());
            for (int pass = 0; pass < 2; ++pass) {
                for (std::size_t i = 0; i + 1 < line.size(); ++i) {
                    const double width = from + (to - from) * static_cast<double>(i) / count;
                    if (pass == 0) {
                        stroke(line[i], line[i + 1], width + 1.2, kRiverBank, &riverMask_);
                    } else {
                        stroke(line[i], line[i + 1], width, kRiverWater, nullptr);
                    }
                }
            }
        }
    }

    // Each hex draws its half of every road that leaves it, from its centre to the
    // middle of the shared edge; a hex with two roads bends one curve through its
    // centre instead, so roads run smoothly.
    template <typename Draw>
    void forEachRoadPiece(Draw draw) const {
        for (int row = 0; row < kMapRows; ++row) {
            for (int column = 0; column < kMapColumns; ++column) {
                const std::uint16_t roads = world_.document.cells[row][column].roads;
                if (roads == 0) {
                    continue;
                }
                const HexCoord hex{row, column};
                const Point c = hexCentre(hex);
                std::vector<Point> ends;
                for (int d = 0; d < kHexDirections; ++d) {
                    if ((roads & directionBit(d)) != 0) {
                        const Point n = hexCentre(neighbour(hex, d));
                        ends.push_back({(c.x + n.x) / 2, (c.y + n.y) / 2});
                    }
                }
                if (ends.size() == 2) {
                    Point previous = ends[0];
                    for (int s = 1; s <= 12; ++s) {
                        const double t = s / 12.0;
                        const double u = 1 - t;
                        const Point p{u * u * ends[0].x + 2 * u * t * c.x + t * t * ends[1].x,
                                      u * u * ends[0].y + 2 * u * t * c.y + t * t * ends[1].y};
                        draw(previous, p);
                        previous = p;
                    }
                } else {
                    for (const Point& end : ends) {
                        draw(c, end);
                    }
                }
            }
        }
    }

    void paintRoads() {
        forEachRoadPiece(
            [&](Point a, Point b) { stroke(a, b, 3.4, kRoadEdge, &roadMask_, 5.0, kBridge); });
        forEachRoadPiece([&](Point a, Point b) { stroke(a, b, 2.1, kRoad, nullptr); });
    }

    // Paved ground first, then houses packed on a loose grid, kept off the roads, and
    // a larger hall or church near the middle.
    void paintTown(int cx, int cy, std::uint64_t salt, int radius) {
        for (int dy = -radius - 4; dy <= radius + 4; ++dy) {
            for (int dx = -radius - 4; dx <= radius + 4; ++dx) {
                const int x = cx + dx;
                const int y = cy + dy;
                if (!inside(x, y) || roadMask_[at(x, y)] != 0) {
                    continue;
                }
                const int edge = radius * radius + (fine_.at(x, y) - 2048) / 5;
                if (dx * dx + dy * dy < edge) {
                    blend(x, y, add(kPavement, (fine_.at(x, y) - 2048) / 200), 230);
                }
            }
        }
        auto house = [&](int bx, int by, int w, int hgt, Rgb roof) {
            for (int y = by; y <= by + hgt; ++y) {
                for (int x = bx; x <= bx + w; ++x) {
                    if (!inside(x, y) || roadMask_[at(x, y)] != 0) {
                        return;
                    }
                }
            }
            for (int y = by; y <= by + hgt; ++y) {
                for (int x = bx; x <= bx + w; ++x) {
                    const bool shade = x == bx + w || y == by + hgt;
                    const bool ridge = hgt >= 3 && y == by + hgt / 2;
                    blend(x, y, shade ? scale(roof, 150) : (ridge ? scale(roof, 220) : roof), 256);
                }
            }
            for (int x = bx + 1; x <= bx + w + 1; ++x) {
                blend(x, by + hgt + 1, kShadow, 120);
            }
        };
        const std::uint64_t hall = DemoRandom::hash(salt, 7);
        house(cx + 4 + static_cast<int>(hall % 4), cy - 12 + static_cast<int>((hall >> 4) % 4), 7,
              5, {150, 146, 138});
        for (int gy = -radius; gy < radius; gy += 5) {
            for (int gx = -radius; gx < radius; gx += 5) {
                const std::uint64_t h = DemoRandom::hash(salt, static_cast<std::uint64_t>(gx + 64),
                                                         static_cast<std::uint64_t>(gy + 64));
                const int bx = cx + gx + static_cast<int>(h % 2);
                const int by = cy + gy + static_cast<int>((h >> 4) % 2);
                const int w = 2 + static_cast<int>((h >> 8) % 2);
                const int hgt = 2 + static_cast<int>((h >> 12) % 2);
                const int rx = bx + w / 2 - cx;
                const int ry = by + hgt / 2 - cy;
                const int limit = (radius - 3) * (radius - 3);
                // Denser in the middle, thinning out towards the edge.
                if (rx * rx + ry * ry > limit ||
                    static_cast<int>((h >> 16) % 256) < (rx * rx + ry * ry) * 200 / limit) {
                    continue;
                }
                house(bx, by, w, hgt, kRoofs[static_cast<std::size_t>((h >> 20) % kRoofs.size())]);
            }
        }
    }

    void paintPiers(HexCoord hex) {
        const Point c = hexCentre(hex);
        for (int d = 0; d < kHexDirections; ++d) {
            const HexCoord next = neighbour(hex, d);
            if (cellTerrain(next.row, next.column) != Terrain::Ocean) {
                continue;
            }
            const Point n = hexCentre(next);
            const double dx = n.x - c.x;
            const double dy = n.y - c.y;
            const double length = std::sqrt(dx * dx + dy * dy);
            for (int side : {-1, 1}) {
                const double ox = -dy / length * 9 * side;
                const double oy = dx / length * 9 * side;
                const Point a{c.x + dx * 0.35 + ox, c.y + dy * 0.35 + oy};
                const Point b{c.x + dx * 0.85 + ox, c.y + dy * 0.85 + oy};
                stroke(a, b, 2.0, {118, 92, 66}, nullptr);
                // A moored boat beside each pier.
                const Point boat{c.x + dx * 0.7 + ox * 1.6, c.y + dy * 0.7 + oy * 1.6};
                stroke({boat.x - dx / length * 4, boat.y - dy / length * 4},
                       {boat.x + dx / length * 4, boat.y + dy / length * 4}, 1.6, {236, 232, 220},
                       nullptr);
            }
        }
    }

    void paintAirfield(int cx, int cy) {
        const Point a{cx - 30.0, cy + 12.0};
        const Point b{cx + 30.0, cy - 12.0};
        stroke(a, b, 7.0, {196, 190, 150}, nullptr); // the cleared strip
        stroke(a, b, 4.6, {112, 112, 108}, nullptr);
        for (int s = 0; s < 6; ++s) {
            const double t0 = 0.1 + s * 0.14;
            const double t1 = t0 + 0.07;
            stroke({a.x + (b.x - a.x) * t0, a.y + (b.y - a.y) * t0},
                   {a.x + (b.x - a.x) * t1, a.y + (b.y - a.y) * t1}, 0.6, {240, 240, 234}, nullptr);
        }
        // Taxiway, apron and hangars north-west of the runway.
        stroke({cx - 4.0, cy + 1.0}, {cx - 11.0, cy - 14.0}, 1.8, {128, 128, 124}, nullptr);
        stroke({cx - 22.0, cy - 15.0}, {cx - 4.0, cy - 15.0}, 3.0, {136, 136, 132}, nullptr);
        for (int i = 0; i < 3; ++i) {
            const int hx = cx - 23 + i * 7;
            const int hy = cy - 24;
            for (int y = hy; y < hy + 6; ++y) {
                for (int x = hx; x < hx + 6; ++x) {
                    blend(x, y, x == hx + 5 || y == hy + 5 ? Rgb{92, 94, 96} : Rgb{168, 172, 176},
                          256);
                }
            }
        }
    }

    // A five-pointed star of earthworks with a ditch around it.
    void paintFort(int cx, int cy) {
        std::array<Point, 10> star;
        for (int i = 0; i < 10; ++i) {
            // Points of a regular pentagram, from fixed unit vectors (no trigonometry).
            static constexpr std::array<std::array<double, 2>, 10> unit{{{0.0, -1.0},
                                                                         {0.5878, -0.8090},
                                                                         {0.9511, -0.3090},
                                                                         {0.9511, 0.3090},
                                                                         {0.5878, 0.8090},
                                                                         {0.0, 1.0},
                                                                         {-0.5878, 0.8090},
                                                                         {-0.9511, 0.3090},
                                                                         {-0.9511, -0.3090},
                                                                         {-0.5878, -0.8090}}};
            const double r = i % 2 == 0 ? 21.0 : 12.0;
            star[static_cast<std::size_t>(i)] = {cx + unit[static_cast<std::size_t>(i)][0] * r,
                                                 cy + unit[static_cast<std::size_t>(i)][1] * r};
        }
        for (int y = cy - 26; y <= cy + 26; ++y) {
            for (int x = cx - 26; x <= cx + 26; ++x) {
                if (!inside(x, y)) {
                    continue;
                }
                bool in = false;
                double nearest = 1e9;
                for (std::size_t i = 0, j = star.size() - 1; i < star.size(); j = i++) {
                    const Point& p = star[i];
                    const Point& q = star[j];
                    if ((p.y > y) != (q.y > y) && x < (q.x - p.x) * (y - p.y) / (q.y - p.y) + p.x) {
                        in = !in;
                    }
                    const double dx = q.x - p.x;
                    const double dy = q.y - p.y;
                    const double t = std::clamp(
                        ((x - p.x) * dx + (y - p.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
                    const double ex = x - p.x - t * dx;
                    const double ey = y - p.y - t * dy;
                    nearest = std::min(nearest, std::sqrt(ex * ex + ey * ey));
                }
                if (in) {
                    const Rgb wall = (x - cx) + (y - cy) < 0 ? Rgb{150, 146, 134} : Rgb{96, 92, 86};
                    blend(x, y, nearest < 2.5 ? wall : Rgb{156, 164, 116}, 256);
                } else if (nearest < 4.5) {
                    blend(x, y, {84, 100, 72}, 200); // the ditch
                }
            }
        }
        for (int y = cy - 3; y <= cy + 2; ++y) {
            for (int x = cx - 4; x <= cx + 3; ++x) {
                blend(x, y, x == cx + 3 || y == cy + 2 ? Rgb{90, 80, 72} : Rgb{160, 96, 72}, 256);
            }
        }
    }

    // The airfield and the fort.
    void paintWorks() {
        for (int row = 0; row < kMapRows; ++row) {
            for (int column = 0; column < kMapColumns; ++column) {
                const int terrain = cellTerrain(row, column);
                if (terrain == Terrain::Airfield) {
                    paintAirfield(hexCentreX(column), hexCentreY(row, column));
                } else if (terrain == Terrain::Fortification) {
                    paintFort(hexCentreX(column), hexCentreY(row, column));
                }
            }
        }
    }

    void paintSettlements() {
        for (int row = 0; row < kMapRows; ++row) {
            for (int column = 0; column < kMapColumns; ++column) {
                const int terrain = cellTerrain(row, column);
                const HexCoord hex{row, column};
                const int cx = hexCentreX(column);
                const int cy = hexCentreY(row, column);
                const std::uint64_t salt =
                    DemoRandom::hash(kSeed + 61, static_cast<std::uint64_t>(row),
                                     static_cast<std::uint64_t>(column));
                if (terrain == Terrain::City) {
                    paintTown(cx, cy, salt, 25);
                } else if (terrain == Terrain::Port) {
                    paintPiers(hex);
                    paintTown(cx, cy, salt, 21);
                }
            }
        }
    }

    // Faint lines where the editor's hexes meet, so the overlay visibly fits.
    void paintHexBorders() {
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                if (onHexBorder(hex_, kSize, kSize, x, y)) {
                    Rgb& p = pixels_[at(x, y)];
                    p = scale(p, 222);
                }
            }
        }
    }

    void store(MapPicture& picture) const { storePixels(pixels_, kSize, kSize, picture); }

    // Fields grow around jittered points, one per cell of a coarse grid.
    static constexpr int kFieldWidth = 54;
    static constexpr int kFieldHeight = 42;
    static constexpr int kFieldOffset = 2 * kFieldWidth;
    static constexpr int kFieldColumns = (kSize + 2 * kFieldOffset) / kFieldWidth + 2;
    static constexpr int kFieldRows = (kSize + 2 * kFieldOffset) / kFieldHeight + 2;
    static constexpr int kFarmland = 1900;
    struct FieldSeed {
        int x = 0;
        int y = 0;
        int crop = -1; // a tone of kFieldTones, or -1 for a meadow
        int furrowX = 0;
        int furrowY = 0;
    };

    const DemoWorld& world_;
    std::vector<FieldSeed> fieldSeeds_;
    std::vector<Rgb> pixels_;
    std::vector<std::int16_t> hex_;            // the editor's hex of each pixel, -1 off the grid
    std::vector<std::uint8_t> terrain_;        // the terrain each pixel shows
    std::vector<std::uint16_t> shoreDistance_; // to the other side of the shore, x3
    std::vector<std::uint8_t> roadMask_;
    std::vector<std::uint8_t> riverMask_;
    ValueNoise fine_;
    ValueNoise broad_;
    ValueNoise warpX_;
    ValueNoise warpY_;
    ValueNoise relief_;
    ValueNoise patches_;
    ValueNoise pools_;
};

} // namespace

void paintDemoPicture(const DemoWorld& world, MapPicture& picture) {
    DemoPainter(world).paint(picture);
}

} // namespace maporv
