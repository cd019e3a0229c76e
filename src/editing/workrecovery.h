#pragma once

#include "editing/mapworkspace.h"
#include "editing/recoveryrecord.h"

#include <cstdint>

namespace maporv {

class UserInterface;

// The workspace's map and names as a recovery record taken at time.
RecoveryRecord recoveryRecordOf(const MapWorkspace& workspace, std::int64_t time);

// Brings a record's work back. The map is loaded as every map is (its picture and its
// names as always): from its own file when the record names one that still exists,
// otherwise as a new map under the record's path that has no file of its own, so that
// no file the map was not read from is ever taken for its own. Then the header, cells,
// trailer and names become the record's and the modified flags are raised as they
// were. Nothing is written anywhere.
MapWorkspace::LoadResult recoverWork(MapWorkspace& workspace, const RecoveryRecord& record,
                                     UserInterface& ui);

} // namespace maporv
