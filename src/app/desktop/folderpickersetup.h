#pragma once

#include <cstddef>
#include <string>

namespace maporv {

// Where the folder picker starts and what it asks, from the folder kind, the caller's
// start folder and prompt and the game folder; no widgets involved.
struct FolderPickerSetup {
    std::string startFolder; // empty: the current directory
    std::string prompt;
};

// The prompt shows at most this many characters.
inline constexpr std::size_t kMaxFolderPromptLength = 259;

// An empty initialFolder or prompt takes the kind's default: kind 4 the game folder's
// "SCENARIO", kinds 5 and 6 its "MAP", any other the game folder itself.
FolderPickerSetup makeFolderPickerSetup(int kind, const std::string& initialFolder,
                                        const std::string& prompt, const std::string& gameFolder);

// The folder itself in its on-disk spelling (matched case-insensitively) when it
// exists, else its nearest existing ancestor, ending in a separator; empty when none.
std::string nearestExistingFolder(const std::string& folder);

} // namespace maporv
