#include "editing/roadjoints.h"

#include "mapdata/hexgrid.h"

#include <algorithm>
#include <cmath>

namespace maporv {
namespace {

// The corners of a full-size hex from its bounding box, clockwise from the top left:
// side d of the hex runs from corner d to corner d + 1.
constexpr std::array<std::array<int, 2>, 6> kCorners{
    {{15, 0}, {45, 0}, {60, 25}, {45, 50}, {15, 50}, {0, 25}}};

// Rows lie this part of the way between the two centres apart.
constexpr double kRowStep = 1.0 / 16.0;

// A point of a hex's bounding box, in picture pixels.
PicturePoint inBox(HexCoord hex, int dx, int dy) {
    HexGrid grid;
    grid.setConstants(kFullSizeGrid);
    const HexPosition box = grid.hexToPixel(hex.row, hex.column);
    return {static_cast<double>(box.mapX + dx), static_cast<double>(box.mapY + dy)};
}

PicturePoint boxCorner(HexCoord hex, int corner) {
    const auto& at = kCorners[static_cast<std::size_t>(corner % 6)];
    return inBox(hex, at[0], at[1]);
}

PicturePoint centreOf(HexCoord hex) {
    return inBox(hex, kFullSizeGrid.hexWidth / 2, kFullSizeGrid.hexHeight / 2);
}

// The sampled places of the joints of one naming direction: which sample each is and
// where it lies from the from-hex's centre, in whole pixels (every hex has the same
// shape), with the least and most of those offsets.
struct Place {
    std::size_t sample = 0;
    int dx = 0;
    int dy = 0;
};
struct DirectionPlaces {
    std::vector<Place> places;
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

const std::array<DirectionPlaces, 3>& placesOfDirections() {
    static const std::array<DirectionPlaces, 3> all = [] {
        std::array<DirectionPlaces, 3> directions;
        for (std::size_t k = 0; k < kJointDirections.size(); ++k) {
            const JointOutline outline = jointOutline({{3, 3}, kJointDirections[k]});
            const PicturePoint& c = outline.fromCentre;
            const double edgeX = outline.edgeEnd.x - outline.edgeStart.x;
            const double edgeY = outline.edgeEnd.y - outline.edgeStart.y;
            const double acrossX = outline.toCentre.x - c.x;
            const double acrossY = outline.toCentre.y - c.y;
            DirectionPlaces& direction = directions[k];
            for (int row = 0; row < RoadJointGrid::kRows; ++row) {
                // The part of the way from the from-hex's centre to the to-hex's: the
                // edge's middle lies at 0.5.
                const double v = RoadJointGrid::towardsTo(row) + 0.5;
                const RoadJointGrid::Span span = RoadJointGrid::span(row);
                for (int i = span.begin; i < span.end; ++i) {
                    const double u = RoadJointGrid::alongEdge(i);
                    const int dx = static_cast<int>(std::lround(u * edgeX + v * acrossX));
                    const int dy = static_cast<int>(std::lround(u * edgeY + v * acrossY));
                    direction.places.push_back(
                        {static_cast<std::size_t>(row * RoadJointGrid::kAcross + i), dx, dy});
                    direction.left = std::min(direction.left, dx);
                    direction.right = std::max(direction.right, dx);
                    direction.top = std::min(direction.top, dy);
                    direction.bottom = std::max(direction.bottom, dy);
                }
            }
        }
        return directions;
    }();
    return all;
}

std::vector<std::uint16_t> buildCellTable() {
    std::vector<std::uint16_t> table(1u << 16);
    using G = ColourCellGrid;
    const auto index = [](float value, int low, int cells) {
        return std::clamp(static_cast<int>(std::floor((value - static_cast<float>(low)) /
                                                      static_cast<float>(G::kCellSize))),
                          0, cells - 1);
    };
    for (unsigned key = 0; key < table.size(); ++key) {
        const LabColour lab = labOfKey(key);
        table[key] = static_cast<std::uint16_t>(
            G::cell(index(lab.lightness, 0, G::kLightness),
                    index(lab.greenRed, G::kGreenRedLow, G::kGreenRed),
                    index(lab.blueYellow, G::kBlueYellowLow, G::kBlueYellow)));
    }
    return table;
}

const std::uint16_t* cellTable() {
    static const std::vector<std::uint16_t> table = buildCellTable();
    return table.data();
}

// Every joint of an area of columns x rows whose two hexes lie inside it, by row, then
// column, then NE, SE, S: a road never leads out of the area.
std::vector<HexJoint> jointsOf(const HexExtent& area) {
    std::vector<HexJoint> joints;
    for (int row = 0; row < area.rows; ++row) {
        for (int column = 0; column < area.columns; ++column) {
            for (int direction : kJointDirections) {
                const HexJoint joint{{row, column}, direction};
                if (inArea(area, joint.to())) {
                    joints.push_back(joint);
                }
            }
        }
    }
    return joints;
}

} // namespace

HexJoint jointBetween(HexCoord hex, int direction) {
    if (direction >= 1 && direction <= 3) {
        return {hex, direction};
    }
    return {neighbour(hex, direction), oppositeDirection(direction)};
}

JointOutline jointOutline(const HexJoint& joint) {
    return {centreOf(joint.from), centreOf(joint.to()), boxCorner(joint.from, joint.direction),
            boxCorner(joint.from, joint.direction + 1)};
}

RoadJointGrid::Span RoadJointGrid::span(int row) {
    static const std::array<Span, kRows> spans = [] {
        std::array<Span, kRows> all{};
        for (int r = 0; r < kRows; ++r) {
            const double half = 0.5 - std::abs(towardsTo(r)) + kMargin;
            Span& span = all[static_cast<std::size_t>(r)];
            span.begin = kAcross;
            for (int i = 0; i < kAcross; ++i) {
                if (std::abs(alongEdge(i)) <= half) {
                    span.begin = std::min(span.begin, i);
                    span.end = i + 1;
                }
            }
        }
        return all;
    }();
    return spans[static_cast<std::size_t>(std::clamp(row, 0, kRows - 1))];
}

double RoadJointGrid::alongEdge(int place) {
    return (place + 0.5) / kAcross - 0.5;
}

double RoadJointGrid::towardsTo(int row) {
    return (row - kEdgeRow) * kRowStep;
}

void RoadJointGrid::compute(const MapPicture& picture) {
    compute(PicturePixels::of(picture));
}

void RoadJointGrid::compute(const PicturePixels& pixels) {
    area_ = {};
    joints_.clear();
    samples_.clear();
    if (!pixels.usable()) {
        return;
    }
    area_ = pictureReach({pixels.width, pixels.height});
    joints_ = jointsOf(area_);
    samples_.resize(joints_.size() * kSamples);
    const std::uint16_t* cells = cellTable();
    // The places as distances in the buffer's bytes, so that a joint wholly inside the
    // picture costs two lookups a sample.
    const auto& directions = placesOfDirections();
    std::array<std::vector<std::ptrdiff_t>, 3> bytes;
    for (std::size_t k = 0; k < directions.size(); ++k) {
        for (const Place& place : directions[k].places) {
            bytes[k].push_back(3 * static_cast<std::ptrdiff_t>(place.dx) -
                               static_cast<std::ptrdiff_t>(place.dy) * pixels.rowLength);
        }
    }
    for (std::size_t j = 0; j < joints_.size(); ++j) {
        const auto k = static_cast<std::size_t>(joints_[j].direction - 1);
        const DirectionPlaces& direction = directions[k];
        const PicturePoint centre = centreOf(joints_[j].from);
        const int cx = static_cast<int>(centre.x);
        const int cy = static_cast<int>(centre.y);
        std::uint16_t* out = samples_.data() + j * kSamples;
        if (cx + direction.left >= 0 && cx + direction.right < pixels.width &&
            cy + direction.top >= 0 && cy + direction.bottom < pixels.height) {
            const std::uint8_t* middle = pixels.at(cx, cy);
            for (std::size_t p = 0; p < direction.places.size(); ++p) {
                out[direction.places[p].sample] = cells[colourKey(middle + bytes[k][p])];
            }
            continue;
        }
        for (const Place& place : direction.places) {
            const int x = cx + place.dx;
            const int y = cy + place.dy;
            out[place.sample] = x >= 0 && y >= 0 && x < pixels.width && y < pixels.height
                                    ? cells[colourKey(pixels.at(x, y))]
                                    : kOutsidePicture;
        }
    }
}

} // namespace maporv
