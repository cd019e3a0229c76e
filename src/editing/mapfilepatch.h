#pragma once

#include <string>

namespace maporv {

class EditStep;
class UserInterface;

// A MAP file's own bytes with only the words a step changed written into them: the
// terrain and road words of its cells whose values differ before and after, and the
// header's width and height when the step sets them. Nothing else in the file
// changes, neither a header the reader clamps nor bytes past the map; a short file
// grows by the zeros the reader saw.
std::string patchMapFileBytes(std::string bytes, const EditStep& step);

// Reads the MAP file at source again and writes it to target with the step's words
// patched in, through a temporary file. Reports "Map file [%s]\nnot found" or "Error
// on creating [%s]" and returns false on failure.
bool writePatchedMapFile(const std::string& source, const std::string& target, const EditStep& step,
                         UserInterface& ui);

} // namespace maporv
