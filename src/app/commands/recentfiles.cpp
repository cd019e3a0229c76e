#include "app/commands/recentfiles.h"

#include <algorithm>

namespace maporv {

void RecentFiles::add(const std::string& path) {
    if (path.empty()) {
        return;
    }
    entries_.erase(std::remove(entries_.begin(), entries_.end(), path), entries_.end());
    entries_.insert(entries_.begin(), path);
    if (entries_.size() > kMaxEntries) {
        entries_.resize(kMaxEntries);
    }
}

void RecentFiles::assign(const std::vector<std::string>& paths) {
    entries_.clear();
    for (const std::string& path : paths) {
        if (!path.empty() && entries_.size() < kMaxEntries &&
            std::find(entries_.begin(), entries_.end(), path) == entries_.end()) {
            entries_.push_back(path);
        }
    }
}

} // namespace maporv
