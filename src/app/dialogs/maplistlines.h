#pragma once

#include "mapdata/maplistorder.h"

#include <cstddef>
#include <vector>

class QListWidget;

namespace maporv {

// Fills a map list with its lines in their order; each line keeps the index of its
// entry, and the line of entry keep (when listed) becomes the current line. The list's
// signals are held meanwhile, so rebuilding for a new order does not act as a new
// selection.
void showMapListLines(QListWidget& list, const std::vector<MapListLine>& lines, int keep);

// The entry index of the current line, or -1 when there is none or it is not below
// entryCount.
int currentMapListEntry(const QListWidget& list, std::size_t entryCount);

} // namespace maporv
