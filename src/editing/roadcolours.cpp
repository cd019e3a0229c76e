#include "editing/roadcolours.h"

#include "editing/roadjoints.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace maporv {
namespace {

// How many samples' worth the colours' overall share weighs against a kind's own
// counts.
constexpr double kPrior = 20.0;

// Blurs a grid of colour cells with [1 2 1] / 4 along each axis.
void blurCells(std::vector<double>& cells) {
    using G = ColourCellGrid;
    const std::array<int, 3> sizes{G::kLightness, G::kGreenRed, G::kBlueYellow};
    const std::array<int, 3> strides{G::kGreenRed * G::kBlueYellow, G::kBlueYellow, 1};
    std::vector<double> next(cells.size());
    for (std::size_t axis = 0; axis < 3; ++axis) {
        for (int cell = 0; cell < G::kCells; ++cell) {
            const int position = cell / strides[axis] % sizes[axis];
            const double self = cells[static_cast<std::size_t>(cell)];
            const double before =
                position > 0 ? cells[static_cast<std::size_t>(cell - strides[axis])] : self;
            const double after = position + 1 < sizes[axis]
                                     ? cells[static_cast<std::size_t>(cell + strides[axis])]
                                     : self;
            next[static_cast<std::size_t>(cell)] = (before + 2 * self + after) / 4;
        }
        cells.swap(next);
    }
}

void addCells(std::vector<double>& to, const std::vector<double>& from, double sign) {
    to.resize(kColourCells);
    for (std::size_t cell = 0; cell < from.size(); ++cell) {
        to[cell] += sign * from[cell];
    }
}

} // namespace

void RoadColours::add(const RoadExample& example) {
    const std::uint16_t* samples = example.grid->samples(example.joint);
    std::vector<double>& counts = example.road ? withRoad_ : without_;
    double& total = example.road ? roadSamples_ : otherSamples_;
    counts.resize(kColourCells);
    for (int row = 0; row < RoadJointGrid::kRows; ++row) {
        const RoadJointGrid::Span span = RoadJointGrid::span(row);
        for (int i = span.begin; i < span.end; ++i) {
            const std::uint16_t cell = samples[row * RoadJointGrid::kAcross + i];
            if (cell != RoadJointGrid::kOutsidePicture) {
                counts[cell] += 1.0;
                total += 1.0;
            }
        }
    }
}

void RoadColours::add(const RoadColours& other) {
    addCells(withRoad_, other.withRoad_, 1.0);
    addCells(without_, other.without_, 1.0);
    roadSamples_ += other.roadSamples_;
    otherSamples_ += other.otherSamples_;
}

std::vector<float> RoadColours::scores(const RoadColours* leftOut) const {
    std::vector<double> withRoad = withRoad_;
    std::vector<double> without = without_;
    double roadSamples = roadSamples_;
    double otherSamples = otherSamples_;
    withRoad.resize(kColourCells);
    without.resize(kColourCells);
    if (leftOut != nullptr) {
        addCells(withRoad, leftOut->withRoad_, -1.0);
        addCells(without, leftOut->without_, -1.0);
        roadSamples -= leftOut->roadSamples_;
        otherSamples -= leftOut->otherSamples_;
    }
    std::vector<float> scores(kColourCells, 0.0f);
    if (roadSamples <= 0.0 || otherSamples <= 0.0) {
        return scores;
    }
    blurCells(withRoad);
    blurCells(without);
    const double samples = roadSamples + otherSamples;
    for (std::size_t cell = 0; cell < scores.size(); ++cell) {
        const double share =
            (withRoad[cell] + without[cell] + 1e-3) / (samples + 1e-3 * kColourCells);
        const double road = (withRoad[cell] + kPrior * share) / (roadSamples + kPrior);
        const double other = (without[cell] + kPrior * share) / (otherSamples + kPrior);
        scores[cell] =
            std::clamp(static_cast<float>(std::log(road / other)), -kScoreLimit, kScoreLimit);
    }
    return scores;
}

} // namespace maporv
