#pragma once

#include <functional>
#include <string>

namespace maporv {

class UserInterface;

// The browse button beside a dialog's folder field: the folder picker of the kind
// (FolderKind) starts at folder; a folder other than it takes its place, and shown
// lets the dialog show it and list it again. True when a folder was chosen at all,
// the same one included.
bool browseFolder(UserInterface& ui, int kind, const char* title, std::string& folder,
                  const std::function<void()>& shown);

} // namespace maporv
