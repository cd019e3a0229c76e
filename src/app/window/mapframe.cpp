#include "app/window/mapframe.h"

#include "app/toolwindows/checkmapwindow.h"
#include "app/toolwindows/setdatadialog.h"
#include "app/window/framesurface.h"
#include "app/window/pauseflags.h"
#include "display/textconversion.h"
#include "display/trace.h"
#include "mapdata/paths.h"
#include "mapdata/userinterface.h"

#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>

namespace maporv {
namespace {

QRect toQRect(const Rect& rect) {
    return QRect(rect.left, rect.top, rect.width(), rect.height());
}

} // namespace

MapFrame::MapFrame(EditSession& session, UserInterface& ui, FrameSetup setup)
    : session_(session), ui_(ui), maximise_(setup.maximise),
      workAreaSource_(std::move(setup.workAreaSource)), surface_(new FrameSurface(display_, this)),
      pointer_(*surface_), view_(display_, session, grid_, pointer_), stroke_(session, view_) {
    setWindowTitle(QStringLiteral("MapOrv"));
    setCentralWidget(surface_);
    surface_->onResized = [this] { clientGeometryChanged(); };

    // Until the first mode is set the display area is the work area. The selection,
    // the view toggles and the terrain filter start from their own defaults.
    pauseFlags_ = kPauseNotCreated;
    view_.screenRect = setup.workArea;
    view_.workArea = setup.workArea;
    view_.screenDepth = 16;
    view_.videoMode = kWindowMode;
    view_.vsyncOn = 1;
    view_.capsLockOn = setup.capsLockOn;
    setGeometry(toQRect(view_.workArea));
    watchScreens();
    following_ = session_.follow([this](SessionChanges what) { sessionChanged(what); });
}

MapFrame::~MapFrame() {
    // Before the window they belong to goes.
    delete setDataDialog_.data();
    delete checkMapWindow_.data();
    surface_->onResized = nullptr;
    view_.ReleaseImages();
    display_.ReleaseAll();
}

bool MapFrame::OnCreate() {
    if (failed(display_.Create(*this))) {
        ui_.error("Error creating DirectDraw object.");
        return false;
    }
    display_.setUserInterface(&ui_);
    if (failed(InitDisplayMode())) {
        ui_.error("Error setting video mode.");
        return false;
    }
    pauseFlags_ &= ~kPauseNotCreated;
    view_.InitImages();
    surface_->setCursor(Qt::ArrowCursor);
    return true;
}

void MapFrame::showWindow() {
    show();
    // Not every platform reports the place it chose as a move.
    clientGeometryChanged();
}

QScreen* MapFrame::currentScreen() const {
    if (QScreen* on = screen()) {
        return on;
    }
    return QGuiApplication::primaryScreen();
}

int MapFrame::desktopDepth() const {
    const QScreen* on = currentScreen();
    return on != nullptr ? on->depth() : 32;
}

Status MapFrame::InitDisplayMode() {
    // The view a stroke was drawn in is gone.
    stroke_.end();
    if ((pauseFlags_ & kPauseMinimised) != 0) {
        return kOk;
    }
    pauseFlags_ |= kPauseDisplayInit;
    const Status status = view_.InitDisplayMode(desktopDepth());
    if (view_.fullScreen != 0 && isVisible()) {
        activateWindow();
    }
    // Keys go to the view, in every mode.
    surface_->setFocus();
    pauseFlags_ &= ~kPauseDisplayInit;
    return status;
}

void MapFrame::SwitchMode() {
    // A window of its own cannot show over a full-screen display.
    if (view_.videoMode != kWindowMode) {
        closeSetDataDialog();
        closeCheckMapWindow();
    }
    pauseFlags_ |= kPauseStop;
    surface_->setCursor(Qt::BlankCursor);
    if (failed(InitDisplayMode())) {
        trace("No se puede comutar la pantalla\n");
        view_.videoMode = kWindowMode;
        view_.fullScreen = 0;
        surface_->setCursor(Qt::ArrowCursor);
        postClose();
        return;
    }
    view_.ReloadImages();
    // The window was made anew for its mode: the keyboard comes back to it.
    if (isVisible()) {
        activateWindow();
    }
    surface_->setCursor(Qt::ArrowCursor);
    pauseFlags_ &= ~kPauseStop;
}

void MapFrame::paletteStep(int depthBefore) {
    if (display_.bitsPerPixel() == 8 && depthBefore != 8) {
        display_.CreatePalette(false);
        view_.ReloadImages();
    }
}

void MapFrame::applyFullScreenStyle() {
    windowedStyleApplied_ = false;
    surface_->setScaled(true);
    menuBar()->hide();
    const bool wasVisible = isVisible();
    if (!windowFlags().testFlag(Qt::FramelessWindowHint)) {
        setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    }
    // The mode's frame is scaled to the whole screen the window is on.
    setGeometry(currentScreen()->geometry());
    setWindowState(Qt::WindowFullScreen);
    if (wasVisible) {
        show();
    }
}

void MapFrame::applyWindowedStyle() {
    surface_->setScaled(false);
    menuBar()->show();
    if (!windowedStyleApplied_) {
        windowedStyleApplied_ = true;
        const bool wasVisible = isVisible();
        if (windowFlags().testFlag(Qt::FramelessWindowHint)) {
            setWindowFlags(windowFlags() & ~Qt::FramelessWindowHint);
        }
        setWindowState(Qt::WindowNoState);
        setGeometry(toQRect(view_.workArea));
        if (maximise_) {
            setWindowState(Qt::WindowMaximized);
        }
        if (wasVisible) {
            show();
        }
    }
    // The client area is read right after: lay the window out for its size now.
    if (QLayout* frameLayout = layout()) {
        frameLayout->invalidate();
        frameLayout->activate();
    }
}

Rect MapFrame::clientRect() const {
    const QPoint origin = surface_->mapToGlobal(QPoint(0, 0));
    return Rect::fromSize(origin.x(), origin.y(), surface_->width(), surface_->height());
}

Status MapFrame::drawFrame() {
    const Point pointer = pointer_.position();
    stroke_.frameStep(pointer, QGuiApplication::mouseButtons());
    const Status status = view_.RenderFrame(pointer);
    // Taken after the frame, which scrolls and keeps the texts of the hex it found. A
    // frame without all its images is no frame to keep.
    drawnInputs_.reset();
    if (!view_.imagesLostInFrame()) {
        drawnInputs_ = view_.InputFingerprint(pointer);
    }
    ++framesDrawn_;
    surface_->update();
    return status;
}

bool MapFrame::frameStale() const {
    const Point pointer = pointer_.position();
    // Resting at an edge scrolls the map every frame, and so does a stroke at the view's.
    return view_.atScrollEdge(pointer) || stroke_.scrolling(pointer) ||
           view_.InputFingerprint(pointer) != drawnInputs_;
}

void MapFrame::framesFailed() {
    pauseFlags_ |= kPauseStop;
    postClose();
}

void MapFrame::setPauseBit(int bit, bool on) {
    pauseFlags_ = on ? (pauseFlags_ | bit) : (pauseFlags_ & ~bit);
}

void MapFrame::sessionChanged(SessionChanges what) {
    if ((what & kMapReplaced) != 0) {
        if (session_.workspace().picture.valid) {
            showLoadedPicture();
        } else {
            showNoPicture();
        }
        return;
    }
    if ((what & kPictureChanged) != 0) {
        showRestoredPicture();
    }
    if ((what & kDocumentChanged) != 0) {
        showDocumentName();
    }
}

void MapFrame::showLoadedPicture() {
    view_.ShowLoadedPicture();
    refreshTitle();
    if (pauseFlags_ == 0) {
        drawFrame();
    }
}

void MapFrame::showNoPicture() {
    // The map has no picture of its own: never show the one of the map before it.
    view_.picture.ReleaseSurface();
    view_.picture.loaded = false;
    view_.PlaceWidgets();
    showDocumentName();
}

void MapFrame::showRestoredPicture() {
    const MapPicture& picture = session_.workspace().picture;
    if (picture.valid && view_.picture.loaded) {
        // Loading places the image at its own size; it stays where the view has it,
        // without a new layout that would move the pointer.
        const Rect place = view_.picture.placeRect;
        view_.picture.LoadPicture(picture);
        view_.picture.SetPlaceRect(place);
    }
}

void MapFrame::showDocumentName() {
    view_.titleText = fileNameWithExtension(session_.workspace().document.path);
    refreshTitle();
}

void MapFrame::refreshTitle() {
    const std::string& name = view_.titleText;
    setWindowTitle(name.empty() ? QStringLiteral("MapOrv")
                                : QStringLiteral("MapOrv - ") + toQString(name));
}

void MapFrame::flipToDesktop() {
    if (view_.fullScreen != 0) {
        display_.FlipToDesktop();
    }
}

QPoint MapFrame::dialogAnchor() const {
    const Point anchor = view_.DialogAnchor();
    if (view_.fullScreen != 0) {
        return surface_->mapToGlobal(surface_->toWidget(QPoint(anchor.x, anchor.y)));
    }
    // The anchor's top is in client pixels; its left is the display area's, on screen.
    return QPoint(anchor.x, view_.screenRect.top + anchor.y);
}

void MapFrame::postClose() {
    QMetaObject::invokeMethod(
        this, [this] { close(); }, Qt::QueuedConnection);
}

} // namespace maporv
