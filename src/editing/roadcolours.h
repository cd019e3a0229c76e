#pragma once

#include <vector>

namespace maporv {

struct RoadExample;

// How often each colour cell shows in the joints with a road and in those without,
// and what that says of a colour: the log of how much more often it shows with roads,
// after both counts are blurred over the neighbouring cells (a road's colour under
// other light, or painted a little otherwise) and drawn towards the colours' overall
// share (a cell seen a few times says little). The fields a road runs through score
// little, since joints without roads show them too; a river, a coast or a hedge, which
// cross joints without roads, score below nothing. No colour is named beforehand.
class RoadColours {
public:
    // A score is never beyond this either way, so that no single colour decides.
    static constexpr float kScoreLimit = 3.0f;

    // The samples of an example's joint.
    void add(const RoadExample& example);
    void add(const RoadColours& other);

    // The score of every colour cell from these counts less those of leftOut; all 0
    // without samples of both kinds.
    std::vector<float> scores(const RoadColours* leftOut = nullptr) const;

private:
    std::vector<double> withRoad_;
    std::vector<double> without_;
    double roadSamples_ = 0.0;
    double otherSamples_ = 0.0;
};

} // namespace maporv
