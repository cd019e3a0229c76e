#include "app/commands/userguide.h"

#include "app/commands/commandids.h"

namespace maporv {

const std::vector<GuideTopic>& userGuide() {
    static const std::vector<GuideTopic> guide = {
        {"How to work",
         {
             {"1. Open a MAP file (Alt+O)...", kCmdFileOpen},
             {"   ...or the last one used (Alt+L or L)", kCmdOpenLast},
             {"   ...or start a new map from a picture (Alt+B)", kCmdNewMap},
             {"2. Load the names of the map if they were not found (Alt+M)", kCmdLoadNames},
             {"3. Choose what to set: terrain, roads, name (the right panel)"},
             {"4. Select the hexes to change (left button, SPACE)"},
             {"5. Press T, R, D or N to set them"},
             {"6. Save the map (Alt+S)", kCmdFileSave},
         }},
        {"Selecting what to set",
         {
             {"The right panel shows what T, R and N will set"},
             {"-  and  +  step the terrain type (also the - and + keys)"},
             {"The six buttons around the hexagon switch the roads"},
             {"The arrows step the name; Add and Edit change the list"},
             {"Ctrl+T copies the terrain of the hex under the pointer"},
             {"Ctrl+R copies its roads, Ctrl+C or TAB both"},
             {"Ctrl+N copies its name"},
             {"Click the panel's heading for the Set data window"},
         }},
        {"Selecting Hexes",
         {
             {"Left click: select only that hex"},
             {"Shift + left click: add or remove one hex"},
             {"Ctrl + left click: select the block from the last hex clicked"},
             {"SPACE selects the hex under the pointer, with Shift and Ctrl too"},
             {"C clears the selection"},
             {"With no selection, keys act on the hex under the pointer"},
         }},
        {"Setting Data",
         {
             {"T sets the terrain of the selected hexes"},
             {"R sets their roads, D both terrain and roads"},
             {"N sets their name"},
             {"Right click sets terrain and roads (as D)"},
             {"Ctrl+Shift+T / R / N clear the terrain, roads or name"},
             {"   of the hex under the pointer, keeping it to set again"},
             {"Only capital letters set data: mind CAPS LOCK"},
             {"Ctrl+Z undoes a change, Ctrl+Y redoes it"},
         }},
        {"Painting with the Mouse",
         {
             {"Hold the right button: every hex passed gets what D sets"},
             {"Hold the left button: every hex passed joins the selection;"},
             {"   with Shift each one is switched, with Ctrl a block follows"},
             {"Hold the middle button: a road from hex to hex, both sides;"},
             {"   with Shift the road is taken away"},
             {"Draw Roads (Ctrl+D) gives the left button to roads", kCmdDrawRoads},
             {"Fill Region (Ctrl+F): the hexes of one terrain joined to the"},
             {"   hex under the pointer get what D sets"},
             {"Select Region (Ctrl+G) selects the same hexes"},
             {"A stroke is one change for Ctrl+Z; a key ends it"},
             {"At full size, holding at the view's edge scrolls the map"},
         }},
        {"Scrolling the Map",
         {
             {"Arrows scroll 5 pixels, 15 with Ctrl"},
             {"Page Up / Page Down scroll 75 pixels"},
             {"Home goes to the top left, End to the bottom right"},
             {"The mouse wheel scrolls up and down"},
             {"Moving the pointer to the edge of the screen scrolls"},
             {"Z, ENTER or a double click: whole map / full size"},
         }},
        {"Moving on Map (cursor position)",
         {
             {"The numeric keypad (Num Lock on) moves to the next hex:"},
             {"   7 8 9 up, 4 6 sideways, 1 2 3 down"},
             {"With Num Lock off, Alt + the keypad keys do the same"},
             {"5 centres the map on the hex"},
             {"The pointer follows the hex it moved to"},
         }},
        {"Saving the Work",
         {
             {"Save MAP as... (Alt+S) asks folder, file name and number", kCmdFileSave},
             {"Tick \"Create S16 tiles\" to write the picture for the game"},
             {"The old file is only replaced once the new one is complete"},
             {"On exit you are asked to save a modified map and names"},
         }},
        {"Names",
         {
             {"Names are read with the map from MAPnnn.TXT beside the tiles"},
             {"Load MapNames (Alt+M) reads another names file", kCmdLoadNames},
             {"Save MapNames writes them, sorted by row and column"},
             {"Browse MapNames opens the file in a text editor"},
             {"A yellow N marks a named hex (Alt+N shows or hides them)"},
         }},
        {"Identify Terrain",
         {
             {"Alt+T shows the terrain types on the map"},
             {"Filter Terrain to view (Alt+F) chooses which ones", kCmdTerrainFilter},
             {"   and whether as labels or icons"},
             {"Alt+R shows the roads, Alt+G the hex grid"},
             {"The status line names the hex under the pointer"},
         }},
        {"Other Tools",
         {
             {"Misc. Tools changes one terrain type into another"},
             {"   across the map, and reports every map of a folder"},
             {"Suggest Terrain (F8) and Suggest Roads (F9) set the selected"},
             {"   hexes from the picture, learning from the others"},
             {"Save image as BMP, BMP tiles or S16 tiles (File menu)"},
             {"F12 switches between window and full screen"},
         }},
    };
    return guide;
}

} // namespace maporv
