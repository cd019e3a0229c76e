#pragma once

#include "mapdata/consoleuserinterface.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace maporv::tool {

// Exit statuses of maporv-tool.
inline constexpr int kSuccess = 0;
inline constexpr int kFailed = 1;
inline constexpr int kUsageError = 2;

// What one subcommand gets: its arguments (without the subcommand's name), where to
// print results and where the messages the editor would show in a box go.
struct ToolContext {
    std::vector<std::string> args;
    std::ostream& out;
    std::ostream& err;
    ConsoleUserInterface& ui;
};

// A subcommand of the tool.
struct ToolCommand {
    const char* name;
    const char* synopsis;
    const char* help;
    int (*run)(ToolContext& context);
};

// Every subcommand, in the order --help lists them.
const std::vector<ToolCommand>& toolCommands();

// Runs the tool with argv-style arguments (without the program name).
int runTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace maporv::tool
