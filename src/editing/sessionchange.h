#pragma once

#include <cstdint>

namespace maporv {

// What one change of an editing session touched. A session tells its followers of a
// change once, naming every part it touched.
enum SessionChange : unsigned {
    kMapChanged = 1u << 0,       // the cells and the header
    kNamesChanged = 1u << 1,     // the name list and the hexes' name entries
    kBrushChanged = 1u << 2,     // the brush
    kSelectionChanged = 1u << 3, // the selection flags, selectionActive and the anchor
    kPictureChanged = 1u << 4,   // the picture and its pixels in the shared buffer
    // The paths, the modified and loaded flags, lastOpen, gameFolder, the info text and
    // the steps of the edit history.
    kDocumentChanged = 1u << 5,
    // Another map was read or begun: every part but the brush changed with it.
    kMapReplaced = 1u << 6,
};
using SessionChanges = unsigned;

// A number for each part of a session, raised by every change of that part. Whoever
// read the parts when the numbers were as they are now has read what is there now.
struct SessionRevisions {
    std::uint64_t map = 0;
    std::uint64_t names = 0;
    std::uint64_t brush = 0;
    std::uint64_t selection = 0;
    std::uint64_t picture = 0;
    std::uint64_t document = 0;

    void raise(SessionChanges what) {
        map += (what & kMapChanged) != 0 ? 1 : 0;
        names += (what & kNamesChanged) != 0 ? 1 : 0;
        brush += (what & kBrushChanged) != 0 ? 1 : 0;
        selection += (what & kSelectionChanged) != 0 ? 1 : 0;
        picture += (what & kPictureChanged) != 0 ? 1 : 0;
        document += (what & kDocumentChanged) != 0 ? 1 : 0;
    }

    bool operator==(const SessionRevisions&) const = default;
};

} // namespace maporv
