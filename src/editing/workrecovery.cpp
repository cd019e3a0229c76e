#include "editing/workrecovery.h"

#include "mapdata/littleendian.h"
#include "mapdata/paths.h"

namespace maporv {

void followMapFile(const MapWorkspace& workspace, MapFileOrigin& origin) {
    const MapDocument& document = workspace.document;
    if (!document.pathIsOwnFile) {
        origin = {};
        return;
    }
    if (!document.modified) {
        std::string bytes;
        const std::optional<FileStamp> now = stampFile(document.path, bytes);
        // Read as a load reads it, so that a header the read clamps still matches.
        MapDocument onDisk;
        onDisk.fromBytes(bytes);
        if (now && onDisk.toBytes() == document.toBytes()) {
            origin = {document.path, now};
            return;
        }
    }
    if (origin.path != document.path) {
        origin = {};
    }
}

RecoveryRecord recoveryRecordOf(const MapWorkspace& workspace, const MapFileOrigin& origin,
                                std::int64_t time) {
    const MapDocument& document = workspace.document;
    RecoveryRecord record;
    record.mapPath = document.path;
    record.mapIsOwnFile = document.pathIsOwnFile;
    record.namesPath = workspace.names.path;
    record.picturePath = document.picturePath;
    record.mapModified = document.modified;
    record.namesModified = workspace.names.modified;
    if (document.pathIsOwnFile && origin.path == document.path) {
        record.mapFileStamp = origin.stamp;
    }
    record.time = time;
    record.mapBytes = document.toBytes();
    record.namesText = workspace.names.toText(document);
    return record;
}

RecoveryPlan planRecovery(const RecoveryRecord& record) {
    using MapFile = RecoveryPlan::MapFile;
    using MapFrom = RecoveryPlan::MapFrom;
    RecoveryPlan plan;
    std::string bytes;
    const std::optional<FileStamp> now =
        record.mapIsOwnFile ? stampFile(record.mapPath, bytes) : std::nullopt;
    if (!record.mapIsOwnFile) {
        plan.mapFile = MapFile::NotOwn;
    } else if (!fileExists(record.mapPath)) {
        plan.mapFile = MapFile::Gone;
    } else if (!record.mapFileStamp || !now) {
        plan.mapFile = MapFile::Unknown;
    } else {
        plan.mapFile =
            sameContent(*record.mapFileStamp, *now) ? MapFile::Unchanged : MapFile::Changed;
    }
    switch (plan.mapFile) {
    case MapFile::NotOwn:
    case MapFile::Gone:
        plan.mapFrom = MapFrom::RecordWithoutFile;
        break;
    case MapFile::Unchanged:
        plan.mapFrom = record.mapModified ? MapFrom::RecordOverFile : MapFrom::File;
        break;
    case MapFile::Changed:
    case MapFile::Unknown:
        // Never silently over a file that may be newer than the work.
        plan.mapFrom = record.mapModified ? MapFrom::RecordWithoutFile : MapFrom::File;
        break;
    }
    return plan;
}

MapWorkspace::LoadResult recoverWork(MapWorkspace& workspace, const RecoveryRecord& record,
                                     UserInterface& ui) {
    using MapFrom = RecoveryPlan::MapFrom;
    const RecoveryPlan plan = planRecovery(record);
    MapDocument& document = workspace.document;
    MapWorkspace::LoadResult result;
    if (plan.mapFrom != MapFrom::RecordWithoutFile) {
        // The picture the map had, even one picked in place of its own.
        const bool pictureChosen = !record.picturePath.empty();
        if (pictureChosen) {
            document.picturePath = record.picturePath;
        }
        result = workspace.load(record.mapPath, pictureChosen);
    }
    const bool fromOwnFile = result.mapReplaced;
    if (!fromOwnFile) {
        result = workspace.startUnsavedMap(record.mapPath, record.picturePath, record.mapBytes);
    }

    if (!fromOwnFile || plan.mapFrom == MapFrom::RecordOverFile) {
        document.fromBytes(record.mapBytes);
        // The header as it was, not as a read clamps it: a save writes the same bytes.
        if (record.mapBytes.size() >= 6) {
            const auto* header = reinterpret_cast<const std::uint8_t*>(record.mapBytes.data());
            document.width = readU16(header + 2);
            document.height = readU16(header + 4);
        }
        document.modified =
            fromOwnFile ? record.mapModified : record.mapModified || record.mapIsOwnFile;
    }

    // Names that were not modified stay as their file holds them now.
    if (record.namesModified) {
        MapNames& names = workspace.names;
        names.clearNames();
        names.readNamesText(record.namesText, record.namesPath, ui);
        names.modified = true;
    }

    workspace.rebuildInfoText();
    return result;
}

} // namespace maporv
