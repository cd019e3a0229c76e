// The window messages of the main window that touch the display: move, size,
// minimise, close, screen changes and the menu loop.

#include "app/window/framesurface.h"
#include "app/window/mapframe.h"
#include "app/window/pauseflags.h"
#include "display/trace.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QMoveEvent>
#include <QScreen>
#include <QTimer>

namespace maporv {
namespace {

// The letter after the single "&" of a menu title, upper-cased; none without one.
QChar mnemonicOf(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (text[i + 1] != QLatin1Char('&')) {
                return text[i + 1].toUpper();
            }
            ++i;
        }
    }
    return {};
}

} // namespace

void MapFrame::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    setPauseBit(kPauseMinimised, isMinimized());
    clientGeometryChanged();
}

void MapFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        // Another window took the keyboard: the release may never come here.
        stroke_.end();
    }
    if (event->type() != QEvent::WindowStateChange) {
        return;
    }
    const bool minimised = isMinimized();
    setPauseBit(kPauseMinimised, minimised);
    if (!minimised) {
        if (displayChangedWhileMinimised_) {
            displayChanged();
        }
        clientGeometryChanged();
    }
}

void MapFrame::clientGeometryChanged() {
    if ((pauseFlags_ & (kPauseNotCreated | kPauseDisplayInit | kPauseMinimised)) != 0) {
        return;
    }
    if (view_.fullScreen != 0) {
        // The mode keeps its size whatever the window's: only the scaling follows.
        surface_->update();
        return;
    }
    const Rect client = clientRect();
    if (client.isEmpty()) {
        return;
    }
    if (client.width() == view_.screenRect.width() &&
        client.height() == view_.screenRect.height()) {
        if (!(client == view_.screenRect)) {
            view_.screenRect = client;
            view_.SetLayout();
        }
        return;
    }
    // Window mode takes the new client size: surfaces of that size, the layout for it.
    const int depthBefore = view_.screenDepth;
    if (failed(InitDisplayMode())) {
        trace("Error setting video mode.\n");
        postClose();
        return;
    }
    if (view_.screenDepth != depthBefore) {
        view_.ReloadImages();
    } else {
        view_.SetLayout();
    }
    paletteStep(depthBefore);
    if (pauseFlags_ == 0 && QApplication::activeModalWidget() == nullptr) {
        drawFrame();
    }
}

void MapFrame::closeEvent(QCloseEvent* event) {
    // The exit questions see the stroke as a change.
    stroke_.end();
    if (closeQuery && !closeQuery()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void MapFrame::watchScreens() {
    // Several signals come for one change: one re-initialisation after them all.
    auto* pending = new QTimer(this);
    pending->setSingleShot(true);
    pending->setInterval(0);
    connect(pending, &QTimer::timeout, this, [this] { displayChanged(); });
    const auto watch = [this, pending](QScreen* screen) {
        connect(screen, &QScreen::geometryChanged, pending, qOverload<>(&QTimer::start));
        connect(screen, &QScreen::availableGeometryChanged, pending, qOverload<>(&QTimer::start));
    };
    for (QScreen* screen : QGuiApplication::screens()) {
        watch(screen);
    }
    connect(qApp, &QGuiApplication::screenAdded, this, [pending, watch](QScreen* screen) {
        watch(screen);
        pending->start();
    });
    connect(qApp, &QGuiApplication::screenRemoved, pending, qOverload<>(&QTimer::start));
    connect(qApp, &QGuiApplication::primaryScreenChanged, pending, qOverload<>(&QTimer::start));
}

void MapFrame::displayChanged() {
    if ((pauseFlags_ & kPauseNotCreated) != 0) {
        return;
    }
    if ((pauseFlags_ & kPauseDisplayInit) != 0) {
        // Caused by this program's own initialisation.
        paletteStep(view_.screenDepth);
        return;
    }
    if ((pauseFlags_ & kPauseMinimised) != 0) {
        displayChangedWhileMinimised_ = true;
        return;
    }
    displayChangedWhileMinimised_ = false;
    const int depthBefore = view_.screenDepth;
    if (workAreaSource_) {
        view_.workArea = workAreaSource_();
    }
    // Window mode covers the work area as it is now.
    windowedStyleApplied_ = false;
    if (failed(InitDisplayMode())) {
        trace("Error setting video mode.\n");
        postClose();
        return;
    }
    // The surfaces are new, maybe of another size or depth: images and layout again.
    view_.ReloadImages();
    paletteStep(depthBefore);
}

bool MapFrame::recoverDisplay() {
    if ((pauseFlags_ & kPauseStop) == 0) {
        return true;
    }
    view_.videoMode = kWindowMode;
    windowedStyleApplied_ = false;
    if (failed(InitDisplayMode())) {
        return false;
    }
    view_.ReloadImages();
    pauseFlags_ &= ~kPauseStop;
    return true;
}

void MapFrame::enterMenuLoop() {
    if (inMenuLoop_) {
        return;
    }
    inMenuLoop_ = true;
    stroke_.end();
    if (view_.fullScreen != 0) {
        display_.FlipToDesktop();
        menuBar()->show();
    }
    surface_->setCursor(Qt::ArrowCursor);
}

void MapFrame::exitMenuLoop() {
    if (!inMenuLoop_) {
        return;
    }
    inMenuLoop_ = false;
    surface_->setCursor(Qt::ArrowCursor);
    if (view_.fullScreen != 0) {
        menuBar()->hide();
        surface_->setFocus();
    }
    if (pauseFlags_ == 0) {
        drawFrame();
    }
}

void MapFrame::openMenuBar(QChar mnemonic) {
    QMenuBar* bar = menuBar();
    QAction* target = nullptr;
    for (QAction* action : bar->actions()) {
        if (action->menu() == nullptr || !action->isVisible()) {
            continue;
        }
        if (mnemonic.isNull() || mnemonicOf(action->text()) == mnemonic.toUpper()) {
            target = action;
            break;
        }
    }
    if (target == nullptr) {
        return;
    }
    bar->show();
    bar->setActiveAction(target);
}

} // namespace maporv
