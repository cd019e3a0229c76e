#pragma once

#include "app/maptoolapp.h"
#include "display/rect.h"
#include "scripteduserinterface.h"
#include "tempfolder.h"

#include <QString>
#include <QVariant>
#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace maporv {

class MapFrame;

namespace test {

// A game folder on disk: SCENARIO/ with the MAP files, MAP/ with their S16 tiles and
// names files.
class GameFolder {
public:
    const std::string& root() const { return temp.path(); }
    std::string scenario() const { return root() + "SCENARIO/"; }
    // A MAP file of the number; with a picture, the S16 tiles of that size.
    std::string addMap(const std::string& fileName, std::uint16_t number, bool withPicture = true,
                       int width = 640, int height = 480) const;
    // The names file of the number, with the given named-hex lines.
    std::string addNames(std::uint16_t number, const std::string& lines) const;

    TempFolder temp;
};

// The editor's settings, as the next run would read them.
void clearSettings();
void writeSetting(const QString& key, const QVariant& value);
QVariant readSetting(const QString& key);

// The work area every test's window covers.
inline constexpr Rect kTestWorkArea{0, 0, 1024, 768};

// An editor started on the offscreen platform: a scripted user interface, the work
// area above, no maximising, Caps Lock off, and the render loop turned by hand. The
// settings start empty unless the test writes some before start().
class AppTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the editor; the first-run question is answered from ui.folders (empty:
    // cancelled). Fails the test when the window cannot be made.
    void start(const QStringList& arguments = {});
    // Ends the run as the process end does: the window goes, the settings are written.
    void finish();

    MapFrame& frame();

    ScriptedUserInterface ui;
    GameFolder game;
    std::unique_ptr<MapToolApp> app;
};

} // namespace test
} // namespace maporv
