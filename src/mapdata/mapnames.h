#pragma once

#include "mapdata/mapdocument.h"

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace maporv {

class UserInterface;

// Entry 0 means "no name"; names occupy 1 .. kNameEntries - 1.
inline constexpr int kNameEntries = 1800;

// A names file line whose hex lies outside the grid: the list cannot hold it.
struct NameOutsideGrid {
    int row = 0;
    int column = 0;
    std::string name;

    friend bool operator==(const NameOutsideGrid&, const NameOutsideGrid&) = default;
};

// The place names of the map's hexes: a list of distinct names and, for every hex,
// the entry of its name. Kept in a text file beside the picture tiles, one line per
// named hex. One instance for the whole run; loads overwrite it in place.
class MapNames {
public:
    // The names file last read; empty when none.
    std::string path;
    // A hex's name entry changed since the last read or write.
    bool modified = false;
    std::array<std::string, kNameEntries> names{};
    // 0 when the list is empty, otherwise one more than the highest used entry.
    int count = 0;
    // The name entry of every hex, 0 for none. 16 bits wide so that every entry up
    // to 1799 can be attached to a hex; the file format does not depend on it.
    MapDocument::Grid<std::uint16_t> nameIndex{};
    // The lines read since the last clear that name a hex outside the grid, in file
    // order, kept for the map check to report.
    std::vector<NameOutsideGrid> outsideGrid;
    // The lines of the last read whose names could not be kept because the list was
    // full, as "(column,row) #name"; their hexes got no name.
    std::vector<std::string> notKept;

    // Every entry and hex to none, count 0, modified cleared, path empty.
    void clearNames();

    // The entry of text, added when new. 0 for empty text or a full list.
    int addName(const std::string& text);

    // The text of an entry; empty for entry 0 and for entries outside the list.
    const std::string& nameText(int entry) const;
    // Replaces the text of an existing entry (1 .. count - 1). False otherwise.
    bool setNameText(int entry, const std::string& text);
    // True when at least one hex refers to the entry.
    bool isAttached(int entry) const;

    // The name entry of a hex; 0 outside the 40 x 45 grid.
    int nameAt(int row, int column) const;
    // Attaches entry (0 detaches) to a hex. Does nothing outside the grid or for an
    // entry that holds no name, so the index never points at an empty entry.
    // Does not touch modified: the editing commands decide that.
    bool setNameAt(int row, int column, int entry);

    // Reads a names file into the list (without clearing it first). Lines that
    // name no hex of the grid (kept in outsideGrid) or lack the "(column,row) #name"
    // form are skipped and counted in one message; empty names are reported as the
    // game does; names that no longer fit the list are named in one message (and kept
    // in notKept). Afterwards modified is cleared and path is file. False (and nothing
    // changes) when the file cannot be opened.
    bool readNamesFile(const std::string& file, UserInterface& ui);
    // The same for the text of a names file that file once held.
    void readNamesText(const std::string& text, const std::string& file, UserInterface& ui);

    // The text writeNamesFile writes.
    std::string toText(const MapDocument& document) const;

    // Writes every named hex, row by row, under a header with the map's number and
    // name. Written through a temporary file: on failure "Error on creating [%s]",
    // the old file stays and modified stays set. path is not changed.
    bool writeNamesFile(const std::string& file, const MapDocument& document, UserInterface& ui);

    // The names file of a map, in its two forms: F + "MAPnnn.TXT" and
    // F + "MAPnnn_<map name>.TXT", F being the folder of the picture's first tile.
    static std::string numberFormFile(const MapDocument& document);
    static std::string mapNameFormFile(const MapDocument& document);
    // The number form when it exists, else the map-name form when it exists, else
    // the number form.
    static std::string defaultNamesFile(const MapDocument& document);

    // After a map is opened or created: clears the list and reads the matching names
    // file when there is one. Silent when there is none.
    void loadNamesForMap(const MapDocument& document, UserInterface& ui);

private:
    void readNames(std::streambuf& buffer, const std::string& file, UserInterface& ui);
};

// The map number as it appears in names file names: "00%d" cut to its last three
// characters (5 gives 005, 1234 gives 234).
std::string namesFileNumber(int mapNumber);

} // namespace maporv
