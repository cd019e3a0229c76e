#pragma once

#include "editing/filestamp.h"
#include "editing/mapworkspace.h"
#include "editing/recoveryrecord.h"

#include <cstdint>
#include <optional>
#include <string>

namespace maporv {

class UserInterface;

// The map file the work began from: its path and its stamp while the map in memory
// was what that file holds.
struct MapFileOrigin {
    std::string path;
    std::optional<FileStamp> stamp;
};

// Called at every change of the work. While the map is not modified and its own file
// holds what the map in memory would write (it was just read or written, or the map
// was undone back to it), that file's stamp becomes the origin. A modified map keeps
// the origin of its path: the file another program rewrote meanwhile is not the one
// the work began from.
void followMapFile(const MapWorkspace& workspace, MapFileOrigin& origin);

// The workspace's map and names as a recovery record taken at time.
RecoveryRecord recoveryRecordOf(const MapWorkspace& workspace, const MapFileOrigin& origin,
                                std::int64_t time);

// How a record's work comes back, given its map file as it is now.
struct RecoveryPlan {
    enum class MapFile {
        // The map was never read from or written to a file (a new map).
        NotOwn,
        Unchanged,
        Changed,
        // A record of the first version took no stamp: the file may have changed.
        Unknown,
        Gone,
    };
    enum class MapFrom {
        // The map as its file holds it now; only the names come from the record.
        File,
        // The map loaded from its file, then its cells replaced by the record's.
        RecordOverFile,
        // The record's map, with no file of its own: saving asks where, and before
        // replacing a file there.
        RecordWithoutFile,
    };
    MapFile mapFile = MapFile::NotOwn;
    MapFrom mapFrom = MapFrom::RecordWithoutFile;
};

// Looks at the record's map file: unmodified maps come from their file whatever it
// holds now; a modified map goes over its file only when that is still the file the
// work began from.
RecoveryPlan planRecovery(const RecoveryRecord& record);

// Brings a record's work back as planRecovery says, the map loaded as every map is (its
// picture and names as always). Then the names become the record's when they were
// modified, and the modified flags are raised as they were; a map that came back
// without the file it was read from is modified (nowhere else is it kept). Nothing is
// written anywhere.
MapWorkspace::LoadResult recoverWork(MapWorkspace& workspace, const RecoveryRecord& record,
                                     UserInterface& ui);

} // namespace maporv
