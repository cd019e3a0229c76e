#include "editing/samplespace.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace maporv {
namespace {

// The width of the Gaussian: the distance to the nearest other sample that this
// share of the samples stays within, over at most kWidthProbes of them, evenly
// spaced (enough for a steady value, and training stays linear in the samples).
constexpr double kWidthQuantile = 0.75;
constexpr std::size_t kWidthProbes = 256;
// Samples that are all alike (a flat painted colour) would shrink the width to
// nothing, and a hex of that colour with a road across it would look unlike them.
// A quarter of a feature's spread over all samples is still well inside a terrain.
constexpr double kLeastWidth = 0.25;

} // namespace

void SampleSpace::scaled(const float* features, float* out) const {
    for (std::size_t i = 0; i < dims_; ++i) {
        out[i] = (features[i] - centre_[i]) * scale_[i];
    }
}

void SampleSpace::train(std::span<const float> points, std::span<const std::uint8_t> terrains,
                        std::span<const float> weights, std::span<const float> leastSpread) {
    dims_ = weights.size();
    const std::size_t count = dims_ > 0 ? std::min(terrains.size(), points.size() / dims_) : 0;
    centre_.assign(dims_, 0.0f);
    scale_.assign(dims_, 0.0f);
    points_.assign(count * dims_, 0.0f);
    terrains_.assign(terrains.begin(), terrains.begin() + static_cast<std::ptrdiff_t>(count));
    bandwidth_ = kLeastWidth;
    if (count == 0) {
        return;
    }
    const double n = static_cast<double>(count);
    for (std::size_t i = 0; i < dims_; ++i) {
        double sum = 0.0;
        double sumSquares = 0.0;
        for (std::size_t s = 0; s < count; ++s) {
            const double value = points[s * dims_ + i];
            sum += value;
            sumSquares += value * value;
        }
        const double mean = sum / n;
        const double spread = std::sqrt(std::max(0.0, sumSquares / n - mean * mean));
        centre_[i] = static_cast<float>(mean);
        scale_[i] = weights[i] / std::max(static_cast<float>(spread), leastSpread[i]);
    }
    // Feature by feature, so that distances run over the samples in a row.
    std::vector<float> point(dims_);
    for (std::size_t s = 0; s < count; ++s) {
        scaled(points.data() + s * dims_, point.data());
        for (std::size_t i = 0; i < dims_; ++i) {
            points_[i * count + s] = point[i];
        }
    }
    if (count < 2) {
        return;
    }
    const std::size_t stride = std::max<std::size_t>(1, count / kWidthProbes);
    std::vector<float> distance(count);
    std::vector<float> nearest;
    for (std::size_t probe = 0; probe < count; probe += stride) {
        for (std::size_t i = 0; i < dims_; ++i) {
            point[i] = points_[i * count + probe];
        }
        distances(point.data(), distance.data());
        distance[probe] = std::numeric_limits<float>::max();
        nearest.push_back(*std::min_element(distance.begin(), distance.end()));
    }
    const auto at = nearest.begin() + static_cast<std::ptrdiff_t>(
                                          static_cast<double>(nearest.size() - 1) * kWidthQuantile);
    std::nth_element(nearest.begin(), at, nearest.end());
    bandwidth_ = std::max(kLeastWidth, std::sqrt(static_cast<double>(*at)));
}

void SampleSpace::distances(const float* point, float* out) const {
    // A feature at a time over all samples: the loop over the samples runs in vector
    // registers, and each sample still adds its features in order, so the result
    // does not depend on the machine.
    const std::size_t count = terrains_.size();
    std::fill(out, out + count, 0.0f);
    for (std::size_t i = 0; i < dims_; ++i) {
        const float* row = points_.data() + i * count;
        const float value = point[i];
        for (std::size_t s = 0; s < count; ++s) {
            const float d = row[s] - value;
            out[s] += d * d;
        }
    }
}

TerrainVotes SampleSpace::votes(const float* point) const {
    TerrainVotes weight{};
    if (terrains_.empty()) {
        return weight;
    }
    std::vector<float> scaledPoint(dims_);
    scaled(point, scaledPoint.data());
    std::vector<float> distance(terrains_.size());
    distances(scaledPoint.data(), distance.data());

    // The k nearest samples, nearest first; on equal distances the earlier sample.
    struct Neighbour {
        float distance = std::numeric_limits<float>::max();
        std::size_t index = 0;
    };
    std::array<Neighbour, kNeighbours> nearest{};
    std::size_t found = 0;
    for (std::size_t s = 0; s < distance.size(); ++s) {
        if (found == nearest.size() && distance[s] >= nearest.back().distance) {
            continue;
        }
        std::size_t at = std::min(found, nearest.size() - 1);
        while (at > 0 && nearest[at - 1].distance > distance[s]) {
            nearest[at] = nearest[at - 1];
            --at;
        }
        nearest[at] = {distance[s], s};
        found = std::min(found + 1, nearest.size());
    }

    const double twoWidthsSquared = 2.0 * bandwidth_ * bandwidth_;
    for (std::size_t i = 0; i < found; ++i) {
        weight[terrains_[nearest[i].index]] +=
            std::exp(-static_cast<double>(nearest[i].distance) / twoWidthsSquared);
    }
    return weight;
}

} // namespace maporv
