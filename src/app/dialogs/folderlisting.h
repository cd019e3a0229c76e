#pragma once

#include <string>
#include <unordered_set>

namespace maporv {

// The file names of one folder, read once and looked up ignoring case. The map lists
// test up to twelve tile names for every MAP file; one listing answers them all.
// A missing folder, or an empty folder string, lists nothing.
class FolderListing {
public:
    FolderListing() = default;
    explicit FolderListing(const std::string& folder);

    // True when the folder holds a regular file of that name, in any letter case.
    bool contains(const std::string& name) const;

private:
    std::unordered_set<std::string> upperNames_;
};

} // namespace maporv
