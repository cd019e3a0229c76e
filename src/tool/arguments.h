#pragma once

#include "mapdata/hexdirection.h"

#include <optional>
#include <string>
#include <vector>

namespace maporv::tool {

// Splits a subcommand's arguments into positional ones and options. Options are
// "--name value", "-o value" or flags; unknown options, and an option where a value
// should be, are a usage error.
class Arguments {
public:
    // valueOptions take a value, flagOptions do not; repeatable values are kept in order.
    Arguments(const std::vector<std::string>& args, const std::vector<std::string>& valueOptions,
              const std::vector<std::string>& flagOptions);

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }

    const std::vector<std::string>& positional() const { return positional_; }
    bool flag(const std::string& name) const;
    std::optional<std::string> value(const std::string& name) const;
    std::vector<std::string> values(const std::string& name) const;

private:
    std::vector<std::string> positional_;
    std::vector<std::pair<std::string, std::string>> values_;
    std::vector<std::string> flags_;
    std::string error_;
};

// Parses a decimal integer; nullopt when the text is not entirely a number.
std::optional<long> parseInteger(const std::string& text);

// A hex of the cell grid written column first, as the names files write hexes:
// "12,7" is column 12, row 7. nullopt when the text is not such a hex.
std::optional<HexCoord> parseHex(const std::string& text);

// A terrain type given as its code 0..19 or its name (any case); -1 when it is neither.
int parseTerrain(const std::string& text);

// A file or folder argument made absolute and lexically normal, so that the folders
// derived from it (the game folder, the picture's folder) do not depend on how it was
// typed; a trailing separator (a folder) is kept. Empty stays empty; when the working
// folder is gone the text is returned as typed.
std::string absolutePath(const std::string& path);

} // namespace maporv::tool
