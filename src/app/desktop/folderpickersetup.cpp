#include "app/desktop/folderpickersetup.h"

#include "mapdata/paths.h"
#include "mapdata/userinterface.h"

namespace maporv {

FolderPickerSetup makeFolderPickerSetup(int kind, const std::string& initialFolder,
                                        const std::string& prompt, const std::string& gameFolder) {
    std::string defaultFolder = gameFolder;
    std::string defaultPrompt = "Select Folder";
    if (kind == FolderKind::Scenario) {
        defaultFolder = gameFolder + "SCENARIO";
        defaultPrompt = "Folder for MAP Files";
    } else if (kind == FolderKind::S16 || kind == FolderKind::Shp) {
        defaultFolder = gameFolder + "MAP";
        defaultPrompt = "Folder for S16 Files";
    }
    FolderPickerSetup setup;
    setup.startFolder = initialFolder.empty() ? defaultFolder : initialFolder;
    setup.prompt = prompt.empty() ? defaultPrompt : prompt;
    if (setup.prompt.size() > kMaxFolderPromptLength) {
        setup.prompt.resize(kMaxFolderPromptLength);
    }
    return setup;
}

std::string nearestExistingFolder(const std::string& folder) {
    std::string candidate = withTrailingSeparator(folder);
    while (!candidate.empty()) {
        if (isFolder(candidate)) {
            return withTrailingSeparator(resolveExisting(candidate));
        }
        const std::string above = parentFolder(candidate);
        if (above == candidate) {
            break;
        }
        candidate = above;
    }
    return std::string();
}

} // namespace maporv
