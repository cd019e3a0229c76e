#pragma once

#include "tool/toolcontext.h"

#include <sstream>
#include <string>
#include <vector>

namespace maporv::tool {

// The outcome of one in-process run of maporv-tool.
struct ToolResult {
    int status;
    std::string out;
    std::string err;
};

inline ToolResult runToolForTest(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = runTool(args, out, err);
    return {status, out.str(), err.str()};
}

} // namespace maporv::tool
