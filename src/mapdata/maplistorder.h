#pragma once

#include "mapdata/textformat.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace maporv {

// One line of a dialog's map list: its text, the index of the entry it shows and
// that entry's map number.
struct MapListLine {
    std::string text;
    int index = 0;
    int number = 0;
};

// Puts the lines of a map list (anything with a text and a number) in the order the
// list shows them. The lists are kept alphabetically, ignoring case. The number forms
// start with the number right-aligned in four characters, which makes that the
// numerical order for 0..9999; ordering them by number first keeps it numerical for
// negative and wider numbers too.
template <typename Line>
void orderMapListLines(std::vector<Line>& lines, bool byNumber) {
    if (byNumber) {
        std::stable_sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) {
            return a.number != b.number ? a.number < b.number : listTextLess(a.text, b.text);
        });
    } else {
        std::stable_sort(lines.begin(), lines.end(),
                         [](const Line& a, const Line& b) { return listTextLess(a.text, b.text); });
    }
}

// The map number of a MAP file: its first two bytes, little-endian, signed. A file
// shorter than two bytes reads the missing bytes as 0, as the maps report does, so it
// is still listed and can be opened. False when the file cannot be opened.
bool readMapNumber(const std::string& path, std::int16_t& number);

// The text cut to width characters, or padded with dots up to it.
std::string dotPadded(const std::string& text, std::size_t width);

} // namespace maporv
