#include "app/window/capslockstate.h"

#include <QGuiApplication>

#ifdef MAPORV_HAVE_X11
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#endif

namespace maporv {

bool readCapsLockState() {
#ifdef MAPORV_HAVE_X11
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        return false;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    // The locked Lock modifier is the Caps Lock toggle, whatever the indicators show.
    XkbStateRec state{};
    const bool read = XkbGetState(display, XkbUseCoreKbd, &state) == Success;
    XCloseDisplay(display);
    return read && (state.locked_mods & LockMask) != 0;
#else
    return false;
#endif
}

} // namespace maporv
