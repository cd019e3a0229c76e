#include "app/commands/acceleratorfilter.h"

#include "app/commands/commandtable.h"
#include "app/commands/windowcommands.h"
#include "app/toolwindows/toolwindow.h"

#include <QAbstractButton>
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

bool modifierOnly(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
           key == Qt::Key_Meta || key == Qt::Key_AltGr;
}

bool noMenuOrDialogUp() {
    return QApplication::activePopupWidget() == nullptr &&
           QApplication::activeModalWidget() == nullptr;
}

} // namespace

AcceleratorFilter::AcceleratorFilter(const CommandTable& commands, const QWidget& window,
                                     WindowCommands& windowCommands)
    : commands_(commands), window_(window), windowCommands_(windowCommands) {}

int AcceleratorFilter::commandFor(const QKeyEvent& event) const {
    const auto key = static_cast<Qt::Key>(event.key());
    return commands_.commandForKey(QKeyCombination(event.modifiers() & kCommandModifiers, key));
}

bool AcceleratorFilter::forFrame(QObject* watched) const {
    const auto* widget = qobject_cast<QWidget*>(watched);
    return widget != nullptr && widget->window() == &window_ && noMenuOrDialogUp();
}

ToolWindow* AcceleratorFilter::toolWindow(QObject* watched) const {
    const auto* widget = qobject_cast<QWidget*>(watched);
    auto* window = widget != nullptr ? qobject_cast<ToolWindow*>(widget->window()) : nullptr;
    return window != nullptr && window->parentWidget() == &window_ && noMenuOrDialogUp() ? window
                                                                                         : nullptr;
}

AcceleratorFilter::ToolKey AcceleratorFilter::route(const ToolWindow& window,
                                                    const QKeyEvent& key) const {
    if (modifierOnly(key.key()) || window.keepsKey(key)) {
        return ToolKey::Kept;
    }
    // The accelerators first, then the window's own letters; both win over the menu
    // bar's letters.
    if (commandFor(key) == 0 && window.mnemonicButton(key) != nullptr) {
        return ToolKey::Mnemonic;
    }
    return ToolKey::PassedOn;
}

bool AcceleratorFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // Claimed here, the key press comes as such instead of as a shortcut: the
        // accelerator, or a tool window's own letter, wins over the menu bar's letters.
        const auto& key = static_cast<QKeyEvent&>(*event);
        bool claimed = forFrame(watched) && commandFor(key) != 0;
        if (const ToolWindow* window = toolWindow(watched)) {
            const ToolKey way = route(*window, key);
            claimed =
                way == ToolKey::Mnemonic || (way == ToolKey::PassedOn && commandFor(key) != 0);
        }
        if (claimed) {
            event->accept();
        }
        return claimed;
    }
    case QEvent::KeyPress:
        if (ToolWindow* window = toolWindow(watched)) {
            return toolWindowKey(*window, static_cast<QKeyEvent&>(*event));
        }
        if (!forFrame(watched)) {
            altAlone_ = false;
            return false;
        }
        return keyPress(static_cast<QKeyEvent&>(*event));
    case QEvent::KeyRelease: {
        const auto& key = static_cast<QKeyEvent&>(*event);
        if (key.key() == Qt::Key_Alt && altAlone_ && forFrame(watched)) {
            altAlone_ = false;
            windowCommands_.openMenuBar();
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

bool AcceleratorFilter::toolWindowKey(ToolWindow& window, QKeyEvent& event) {
    altAlone_ = false;
    switch (route(window, event)) {
    case ToolKey::Kept:
        return false;
    case ToolKey::Mnemonic:
        window.mnemonicButton(event)->click();
        break;
    case ToolKey::PassedOn:
        if (!window.passKeyOn(event)) {
            return false;
        }
        break;
    }
    // Taken, whatever the map did with it: it goes no further up the tool window.
    event.accept();
    return true;
}

bool AcceleratorFilter::keyPress(const QKeyEvent& event) {
    const int key = event.key();
    if (key == Qt::Key_Alt) {
        // Some platforms count the Alt key itself among the modifiers, some do not.
        altAlone_ = (event.modifiers() & kCommandModifiers & ~Qt::AltModifier) == Qt::NoModifier;
        return false;
    }
    altAlone_ = false;
    if (!modifierOnly(key)) {
        windowCommands_.endStroke();
    }
    if (const int id = commandFor(event); id != 0) {
        // One command per press: a held key does not repeat it.
        if (!event.isAutoRepeat()) {
            commands_.run(id);
        }
        return true;
    }
    const Qt::KeyboardModifiers modifiers = event.modifiers() & kCommandModifiers;
    if (key == Qt::Key_F10 && modifiers == Qt::NoModifier) {
        windowCommands_.openMenuBar();
        return true;
    }
    if (!windowCommands_.windowMode() && modifiers == Qt::AltModifier && isLetter(key)) {
        // The bar is hidden, so its mnemonics are not active: open the menu here.
        windowCommands_.openMenuBar(QChar(key));
        return true;
    }
    return false;
}

} // namespace maporv
