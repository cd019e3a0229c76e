#pragma once

#include <string>

namespace maporv {

class UserInterface;

// Writes the demo scenario below folder, creating its sub-folders:
//   SCENARIO/DEMO.MAP            map 7, every hex with a terrain, roads between towns
//   MAP/MAP0700.s16 .. MAP0723.s16  the painted 1920 x 1920 picture of that map
//   MAP/MAP007.TXT               the place names of towns and features
// Every byte comes from the project's own generator and is the same on every machine.
// Failures are reported through ui; true when every file was written.
bool makeDemoScenario(const std::string& folder, UserInterface& ui);

} // namespace maporv
