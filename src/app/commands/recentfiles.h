#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace maporv {

// The File menu's list of recently opened files, newest first, at most six.
class RecentFiles {
public:
    static constexpr std::size_t kMaxEntries = 6;

    const std::vector<std::string>& entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }

    // Puts path first; an entry for the same path moves up instead of doubling, and
    // the oldest entry drops off a full list. Empty paths are ignored.
    void add(const std::string& path);
    // The list as read from the settings: empty entries dropped, at most six kept.
    void assign(const std::vector<std::string>& paths);

private:
    std::vector<std::string> entries_;
};

} // namespace maporv
