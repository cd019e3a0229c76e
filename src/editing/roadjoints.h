#pragma once

#include "editing/mapcheck.h"
#include "editing/picturepixels.h"
#include "mapdata/hexdirection.h"
#include "mapdata/mapdocument.h"

#include <array>
#include <cstdint>
#include <vector>

namespace maporv {

// Where a hex meets its neighbour: the edge a road crosses from one to the other.
// Named from the hex whose NE, SE or S side it is, so that each joint has one name.
struct HexJoint {
    HexCoord from;
    int direction = 3;

    HexCoord to() const { return neighbour(from, direction); }
    friend bool operator==(const HexJoint&, const HexJoint&) = default;
};

// The directions that name joints: NE, SE, S.
inline constexpr std::array<int, 3> kJointDirections{1, 2, 3};

// The same joint seen from either side: a hex and any of its six directions.
HexJoint jointBetween(HexCoord hex, int direction);

struct PicturePoint {
    double x = 0.0;
    double y = 0.0;
};

// A joint in picture pixels at full size: the two hexes' centres and the ends of their
// shared edge, as the hex grid draws and picks them.
struct JointOutline {
    PicturePoint fromCentre;
    PicturePoint toCentre;
    PicturePoint edgeStart;
    PicturePoint edgeEnd;
};
JointOutline jointOutline(const HexJoint& joint);

// What the picture shows at every joint of the map area (the hexes the grid reaches on
// the picture): samples in kRows rows parallel to the shared edge, a sixteenth of the
// way between the two centres apart, from a quarter of the way from the from-hex's
// centre to the edge to a quarter of the way from the to-hex's centre, the middle row
// on the edge, each row kAcross places along the edge. Only the places inside the
// rhombus between the two centres and the edge's ends, widened by a margin, are
// sampled: the rest of the parallelogram belongs to the hexes' other joints. A road
// between the two hexes crosses every row; a road along the edge lies in the middle
// rows only; a river is a line of another colour. Each sample is the cell of its colour
// in a coarse CIELAB grid (kColourCells), or kOutsidePicture.
class RoadJointGrid {
public:
    static constexpr int kAcross = 32;
    static constexpr int kRows = 13;
    static constexpr int kEdgeRow = kRows / 2;
    static constexpr int kSamples = kAcross * kRows;
    static constexpr std::uint16_t kOutsidePicture = 0xFFFF;
    // How far beyond the rhombus a row is sampled, in parts of the edge: a winding road
    // strays from it, a road through a corner to a third hex should not.
    static constexpr double kMargin = 0.15;

    // The sampled places of a row: [begin, end).
    struct Span {
        int begin = 0;
        int end = 0;
    };
    static Span span(int row);
    // Where a place lies along the edge (-0.5 .. 0.5 its ends) and where a row lies
    // from the edge towards the to-hex's centre (0.5 that centre).
    static double alongEdge(int place);
    static double towardsTo(int row);

    void compute(const MapPicture& picture);
    void compute(const PicturePixels& pixels);

    const HexExtent& area() const { return area_; }
    bool inArea(HexCoord hex) const { return maporv::inArea(area_, hex); }
    const std::vector<HexJoint>& joints() const { return joints_; }
    // The kSamples colour cells of a joint, row by row from the from-hex's side;
    // outside a row's span they mean nothing.
    const std::uint16_t* samples(int joint) const {
        return samples_.data() + static_cast<std::size_t>(joint) * kSamples;
    }

private:
    HexExtent area_;
    std::vector<HexJoint> joints_;
    std::vector<std::uint16_t> samples_;
};

// A joint whose road is known: a joint of grid, and whether a road crosses it.
struct RoadExample {
    const RoadJointGrid* grid = nullptr;
    int joint = 0;
    bool road = false;
};

// The coarse CIELAB grid of the samples: cells of 8 units of lightness and of each
// colour axis, clamped at the grid's ends.
struct ColourCellGrid {
    static constexpr int kLightness = 13;  // 0..100
    static constexpr int kGreenRed = 20;   // -80..80
    static constexpr int kBlueYellow = 22; // -80..96
    static constexpr int kCellSize = 8;
    static constexpr int kGreenRedLow = -80;
    static constexpr int kBlueYellowLow = -80;
    static constexpr int kCells = kLightness * kGreenRed * kBlueYellow;

    static int cell(int lightness, int greenRed, int blueYellow) {
        return (lightness * kGreenRed + greenRed) * kBlueYellow + blueYellow;
    }
};
inline constexpr int kColourCells = ColourCellGrid::kCells;

} // namespace maporv
