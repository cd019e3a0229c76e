#include "tool/toolcommands.h"

#include "editing/editstep.h"
#include "editing/mapfilepatch.h"
#include "mapdata/mapdocument.h"
#include "mapdata/paths.h"
#include "picture/mappicture.h"
#include "tool/arguments.h"

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
             MapPicture* picture) {
    PictureLoader loadPicture;
    if (picture != nullptr) {
        loadPicture = [picture](const std::string& path) { return picture->load(path); };
    }
    return document.readMapFile(file, false, parentFolder(file), context.ui, loadPicture);
}

int writeStep(ToolContext& context, const MapDocument& document,
              const std::optional<std::string>& output, const EditStep& step) {
    if (!output && step.empty()) {
        return kSuccess;
    }
    const std::string target = output ? absolutePath(*output) : document.path;
    return writePatchedMapFile(document.path, target, step, context.ui) ? kSuccess : kFailed;
}

} // namespace maporv::tool
