#pragma once

#include "tool/toolcontext.h"

#include <gtest/gtest.h>
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

// A run of a command with its arguments, its exit status, and a text its output holds.
struct ToolCase {
    std::vector<std::string> args;
    int status;
    std::string text; // in stdout, or in stderr when the run fails
};

inline void expectToolCases(const std::string& command, const std::vector<ToolCase>& cases) {
    for (const ToolCase& c : cases) {
        std::vector<std::string> args{command};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ToolResult result = runToolForTest(args);
        EXPECT_EQ(result.status, c.status) << c.text << "\n" << result.err;
        const std::string& said = c.status == 0 ? result.out : result.err;
        EXPECT_NE(said.find(c.text), std::string::npos) << c.text << "\n" << said;
    }
}

} // namespace maporv::tool
