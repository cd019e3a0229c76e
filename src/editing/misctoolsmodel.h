#pragma once

#include "mapdata/mapsreport.h"

#include <functional>
#include <string>
#include <vector>

namespace maporv {

class UserInterface;

// The state and actions of the Misc. Tools dialog (global terrain change and maps
// report), kept apart from any widget: the dialog binds its controls to the fields
// and calls one action per button or edit event, then shows the fields again.
class MiscToolsModel {
public:
    // Selection indexes of the two terrain lists (a terrain code), -1 for none.
    int fromTerrain = -1;
    int toTerrain = -1;
    // The folder of the MAP files; ends in a separator.
    std::string scenarioFolder;
    // ReportMode of the radio buttons.
    int reportMode = ReportMode::ByNumber;
    std::string reportFile;
    // A terrain change touched the map while the dialog was open.
    bool terrainChanged = false;
    // The reportMode the list texts were last built for, -1 before the first build.
    int shownMode = -1;
    // The list holds report texts (only while a report is written).
    bool forReport = false;

    // The MAP files found by the last scan, and the list lines built from them.
    const std::vector<MapFileEntry>& maps() const { return maps_; }
    const std::vector<MapListItem>& listItems() const { return items_; }
    // The title over the list, "%d mapfiles".
    std::string listTitle() const;

    // Dialog opens: default folder (the SCENARIO folder beside the last opened
    // file's folder) and report file, then the scan.
    void open(const std::string& lastOpen, UserInterface& ui);
    // "Make Changes": the global terrain change through change(from, to), which changes
    // the map, shows its message and returns the count: the editor passes its undoable
    // terrain change.
    int makeChanges(const std::function<int(int from, int to)>& change);
    // "..." of the folder: asks for a folder; a different one is scanned.
    bool browseFolder(UserInterface& ui);
    // The folder edit lost the focus with text: separator appended, then the scan.
    void folderEdited(const std::string& text, UserInterface& ui);
    // A radio button: rebuilds the list when its texts were built for another mode.
    void setReportMode(int mode);
    // "..." of the report file: asks for the file.
    bool browseReportFile(UserInterface& ui);
    // "Report": writes the report and opens it in the external editor.
    bool writeReport(UserInterface& ui);
    // "Close": empties the collection.
    void close();

    // Rescans scenarioFolder. The list always ends up showing what the collection
    // holds, also when the scan ended early on an unreadable file.
    bool scanFolder(UserInterface& ui);
    // Rebuilds the list texts for reportMode and forReport.
    void rebuildList();

private:
    std::vector<MapFileEntry> maps_;
    std::vector<MapListItem> items_;
};

} // namespace maporv
