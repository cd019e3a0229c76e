#include "tool/toolcommands.h"

#include "mapdata/mapdocument.h"
#include "mapdata/paths.h"

#include <ostream>

namespace maporv::tool {

std::vector<ToolCommand> allToolCommands() {
    std::vector<ToolCommand> all;
#ifdef MAPORV_TOOL_RENDER
    const auto groups = {mapCommands,   terrainCommands, paintCommands,
                         checkCommands, pictureCommands, renderCommands};
#else
    const auto groups = {mapCommands, terrainCommands, paintCommands, checkCommands,
                         pictureCommands};
#endif
    for (auto group : groups) {
        for (const ToolCommand& command : group()) {
            all.push_back(command);
        }
    }
    return all;
}

int usageError(ToolContext& context, const char* synopsis, const std::string& problem) {
    if (!problem.empty()) {
        context.err << "maporv-tool: " << problem << '\n';
    }
    context.err << "Usage: maporv-tool " << synopsis << '\n';
    return kUsageError;
}

bool readMap(ToolContext& context, const std::string& file, MapDocument& document,
             const PictureLoader& loadPicture) {
    return document.readMapFile(file, false, parentFolder(file), context.ui, loadPicture);
}

} // namespace maporv::tool
