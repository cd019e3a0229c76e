#include "tool/toolcontext.h"

#include "tool/toolcommands.h"
#include "version.h"

#include <ostream>

namespace maporv::tool {
namespace {

void printUsage(std::ostream& out) {
    out << "Usage: maporv-tool COMMAND [ARGUMENTS]\n"
           "The command-line companion of the map editor: inspects, converts and reports\n"
           "scenario maps, their names files and their pictures.\n\n"
           "Commands:\n";
    for (const ToolCommand& command : toolCommands()) {
        out << "  " << command.synopsis << '\n';
    }
    out << "\nRun 'maporv-tool COMMAND --help' for the details of one command,\n"
           "'maporv-tool --version' for the version.\n"
           "Exit status: 0 success, 1 the operation failed or was refused, 2 usage error.\n";
}

} // namespace

const std::vector<ToolCommand>& toolCommands() {
    static const std::vector<ToolCommand> commands = allToolCommands();
    return commands;
}

int runTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        printUsage(err);
        return kUsageError;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printUsage(out);
        return kSuccess;
    }
    if (args[0] == "--version") {
        out << "maporv-tool " << kVersion << '\n';
        return kSuccess;
    }
    for (const ToolCommand& command : toolCommands()) {
        if (args[0] == command.name) {
            ConsoleUserInterface ui(err);
            ToolContext context{{args.begin() + 1, args.end()}, out, err, ui};
            for (const std::string& arg : context.args) {
                if (arg == "--help" || arg == "-h") {
                    out << "Usage: maporv-tool " << command.synopsis << "\n\n" << command.help;
                    return kSuccess;
                }
            }
            return command.run(context);
        }
    }
    err << "maporv-tool: unknown command '" << args[0] << "'\n";
    printUsage(err);
    return kUsageError;
}

} // namespace maporv::tool
