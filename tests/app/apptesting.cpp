#include "apptesting.h"

#include "app/commands/commandids.h"
#include "app/shell/appsettings.h"
#include "app/shell/recoveryfolder.h"
#include "app/window/framesurface.h"
#include "app/window/mapframe.h"
#include "app/window/renderloop.h"
#include "mapdata/mapdocument.h"
#include "mapdata/textformat.h"
#include "picturefiles.h"
#include "sessiontesting.h"

#include <QCoreApplication>
#include <QCursor>
#include <QSettings>
#include <QTest>
#include <algorithm>
#include <filesystem>

namespace maporv::test {
namespace {

QSettings settings() {
    return QSettings(QString::fromLatin1(AppSettings::kOrganisation),
                     QString::fromLatin1(AppSettings::kApplication));
}

} // namespace

std::string GameFolder::addMap(const std::string& fileName, std::uint16_t number, bool withPicture,
                               int width, int height) const {
    MapDocument document;
    document.mapNumber = number;
    document.width = 45;
    document.height = 40;
    // Tiles of at most 640 x 480, named by their column and row.
    for (int column = 0; withPicture && column * 640 < width; ++column) {
        for (int row = 0; row * 480 < height; ++row) {
            temp.write(strprintf("MAP/MAP%s%d%d.s16", mapNumberString(number).c_str(), column, row),
                       s16Uniform(std::min(640, width - column * 640),
                                  std::min(480, height - row * 480), 0x07E0));
        }
    }
    return temp.write("SCENARIO/" + fileName, document.toBytes());
}

std::string GameFolder::addNames(std::uint16_t number, const std::string& lines) const {
    return temp.write(strprintf("MAP/MAP%03d.TXT", number),
                      "[MAP:  7] [X                   ]\n--------------------------------\n" +
                          lines);
}

void clearSettings() {
    QSettings store = settings();
    store.clear();
    store.sync();
}

void writeSetting(const QString& key, const QVariant& value) {
    QSettings store = settings();
    store.setValue(key, value);
    store.sync();
}

QVariant readSetting(const QString& key) {
    return settings().value(key);
}

void clearRecoveryRecords() {
    std::error_code ec;
    std::filesystem::remove_all(RecoveryFolder::standardPath(), ec);
}

void AppTest::SetUp() {
    clearSettings();
    clearRecoveryRecords();
}

void AppTest::TearDown() {
    app.reset();
    clearSettings();
    clearRecoveryRecords();
}

void AppTest::start(const QStringList& arguments) {
    AppSetup setup;
    setup.ui = &ui;
    setup.workArea = kTestWorkArea;
    setup.maximise = false;
    setup.capsLockOn = false;
    setup.runRenderLoop = false;
    setup.quit = [this] { ++quitRequests; };
    app = std::make_unique<MapToolApp>(setup);
    ASSERT_TRUE(app->start(arguments));
    // What the window system does with the new window arrives as events.
    QCoreApplication::processEvents();
    // Every turn of the loop draws, as if something always changed.
    app->renderLoop()->setSkipUnchanged(false);
}

void AppTest::finish() {
    app.reset();
}

MapFrame& AppTest::frame() {
    return *app->frame();
}

void EditorTest::SetUp() {
    AppTest::SetUp();
    game.addNames(7, "(03,02) #Hilltown\n");
    const std::string map = game.addMap("DEMO.MAP", 7, true, 1280, 960);
    writeSetting(QStringLiteral("Settings/LastOpen"), QString::fromStdString(map));
    start({QString::fromStdString(map)});
    frame().activateWindow();
    frame().surface().setFocus();
    app->commands().run(kCmdToggleStrategic); // full size
}

QPoint EditorTest::hexPoint(int row, int column) {
    const HexGrid& grid = frame().grid();
    const HexPosition hex = grid.hexToPixel(row, column);
    return {hex.screenX + grid.hexWidth / 2, hex.screenY + grid.hexHeight / 2};
}

void EditorTest::pointAt(int row, int column) {
    const FrameSurface& surface = frame().surface();
    QCursor::setPos(surface.mapToGlobal(surface.toWidget(hexPoint(row, column))));
    tick();
}

void EditorTest::click(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    QTest::mouseClick(&frame().surface(), button, modifiers, frame().surface().toWidget(at));
}

void EditorTest::clickPanel(int index) {
    const HotSpotPanel& panel = frame().view().rightMenu;
    const Rect& spot = panel.hotSpot(index);
    click(QPoint(panel.placeRect.left + spot.left + 1, panel.placeRect.top + spot.top + 1));
}

void EditorTest::type(char key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(&frame().surface(), key, modifiers);
}

void EditorTest::press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(&frame().surface(), key, modifiers);
}

bool EditorTest::tick() {
    return app->renderLoop()->tick();
}

const MapDocument& EditorTest::document() {
    return app->workspace().document;
}

const MapNames& EditorTest::names() {
    return app->workspace().names;
}

const Brush& EditorTest::brush() {
    return app->session().brush();
}

const EditHistory& EditorTest::history() {
    return app->session().history();
}

const HexCell& EditorTest::cell(int row, int column) {
    return *document().cellAt(row, column);
}

void AppTest::change(const std::function<void(MapWorkspace&)>& apply) {
    test::change(app->session(), apply);
}

void AppTest::changeBrush(const std::function<void(Brush&)>& apply) {
    test::changeBrush(app->session(), apply);
}

} // namespace maporv::test
