#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace maporv {

class UserInterface;

// Opens text files (names files, the maps report) in an external program. The
// program's path is held for the run only; by default the desktop's handler for the
// file. A missing program is asked for with the file picker.
class ExternalEditor {
public:
    // Starts program with the arguments without waiting for it; false when it could
    // not be started.
    using Starter =
        std::function<bool(const std::string& program, const std::vector<std::string>& arguments)>;

    static constexpr const char* kDefaultPath = "/usr/bin/xdg-open";

    explicit ExternalEditor(UserInterface& ui);

    void launch(const std::string& file);
    // Asks for a new program; a cancelled or missing choice keeps the current one.
    void choose();

    const std::string& path() const { return path_; }
    void setPath(std::string path) { path_ = std::move(path); }
    // Replaces the process start, so that tests start nothing.
    void setStarter(Starter starter) { starter_ = std::move(starter); }

    // The real start: a detached process.
    static bool startDetached(const std::string& program,
                              const std::vector<std::string>& arguments);

private:
    UserInterface& ui_;
    std::string path_ = kDefaultPath;
    Starter starter_ = &ExternalEditor::startDetached;
};

} // namespace maporv
