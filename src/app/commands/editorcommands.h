#pragma once

#include "app/commands/commandtable.h"

#include <vector>

namespace maporv {

class MapFrame;
class MapToolApp;

// The editor's command table: every command of the menus and the accelerator table
// with its menu text, key, enable and check rules and handler. Commands without a
// handler (the menus' lines of text, the panes this window does not have) show
// disabled and their keys do nothing.
std::vector<Command> editorCommands(MapToolApp& app, MapFrame& frame);

} // namespace maporv
