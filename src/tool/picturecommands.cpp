#include "tool/toolcommands.h"

namespace maporv::tool {

std::vector<ToolCommand> pictureCommands() { return {}; }

} // namespace maporv::tool
