#include "tool/toolcommands.h"

namespace maporv::tool {

std::vector<ToolCommand> renderCommands() { return {}; }

} // namespace maporv::tool
