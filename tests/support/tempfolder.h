#pragma once

#include <string>
#include <string_view>

namespace maporv::test {

// A fresh folder under the system's temporary folder, removed with everything in it
// when the object goes. path() ends in a separator, as every folder string does.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    // Writes a file below the folder (creating sub-folders) and returns its path.
    std::string write(const std::string& relative, std::string_view bytes) const;
    std::string makeFolder(const std::string& relative) const;
    std::string read(const std::string& relative) const;

private:
    std::string path_;
};

} // namespace maporv::test
