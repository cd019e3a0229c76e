#pragma once

#include "editing/picturepixels.h"
#include "mapdata/mapdocument.h"

#include <array>
#include <cstdint>

namespace maporv {

class MapPicture;

// What a hex's piece of the picture looks like, in numbers the terrain classifier
// compares. Painted terrain differs first by colour (sea blue, woods dark green,
// fields yellow-green, peaks grey), then by how busy it is (a forest canopy or a
// mountain range against a flat field of the same hue), so:
//   - mean and spread of lightness and of the two colour axes in CIELAB, where equal
//     distances look about equally different, so one distance fits every hue;
//   - a coarse histogram of nine colour classes (three greys by lightness, six hues),
//     which tells a hex half sea and half beach from one all in between;
//   - two texture measures from lightness steps between neighbouring pixels: the share
//     of steps that are edges, and the mean step.
// A picture lit unevenly (a scan or a photograph of a printed map, dim in one corner)
// moves all of these: light that multiplies every colour by one factor multiplies
// CIELAB's L + 16, a and b, and so the spreads and the steps, by one factor too, and
// moves pixels between the greys and across the grey limit. So beside them stands a
// histogram that does not move: seven classes, the six hues and one grey whose limit
// is a share of L + 16 (10 units of colour at lightness 50); the classifier divides
// the others by L + 16 where it needs them free of the light.
// All of it comes from one pass over the pixels with a table lookup per pixel.
inline constexpr int kColourClassCount = 9;
inline constexpr int kLightFreeClassCount = 7;
enum HexFeature {
    kMeanLightness,
    kMeanGreenRed,
    kMeanBlueYellow,
    kSpreadLightness,
    kSpreadGreenRed,
    kSpreadBlueYellow,
    kEdgeDensity,
    kEdgeStrength,
    kColourClassFirst,
    kLightFreeClassFirst = kColourClassFirst + kColourClassCount,
};
inline constexpr int kHexFeatureCount = kLightFreeClassFirst + kLightFreeClassCount;

using HexFeatures = std::array<float, kHexFeatureCount>;

// The features of every hex of the map area: the hexes of the cell grid that the hex
// grid reaches for the picture's size and that hold at least one picture pixel. A hex
// owns exactly the pixels the grid's picking gives it, so a hex the picture covers only
// in part is described by the part it has.
class HexFeatureGrid {
public:
    // From the picture's shared pixel buffer. A picture without pixels leaves the map
    // area empty.
    void compute(const MapPicture& picture);
    void compute(const PicturePixels& pixels);

    bool inMapArea(int row, int column) const;
    // Meaningful inside the map area only.
    const HexFeatures& at(int row, int column) const;
    // How many picture pixels the hex holds; 0 outside the map area.
    int pixelCount(int row, int column) const;
    int mapAreaSize() const { return mapAreaSize_; }

private:
    MapDocument::Grid<HexFeatures> features_{};
    MapDocument::Grid<std::uint16_t> pixels_{};
    int mapAreaSize_ = 0;
};

} // namespace maporv
