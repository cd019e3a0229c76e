#pragma once

#include "mapdata/mapdocument.h"
#include "tool/toolcontext.h"

#include <optional>
#include <string>

namespace maporv {
class EditStep;
class MapPicture;
} // namespace maporv

namespace maporv::tool {

// The subcommands, each defined beside the code it exposes.
std::vector<ToolCommand> mapCommands();
std::vector<ToolCommand> terrainCommands();
std::vector<ToolCommand> checkCommands();
std::vector<ToolCommand> pictureCommands();
std::vector<ToolCommand> paintCommands();
// The frame renderer needs the display library; builds without it have no render.
std::vector<ToolCommand> renderCommands();
std::vector<ToolCommand> allToolCommands();

// Reports a usage error for a command and returns kUsageError.
int usageError(ToolContext& context, const char* synopsis, const std::string& problem);
// Reads a MAP file as the editor does, without its picture unless one is given to load.
// The game folder is the one above the file's folder, as the editor derives it from
// the last loaded file.
bool readMap(ToolContext& context, const std::string& file, MapDocument& document,
             MapPicture* picture = nullptr);
// Writes a step into OUTPUT when given, else in place into the file the map was read
// from (which may lie in the SCENARIO folder) and only when the step changed something;
// only the changed words go into the file's own bytes. The tool's exit status.
int writeStep(ToolContext& context, const MapDocument& document,
              const std::optional<std::string>& output, const EditStep& step);

} // namespace maporv::tool
