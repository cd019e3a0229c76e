#include "mapdata/mapnames.h"

#include "mapdata/filereplacement.h"
#include "mapdata/hexdirection.h"
#include "mapdata/inputfile.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"

#include <algorithm>
#include <array>
#include <limits>
#include <sstream>
#include <string_view>

namespace maporv {
namespace {

// The game reads names files with a 1000-byte line buffer: up to 998 characters of
// text plus the line break come in one piece. Longer lines keep that much; the rest
// of the line is skipped instead of being taken for a line of its own.
constexpr std::size_t kLineTextLimit = 998;

bool isCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads one line of a names file. Accepts "\n" and "\r\n" line ends, and a last line
// without any. False at end of file when nothing was left to read.
bool readLine(std::streambuf& in, std::string& line) {
    line.clear();
    bool any = false;
    bool cut = false;
    for (;;) {
        const int c = in.sbumpc();
        if (c == std::char_traits<char>::eof() || c == '\n') {
            any = any || c == '\n';
            break;
        }
        any = true;
        // One character beyond the limit is kept, so that a "\r" right after a line
        // of exactly the limit is recognised as part of the line break.
        if (line.size() <= kLineTextLimit) {
            line.push_back(static_cast<char>(c));
        } else {
            cut = true;
        }
    }
    if (!cut && !line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    if (line.size() > kLineTextLimit) {
        line.resize(kLineTextLimit);
    }
    // The game handles lines as C strings: a NUL byte ends the text.
    const std::size_t nul = line.find('\0');
    if (nul != std::string::npos) {
        line.resize(nul);
    }
    return any;
}

// Converts like C's atoi: leading white space, an optional sign, then decimal digits
// up to the first other character; 0 when no digit comes. Saturates instead of
// overflowing: any such value is far outside the grid anyway.
long long parseNumber(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && isCSpace(text[pos])) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    long long value = 0;
    constexpr long long kCeiling = 1'000'000'000;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        if (value < kCeiling) {
            value = value * 10 + (text[pos] - '0');
        }
        ++pos;
    }
    return negative ? -value : value;
}

enum class LineKind { NotARecord, Malformed, OutsideGrid, Record };

struct Record {
    int row = 0;
    int column = 0;
    std::string_view name;
};

// Parses "(column,row) #name". Lines that do not start with "(" after white space
// are not records (the hyphen line, comments); lines that do but lack a part are
// malformed. A record of a hex outside the grid comes back with its numbers, bounded
// to int.
LineKind parseRecord(std::string_view line, Record& record) {
    std::size_t start = 0;
    while (start < line.size() && isCSpace(line[start])) {
        ++start;
    }
    if (start >= line.size() || line[start] != '(') {
        return LineKind::NotARecord;
    }
    const std::size_t comma = line.find(',', start + 1);
    if (comma == std::string_view::npos) {
        return LineKind::Malformed;
    }
    const std::size_t close = line.find(')', comma + 1);
    if (close == std::string_view::npos) {
        return LineKind::Malformed;
    }
    const std::size_t hash = line.find('#', close + 1);
    if (hash == std::string_view::npos) {
        return LineKind::Malformed;
    }
    const long long column = parseNumber(line.substr(start + 1, comma - start - 1));
    const long long row = parseNumber(line.substr(comma + 1, close - comma - 1));
    const auto toInt = [](long long value) {
        return static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                                      std::numeric_limits<int>::max()));
    };
    record.row = toInt(row);
    record.column = toInt(column);
    record.name = line.substr(hash + 1);
    return MapDocument::inGrid(record.row, record.column) ? LineKind::Record
                                                          : LineKind::OutsideGrid;
}

// Streams a names file from an InputFile, which opens only a regular file and never
// waits on a named pipe.
class InputFileBuffer : public std::streambuf {
public:
    explicit InputFileBuffer(InputFile& file) : file_(file) {}

protected:
    int_type underflow() override {
        const std::size_t got = file_.read(buffer_.data(), buffer_.size());
        if (got == 0) {
            return traits_type::eof();
        }
        setg(buffer_.data(), buffer_.data(), buffer_.data() + got);
        return traits_type::to_int_type(buffer_[0]);
    }

private:
    InputFile& file_;
    std::array<char, 65536> buffer_{};
};

// How many of the lines whose names could not be kept the message shows.
constexpr std::size_t kNotKeptShown = 10;

const std::string& emptyText() {
    static const std::string empty;
    return empty;
}

} // namespace

std::string namesFileNumber(int mapNumber) {
    const std::string text = strprintf("00%d", mapNumber);
    return text.size() > 3 ? text.substr(text.size() - 3) : text;
}

void MapNames::clearNames() {
    for (std::string& name : names) {
        name.clear();
    }
    nameIndex = {};
    outsideGrid.clear();
    notKept.clear();
    count = 0;
    modified = false;
    path.clear();
}

int MapNames::addName(const std::string& text) {
    if (text.empty()) {
        return 0;
    }
    for (int entry = 1; entry < count; ++entry) {
        if (names[static_cast<std::size_t>(entry)] == text) {
            return entry;
        }
    }
    const int entry = count == 0 ? 1 : count;
    if (entry >= kNameEntries) {
        return 0;
    }
    names[static_cast<std::size_t>(entry)] = text;
    count = entry + 1;
    return entry;
}

const std::string& MapNames::nameText(int entry) const {
    if (entry < 1 || entry >= kNameEntries) {
        return emptyText();
    }
    return names[static_cast<std::size_t>(entry)];
}

bool MapNames::setNameText(int entry, const std::string& text) {
    if (entry < 1 || entry >= count || entry >= kNameEntries || text.empty()) {
        return false;
    }
    names[static_cast<std::size_t>(entry)] = text;
    return true;
}

bool MapNames::isAttached(int entry) const {
    if (entry < 1) {
        return false;
    }
    for (const auto& row : nameIndex) {
        for (std::uint16_t index : row) {
            if (index == entry) {
                return true;
            }
        }
    }
    return false;
}

int MapNames::nameAt(int row, int column) const {
    if (!MapDocument::inGrid(row, column)) {
        return 0;
    }
    return nameIndex[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

bool MapNames::setNameAt(int row, int column, int entry) {
    if (!MapDocument::inGrid(row, column)) {
        return false;
    }
    if (entry != 0 && nameText(entry).empty()) {
        return false;
    }
    nameIndex[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] =
        static_cast<std::uint16_t>(entry);
    return true;
}

bool MapNames::readNamesFile(const std::string& file, UserInterface& ui) {
    // The open refuses an empty path, a folder and a device.
    InputFile in;
    if (!in.open(file)) {
        return false;
    }
    InputFileBuffer buffer(in);
    readNames(buffer, file, ui);
    return true;
}

void MapNames::readNamesText(const std::string& text, const std::string& file, UserInterface& ui) {
    std::stringbuf buffer(text, std::ios::in);
    readNames(buffer, file, ui);
}

void MapNames::readNames(std::streambuf& buffer, const std::string& file, UserInterface& ui) {
    std::string line;
    readLine(buffer, line); // the header
    int emptyNames = 0;
    int skipped = 0;
    notKept.clear();
    while (readLine(buffer, line)) {
        Record record;
        switch (parseRecord(line, record)) {
        case LineKind::NotARecord:
            break;
        case LineKind::Malformed:
            ++skipped;
            break;
        case LineKind::OutsideGrid:
            ++skipped;
            outsideGrid.push_back({record.row, record.column, std::string(record.name)});
            break;
        case LineKind::Record: {
            if (record.name.empty()) {
                ++emptyNames;
            }
            const int entry = addName(std::string(record.name));
            if (entry > 0) {
                setNameAt(record.row, record.column, entry);
            } else if (!record.name.empty()) {
                notKept.push_back(strprintf("%s #%s", hexText({record.row, record.column}).c_str(),
                                            std::string(record.name).c_str()));
            }
            break;
        }
        }
    }

    if (emptyNames > 0) {
        ui.error(
            strprintf("Found %d empty names!\nthey have been removed, same as in the game\nbut "
                      "you should check if this is correct\nor they should have some text",
                      emptyNames));
    }
    if (skipped > 0) {
        ui.error(strprintf("Skipped %d lines of\n%s\nthat name no hex of the map (column 0..44, "
                           "row 0..39)\nor lack the form (column,row) #name",
                           skipped, file.c_str()));
    }
    if (!notKept.empty()) {
        std::string lines;
        for (std::size_t i = 0; i < notKept.size() && i < kNotKeptShown; ++i) {
            lines += '\n' + notKept[i];
        }
        if (notKept.size() > kNotKeptShown) {
            lines += strprintf("\nand %d more", static_cast<int>(notKept.size() - kNotKeptShown));
        }
        const int lost = static_cast<int>(notKept.size());
        ui.error(strprintf("Not every name of\n%s\ncould be kept: a map holds at most %d "
                           "different names.\n%d %s no name now:%s",
                           file.c_str(), kNameEntries - 1, lost,
                           lost == 1 ? "hex has" : "hexes have", lines.c_str()));
    }
    modified = false;
    path = file;
}

std::string MapNames::toText(const MapDocument& document) const {
    std::string text = strprintf("[MAP:%3d] [%-20s]\n", static_cast<int>(document.mapNumber),
                                 fileNamePart(document.path).c_str());
    text += "--------------------------------\n";
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            // An index that points at no name would come back as an empty name.
            const std::string& name = nameText(nameAt(row, column));
            if (!name.empty()) {
                text += strprintf("%s #%s\n", hexText({row, column}).c_str(), name.c_str());
            }
        }
    }
    return text;
}

bool MapNames::writeNamesFile(const std::string& file, const MapDocument& document,
                              UserInterface& ui) {
    if (!saveFile(file, toText(document), ui, strprintf("Error on creating [%s]", file.c_str()))) {
        return false;
    }
    modified = false;
    return true;
}

std::string MapNames::numberFormFile(const MapDocument& document) {
    return strprintf("%sMAP%s.TXT", folderPart(document.picturePath).c_str(),
                     namesFileNumber(document.mapNumber).c_str());
}

std::string MapNames::mapNameFormFile(const MapDocument& document) {
    return strprintf("%sMAP%s_%s.TXT", folderPart(document.picturePath).c_str(),
                     namesFileNumber(document.mapNumber).c_str(),
                     fileNamePart(document.path).c_str());
}

std::string MapNames::defaultNamesFile(const MapDocument& document) {
    const std::string numberForm = numberFormFile(document);
    if (fileExists(numberForm)) {
        return numberForm;
    }
    const std::string mapNameForm = mapNameFormFile(document);
    return fileExists(mapNameForm) ? mapNameForm : numberForm;
}

void MapNames::loadNamesForMap(const MapDocument& document, UserInterface& ui) {
    clearNames();
    if (document.path.empty()) {
        return;
    }
    const std::string file = defaultNamesFile(document);
    if (fileExists(file)) {
        readNamesFile(resolveExisting(file), ui);
    }
}

} // namespace maporv
