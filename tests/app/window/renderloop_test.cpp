#include "app/window/renderloop.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <deque>
#include <gtest/gtest.h>

namespace maporv {
namespace {

class FakeTarget : public RenderTarget {
public:
    bool framePaused() const override { return paused; }
    Status drawFrame() override {
        ++frames;
        if (results.empty()) {
            return kOk;
        }
        const Status status = results.front();
        results.pop_front();
        return status;
    }
    void framesFailed() override { ++failedCalls; }
    bool frameStale() const override { return stale; }
    bool frameChangesSoon() const override { return changesSoon; }
    bool pointerMovesReported() const override { return true; }

    bool paused = false;
    bool stale = true;
    bool changesSoon = false;
    std::deque<Status> results;
    int frames = 0;
    int failedCalls = 0;
};

class RenderLoopTest : public testing::Test {
protected:
    RenderLoopTest() { loop.setSkipUnchanged(false); }
    FakeTarget target;
    RenderLoop loop{target};
};

TEST_F(RenderLoopTest, PacesFramesByTheScreensRefresh) {
    // At most one frame per refresh: the period is rounded up.
    EXPECT_EQ(RenderLoop::intervalFor(nullptr), 17);
    EXPECT_EQ(loop.interval(), 17);
}

TEST_F(RenderLoopTest, DrawsWhileNothingPauses) {
    EXPECT_TRUE(loop.tick());
    target.paused = true;
    EXPECT_FALSE(loop.tick());
    target.paused = false;
    EXPECT_TRUE(loop.tick());
    EXPECT_EQ(target.frames, 2);
}

TEST_F(RenderLoopTest, NoFramesWhileAModalDialogIsUp) {
    QDialog dialog;
    bool drewInside = true;
    QTimer::singleShot(0, &dialog, [&] {
        drewInside = loop.tick();
        dialog.reject();
    });
    dialog.exec();
    EXPECT_FALSE(drewInside);
    EXPECT_TRUE(loop.tick());
}

TEST_F(RenderLoopTest, TwoFailedFramesInARowStopTheLoop) {
    loop.start();
    target.results = {kFail, kOk, kFail, kSurfaceLost};
    loop.tick();
    loop.tick(); // a good frame in between starts the count again
    loop.tick();
    EXPECT_EQ(target.failedCalls, 0);
    EXPECT_TRUE(loop.isActive());
    loop.tick();
    EXPECT_EQ(target.failedCalls, 1);
    EXPECT_FALSE(loop.isActive());
}

TEST_F(RenderLoopTest, AnEditorAtRestDrawsOnlyWhatChanged) {
    loop.setSkipUnchanged(true);
    target.stale = false;
    EXPECT_TRUE(loop.tick());  // the first frame always
    EXPECT_FALSE(loop.tick()); // nothing changed since
    target.stale = true;
    EXPECT_TRUE(loop.tick());

    // A failed frame is drawn again, changed or not, and so is the first after a pause.
    target.results = {kFail};
    EXPECT_TRUE(loop.tick());
    target.stale = false;
    EXPECT_TRUE(loop.tick());
    target.paused = true;
    EXPECT_FALSE(loop.tick());
    target.paused = false;
    EXPECT_TRUE(loop.tick());
    EXPECT_FALSE(loop.tick());
}

TEST_F(RenderLoopTest, RestsAfterQuietTurnsUntilAnEvent) {
    loop.setSkipUnchanged(true);
    target.stale = false;
    EXPECT_TRUE(loop.tick());
    for (int i = 0; i < RenderLoop::kQuietTurnsBeforeRest; ++i) {
        EXPECT_FALSE(loop.tick());
    }
    EXPECT_EQ(loop.interval(), RenderLoop::kRestInterval);

    // Any event wakes it, but draws nothing by itself.
    QObject other;
    QCoreApplication::postEvent(&other, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    EXPECT_EQ(loop.interval(), 17);
    EXPECT_FALSE(loop.tick());

    // A frame that is to change by itself keeps it awake.
    target.changesSoon = true;
    for (int i = 0; i < 2 * RenderLoop::kQuietTurnsBeforeRest; ++i) {
        EXPECT_FALSE(loop.tick());
    }
    EXPECT_EQ(loop.interval(), 17);
}

TEST_F(RenderLoopTest, RunsByItselfOnceStarted) {
    loop.start();
    QElapsedTimer waited;
    waited.start();
    while (target.frames < 3 && waited.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    EXPECT_GE(target.frames, 3);
    loop.stop();
}

} // namespace
} // namespace maporv
