#include "app/forms/folderbrowse.h"

#include "mapdata/userinterface.h"

namespace maporv {

bool browseFolder(UserInterface& ui, int kind, const char* title, std::string& folder,
                  const std::function<void()>& shown) {
    const std::string chosen = ui.pickFolder(kind, folder, title);
    if (!chosen.empty() && chosen != folder) {
        folder = chosen;
        shown();
    }
    return !chosen.empty();
}

} // namespace maporv
