#include "editing/misctoolsmodel.h"

#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"

namespace maporv {

std::string MiscToolsModel::listTitle() const {
    return strprintf("%d mapfiles", static_cast<int>(items_.size()));
}

void MiscToolsModel::open(const std::string& lastOpen, UserInterface& ui) {
    if (scenarioFolder.empty()) {
        scenarioFolder = strprintf("%sSCENARIO/", parentFolder(lastOpen).c_str());
    }
    if (reportFile.empty()) {
        reportFile = strprintf("%sMapsReport.txt", scenarioFolder.c_str());
    }
    scanFolder(ui);
}

int MiscToolsModel::makeChanges(const std::function<int(int from, int to)>& change) {
    const int changed = change(fromTerrain, toTerrain);
    if (changed > 0) {
        terrainChanged = true;
    }
    return changed;
}

bool MiscToolsModel::browseFolder(UserInterface& ui) {
    const std::string folder = ui.pickFolder(FolderKind::Scenario, scenarioFolder,
                                             "Select SCENARIO folder (for .map files)");
    if (folder.empty() || folder == scenarioFolder) {
        return false;
    }
    scenarioFolder = folder;
    scanFolder(ui);
    return true;
}

void MiscToolsModel::folderEdited(const std::string& text, UserInterface& ui) {
    scenarioFolder = text;
    if (scenarioFolder.empty()) {
        return;
    }
    scenarioFolder = withTrailingSeparator(scenarioFolder);
    scanFolder(ui);
}

void MiscToolsModel::setReportMode(int mode) {
    reportMode = mode;
    if (reportMode != shownMode) {
        rebuildList();
    }
}

bool MiscToolsModel::browseReportFile(UserInterface& ui) {
    const std::string file =
        ui.pickFile(FileType::Text, strprintf("%sMapsReport.txt", scenarioFolder.c_str()),
                    "Select File for Report");
    if (file.empty()) {
        return false;
    }
    reportFile = file;
    return true;
}

bool MiscToolsModel::writeReport(UserInterface& ui) {
    if (maps_.empty()) {
        ui.error("There is nothing to do !");
        return false;
    }
    // While the report is written the list holds its report texts; afterwards it
    // goes back to the display form.
    forReport = true;
    rebuildList();
    const bool written = writeMapsReport(reportFile, scenarioFolder, maps_, reportMode, ui);
    forReport = false;
    rebuildList();
    return written;
}

void MiscToolsModel::close() {
    maps_.clear();
    items_.clear();
}

bool MiscToolsModel::scanFolder(UserInterface& ui) {
    const bool complete = scanMapFolder(scenarioFolder, maps_, ui);
    rebuildList();
    return complete;
}

void MiscToolsModel::rebuildList() {
    items_ = buildMapList(maps_, reportMode, forReport);
    shownMode = reportMode;
}

} // namespace maporv
