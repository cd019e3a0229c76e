#include "demo/scenepainter.h"

#include "demo/demorandom.h"
#include "demo/demoworld.h"
#include "demo/paintkit.h"
#include "demo/sceneworld.h"
#include "demo/valuenoise.h"
#include "picture/mappicture.h"

#include <algorithm>
#include <array>
#include <cmath>

#if defined(__clang__)
#pragma clang fp contract(off)
#endif

namespace maporv {
namespace {

namespace Terrain = TerrainCode;

// How one hand paints: the colours, and the width of its lines (radii in pixels).
struct Palette {
    Rgb field;
    Rgb fieldOther; // the second crop of the patchwork
    Rgb forest;
    Rgb hill;
    Rgb sea;
    Rgb river;
    double riverRadius = 2.0;
    Rgb road;
    double roadRadius = 1.5;
    Rgb roadRim{};
    double rimRadius = 0.0; // 0: no rim
    // How far a road's waypoint strays from its hex's centre, and where on the edge it
    // may cross (a share of the edge on either side of its middle); 0 for roads from
    // centre to centre.
    double wander = 0.0;
    double crossing = 0.0;
    double bend = 0.0;
    bool hedges = false;
    bool hexBorders = false;
    bool coastLine = false;
    // Printed soft, as a scan shows it: thin lines fade into what is beside them.
    bool soft = false;
};

Palette paletteOf(SceneStyle style) {
    switch (style) {
    case SceneStyle::ThinStraight:
        // Hex borders printed as dark as the roads, which run along every edge.
        return {.field = {198, 206, 150},
                .fieldOther = {214, 210, 160},
                .forest = {96, 146, 84},
                .hill = {196, 168, 118},
                .sea = {126, 174, 212},
                .river = {70, 120, 200},
                .riverRadius = 1.6,
                .road = {112, 52, 40},
                .roadRadius = 0.7,
                .hexBorders = true,
                .soft = true};
    case SceneStyle::ThickWinding:
        // Yellow roads near the colour of dry fields, rims of the colour of the hedges.
        return {.field = {150, 180, 90},
                .fieldOther = {200, 192, 112},
                .forest = {42, 92, 44},
                .hill = {170, 140, 92},
                .sea = {40, 90, 150},
                .river = {60, 110, 190},
                .riverRadius = 3.0,
                .road = {226, 200, 104},
                .roadRadius = 3.2,
                .roadRim = {96, 84, 50},
                .rimRadius = 4.4,
                .wander = 9.0,
                .crossing = 0.3,
                .bend = 7.0,
                .hedges = true};
    case SceneStyle::RiversAndCoasts:
        // Roads, rivers and the coast line all as wide, the coast line dark brown.
        return {.field = {182, 192, 132},
                .fieldOther = {196, 196, 140},
                .forest = {82, 122, 72},
                .hill = {176, 152, 112},
                .sea = {104, 152, 192},
                .river = {64, 100, 172},
                .riverRadius = 2.2,
                .road = {150, 72, 52},
                .roadRadius = 2.2,
                .wander = 6.0,
                .crossing = 0.25,
                .bend = 5.0,
                .coastLine = true};
    case SceneStyle::VaryingLight:
        return {.field = {160, 186, 100},
                .fieldOther = {186, 190, 112},
                .forest = {50, 100, 52},
                .hill = {180, 152, 102},
                .sea = {50, 100, 160},
                .river = {60, 110, 190},
                .riverRadius = 2.5,
                .road = {228, 222, 200},
                .roadRadius = 2.3,
                .roadRim = {84, 74, 62},
                .rimRadius = 3.4,
                .wander = 8.0,
                .crossing = 0.3,
                .bend = 6.0,
                .hedges = true};
    }
    return {};
}

class ScenePainter {
public:
    explicit ScenePainter(const SceneWorld& world)
        : world_(world), palette_(paletteOf(world.style)), width_(world.width),
          height_(world.height), pixels_(static_cast<std::size_t>(width_) * height_),
          hex_(pixels_.size()), terrain_(pixels_.size()), fine_(world.seed + 11, 8, 2, 2048),
          broad_(world.seed + 12, 128, 2, 2048), warpX_(world.seed + 13, 32, 2, 2048),
          warpY_(world.seed + 14, 32, 2, 2048), canopy_(world.seed + 15, 8, 2, 2048),
          light_(world.seed + 16, 512, 2, 2048) {}

    void paint(MapPicture& picture) {
        mapHexes();
        paintGround();
        paintShore();
        if (palette_.hedges) {
            paintHedges();
        }
        paintRivers();
        const bool symbols =
            world_.style == SceneStyle::ThinStraight || world_.style == SceneStyle::RiversAndCoasts;
        if (!symbols) {
            paintTowns();
        }
        paintRoads();
        if (symbols) {
            paintTowns();
        }
        if (palette_.hexBorders) {
            paintHexBorders();
        }
        if (world_.style == SceneStyle::VaryingLight) {
            paintLight();
        }
        if (palette_.soft) {
            soften();
        }
        paintGrain();
        store(picture);
    }

private:
    std::size_t at(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    int cellTerrain(int index) const {
        if (index < 0) {
            return Terrain::Ocean;
        }
        return world_.document
            .cells[static_cast<std::size_t>(index / kMapColumns)]
                  [static_cast<std::size_t>(index % kMapColumns)]
            .terrain;
    }

    void blend(int x, int y, Rgb c, int alpha) {
        maporv::blend(pixels_, width_, height_, x, y, c, alpha);
    }

    // The hex of every pixel as the editor picks it, and the terrain it shows: that of
    // the hex under a point displaced by up to 10 pixels, so borders wander.
    void mapHexes() {
        hex_ = hexOfEveryPixel(width_, height_);
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                const int wx = std::clamp(x + (warpX_.at(x, y) - 2048) / 120, 0, width_ - 1);
                const int wy = std::clamp(y + (warpY_.at(x, y) - 2048) / 120, 0, height_ - 1);
                terrain_[at(x, y)] = static_cast<std::uint8_t>(cellTerrain(hex_[at(wx, wy)]));
            }
        }
    }

    Rgb ground(int terrain, int x, int y) const {
        const int fine = (fine_.at(x, y) - 2048) / 160;
        switch (terrain) {
        case Terrain::Forest:
            return add(palette_.forest, (canopy_.at(x, y) - 2048) / 60 + fine);
        case Terrain::Hill:
            return add(palette_.hill, (broad_.at(x * 4, y * 4) - 2048) / 90 + fine);
        case Terrain::Ocean:
            return add(palette_.sea, (broad_.at(x, y) - 2048) / 200 + fine / 2);
        default: {
            const int patch = std::clamp((broad_.at(x, y) - 1800) / 2, 0, 256);
            return add(mix(palette_.field, palette_.fieldOther, patch), fine);
        }
        }
    }

    void paintGround() {
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                pixels_[at(x, y)] = ground(terrain_[at(x, y)], x, y);
            }
        }
    }

    bool isSea(int x, int y) const { return inside(x, y) && terrain_[at(x, y)] == Terrain::Ocean; }

    // A drawn coast line or a strip of beach where the land meets the sea.
    void paintShore() {
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                if (isSea(x, y)) {
                    continue;
                }
                int near = 99;
                for (int d = 1; d <= 4 && near == 99; ++d) {
                    if (isSea(x - d, y) || isSea(x + d, y) || isSea(x, y - d) || isSea(x, y + d)) {
                        near = d;
                    }
                }
                if (palette_.coastLine && near <= 2) {
                    pixels_[at(x, y)] = {70, 58, 50};
                } else if (!palette_.coastLine && near <= 4) {
                    pixels_[at(x, y)] = mix(pixels_[at(x, y)], {222, 206, 160}, 200);
                }
            }
        }
    }

    // A round-ended line with a soft edge.
    void stroke(Point a, Point b, double radius, Rgb colour) {
        forPixelsNearSegment(a, b, radius + 1, width_, height_, [&](int x, int y, double distance) {
            blend(x, y, colour,
                  static_cast<int>(std::clamp(radius + 0.5 - distance, 0.0, 1.0) * 256));
        });
    }

    // A quadratic curve from a through the pull of control to b, in short strokes.
    void curve(Point a, Point control, Point b, double radius, Rgb colour) {
        Point previous = a;
        for (int s = 1; s <= 8; ++s) {
            const double t = s / 8.0;
            const double u = 1 - t;
            const Point p{u * u * a.x + 2 * u * t * control.x + t * t * b.x,
                          u * u * a.y + 2 * u * t * control.y + t * t * b.y};
            stroke(previous, p, radius, colour);
            previous = p;
        }
    }

    // A number in -1..1 fixed by the scene and up to three integers.
    double jitter(std::uint64_t salt, std::uint64_t a, std::uint64_t b = 0) const {
        return static_cast<double>(DemoRandom::hash(world_.seed + salt, a, b) % 2001) / 1000.0 -
               1.0;
    }

    // Field boundaries: lines between the points of a jittered lattice, over the fields
    // only, crossing hex edges anywhere.
    void paintHedges() {
        constexpr int kSpacing = 46;
        const auto lattice = [&](int i, int j) {
            const auto ui = static_cast<std::uint64_t>(i + 8);
            const auto uj = static_cast<std::uint64_t>(j + 8);
            return Point{i * kSpacing + 16 * jitter(21, ui, uj),
                         j * kSpacing + 16 * jitter(22, ui, uj)};
        };
        std::vector<Rgb> before = pixels_;
        for (int j = -1; j <= height_ / kSpacing + 1; ++j) {
            for (int i = -1; i <= width_ / kSpacing + 1; ++i) {
                const auto h = DemoRandom::hash(world_.seed + 23, static_cast<std::uint64_t>(i + 8),
                                                static_cast<std::uint64_t>(j + 8));
                if (h % 5 < 3) {
                    stroke(lattice(i, j), lattice(i + 1, j), 1.0, {96, 84, 50});
                }
                if ((h >> 8) % 5 < 3) {
                    stroke(lattice(i, j), lattice(i, j + 1), 1.0, {96, 84, 50});
                }
            }
        }
        for (std::size_t p = 0; p < pixels_.size(); ++p) {
            const int terrain = terrain_[p];
            if (terrain != Terrain::Clear && terrain != Terrain::River) {
                pixels_[p] = before[p];
            }
        }
    }

    void paintRivers() {
        for (const std::vector<HexCoord>& river : world_.rivers) {
            std::vector<Point> knots;
            for (std::size_t i = 0; i < river.size(); ++i) {
                const Point c = hexCentre(river[i]);
                const auto index =
                    static_cast<std::uint64_t>(river[i].row * kMapColumns + river[i].column);
                knots.push_back({c.x + 7 * jitter(31, index), c.y + 7 * jitter(32, index)});
            }
            for (std::size_t i = 0; i + 1 < knots.size(); ++i) {
                const Point middle{(knots[i].x + knots[i + 1].x) / 2,
                                   (knots[i].y + knots[i + 1].y) / 2};
                const Point from = i == 0 ? knots[0]
                                          : Point{(knots[i - 1].x + knots[i].x) / 2,
                                                  (knots[i - 1].y + knots[i].y) / 2};
                curve(from, knots[i], middle, palette_.riverRadius, palette_.river);
                if (i + 2 == knots.size()) {
                    stroke(middle, knots[i + 1], palette_.riverRadius, palette_.river);
                }
            }
        }
    }

    // Where a road leaves its hex's middle.
    Point waypoint(HexCoord hex) const {
        const Point c = hexCentre(hex);
        const bool town =
            world_.document
                .cells[static_cast<std::size_t>(hex.row)][static_cast<std::size_t>(hex.column)]
                .terrain == Terrain::City;
        if (palette_.wander <= 0.0 || town) {
            return c;
        }
        const auto index = static_cast<std::uint64_t>(hex.row * kMapColumns + hex.column);
        return {c.x + palette_.wander * jitter(41, index),
                c.y + palette_.wander * jitter(42, index)};
    }

    // Where the road between two hexes crosses their shared edge.
    Point crossing(HexCoord from, int direction) const {
        const HexCoord to = neighbour(from, direction);
        const Point a = hexCentre(from);
        const Point b = hexCentre(to);
        const Point middle{(a.x + b.x) / 2, (a.y + b.y) / 2};
        if (palette_.crossing <= 0.0) {
            return middle;
        }
        // The edge of each side, named from the hex whose N, NE or SE side it is so
        // that both hexes find the same point.
        static constexpr std::array<std::array<int, 2>, 3> kEdge{{{30, 0}, {15, 25}, {-15, 25}}};
        const HexCoord low = direction <= 2 ? from : to;
        const int side = direction <= 2 ? direction : direction - 3;
        const auto key =
            static_cast<std::uint64_t>((low.row * kMapColumns + low.column) * 3 + side);
        const double u = palette_.crossing * jitter(43, key);
        const auto& edge = kEdge[static_cast<std::size_t>(side)];
        return {middle.x + u * edge[0], middle.y + u * edge[1]};
    }

    template <typename Draw>
    void forEachRoadPiece(Draw draw) const {
        for (int row = 0; row < kMapRows; ++row) {
            for (int column = 0; column < kMapColumns; ++column) {
                const HexCoord hex{row, column};
                const std::uint16_t roads =
                    world_.document
                        .cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]
                        .roads;
                const Point start = waypoint(hex);
                for (int d = 0; d < kHexDirections; ++d) {
                    if ((roads & directionBit(d)) == 0) {
                        continue;
                    }
                    const Point end = crossing(hex, d);
                    const double dx = end.x - start.x;
                    const double dy = end.y - start.y;
                    const double length = std::max(1.0, std::sqrt(dx * dx + dy * dy));
                    const double bend =
                        palette_.bend *
                        jitter(44, static_cast<std::uint64_t>(row * kMapColumns + column),
                               static_cast<std::uint64_t>(d));
                    const Point control{(start.x + end.x) / 2 - dy / length * bend,
                                        (start.y + end.y) / 2 + dx / length * bend};
                    draw(start, control, end);
                }
            }
        }
    }

    void paintRoads() {
        if (palette_.rimRadius > 0.0) {
            forEachRoadPiece([&](Point a, Point c, Point b) {
                curve(a, c, b, palette_.rimRadius, palette_.roadRim);
            });
        }
        forEachRoadPiece(
            [&](Point a, Point c, Point b) { curve(a, c, b, palette_.roadRadius, palette_.road); });
    }

    void paintTowns() {
        for (const HexCoord& town : world_.towns) {
            const Point c = hexCentre(town);
            const int cx = static_cast<int>(c.x);
            const int cy = static_cast<int>(c.y);
            const auto salt = static_cast<std::uint64_t>(town.row * kMapColumns + town.column);
            switch (world_.style) {
            case SceneStyle::ThinStraight:
                for (int dy = -9; dy <= 9; ++dy) {
                    for (int dx = -9; dx <= 9; ++dx) {
                        const int d2 = dx * dx + dy * dy;
                        if (d2 <= 49) {
                            blend(cx + dx, cy + dy, {196, 44, 40}, 256);
                        } else if (d2 <= 81) {
                            blend(cx + dx, cy + dy, {60, 30, 30}, 256);
                        }
                    }
                }
                break;
            case SceneStyle::RiversAndCoasts:
                for (int dy = -7; dy <= 7; ++dy) {
                    for (int dx = -7; dx <= 7; ++dx) {
                        const bool inner = std::abs(dx) <= 4 && std::abs(dy) <= 4;
                        blend(cx + dx, cy + dy, inner ? Rgb{250, 250, 246} : Rgb{24, 24, 24}, 256);
                    }
                }
                break;
            default:
                paintCluster(cx, cy, salt);
                break;
            }
        }
    }

    // Paving and roofs packed around the middle of the hex.
    void paintCluster(int cx, int cy, std::uint64_t salt) {
        for (int dy = -15; dy <= 15; ++dy) {
            for (int dx = -15; dx <= 15; ++dx) {
                if (dx * dx + dy * dy <= 196) {
                    blend(cx + dx, cy + dy, {184, 178, 166}, 210);
                }
            }
        }
        static constexpr std::array<Rgb, 3> kRoofs{{{176, 74, 54}, {150, 96, 66}, {120, 110, 104}}};
        for (int gy = -12; gy <= 9; gy += 5) {
            for (int gx = -12; gx <= 9; gx += 5) {
                const auto h =
                    DemoRandom::hash(world_.seed + 51 + salt, static_cast<std::uint64_t>(gx + 20),
                                     static_cast<std::uint64_t>(gy + 20));
                if (gx * gx + gy * gy > 150 || h % 4 == 0) {
                    continue;
                }
                const Rgb roof = kRoofs[(h >> 8) % kRoofs.size()];
                for (int y = 0; y < 3; ++y) {
                    for (int x = 0; x < 4; ++x) {
                        blend(cx + gx + x, cy + gy + y,
                              y == 2 ? mix(roof, {40, 30, 30}, 120) : roof, 256);
                    }
                }
            }
        }
    }

    void paintHexBorders() {
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                if (onHexBorder(hex_, width_, height_, x, y)) {
                    pixels_[at(x, y)] = {96, 84, 72};
                }
            }
        }
    }

    // Each pixel half its own colour and half its eight neighbours'.
    void soften() {
        const std::vector<Rgb> sharp = pixels_;
        for (int y = 1; y + 1 < height_; ++y) {
            for (int x = 1; x + 1 < width_; ++x) {
                Rgb sum{};
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const Rgb& p = sharp[at(x + dx, y + dy)];
                        const int weight = dx == 0 && dy == 0 ? 8 : 1;
                        sum = {sum.r + p.r * weight, sum.g + p.g * weight, sum.b + p.b * weight};
                    }
                }
                pixels_[at(x, y)] = {sum.r / 16, sum.g / 16, sum.b / 16};
            }
        }
    }

    // The grain of paper and print: every pixel a little lighter or darker.
    void paintGrain() {
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                const auto h = DemoRandom::hash(world_.seed + 61, static_cast<std::uint64_t>(x),
                                                static_cast<std::uint64_t>(y));
                pixels_[at(x, y)] = add(pixels_[at(x, y)], static_cast<int>(h % 17) - 8);
            }
        }
    }

    // Dim in the north-west, bright in the south-east, with broad clouds.
    void paintLight() {
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                const int t = (x * 100 / std::max(width_, 1)) + (y * 60 / std::max(height_, 1)) +
                              light_.at(x, y) * 96 / 4096;
                const int factor = 115 + t * 245 / 256; // 0.45 .. 1.4
                Rgb& p = pixels_[at(x, y)];
                p = scale(p, factor);
            }
        }
    }

    void store(MapPicture& picture) const { storePixels(pixels_, width_, height_, picture); }

    const SceneWorld& world_;
    Palette palette_;
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
    std::vector<std::int16_t> hex_;
    std::vector<std::uint8_t> terrain_;
    ValueNoise fine_;
    ValueNoise broad_;
    ValueNoise warpX_;
    ValueNoise warpY_;
    ValueNoise canopy_;
    ValueNoise light_;
};

} // namespace

void paintScene(const SceneWorld& world, MapPicture& picture) {
    ScenePainter(world).paint(picture);
}

} // namespace maporv
