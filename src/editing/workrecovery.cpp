#include "editing/workrecovery.h"

#include "mapdata/littleendian.h"
#include "mapdata/paths.h"

namespace maporv {

RecoveryRecord recoveryRecordOf(const MapWorkspace& workspace, std::int64_t time) {
    const MapDocument& document = workspace.document;
    RecoveryRecord record;
    record.mapPath = document.path;
    record.mapIsOwnFile = document.pathIsOwnFile;
    record.namesPath = workspace.names.path;
    record.picturePath = document.picturePath;
    record.mapModified = document.modified;
    record.namesModified = workspace.names.modified;
    record.time = time;
    record.mapBytes = document.toBytes();
    record.namesText = workspace.names.toText(document);
    return record;
}

MapWorkspace::LoadResult recoverWork(MapWorkspace& workspace, const RecoveryRecord& record,
                                     UserInterface& ui) {
    MapDocument& document = workspace.document;
    MapWorkspace::LoadResult result;
    if (record.mapIsOwnFile && fileExists(record.mapPath)) {
        // The picture the map had, even one picked in place of its own.
        const bool pictureChosen = !record.picturePath.empty();
        if (pictureChosen) {
            document.picturePath = record.picturePath;
        }
        result = workspace.load(record.mapPath, pictureChosen);
    }
    if (!result.mapReplaced) {
        result = workspace.startUnsavedMap(record.mapPath, record.picturePath, record.mapBytes);
    }

    document.fromBytes(record.mapBytes);
    // The header as it was, not as a read clamps it: a save writes the same bytes.
    if (record.mapBytes.size() >= 6) {
        const auto* header = reinterpret_cast<const std::uint8_t*>(record.mapBytes.data());
        document.width = readU16(header + 2);
        document.height = readU16(header + 4);
    }
    document.modified = record.mapModified;

    MapNames& names = workspace.names;
    names.clearNames();
    names.readNamesText(record.namesText, record.namesPath, ui);
    names.modified = record.namesModified;

    workspace.rebuildInfoText();
    return result;
}

} // namespace maporv
