#pragma once

#include <vector>

namespace maporv {

// One line of the Help menu's guide: a text, and the command it runs, or 0 for a
// line that is only read (shown disabled).
struct GuideLine {
    const char* text;
    int command = 0;
};

// One pop-up of the guide.
struct GuideTopic {
    const char* title;
    std::vector<GuideLine> lines;
};

// The short user guide of the Help menu: ten topics, from the key bindings and the
// way of working with the brush, the selection and the names.
const std::vector<GuideTopic>& userGuide();

} // namespace maporv
