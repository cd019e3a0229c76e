#pragma once

#include <string>

namespace maporv {

// printf-style formatting into a std::string. The messages, list lines and file
// records of the editor are defined as printf formats ("%-24s..%4s"), so they are
// built with the same rules rather than re-expressed with streams.
std::string strprintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Upper-cases ASCII letters only; file names of the game are ASCII.
std::string toUpperAscii(std::string text);
std::string toLowerAscii(std::string text);
bool equalsIgnoreCase(const std::string& a, const std::string& b);
// The alphabetical order of file listings and map lists: ignoring case, ties broken by
// the bytes.
bool listTextLess(const std::string& a, const std::string& b);

} // namespace maporv
