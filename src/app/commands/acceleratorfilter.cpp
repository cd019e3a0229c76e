#include "app/commands/acceleratorfilter.h"

#include "app/commands/commandtable.h"
#include "app/window/mapframe.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace maporv {
namespace {

constexpr Qt::KeyboardModifiers kCommandModifiers =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

bool isLetter(int key) {
    return key >= Qt::Key_A && key <= Qt::Key_Z;
}

} // namespace

AcceleratorFilter::AcceleratorFilter(const CommandTable& commands, MapFrame& frame)
    : commands_(commands), frame_(frame) {}

int AcceleratorFilter::commandFor(const QKeyEvent& event) const {
    const auto key = static_cast<Qt::Key>(event.key());
    return commands_.commandForKey(QKeyCombination(event.modifiers() & kCommandModifiers, key));
}

bool AcceleratorFilter::forFrame(QObject* watched) const {
    const auto* widget = qobject_cast<QWidget*>(watched);
    return widget != nullptr && widget->window() == &frame_ &&
           QApplication::activePopupWidget() == nullptr &&
           QApplication::activeModalWidget() == nullptr;
}

bool AcceleratorFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Claimed here, the key press comes as such instead of as a shortcut.
        if (forFrame(watched) && commandFor(static_cast<QKeyEvent&>(*event)) != 0) {
            event->accept();
            return true;
        }
        return false;
    case QEvent::KeyPress:
        if (!forFrame(watched)) {
            altAlone_ = false;
            return false;
        }
        return keyPress(static_cast<QKeyEvent&>(*event));
    case QEvent::KeyRelease: {
        const auto& key = static_cast<QKeyEvent&>(*event);
        if (key.key() == Qt::Key_Alt && altAlone_ && forFrame(watched)) {
            altAlone_ = false;
            frame_.openMenuBar();
            return true;
        }
        return false;
    }
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
        altAlone_ = false;
        return false;
    default:
        return false;
    }
}

bool AcceleratorFilter::keyPress(const QKeyEvent& event) {
    const int key = event.key();
    if (key == Qt::Key_Alt) {
        // Some platforms count the Alt key itself among the modifiers, some do not.
        altAlone_ = (event.modifiers() & kCommandModifiers & ~Qt::AltModifier) == Qt::NoModifier;
        return false;
    }
    altAlone_ = false;
    if (const int id = commandFor(event); id != 0) {
        // One command per press: a held key does not repeat it.
        if (!event.isAutoRepeat()) {
            commands_.run(id);
        }
        return true;
    }
    const Qt::KeyboardModifiers modifiers = event.modifiers() & kCommandModifiers;
    if (key == Qt::Key_F10 && modifiers == Qt::NoModifier) {
        frame_.openMenuBar();
        return true;
    }
    if (!frame_.windowMode() && modifiers == Qt::AltModifier && isLetter(key)) {
        // The bar is hidden, so its mnemonics are not active: open the menu here.
        frame_.openMenuBar(QChar(key));
        return true;
    }
    return false;
}

} // namespace maporv
