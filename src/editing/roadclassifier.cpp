#include "editing/roadclassifier.h"

#include "editing/roadcolours.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace maporv {
namespace {

constexpr int kAcross = RoadJointGrid::kAcross;
constexpr int kRows = RoadJointGrid::kRows;
constexpr int kEdgeRow = RoadJointGrid::kEdgeRow;
// Rows about the edge.
constexpr int kEdgeRows = 2;
// A window is this many samples wide (a thin road fills most of it), and moves at
// most kStep samples from one row to the next (a road crossing at a slant).
constexpr int kWindow = 3;
constexpr int kStep = 3;
constexpr int kWindows = kAcross - kWindow + 1;
// The samples this far either side of a window's middle lie beside a road of up to
// ten pixels.
constexpr int kFlank = 6;
constexpr float kScoreLimit = RoadColours::kScoreLimit;
// A sample of this score or more counts as road colour.
constexpr float kRoadColour = 1.0f;
// Ridge of the logistic regression on the standardised features: light, since a few
// dozen roads may stand apart from everything else.
constexpr double kRidge = 0.1;
// Expectation-maximisation of the share of roads among the joints to be suggested: at
// most this many rounds, done once the share moves less than kShareSettled.
constexpr int kShareRounds = 100;
constexpr double kShareSettled = 1e-5;
// Examples fall into this many folds.
constexpr std::size_t kFolds = 4;
// A joint whose edge shows less road colour than every road taught, by this much, is
// taken for no road without a closer look.
constexpr float kCrossingMargin = 0.5f;

// The windows of a row that lie inside its span: [first, last].
struct WindowRange {
    int first = 0;
    int last = -1;
};

WindowRange windowsOf(int row) {
    const RoadJointGrid::Span span = RoadJointGrid::span(row);
    return {span.begin, span.end - kWindow};
}

// How much road colour a sample shows: its cell's score, the least there is outside the
// picture.
float scoreOf(const std::vector<float>& cellScore, std::uint16_t cell) {
    return cell == RoadJointGrid::kOutsidePicture ? -kScoreLimit : cellScore[cell];
}

constexpr float kNone = -1e9f;
// Window w of each row at w + kStep, kNone outside the row's windows, so that a
// window's neighbours in the row before always exist.
constexpr int kPadded = kWindows + 2 * kStep;
using WindowGrid = std::array<std::array<float, kPadded>, kRows>;
// The window chosen in each row.
using Chain = std::array<int, kRows>;

WindowGrid emptyWindows() {
    WindowGrid grid;
    for (auto& row : grid) {
        row.fill(kNone);
    }
    return grid;
}

float& windowAt(WindowGrid& grid, int row, int window) {
    return grid[static_cast<std::size_t>(row)][static_cast<std::size_t>(window + kStep)];
}

float windowAt(const WindowGrid& grid, int row, int window) {
    return grid[static_cast<std::size_t>(row)][static_cast<std::size_t>(window + kStep)];
}

// The chain of windows over the rows with the greatest sum, each window at most kStep
// from the last: dynamic programming, row by row, then back from the best end.
Chain bestChain(const WindowGrid& value) {
    WindowGrid best = value;
    for (std::size_t r = 1; r < kRows; ++r) {
        const auto& before = best[r - 1];
        for (std::size_t w = 0; w < kWindows; ++w) {
            float top = before[w];
            for (std::size_t k = 1; k <= 2 * kStep; ++k) {
                top = std::max(top, before[w + k]);
            }
            best[r][w + kStep] = value[r][w + kStep] + top;
        }
    }
    const auto argmax = [&best](int row, int from, int to) {
        int at = from;
        for (int w = from + 1; w <= to; ++w) {
            if (windowAt(best, row, w) > windowAt(best, row, at)) {
                at = w;
            }
        }
        return at;
    };
    Chain chain{};
    chain[kRows - 1] = argmax(kRows - 1, 0, kWindows - 1);
    for (int row = kRows - 1; row > 0; --row) {
        const int w = chain[static_cast<std::size_t>(row)];
        chain[static_cast<std::size_t>(row - 1)] =
            argmax(row - 1, std::max(0, w - kStep), std::min(kWindows - 1, w + kStep));
    }
    return chain;
}

// A chain's mean, its weakest row and its mean over the rows about the edge.
struct ChainSummary {
    double mean = 0.0;
    double weakest = 0.0;
    double edge = 0.0;
};

ChainSummary summarise(const WindowGrid& value, const Chain& chain) {
    ChainSummary summary;
    summary.weakest = std::numeric_limits<double>::max();
    for (int row = 0; row < kRows; ++row) {
        const double v = windowAt(value, row, chain[static_cast<std::size_t>(row)]);
        summary.mean += v / kRows;
        summary.weakest = std::min(summary.weakest, v);
        if (std::abs(row - kEdgeRow) <= kEdgeRows) {
            summary.edge += v / (2 * kEdgeRows + 1);
        }
    }
    return summary;
}

} // namespace

RoadClassifier::Features RoadClassifier::featuresWith(const std::vector<float>& cellScore,
                                                      const RoadJointGrid& grid, int joint) {
    const std::uint16_t* samples = grid.samples(joint);
    std::array<float, RoadJointGrid::kSamples> score{};
    double rhombusSum = 0.0;
    int rhombusCount = 0;
    // Each row's windows: how much road colour they hold, and how much more than
    // the samples a little way either side (a line stands out, an area does not).
    WindowGrid colour = emptyWindows();
    WindowGrid line = emptyWindows();
    for (int row = 0; row < kRows; ++row) {
        const RoadJointGrid::Span span = RoadJointGrid::span(row);
        // The row's scores with the flanks' reach on either side, 0 (no evidence)
        // outside its span.
        std::array<float, kAcross + 2 * (kFlank + 2)> padded{};
        float* s = padded.data() + kFlank + 2;
        for (int i = span.begin; i < span.end; ++i) {
            s[i] = scoreOf(cellScore, samples[row * kAcross + i]);
            rhombusSum += s[i];
            score[static_cast<std::size_t>(row * kAcross + i)] = s[i];
        }
        rhombusCount += span.end - span.begin;
        const WindowRange range = windowsOf(row);
        for (int w = range.first; w <= range.last; ++w) {
            const int middle = w + kWindow / 2;
            const float inside = (s[w] + s[w + 1] + s[w + 2]) / kWindow;
            const float flanks = (s[middle - kFlank - 1] + s[middle - kFlank] + s[middle + kFlank] +
                                  s[middle + kFlank + 1]) /
                                 4.0f;
            windowAt(colour, row, w) = inside;
            windowAt(line, row, w) = inside - flanks;
        }
    }
    const Chain colourChain = bestChain(colour);
    const ChainSummary colourSummary = summarise(colour, colourChain);
    const ChainSummary lineSummary = summarise(line, bestChain(line));

    // Road colour beside the colour chain in the rows about the edge: a road along
    // the edge, or a town.
    int beside = 0;
    int besideCount = 0;
    for (int row = kEdgeRow - 1; row <= kEdgeRow + 1; ++row) {
        const int first = colourChain[static_cast<std::size_t>(row)];
        const RoadJointGrid::Span span = RoadJointGrid::span(row);
        for (int i = span.begin; i < span.end; ++i) {
            if (i >= first - 2 && i < first + kWindow + 2) {
                continue;
            }
            ++besideCount;
            beside += score[static_cast<std::size_t>(row * kAcross + i)] >= kRoadColour ? 1 : 0;
        }
    }
    return {colourSummary.mean,
            colourSummary.weakest,
            colourSummary.edge,
            besideCount > 0 ? static_cast<double>(beside) / besideCount : 0.0,
            rhombusCount > 0 ? rhombusSum / rhombusCount : 0.0,
            lineSummary.mean,
            lineSummary.weakest,
            lineSummary.edge};
}

void RoadClassifier::train(const std::vector<RoadExample>& examples) {
    roads_ = 0;
    others_ = 0;
    for (const RoadExample& example : examples) {
        (example.road ? roads_ : others_) += 1;
    }
    model_ = LogisticModel(kFeatureCount);
    cellScore_.clear();
    if (!ready()) {
        return;
    }
    // The examples fall into kFolds folds, roads and others each dealt in turn.
    std::array<RoadColours, kFolds> folds;
    std::vector<int> foldOf(examples.size());
    std::array<int, 2> dealt{};
    for (std::size_t e = 0; e < examples.size(); ++e) {
        int& turn = dealt[examples[e].road ? 1 : 0];
        foldOf[e] = turn++ % kFolds;
        folds[static_cast<std::size_t>(foldOf[e])].add(examples[e]);
    }
    RoadColours all;
    for (const RoadColours& fold : folds) {
        all.add(fold);
    }
    std::array<std::vector<float>, kFolds> foldScores;
    for (std::size_t fold = 0; fold < kFolds; ++fold) {
        foldScores[fold] = all.scores(&folds[fold]);
    }
    // The least road colour a road taught shows on its edge row; the examples that show
    // less are no road without a closer look, and the regression learns from the rest.
    std::vector<float> crossing(examples.size());
    leastCrossing_ = std::numeric_limits<float>::max();
    for (std::size_t e = 0; e < examples.size(); ++e) {
        crossing[e] = crossingWith(foldScores[static_cast<std::size_t>(foldOf[e])],
                                   *examples[e].grid, examples[e].joint);
        if (examples[e].road) {
            leastCrossing_ = std::min(leastCrossing_, crossing[e]);
        }
    }
    leastCrossing_ -= kCrossingMargin;
    std::vector<double> rows;
    std::vector<bool> answers;
    closeOthers_ = 0;
    for (std::size_t e = 0; e < examples.size(); ++e) {
        if (crossing[e] < leastCrossing_) {
            continue;
        }
        const Features x = featuresWith(foldScores[static_cast<std::size_t>(foldOf[e])],
                                        *examples[e].grid, examples[e].joint);
        rows.insert(rows.end(), x.begin(), x.end());
        answers.push_back(examples[e].road);
        closeOthers_ += examples[e].road ? 0 : 1;
    }
    cellScore_ = all.scores();
    model_.fit(rows, answers, kRidge);
}

float RoadClassifier::crossingWith(const std::vector<float>& cellScore, const RoadJointGrid& grid,
                                   int joint) {
    const std::uint16_t* samples = grid.samples(joint) + kEdgeRow * kAcross;
    const RoadJointGrid::Span span = RoadJointGrid::span(kEdgeRow);
    std::array<float, kAcross> s{};
    for (int i = span.begin; i < span.end; ++i) {
        s[static_cast<std::size_t>(i)] = scoreOf(cellScore, samples[i]);
    }
    float best = -kScoreLimit;
    const WindowRange range = windowsOf(kEdgeRow);
    for (int w = range.first; w <= range.last; ++w) {
        const auto at = static_cast<std::size_t>(w);
        best = std::max(best, (s[at] + s[at + 1] + s[at + 2]) / kWindow);
    }
    return best;
}

std::vector<double> RoadClassifier::adaptedToTargets(std::vector<double> probabilities) const {
    // Without examples of both kinds among those that may be crossed, there is no share
    // to weigh against.
    if (!ready() || closeOthers_ == 0 || probabilities.empty()) {
        return probabilities;
    }
    const double taught = static_cast<double>(roads_) / (roads_ + closeOthers_);
    double share = taught;
    std::vector<double> adapted(probabilities.size());
    for (int round = 0; round < kShareRounds; ++round) {
        const double roadFactor = share / taught;
        const double otherFactor = (1.0 - share) / (1.0 - taught);
        double sum = 0.0;
        for (std::size_t j = 0; j < probabilities.size(); ++j) {
            const double road = roadFactor * probabilities[j];
            adapted[j] = road / (road + otherFactor * (1.0 - probabilities[j]));
            sum += adapted[j];
        }
        const double next = sum / static_cast<double>(probabilities.size());
        const bool settled = std::abs(next - share) < kShareSettled;
        share = std::clamp(next, 1e-6, 1.0 - 1e-6);
        if (settled) {
            break;
        }
    }
    return adapted;
}

bool RoadClassifier::mayCross(const RoadJointGrid& grid, int joint) const {
    return ready() && crossingWith(cellScore_, grid, joint) >= leastCrossing_;
}

std::optional<double> RoadClassifier::probability(const RoadJointGrid& grid, int joint) const {
    if (!mayCross(grid, joint)) {
        return std::nullopt;
    }
    const Features x = featuresWith(cellScore_, grid, joint);
    return model_.probability(x.data());
}

} // namespace maporv
