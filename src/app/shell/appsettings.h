#pragma once

#include <string>
#include <vector>

namespace maporv {

// The editor's per-user settings: organisation "Osk_Tools", application "MapOrv".
// Only two things persist between runs: the last opened file (Settings/LastOpen)
// and the recent-file list (Recent File List/File1..File6). Everything else starts
// from its built-in value every run.
class AppSettings {
public:
    static constexpr const char* kOrganisation = "Osk_Tools";
    static constexpr const char* kApplication = "MapOrv";

    std::string readLastOpen() const;
    void writeLastOpen(const std::string& path);

    // The entries File1.. in order, as far as they go.
    std::vector<std::string> readRecentFiles() const;
    // Writes File1..FileN and removes the entries past N.
    void writeRecentFiles(const std::vector<std::string>& paths);
};

} // namespace maporv
