#include "editing/namescommands.h"

#include "mapdata/mapdocument.h"
#include "mapdata/mapnames.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"

#include <optional>

namespace maporv {
namespace {

constexpr const char* kNamesFileTitle = "Select a text file with the names for this MAP";

} // namespace

bool loadMapNames(MapNames& names, const MapDocument& document, UserInterface& ui) {
    if (!document.loaded) {
        return false;
    }
    const std::string file =
        ui.pickFile(FileType::Text, MapNames::mapNameFormFile(document), kNamesFileTitle);
    if (file.empty()) {
        return false;
    }
    // A folder, a named pipe or a device is no names file: reading it would only
    // empty the list, or wait for ever.
    if (!isRegularFile(file)) {
        ui.error(strprintf("%s not found", file.c_str()));
        return false;
    }
    names.clearNames();
    names.readNamesFile(file, ui);
    return true;
}

bool saveMapNames(MapNames& names, const MapDocument& document, UserInterface& ui) {
    if (!document.loaded) {
        return false;
    }
    const std::string proposed =
        names.path.empty() ? MapNames::mapNameFormFile(document) : names.path;
    const std::string file = ui.pickFile(FileType::Text, proposed, kNamesFileTitle);
    if (file.empty()) {
        return false;
    }
    return names.writeNamesFile(file, document, ui);
}

void browseMapNames(const MapNames& names, const MapDocument& document, UserInterface& ui) {
    const std::string proposed =
        names.path.empty() ? MapNames::defaultNamesFile(document) : names.path;
    const std::string file = ui.pickFile(FileType::Text, proposed, "MapNames files");
    if (!file.empty()) {
        ui.launchEditor(file);
    }
}

int promptNewName(MapNames& names, UserInterface& ui) {
    const std::optional<std::string> text = ui.enterText("Enter new Terrain name", std::string());
    if (!text || text->empty()) {
        return 0;
    }
    return names.addName(*text);
}

bool promptEditName(MapNames& names, int entry, UserInterface& ui) {
    // Entries past the list hold no name either: nothing there to edit.
    if (names.count < 1 || entry < 1 || entry >= names.count) {
        ui.error("No name to edit !");
        return false;
    }
    const std::string current = names.nameText(entry);
    const std::optional<std::string> text = ui.enterText("Edit map name", current);
    if (!text || text->empty() || *text == current) {
        return false;
    }
    names.setNameText(entry, *text);
    if (names.isAttached(entry)) {
        names.modified = true;
    }
    return true;
}

} // namespace maporv
