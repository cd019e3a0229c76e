#include "editing/logisticmodel.h"

#include <algorithm>
#include <cmath>

namespace maporv {
namespace {

constexpr int kRounds = 30;
constexpr double kSettled = 1e-6;

double logistic(double z) {
    return 1.0 / (1.0 + std::exp(-z));
}

// Solves a x = b for a small symmetric positive definite a, n x n row by row
// (Gaussian elimination with partial pivoting).
std::vector<double> solve(std::vector<double> a, std::vector<double> b) {
    const std::size_t n = b.size();
    const auto at = [&a, n](std::size_t row, std::size_t column) -> double& {
        return a[row * n + column];
    };
    for (std::size_t col = 0; col < n; ++col) {
        std::size_t pivot = col;
        for (std::size_t r = col + 1; r < n; ++r) {
            if (std::abs(at(r, col)) > std::abs(at(pivot, col))) {
                pivot = r;
            }
        }
        for (std::size_t c = 0; c < n; ++c) {
            std::swap(at(col, c), at(pivot, c));
        }
        std::swap(b[col], b[pivot]);
        if (std::abs(at(col, col)) < 1e-12) {
            continue;
        }
        for (std::size_t r = col + 1; r < n; ++r) {
            const double f = at(r, col) / at(col, col);
            for (std::size_t c = col; c < n; ++c) {
                at(r, c) -= f * at(col, c);
            }
            b[r] -= f * b[col];
        }
    }
    std::vector<double> x(n);
    for (std::size_t col = n; col-- > 0;) {
        double sum = b[col];
        for (std::size_t c = col + 1; c < n; ++c) {
            sum -= at(col, c) * x[c];
        }
        x[col] = std::abs(at(col, col)) < 1e-12 ? 0.0 : sum / at(col, col);
    }
    return x;
}

} // namespace

LogisticModel::LogisticModel(std::size_t inputs)
    : centre_(inputs), scale_(inputs, 1.0), weights_(inputs + 1) {}

void LogisticModel::fit(const std::vector<double>& rows, const std::vector<bool>& answers,
                        double ridge) {
    const std::size_t dims = inputs();
    const std::size_t count = answers.size();
    std::fill(weights_.begin(), weights_.end(), 0.0);
    if (count == 0 || rows.size() < count * dims) {
        return;
    }
    for (std::size_t f = 0; f < dims; ++f) {
        double sum = 0.0;
        double squares = 0.0;
        for (std::size_t e = 0; e < count; ++e) {
            sum += rows[e * dims + f];
            squares += rows[e * dims + f] * rows[e * dims + f];
        }
        const double mean = sum / static_cast<double>(count);
        centre_[f] = mean;
        scale_[f] =
            1.0 /
            std::max(1e-6,
                     std::sqrt(std::max(0.0, squares / static_cast<double>(count) - mean * mean)));
    }
    // Each example's terms: 1 for the intercept, then its scaled inputs.
    const std::size_t terms = dims + 1;
    std::vector<double> z(count * terms);
    for (std::size_t e = 0; e < count; ++e) {
        z[e * terms] = 1.0;
        for (std::size_t f = 0; f < dims; ++f) {
            z[e * terms + f + 1] = (rows[e * dims + f] - centre_[f]) * scale_[f];
        }
    }
    for (int round = 0; round < kRounds; ++round) {
        std::vector<double> hessian(terms * terms);
        std::vector<double> gradient(terms);
        for (std::size_t t = 1; t < terms; ++t) {
            hessian[t * terms + t] += ridge;
            gradient[t] -= ridge * weights_[t];
        }
        for (std::size_t e = 0; e < count; ++e) {
            const double* term = z.data() + e * terms;
            double dot = 0.0;
            for (std::size_t t = 0; t < terms; ++t) {
                dot += weights_[t] * term[t];
            }
            const double p = logistic(dot);
            const double miss = (answers[e] ? 1.0 : 0.0) - p;
            const double w = std::max(p * (1.0 - p), 1e-9);
            for (std::size_t a = 0; a < terms; ++a) {
                gradient[a] += miss * term[a];
                for (std::size_t b = 0; b < terms; ++b) {
                    hessian[a * terms + b] += w * term[a] * term[b];
                }
            }
        }
        const std::vector<double> step = solve(std::move(hessian), std::move(gradient));
        double moved = 0.0;
        for (std::size_t t = 0; t < terms; ++t) {
            weights_[t] += step[t];
            moved = std::max(moved, std::abs(step[t]));
        }
        if (moved < kSettled) {
            break;
        }
    }
}

double LogisticModel::probability(const double* inputs) const {
    double dot = weights_[0];
    for (std::size_t f = 0; f < centre_.size(); ++f) {
        dot += weights_[f + 1] * (inputs[f] - centre_[f]) * scale_[f];
    }
    return logistic(dot);
}

} // namespace maporv
