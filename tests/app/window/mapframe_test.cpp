#include "app/commands/commandids.h"
#include "app/window/framesurface.h"
#include "app/window/mapframe.h"
#include "app/window/pauseflags.h"
#include "app/window/renderloop.h"
#include "apptesting.h"
#include "display/surface.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace maporv {
namespace {

using test::readSetting;
using test::writeSetting;

class MapFrameTest : public test::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        writeSetting(QStringLiteral("Settings/LastOpen"), QString::fromStdString(game.scenario()));
    }

    MapView& view() { return frame().view(); }
    DisplaySurfaces& display() { return frame().display(); }
    QSize backSize() {
        const Surface& back = *display().backSurface();
        return {back.width(), back.height()};
    }
    QSize clientSize() { return frame().surface().size(); }
    bool run(int id) { return app->commands().run(id); }
};

TEST_F(MapFrameTest, StartsInWindowModeOverTheWorkArea) {
    start();
    EXPECT_EQ(frame().pauseFlags(), 0);
    EXPECT_EQ(frame().videoMode(), kWindowMode);
    EXPECT_EQ(view().fullScreen, 0);
    EXPECT_TRUE(display().windowed());
    // The window covers the work area; the display area is its client area on screen.
    EXPECT_EQ(frame().geometry().size(), QSize(1024, 768));
    EXPECT_EQ(view().screenRect, frame().clientRect());
    EXPECT_EQ(backSize(), clientSize());
    EXPECT_TRUE(frame().menuBar()->isVisible());
    EXPECT_FALSE(frame().windowFlags().testFlag(Qt::FramelessWindowHint));
    // The icon at every size the theme installs.
    QList<QSize> iconSizes = frame().windowIcon().availableSizes();
    std::sort(iconSizes.begin(), iconSizes.end(),
              [](QSize a, QSize b) { return a.width() < b.width(); });
    EXPECT_EQ(iconSizes,
              (QList<QSize>{{16, 16}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}}));
}

TEST_F(MapFrameTest, FullScreenModesShowTheModeScaledToTheScreen) {
    start();
    EXPECT_TRUE(run(kCmdMode800x600));
    EXPECT_EQ(frame().videoMode(), kMode800x600);
    EXPECT_EQ(view().fullScreen, 1);
    ASSERT_TRUE(display().displayMode().has_value());
    EXPECT_EQ(*display().displayMode(), (DisplayMode{800, 600, 16}));
    EXPECT_EQ(view().screenRect, (Rect{0, 0, 800, 600}));
    EXPECT_EQ(backSize(), QSize(800, 600));
    // A borderless window over the whole screen, without its menu bar.
    EXPECT_TRUE(frame().windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(frame().geometry(), frame().screen()->geometry());
    EXPECT_FALSE(frame().menuBar()->isVisible());
    EXPECT_TRUE(frame().surface().scaled());
    EXPECT_EQ(frame().pauseFlags(), 0);

    EXPECT_TRUE(run(kCmdWindowMode));
    EXPECT_EQ(view().fullScreen, 0);
    EXPECT_FALSE(display().displayMode().has_value());
    EXPECT_FALSE(frame().windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(frame().menuBar()->isVisible());
    EXPECT_EQ(frame().geometry().size(), QSize(1024, 768));
    EXPECT_EQ(view().screenRect, frame().clientRect());
    EXPECT_EQ(backSize(), clientSize());
}

TEST_F(MapFrameTest, F12AlternatesBetweenWindowAnd800x600) {
    start();
    run(kCmdSwitchMode);
    EXPECT_EQ(frame().videoMode(), kMode800x600);
    run(kCmdSwitchMode);
    EXPECT_EQ(frame().videoMode(), kWindowMode);

    run(kCmdMode1024x768);
    EXPECT_EQ(backSize(), QSize(1024, 768));
    run(kCmdSwitchMode);
    EXPECT_EQ(frame().videoMode(), kWindowMode);
    EXPECT_EQ(backSize(), clientSize());
}

TEST_F(MapFrameTest, ModeEntriesAreCheckedAndDisabledWhileTheirModeIsOn) {
    start();
    const CommandTable& commands = app->commands();
    EXPECT_TRUE(commands.isChecked(kCmdWindowMode));
    EXPECT_FALSE(commands.isEnabled(kCmdWindowMode));
    EXPECT_TRUE(commands.isEnabled(kCmdMode800x600));
    EXPECT_FALSE(commands.run(kCmdWindowMode));

    commands.run(kCmdMode1024x768);
    EXPECT_TRUE(commands.isChecked(kCmdMode1024x768));
    EXPECT_FALSE(commands.isEnabled(kCmdMode1024x768));
    EXPECT_FALSE(commands.isChecked(kCmdWindowMode));
    EXPECT_TRUE(commands.isEnabled(kCmdWindowMode));
}

TEST_F(MapFrameTest, VerticalSyncIsAWindowModeMatter) {
    start();
    const CommandTable& commands = app->commands();
    EXPECT_TRUE(commands.isChecked(kCmdVerticalSync));
    commands.run(kCmdVerticalSync);
    EXPECT_EQ(view().vsyncOn, 0);
    EXPECT_FALSE(commands.isChecked(kCmdVerticalSync));
    commands.run(kCmdMode800x600);
    EXPECT_FALSE(commands.isEnabled(kCmdVerticalSync));
    EXPECT_TRUE(commands.isChecked(kCmdVerticalSync));
}

TEST_F(MapFrameTest, ARefusedModeFallsBackAndKeepsTheRequestedMode) {
    start();
    display().setRefusedModes({{1024, 768, 16}});
    run(kCmdMode1024x768);
    EXPECT_EQ(frame().videoMode(), kMode1024x768);
    EXPECT_EQ(*display().displayMode(), (DisplayMode{800, 600, 16}));
    EXPECT_EQ(view().screenRect, (Rect{0, 0, 800, 600}));
    EXPECT_EQ(frame().pauseFlags(), 0);

    display().setRefusedModes({{1024, 768, 16}, {800, 600, 16}});
    run(kCmdWindowMode);
    run(kCmdMode800x600);
    EXPECT_EQ(*display().displayMode(), (DisplayMode{640, 480, 8}));
    EXPECT_EQ(backSize(), QSize(640, 480));
}

TEST_F(MapFrameTest, ASwitchThatFailsClosesThroughTheExitFlow) {
    start();
    int closeRequests = 0;
    frame().closeQuery = [&] {
        ++closeRequests;
        return false;
    };
    display().setRefusedModes({{1024, 768, 16}, {800, 600, 16}, {640, 480, 8}});
    run(kCmdMode800x600);
    EXPECT_EQ(frame().videoMode(), kWindowMode);
    EXPECT_NE(frame().pauseFlags() & kPauseStop, 0);
    EXPECT_FALSE(app->renderLoop()->tick());
    QCoreApplication::processEvents();
    EXPECT_EQ(closeRequests, 1);

    // Staying after all: window mode comes back and the frames with it.
    display().setRefusedModes({});
    EXPECT_TRUE(frame().recoverDisplay());
    EXPECT_EQ(frame().pauseFlags(), 0);
    EXPECT_TRUE(app->renderLoop()->tick());
}

TEST_F(MapFrameTest, MinimisedDrawsNoFrames) {
    start();
    EXPECT_TRUE(app->renderLoop()->tick());
    frame().showMinimized();
    EXPECT_NE(frame().pauseFlags() & kPauseMinimised, 0);
    const int drawn = frame().framesDrawn();
    EXPECT_FALSE(app->renderLoop()->tick());
    EXPECT_EQ(frame().framesDrawn(), drawn);

    // A display change while minimised waits for the restore.
    frame().displayChanged();
    EXPECT_TRUE(display().windowed());
    frame().showNormal();
    EXPECT_EQ(frame().pauseFlags() & kPauseMinimised, 0);
    EXPECT_TRUE(app->renderLoop()->tick());
}

TEST_F(MapFrameTest, PauseBitsEachStopTheFrames) {
    start();
    for (const int bit : {kPauseStop, kPauseDisplayInit, kPauseNamePrompt}) {
        frame().setPauseBit(bit, true);
        EXPECT_FALSE(app->renderLoop()->tick()) << bit;
        frame().setPauseBit(bit, false);
        EXPECT_TRUE(app->renderLoop()->tick()) << bit;
    }
}

TEST_F(MapFrameTest, WindowModeTakesANewClientSizeOver) {
    start();
    frame().resize(900, 700);
    EXPECT_EQ(view().screenRect, frame().clientRect());
    EXPECT_EQ(backSize(), clientSize());
    EXPECT_EQ(view().regions.rightColumn.right, clientSize().width());

    frame().move(40, 30);
    EXPECT_EQ(view().screenRect, frame().clientRect());
    EXPECT_EQ(view().screenRect.left, frame().surface().mapToGlobal(QPoint(0, 0)).x());
}

TEST_F(MapFrameTest, ModeSwitchesKeepTheMapAndTheToggles) {
    game.addMap("DEMO.MAP", 7, true, 1280, 960);
    start({QString::fromStdString(game.scenario() + "DEMO.MAP")});
    run(kCmdToggleRoads);
    run(kCmdMode1024x768);
    EXPECT_TRUE(view().mapPictureLoaded());
    EXPECT_EQ(view().showRoads, 1);
    EXPECT_EQ(view().buttonBar.state(kToggleRoads), 1);
    run(kCmdWindowMode);
    EXPECT_TRUE(view().mapPictureLoaded());
    EXPECT_EQ(view().showRoads, 1);
}

TEST_F(MapFrameTest, TheGridToggleWaitsForAPicture) {
    start();
    run(kCmdToggleGrid);
    EXPECT_EQ(view().showGrid, 0);
    EXPECT_FALSE(app->commands().isChecked(kCmdToggleGrid));

    game.addMap("DEMO.MAP", 7);
    app->load(game.scenario() + "DEMO.MAP", false);
    run(kCmdToggleGrid);
    EXPECT_EQ(view().showGrid, 1);
    EXPECT_TRUE(app->commands().isChecked(kCmdToggleGrid));
    EXPECT_EQ(view().buttonBar.state(kToggleGrid), 1);
}

TEST_F(MapFrameTest, TogglingTheStrategicViewLaysTheViewOutAgain) {
    game.addMap("DEMO.MAP", 7, true, 1280, 960);
    start({QString::fromStdString(game.scenario() + "DEMO.MAP")});
    const ViewRect reduced = frame().grid().viewRect;
    EXPECT_TRUE(app->commands().isChecked(kCmdToggleStrategic));
    run(kCmdToggleStrategic);
    EXPECT_EQ(view().strategicView, 0);
    EXPECT_EQ(view().buttonBar.state(kToggleStrategic), 0);
    const ViewRect full = frame().grid().viewRect;
    EXPECT_GT(full.right - full.left, reduced.right - reduced.left);
    const Rect& area = view().regions.mapArea;
    EXPECT_EQ(full.left, area.left);
    EXPECT_EQ(full.right, area.right);
    EXPECT_EQ(full.bottom, area.bottom);
}

TEST_F(MapFrameTest, FullScreenPointerGoesThroughTheScaling) {
    game.addMap("DEMO.MAP", 7, true, 1280, 960);
    start({QString::fromStdString(game.scenario() + "DEMO.MAP")});
    run(kCmdMode800x600);
    run(kCmdToggleStrategic); // full size

    // The pointer put on a surface pixel reads back as that pixel, and the frame's
    // hex under it is the hex at that pixel of the frame.
    FramePointer pointer(frame().surface());
    for (const Point at : {Point{100, 100}, Point{371, 222}, Point{600, 400}}) {
        pointer.setPosition(at);
        EXPECT_EQ(pointer.position(), at);
        frame().drawFrame();
        const HexPosition hex = frame().grid().pixelToHex(at.x, at.y);
        EXPECT_EQ(view().currentHex.row, hex.row);
        EXPECT_EQ(view().currentHex.column, hex.column);
    }
    const QPoint global = QCursor::pos();
    EXPECT_EQ(frame().surface().toSurface(frame().surface().mapFromGlobal(global)),
              QPoint(600, 400));
}

TEST_F(MapFrameTest, DialogsAnchorAtTheDisplayAreaAndThePanel) {
    start();
    EXPECT_EQ(frame().dialogAnchor(), QPoint(view().screenRect.left, view().screenRect.top));
    run(kCmdMode800x600);
    // The panel's top under the title bar, through the scaling.
    EXPECT_EQ(frame().dialogAnchor(),
              frame().surface().mapToGlobal(frame().surface().toWidget(QPoint(0, 22))));
}

TEST_F(MapFrameTest, TheScreensChangingCoversTheNewWorkAreaAgain) {
    start();
    run(kCmdMode1024x768);
    frame().displayChanged();
    EXPECT_EQ(backSize(), QSize(1024, 768));
    run(kCmdWindowMode);
    frame().resize(600, 500);
    frame().displayChanged();
    EXPECT_EQ(frame().geometry().size(), QSize(1024, 768));
    EXPECT_EQ(backSize(), clientSize());
}

TEST_F(MapFrameTest, InFullScreenAltShowsTheMenuBarUntilTheMenuCloses) {
    start();
    run(kCmdMode800x600);
    ASSERT_FALSE(frame().menuBar()->isVisible());
    frame().openMenuBar();
    EXPECT_TRUE(frame().menuBar()->isVisible());
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup, app->frame()->menuBar()->actions().front()->menu());
    EXPECT_TRUE(display().showingDesktop());
    EXPECT_FALSE(app->renderLoop()->tick());

    popup->close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(frame().menuBar()->isVisible());
    EXPECT_FALSE(display().showingDesktop()); // the loop's end drew a frame
}

} // namespace
} // namespace maporv
