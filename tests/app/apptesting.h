#pragma once

#include "app/shell/maptoolapp.h"
#include "display/rect.h"
#include "scripteduserinterface.h"
#include "tempfolder.h"

#include <QPoint>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace maporv {

class EditHistory;
class MapFrame;
class MapDocument;
class MapNames;
class MapWorkspace;
struct Brush;
struct HexCell;

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
// No recovery record of an earlier test is offered to the next one.
void clearRecoveryRecords();

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
    // The session's map, names, picture or texts changed as a file or an edit would.
    void change(const std::function<void(MapWorkspace&)>& apply);
    void changeBrush(const std::function<void(Brush&)>& apply);

    ScriptedUserInterface ui;
    GameFolder game;
    std::unique_ptr<MapToolApp> app;
    // How often SIGTERM or SIGHUP asked the run to end; the test process goes on.
    int quitRequests = 0;
};

// The editor started on a generated map of 1280 x 960 pixels (DEMO.MAP, number 7,
// with the name "Hilltown" at row 2, column 3), shown at full size, and the user's
// hands on it: the pointer, keys and buttons as real events at the frame's surface,
// at the pixels the hex grid gives (through the full-screen modes' scaling).
class EditorTest : public AppTest {
protected:
    void SetUp() override;

    // The surface pixel at the middle of the hex.
    QPoint hexPoint(int row, int column);
    // The pointer there, then one frame: the hex under it is the current hex.
    void pointAt(int row, int column);
    // A click at a surface pixel.
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void clickHex(int row, int column, Qt::MouseButton button = Qt::LeftButton,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        click(hexPoint(row, column), button, modifiers);
    }
    // A click on hot spot index of the panel.
    void clickPanel(int index);
    // A character key ('T' as Shift or Caps Lock types it, 't' plain), or a key.
    void type(char key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    bool tick();

    const MapDocument& document();
    const MapNames& names();
    const Brush& brush();
    const EditHistory& history();
    const HexCell& cell(int row, int column);
};

} // namespace test
} // namespace maporv
