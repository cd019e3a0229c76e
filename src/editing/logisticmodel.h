#pragma once

#include <cstddef>
#include <vector>

namespace maporv {

// A logistic regression on a few numbers: the probability of a yes is the logistic of
// a weighted sum of the numbers, each first put on one scale (minus its mean over the
// examples, over its spread). Fitted by Newton's method on the likelihood with a ridge
// on the weights (not on the intercept), which keeps them finite when the examples
// fall apart cleanly.
class LogisticModel {
public:
    explicit LogisticModel(std::size_t inputs = 0);

    // Examples as rows of inputs() numbers, one after another, with their answers.
    void fit(const std::vector<double>& rows, const std::vector<bool>& answers, double ridge);
    double probability(const double* inputs) const;
    std::size_t inputs() const { return centre_.size(); }

private:
    std::vector<double> centre_;
    std::vector<double> scale_;
    // The intercept, then one weight an input.
    std::vector<double> weights_;
};

} // namespace maporv
