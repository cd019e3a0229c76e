#include "tool/arguments.h"

#include "mapdata/mapdocument.h"
#include "mapdata/terraintype.h"
#include "mapdata/textformat.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace maporv::tool {
namespace {

bool contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

// "-o", "--train": a dash and a letter, or two dashes. Negative numbers and
// coordinates ("-5,3") are values.
bool looksLikeOption(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-' &&
           (arg[1] == '-' || std::isalpha(static_cast<unsigned char>(arg[1])) != 0);
}

} // namespace

Arguments::Arguments(const std::vector<std::string>& args,
                     const std::vector<std::string>& valueOptions,
                     const std::vector<std::string>& flagOptions) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // The tool answers --help before a command reads its arguments.
        if (arg == "--help" || arg == "-h") {
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-' && !parseInteger(arg)) {
            if (contains(valueOptions, arg)) {
                if (i + 1 >= args.size()) {
                    error_ = "option " + arg + " needs a value";
                    return;
                }
                // "--train -o OUT" forgot the value: never take an option for one.
                if (looksLikeOption(args[i + 1])) {
                    error_ = "option " + arg + " needs a value, not " + args[i + 1];
                    return;
                }
                values_.emplace_back(arg, args[++i]);
            } else if (contains(flagOptions, arg)) {
                flags_.push_back(arg);
            } else {
                error_ = "unknown option " + arg;
                return;
            }
        } else {
            positional_.push_back(arg);
        }
    }
}

bool Arguments::flag(const std::string& name) const {
    return contains(flags_, name);
}

std::optional<std::string> Arguments::value(const std::string& name) const {
    std::optional<std::string> last;
    for (const auto& [key, text] : values_) {
        if (key == name) {
            last = text;
        }
    }
    return last;
}

std::vector<std::string> Arguments::values(const std::string& name) const {
    std::vector<std::string> all;
    for (const auto& [key, text] : values_) {
        if (key == name) {
            all.push_back(text);
        }
    }
    return all;
}

std::optional<long> parseInteger(const std::string& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || end == text.c_str() || *end != '\0') {
        return std::nullopt;
    }
    return value;
}

std::optional<HexCoord> parseHex(const std::string& text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) {
        return std::nullopt;
    }
    const auto column = parseInteger(text.substr(0, comma));
    const auto row = parseInteger(text.substr(comma + 1));
    if (!column || !row ||
        !MapDocument::inGrid(static_cast<int>(*row), static_cast<int>(*column))) {
        return std::nullopt;
    }
    return HexCoord{static_cast<int>(*row), static_cast<int>(*column)};
}

int parseTerrain(const std::string& text) {
    if (const auto code = parseInteger(text)) {
        return terrainName(static_cast<int>(*code)) != nullptr ? static_cast<int>(*code) : -1;
    }
    for (int code = 0; code < kTerrainTypeCount; ++code) {
        if (equalsIgnoreCase(text, terrainName(code))) {
            return code;
        }
    }
    return -1;
}

std::string absolutePath(const std::string& path) {
    if (path.empty()) {
        return path;
    }
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    if (ec) {
        return path;
    }
    // "a/b/" keeps its trailing separator; "a/b/." and "a/.." end in one as well.
    return absolute.lexically_normal().string();
}

} // namespace maporv::tool
