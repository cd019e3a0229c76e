#pragma once

#include "app/commands/commandtable.h"

#include <vector>

namespace maporv {

class EditCommands;
class EditSession;
class FileCommands;
class RecentFiles;
class WindowCommands;

// Whom the commands of the table run on, and what their rules read.
struct CommandTargets {
    // File and Names menus, picture exports: the application.
    FileCommands& files;
    // Display modes, view toggles, Draw Roads, tool windows: the main window.
    WindowCommands& window;
    // Get, Clear, the selection cleared, Undo, Redo, Suggest Terrain and Roads, Fill
    // and Select Region: the editing session's operations.
    EditCommands& edit;
    // What the rules read.
    const EditSession& session;
    const RecentFiles& recent;
};

// The editor's command table: every command of the menus and the accelerator table
// with its menu text, key, enable and check rules, and a handler that calls its one
// body on one of the targets. Commands without a handler (the menus' lines of text,
// the panes this window does not have) show disabled and their keys do nothing.
//
// A new command is its number (commandids.h), one row here and one body: on
// FileCommands (the application), WindowCommands (the main window) or EditCommands
// (the session's operations); a menu shows it where mainmenu.cpp puts it.
std::vector<Command> editorCommands(const CommandTargets& targets);

} // namespace maporv
