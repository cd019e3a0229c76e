#include "app/dialogs/folderlisting.h"

#include "mapdata/paths.h"
#include "mapdata/textformat.h"

namespace maporv {

FolderListing::FolderListing(const std::string& folder) {
    if (folder.empty()) {
        return;
    }
    for (const std::string& name : listFiles(folder, "*")) {
        upperNames_.insert(toUpperAscii(name));
    }
}

bool FolderListing::contains(const std::string& name) const {
    return upperNames_.count(toUpperAscii(name)) != 0;
}

} // namespace maporv
