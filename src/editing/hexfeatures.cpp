#include "editing/hexfeatures.h"

#include "editing/picturepixels.h"
#include "mapdata/hexgrid.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace maporv {
namespace {

// CIELAB lightness runs 0..100; the table keeps it in a byte at this scale.
constexpr float kLightnessScale = 2.55f;
// A lightness step of this much between neighbouring pixels counts as an edge: more
// than the grain of a painted fill, less than a tree's shadow or a peak's flank.
constexpr int kEdgeStep = 15; // 15 / 2.55, about 6 units of lightness
// Below this chroma a colour counts as grey.
constexpr float kGreyChroma = 10.0f;
// The light-free grey limit: kGreyChroma at lightness 50, a share of L + 16 elsewhere.
constexpr float kLightFreeGreyShare = kGreyChroma / (50.0f + 16.0f);

// The sums of a row of a hex's pixels are packed in three 64-bit words, one field per
// sum, so that a pixel costs three additions. A row holds at most 60 pixels, so no
// field overflows into the next:
//   values:  L x 2.55 (0..255), a + 128 and b + 128 (1..255), 16 bits each;
//   squares: (L x 2.55) squared in 22 bits, a squared and b squared in 21 each;
//   classes: the nine colour class counts, 7 bits each, and in a word of their own
//   the seven light-free class counts.
constexpr std::int64_t kRowPixels = kFullSizeGrid.hexWidth;
constexpr unsigned kValueBits = 16;
constexpr unsigned kLightSquareBits = 22;
constexpr unsigned kColourSquareBits = 21;
constexpr unsigned kClassBits = 7;
constexpr std::int64_t kColourOffset = 128;
static_assert(kRowPixels * 255 < (std::int64_t{1} << kValueBits));
static_assert(kRowPixels * 255 * 255 < (std::int64_t{1} << kLightSquareBits));
static_assert(kRowPixels * 127 * 127 < (std::int64_t{1} << kColourSquareBits));
static_assert(kLightSquareBits + 2 * kColourSquareBits <= 64);
static_assert(kRowPixels < (std::int64_t{1} << kClassBits) &&
              kClassBits * kColourClassCount <= 64 && kClassBits * kLightFreeClassCount <= 64);

// The field of a packed word that starts at bit shift and is bits wide.
constexpr std::int64_t field(std::uint64_t word, unsigned shift, unsigned bits) {
    return static_cast<std::int64_t>((word >> shift) & ((std::uint64_t{1} << bits) - 1));
}

// A colour's share of each packed sum.
struct LabEntry {
    std::uint64_t values = 0; // the lightness field doubles as the pixel's lightness
    std::uint64_t squares = 0;
    std::uint64_t classBit = 0;
    std::uint64_t lightFreeBit = 0;
};

// Six hues by angle, 0..5: reds and browns, tans and sand, yellow-greens of fields,
// greens of woods, blues of water, purples.
std::uint8_t hueClassOf(float greenRed, float blueYellow) {
    float hue = std::atan2(blueYellow, greenRed) * 57.29578f;
    if (hue < 0.0f) {
        hue += 360.0f;
    }
    constexpr std::array<float, 5> kHueLimits{60.0f, 100.0f, 130.0f, 200.0f, 300.0f};
    std::uint8_t hueClass = 0;
    while (hueClass < kHueLimits.size() && hue >= kHueLimits[hueClass]) {
        ++hueClass;
    }
    return hueClass;
}

// Greys by lightness (dark, middle, light), then the six hues.
std::uint8_t colourClassOf(float lightness, float greenRed, float blueYellow) {
    if (std::hypot(greenRed, blueYellow) < kGreyChroma) {
        return lightness < 35.0f ? 0 : lightness < 70.0f ? 1 : 2;
    }
    return static_cast<std::uint8_t>(3 + hueClassOf(greenRed, blueYellow));
}

// One grey, then the six hues: what a light that multiplies every colour leaves as it is.
std::uint8_t lightFreeClassOf(float lightness, float greenRed, float blueYellow) {
    if (std::hypot(greenRed, blueYellow) < kLightFreeGreyShare * (lightness + 16.0f)) {
        return 0;
    }
    return static_cast<std::uint8_t>(1 + hueClassOf(greenRed, blueYellow));
}

std::int8_t toSignedByte(float value) {
    return static_cast<std::int8_t>(std::clamp(std::lround(value), -127L, 127L));
}

// CIELAB (D65 white) of every 5-6-5 colour: the S16 tiles hold exactly these colours,
// and a BMP's 24-bit colours lose nothing that tells terrain apart.
std::vector<LabEntry> buildLabTable() {
    std::vector<LabEntry> table(1u << 16);
    for (std::size_t key = 0; key < table.size(); ++key) {
        const LabColour colour = labOfKey(static_cast<unsigned>(key));
        const float lightness = colour.lightness;
        const float greenRed = colour.greenRed;
        const float blueYellow = colour.blueYellow;
        LabEntry& entry = table[key];
        const auto l = static_cast<std::uint64_t>(
            std::clamp(std::lround(lightness * kLightnessScale), 0L, 255L));
        const auto a = static_cast<std::int64_t>(toSignedByte(greenRed));
        const auto bb = static_cast<std::int64_t>(toSignedByte(blueYellow));
        entry.values = l | static_cast<std::uint64_t>(a + kColourOffset) << kValueBits |
                       static_cast<std::uint64_t>(bb + kColourOffset) << (2 * kValueBits);
        entry.squares = l * l | static_cast<std::uint64_t>(a * a) << kLightSquareBits |
                        static_cast<std::uint64_t>(bb * bb)
                            << (kLightSquareBits + kColourSquareBits);
        entry.classBit = std::uint64_t{1}
                         << (kClassBits * colourClassOf(lightness, greenRed, blueYellow));
        entry.lightFreeBit = std::uint64_t{1}
                             << (kClassBits * lightFreeClassOf(lightness, greenRed, blueYellow));
    }
    return table;
}

const LabEntry* labTable() {
    static const std::vector<LabEntry> table = buildLabTable();
    return table.data();
}

// The pixels of one row of a hex's bounding box that the hex owns, as offsets from
// the box's left edge: [begin, end).
struct Span {
    int begin = 0;
    int end = 0;
};
using HexShape = std::array<Span, kFullSizeGrid.hexHeight>;

// The outline of a full-size hex, asked of the grid's own picking, so a pixel counts
// for exactly the hex a click on it would choose. Every hex has the same shape; the
// parity of its column only moves its box.
const HexShape& hexShape() {
    static const HexShape shape = [] {
        HexGrid grid;
        grid.setConstants(kFullSizeGrid);
        // Any hex well inside the grid will do.
        const int row = 3;
        const int column = 3;
        const HexPosition box = grid.hexToPixel(row, column);
        HexShape spans{};
        for (int dy = 0; dy < kFullSizeGrid.hexHeight; ++dy) {
            Span& span = spans[static_cast<std::size_t>(dy)];
            span.begin = kFullSizeGrid.hexWidth;
            for (int dx = 0; dx < kFullSizeGrid.hexWidth; ++dx) {
                const HexPosition hit = grid.pixelToHex(box.mapX + dx, box.mapY + dy);
                if (hit.row == row && hit.column == column) {
                    span.begin = std::min(span.begin, dx);
                    span.end = std::max(span.end, dx + 1);
                }
            }
        }
        return spans;
    }();
    return shape;
}

// Sums over a hex's pixels, turned into its features at the end.
class HexAccumulator {
public:
    // One row of the hex: count pixels (blue, green, red) from source; their lightness
    // goes to light.
    void addRow(const std::uint8_t* source, int count, const LabEntry* lab, std::uint8_t* light);
    // The lightness steps between count pixels and their neighbours (left or above).
    void addSteps(const std::uint8_t* to, const std::uint8_t* from, int count);
    int count() const { return count_; }
    HexFeatures features() const;

private:
    static float spread(std::int64_t sum, std::int64_t sumSquares, double n) {
        const double mean = static_cast<double>(sum) / n;
        return static_cast<float>(
            std::sqrt(std::max(0.0, static_cast<double>(sumSquares) / n - mean * mean)));
    }

    int count_ = 0;
    std::int64_t sumL_ = 0, sumA_ = 0, sumB_ = 0;
    std::int64_t sumLL_ = 0, sumAA_ = 0, sumBB_ = 0;
    std::array<int, kColourClassCount> classes_{};
    std::array<int, kLightFreeClassCount> lightFreeClasses_{};
    int steps_ = 0;
    std::int64_t stepSum_ = 0;
    int edges_ = 0;
};

void HexAccumulator::addRow(const std::uint8_t* source, int count, const LabEntry* lab,
                            std::uint8_t* light) {
    std::uint64_t values = 0;
    std::uint64_t squares = 0;
    std::uint64_t classes = 0;
    std::uint64_t lightFreeClasses = 0;
    for (int i = 0; i < count; ++i, source += 3) {
        const LabEntry& entry = lab[colourKey(source)];
        values += entry.values;
        squares += entry.squares;
        classes += entry.classBit;
        lightFreeClasses += entry.lightFreeBit;
        light[i] = static_cast<std::uint8_t>(entry.values);
    }
    const std::int64_t offset = kColourOffset * count;
    count_ += count;
    sumL_ += field(values, 0, kValueBits);
    sumA_ += field(values, kValueBits, kValueBits) - offset;
    sumB_ += field(values, 2 * kValueBits, kValueBits) - offset;
    sumLL_ += field(squares, 0, kLightSquareBits);
    sumAA_ += field(squares, kLightSquareBits, kColourSquareBits);
    sumBB_ += field(squares, kLightSquareBits + kColourSquareBits, kColourSquareBits);
    for (std::size_t i = 0; i < classes_.size(); ++i) {
        classes_[i] +=
            static_cast<int>(field(classes, kClassBits * static_cast<unsigned>(i), kClassBits));
    }
    for (std::size_t i = 0; i < lightFreeClasses_.size(); ++i) {
        lightFreeClasses_[i] += static_cast<int>(
            field(lightFreeClasses, kClassBits * static_cast<unsigned>(i), kClassBits));
    }
    if (count > 1) {
        addSteps(light + 1, light, count - 1);
    }
}

void HexAccumulator::addSteps(const std::uint8_t* to, const std::uint8_t* from, int count) {
    int stepSum = 0, edges = 0;
    for (int i = 0; i < count; ++i) {
        const int step = std::abs(to[i] - from[i]);
        stepSum += step;
        edges += step >= kEdgeStep ? 1 : 0;
    }
    steps_ += std::max(count, 0);
    stepSum_ += stepSum;
    edges_ += edges;
}

HexFeatures HexAccumulator::features() const {
    HexFeatures f{};
    if (count_ == 0) {
        return f;
    }
    const double n = count_;
    f[kMeanLightness] = static_cast<float>(static_cast<double>(sumL_) / n) / kLightnessScale;
    f[kMeanGreenRed] = static_cast<float>(static_cast<double>(sumA_) / n);
    f[kMeanBlueYellow] = static_cast<float>(static_cast<double>(sumB_) / n);
    f[kSpreadLightness] = spread(sumL_, sumLL_, n) / kLightnessScale;
    f[kSpreadGreenRed] = spread(sumA_, sumAA_, n);
    f[kSpreadBlueYellow] = spread(sumB_, sumBB_, n);
    if (steps_ > 0) {
        f[kEdgeDensity] = static_cast<float>(edges_) / static_cast<float>(steps_);
        f[kEdgeStrength] =
            static_cast<float>(static_cast<double>(stepSum_) / steps_) / kLightnessScale;
    }
    for (int i = 0; i < kColourClassCount; ++i) {
        f[static_cast<std::size_t>(kColourClassFirst + i)] =
            static_cast<float>(classes_[static_cast<std::size_t>(i)] / n);
    }
    for (int i = 0; i < kLightFreeClassCount; ++i) {
        f[static_cast<std::size_t>(kLightFreeClassFirst + i)] =
            static_cast<float>(lightFreeClasses_[static_cast<std::size_t>(i)] / n);
    }
    return f;
}

} // namespace

void HexFeatureGrid::compute(const MapPicture& picture) {
    compute(PicturePixels::of(picture));
}

void HexFeatureGrid::compute(const PicturePixels& pixels) {
    features_ = {};
    pixels_ = {};
    mapAreaSize_ = 0;
    if (!pixels.usable()) {
        return;
    }
    HexGrid grid;
    grid.setConstants(kFullSizeGrid);
    grid.setMapSize(pixels.width, pixels.height);
    const int lastRow = std::min(grid.maxRow, kMapRows - 1);
    const int lastColumn = std::min(grid.maxColumn, kMapColumns - 1);
    const LabEntry* lab = labTable();
    const HexShape& shape = hexShape();
    constexpr int kBoxWidth = kFullSizeGrid.hexWidth;
    constexpr int kBoxHeight = kFullSizeGrid.hexHeight;
    // Lightness of the hex's pixels by box position, for the steps between neighbours.
    std::array<std::uint8_t, kBoxWidth * kBoxHeight> light{};
    std::array<Span, kBoxHeight> clipped{};

    for (int row = 0; row <= lastRow; ++row) {
        for (int column = 0; column <= lastColumn; ++column) {
            const HexPosition box = grid.hexToPixel(row, column);
            HexAccumulator sums;
            for (int dy = 0; dy < kBoxHeight; ++dy) {
                const int y = box.mapY + dy;
                Span& span = clipped[static_cast<std::size_t>(dy)];
                const Span& own = shape[static_cast<std::size_t>(dy)];
                span.begin = std::max(own.begin, -box.mapX);
                span.end = std::min(own.end, pixels.width - box.mapX);
                if (y < 0 || y >= pixels.height || span.begin >= span.end) {
                    span = {};
                    continue;
                }
                const std::uint8_t* source = pixels.at(box.mapX + span.begin, y);
                std::uint8_t* lightRow = light.data() + dy * kBoxWidth;
                sums.addRow(source, span.end - span.begin, lab, lightRow + span.begin);
                if (dy > 0) {
                    const Span& above = clipped[static_cast<std::size_t>(dy - 1)];
                    const int from = std::max(span.begin, above.begin);
                    sums.addSteps(lightRow + from, lightRow + from - kBoxWidth,
                                  std::min(span.end, above.end) - from);
                }
            }
            if (sums.count() > 0) {
                features_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] =
                    sums.features();
                pixels_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] =
                    static_cast<std::uint16_t>(sums.count());
                ++mapAreaSize_;
            }
        }
    }
}

bool HexFeatureGrid::inMapArea(int row, int column) const {
    return pixelCount(row, column) > 0;
}

const HexFeatures& HexFeatureGrid::at(int row, int column) const {
    static const HexFeatures none{};
    if (!MapDocument::inGrid(row, column)) {
        return none;
    }
    return features_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

int HexFeatureGrid::pixelCount(int row, int column) const {
    if (!MapDocument::inGrid(row, column)) {
        return 0;
    }
    return pixels_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

} // namespace maporv
