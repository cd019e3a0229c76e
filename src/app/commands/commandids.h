#pragma once

namespace maporv {

// The editor's commands, numbered as its menus and accelerators have always
// numbered them.
inline constexpr int kCmdNewMap = 32777;
inline constexpr int kCmdFileOpen = 57601;
inline constexpr int kCmdOpenLast = 32781;
inline constexpr int kCmdFileSave = 57603;
inline constexpr int kCmdRecentFirst = 57616;
inline constexpr int kCmdRecentLast = 57631;
inline constexpr int kCmdSaveImageBmpTiles = 32773;
inline constexpr int kCmdSaveImageS16Tiles = 32786;
inline constexpr int kCmdSaveImageBmp = 32783;
inline constexpr int kCmdExitMenu = 57665;
inline constexpr int kCmdExitKey = 32774;

inline constexpr int kCmdSwitchMode = 32771; // F12
inline constexpr int kCmdVerticalSync = 32772;
inline constexpr int kCmdWindowMode = 32795;
inline constexpr int kCmdMode800x600 = 32796;
inline constexpr int kCmdMode1024x768 = 32797;

inline constexpr int kCmdToggleGrid = 32775;
inline constexpr int kCmdToggleStrategic = 32776;
inline constexpr int kCmdToggleTerrain = 32778;
inline constexpr int kCmdToggleRoads = 32779;
inline constexpr int kCmdToggleNames = 32792;
inline constexpr int kCmdGuideLine = 32784; // text lines of menus, no handler

inline constexpr int kCmdSetDataDialog = 32787;
inline constexpr int kCmdTerrainFilter = 32794;
inline constexpr int kCmdMiscTools = 32811;

inline constexpr int kCmdLoadNames = 32788;
inline constexpr int kCmdSaveNames = 32789;
inline constexpr int kCmdBrowseNames = 32810;
inline constexpr int kCmdRelease = 32808;

inline constexpr int kCmdGetData = 32785;
inline constexpr int kCmdGetTerrain = 32806;
inline constexpr int kCmdGetRoads = 32804;
inline constexpr int kCmdGetName = 32805;
inline constexpr int kCmdClearTerrain = 32802;
inline constexpr int kCmdClearRoads = 32782;
inline constexpr int kCmdClearName = 32803;
inline constexpr int kCmdClearSelection = 32780;
inline constexpr int kCmdCapsLock = 32807;

// Undo and redo have no number of their own in the old tables; these follow the
// framework's edit commands.
inline constexpr int kCmdUndo = 57643;
inline constexpr int kCmdRedo = 57644;
// Beyond the old tables: the Check Map window, Suggest Terrain and Suggest Roads, and
// painting with the mouse.
inline constexpr int kCmdCheckMap = 32900;
inline constexpr int kCmdSuggestTerrain = 32901;
inline constexpr int kCmdSuggestRoads = 32902;
inline constexpr int kCmdDrawRoads = 32903;
inline constexpr int kCmdFillRegion = 32904;
inline constexpr int kCmdSelectRegion = 32905;

inline constexpr int kCmdNextPane = 57680;
inline constexpr int kCmdPrevPane = 57681;

} // namespace maporv
