#pragma once

#include "app/commandtable.h"

#include <vector>

namespace maporv {

class MapFrame;
class MapToolApp;

// The editor's command table: every command of the menus and the accelerator table
// with its menu text, key, enable and check rules and handler. Commands whose dialog
// or editing operation is not there yet have no handler, so they show disabled and
// their keys do nothing.
std::vector<Command> editorCommands(MapToolApp& app, MapFrame& frame);

} // namespace maporv
