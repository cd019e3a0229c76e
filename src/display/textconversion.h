#pragma once

#include <QString>
#include <string>

namespace maporv {

// Paths and texts cross between the core (std::string) and the widgets (QString)
// here. Paths are UTF-8; texts that are not valid UTF-8 come from the game's old
// 8-bit data and are shown as Latin-1 rather than as replacement characters.
QString toQString(const std::string& text);
std::string toStdString(const QString& text);

} // namespace maporv
